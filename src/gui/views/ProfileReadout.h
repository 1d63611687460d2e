#pragma once
// The readout at the chart cursor: the header (dive time, depth, ascent rate, gas) or the trace
// lines in two columns of five with colour swatches. One widget class serves both areas. Its
// columns are laid out from the font's real metrics, so every text fits at any font and DPI.
#include <QList>
#include <QRectF>
#include <QWidget>

class CChartModel;

class CProfileReadout : public QWidget {
    Q_OBJECT
public:
    enum class Area { Header, Lines };

    CProfileReadout(Area area, const CChartModel& model, QWidget* parent = nullptr);
    void SetMetric(bool metric) { m_bMetric = metric; }

    // "MS Sans Serif" 12 pixels, falling back to any sans serif face. The widget starts with
    // it; another font given with setFont lays the area out anew.
    static QFont ReadoutFont();

    // The texts the area shows now, in drawing order (tests read them without pixels).
    QStringList Texts() const;
    // Where each of those texts is drawn (the lines area gives a label and a value rectangle
    // per line), for tests that check nothing is cut or overlaps.
    QList<QRectF> TextRects() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Column places, from the widest text each column can ever hold in either unit system.
    struct CGeometry {
        qreal lineHeight = 0;
        qreal margin = 0;
        qreal top = 0; // of the first line
        qreal headerCentre[4] = {};
        qreal labelWidth = 0;
        qreal valueWidth = 0;
        qreal columnWidth = 0;
        QSize size;
    };
    CGeometry Measure() const;
    struct CPlacedText {
        QString text;
        QRectF rect;
        bool rightAligned = false;
    };
    QList<CPlacedText> Place() const;

    Area m_area;
    const CChartModel& m_model;
    bool m_bMetric = true;
    CGeometry m_geometry;
};
