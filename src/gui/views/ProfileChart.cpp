#include "views/ProfileChart.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <cstdlib>

#include "logfile/CDiveLog.h"
#include "viewmodel/CChartModel.h"
#include "viewmodel/ProfileStrings.h"
#include "viewmodel/TraceGroups.h"
#include "views/CPageContext.h"
#include "views/ProfileChartRenderer.h"

namespace {

bool SameState(const CChartState& a, const CChartState& b) {
    // Only what the trace layer draws; the cursor and drag are painted on top of it.
    if (a.m_nViewStart != b.m_nViewStart || a.m_nViewEnd != b.m_nViewEnd ||
        a.m_nDiveStart != b.m_nDiveStart || a.m_dDepthMax != b.m_dDepthMax ||
        a.m_dDepthMin != b.m_dDepthMin || a.m_nYAxisSlot != b.m_nYAxisSlot ||
        a.m_bDepthTraceOn != b.m_bDepthTraceOn || a.m_bDepthLabelsOn != b.m_bDepthLabelsOn ||
        a.m_bSolenoidRowOn != b.m_bSolenoidRowOn)
        return false;
    for (int n = 0; n < kChartSlots; ++n) {
        if (a.m_nTraceCode[n] != b.m_nTraceCode[n] ||
            a.m_bTraceEnabled[n] != b.m_bTraceEnabled[n] || a.m_dTraceMin[n] != b.m_dTraceMin[n] ||
            a.m_dTraceMax[n] != b.m_dTraceMax[n])
            return false;
    }
    return true;
}

} // namespace

bool CProfileChart::CLayerKey::operator==(const CLayerKey& o) const {
    return SameState(state, o.state) && metric == o.metric && size == o.size && dpr == o.dpr &&
           generation == o.generation && loaded == o.loaded;
}

CProfileChart::CProfileChart(CChartModel& model, CPageContext& ctx, QWidget* parent)
    : QWidget(parent), m_model(model), m_ctx(ctx) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CProfileChart::SetMetric(bool metric) {
    m_bMetric = metric;
}

CProfileChart::CLayerKey CProfileChart::CurrentKey() const {
    CLayerKey key;
    key.state = m_model.State();
    key.metric = m_bMetric;
    key.size = size();
    key.dpr = devicePixelRatioF();
    if (const CDiveLog* log = m_model.Log()) {
        key.generation = log->m_nLoadGeneration;
        key.loaded = log->m_bFileLoaded;
    }
    return key;
}

void CProfileChart::Redraw() {
    if (m_bRedrawing)
        return;
    m_bRedrawing = true;
    m_model.SetChartSize(width(), height());
    update();
    m_bRedrawing = false;
}

void CProfileChart::Changed() {
    Redraw();
    emit chartChanged();
}

QImage CProfileChart::Render(const QSize& size, qreal devicePixelRatio) const {
    QImage image(size * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    static const CDiveLog kNoLog;
    const CDiveLog& log = m_model.Log() ? *m_model.Log() : kNoLog;
    QPainter painter(&image);
    const CChartPaintSetup setup = CProfileChartRenderer::ScreenSetup(
        QRectF(QPointF(0, 0), QSizeF(size)), palette().color(QPalette::Button));
    CProfileChartRenderer::Paint(painter, m_model.State(), log, m_bMetric, setup);
    return image;
}

void CProfileChart::paintEvent(QPaintEvent*) {
    m_model.SetChartSize(width(), height());
    static const CDiveLog kNoLog;
    const CDiveLog& log = m_model.Log() ? *m_model.Log() : kNoLog;
    const CChartPaintSetup setup =
        CProfileChartRenderer::ScreenSetup(QRectF(rect()), palette().color(QPalette::Button));
    const CLayerKey key = CurrentKey();
    if (!m_bLayerValid || !(key == m_layerKey)) {
        const qreal dpr = devicePixelRatioF();
        if (m_layer.size() != size() * dpr)
            m_layer = QImage(size() * dpr, QImage::Format_RGB32);
        m_layer.setDevicePixelRatio(dpr);
        QPainter layerPainter(&m_layer);
        CProfileChartRenderer::PaintChart(layerPainter, m_model.State(), log, m_bMetric, setup);
        m_layerKey = key;
        m_bLayerValid = true;
    }
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_layer);
    CProfileChartRenderer::PaintCursor(painter, m_model.State(), log, setup);
}

void CProfileChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_model.SetChartSize(width(), height());
}

void CProfileChart::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        // The press that completes a double-click belongs to it: it toggles the lock and
        // starts nothing.
        if (event->flags().testFlag(Qt::MouseEventCreatedDoubleClick))
            return;
        m_nPressX = pos.x();
        if (m_model.LeftDown(pos.x(), pos.y()))
            Changed();
    } else if (event->button() == Qt::RightButton) {
        RightClick(pos, event->globalPosition().toPoint());
    }
}

void CProfileChart::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_model.MouseMove(pos.x(), pos.y(), event->buttons() & Qt::LeftButton))
        Changed();
}

void CProfileChart::mouseReleaseEvent(QMouseEvent* event) {
    QPoint pos = event->position().toPoint();
    // A hand that slips a pixel or two while clicking has not dragged: on a long dive one pixel
    // is several seconds, and a click (or the first click of a double-click) would zoom into
    // a few seconds of it.
    if (std::abs(pos.x() - m_nPressX) < QApplication::startDragDistance())
        pos.setX(m_nPressX);
    if (event->button() == Qt::LeftButton && m_model.LeftUp(pos.x(), pos.y()))
        Changed();
}

void CProfileChart::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        // Whatever a press of this double-click began is not a zoom.
        m_model.CancelDrag();
        if (m_model.DoubleClick(pos.x(), pos.y()))
            Changed();
    } else if (event->button() == Qt::RightButton) {
        RightClick(pos, event->globalPosition().toPoint());
    }
}

void CProfileChart::keyPressEvent(QKeyEvent* event) {
    bool changed = false;
    switch (event->key()) {
    case Qt::Key_Left:
        changed = m_model.CursorToPreviousSample();
        break;
    case Qt::Key_Right:
        changed = m_model.CursorToNextSample();
        break;
    case Qt::Key_Home:
        changed = m_model.CursorToWindowStart();
        break;
    case Qt::Key_End:
        changed = m_model.CursorToWindowEnd();
        break;
    case Qt::Key_Escape:
        changed = m_model.CancelDrag();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (changed)
        Changed();
    event->accept();
}

void CProfileChart::leaveEvent(QEvent* event) {
    m_model.State().m_bMouseInPlot = false;
    QWidget::leaveEvent(event);
}

QMenu* CProfileChart::BuildGraphPopMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("GraphPop"));
    const uint32_t current = m_ctx.Settings().Traces().m_nTraceGroup;
    for (int group = 0; group < kTraceGroupCount; ++group) {
        QAction* action = menu->addAction(CPageContext::Str(profile_text::kGroupNone + group));
        action->setCheckable(true);
        action->setChecked(current == static_cast<uint32_t>(group));
        action->setData(TracePreset(group)->menuId);
        connect(action, &QAction::triggered, this, [this, group] {
            m_ctx.SetTraces(WithTraceGroupPreset(m_ctx.Settings().Traces(), group));
            m_model.ApplyTraceSettings(m_ctx.Settings().Traces());
            Changed();
        });
    }
    menu->addSeparator();
    QAction* reset = menu->addAction(CPageContext::Str(profile_text::kResetZoom));
    reset->setData(kResetZoomMenuId);
    reset->setEnabled(m_model.ResetZoomChangesView());
    connect(reset, &QAction::triggered, this, [this] {
        m_model.ResetZoom();
        Changed();
    });
    return menu;
}

void CProfileChart::RightClick(const QPoint& pos, const QPoint& globalPos) {
    if (!m_model.IsLoaded() || !m_model.InPlot(pos.x(), pos.y()))
        return;
    if (!m_ctx.IsChartRightClickMenuEnabled()) {
        m_model.ResetZoom();
        Changed();
        return;
    }
    QMenu* menu = BuildGraphPopMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}
