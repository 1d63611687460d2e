#pragma once
// The profile chart on screen: paints the chart model through the renderer into a back buffer
// and turns mouse and key events into zoom and cursor changes. The trace layer is kept between
// cursor moves, so following the pointer only copies it and draws one line.
#include <QImage>
#include <QWidget>
#include <array>

#include "viewmodel/CChartState.h"

class CChartModel;
class CPageContext;
class QMenu;

class CProfileChart : public QWidget {
    Q_OBJECT
public:
    // The right-click switch and the trace group come from the context's settings.
    CProfileChart(CChartModel& model, CPageContext& ctx, QWidget* parent = nullptr);

    void SetMetric(bool metric);
    // Repaint from the model (after any change of it from outside).
    void Redraw();
    // The whole chart as the screen shows it, at `size` logical pixels.
    QImage Render(const QSize& size, qreal devicePixelRatio = 1.0) const;

    // The Graph Pop menu as a right click would open it (tests look at it without showing it).
    QMenu* BuildGraphPopMenu(QWidget* parent);

    QSize sizeHint() const override { return {800, 400}; }
    QSize minimumSizeHint() const override { return {200, 120}; }

signals:
    // The cursor, the window or the trace settings changed: readout, lamps and mimic follow.
    void chartChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // What the trace layer depends on; a change forces it to be painted again.
    struct CLayerKey {
        CChartState state;
        bool metric = true;
        QSize size;
        qreal dpr = 1.0;
        unsigned generation = 0; // a new dive, even at the old one's address
        bool loaded = false;
        bool operator==(const CLayerKey& other) const;
    };
    CLayerKey CurrentKey() const;
    void Changed();
    void RightClick(const QPoint& pos, const QPoint& globalPos);

    CChartModel& m_model;
    CPageContext& m_ctx;
    bool m_bMetric = true;
    bool m_bRedrawing = false; // a nested redraw request returns at once
    int m_nPressX = 0;         // where the left button went down
    QImage m_layer;
    CLayerKey m_layerKey;
    bool m_bLayerValid = false;
};
