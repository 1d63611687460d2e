#pragma once
// The readout at the chart cursor: the header (dive time, depth, ascent rate, gas) or the trace
// lines in two columns with colour swatches. One widget class serves both areas.
#include <QWidget>

class CChartModel;

class CProfileReadout : public QWidget {
    Q_OBJECT
public:
    enum class Area { Header, Lines };

    CProfileReadout(Area area, const CChartModel& model, QWidget* parent = nullptr);
    void SetMetric(bool metric) { m_bMetric = metric; }

    // "MS Sans Serif" 12 pixels, falling back to any sans serif face.
    static QFont ReadoutFont();

    // The texts the area shows now, in drawing order (tests read them without pixels).
    QStringList Texts() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintHeader(QPainter& painter) const;
    void PaintLines(QPainter& painter) const;

    Area m_area;
    const CChartModel& m_model;
    bool m_bMetric = true;
};
