#include "views/ProfileChartRenderer.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygonF>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <optional>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"
#include "viewmodel/CChartModel.h"
#include "viewmodel/ChartPaths.h"
#include "viewmodel/ChartRaster.h"
#include "viewmodel/ChartScale.h"
#include "viewmodel/StateBits.h"
#include "viewmodel/TraceValue.h"

namespace {

constexpr QRgb kSlotColours[kChartSlots] = {
    qRgb(0, 255, 255), qRgb(255, 0, 255), qRgb(0, 0, 255),    qRgb(255, 0, 0),  qRgb(0, 255, 0),
    qRgb(0, 128, 0),   qRgb(128, 0, 0),   qRgb(205, 133, 63), qRgb(47, 79, 79), qRgb(255, 255, 0)};
constexpr QRgb kSolenoidColour = qRgb(47, 79, 79);

bool Loaded(const CDiveLog& log) {
    return log.m_bFileLoaded && !log.m_arSamples.empty();
}

CChartMapping Mapping(const CChartState& state, const CChartPaintSetup& setup) {
    const QRectF& r = setup.plotRect;
    return MapView(state, r.left(), r.top(), r.width(), r.height());
}

QPen LinePen(const QColor& colour, const CChartPaintSetup& setup) {
    QPen pen(colour, setup.lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

// Text placed with its box's left/top at the given point.
void DrawText(QPainter& p, qreal left, qreal top, const QString& text) {
    const QFontMetricsF fm(p.font());
    p.drawText(QPointF(left, top + fm.ascent()), text);
}

// Vertical placement of the labels of a ten-step axis: the top one hangs below its tick, the
// bottom one sits above it, the rest are centred.
qreal LabelTop(int o, qreal tickY, qreal textHeight, qreal scale) {
    if (o == 0)
        return tickY + 1.0 * scale;
    if (o == 10)
        return tickY - (textHeight + 1.0 * scale);
    return tickY - textHeight / 2.0;
}

// The label font narrowed, where needed, so the widest label fits beside its axis. The chart
// keeps its 30-pixel margins, and faces wider than the classic one would otherwise be cut off.
QFont FittingFont(const QFont& font, const QStringList& labels, qreal room) {
    const QFontMetricsF fm(font);
    qreal widest = 0.0;
    for (const QString& label : labels)
        widest = std::max(widest, fm.horizontalAdvance(label));
    if (widest <= room || widest <= 0.0)
        return font;
    QFont narrow(font);
    narrow.setStretch(std::max(50, static_cast<int>(std::floor(100.0 * room / widest))));
    return narrow;
}

void PaintTimeAxis(QPainter& p, const CChartState& state, const CChartPaintSetup& s) {
    const QRectF& plot = s.plotRect;
    const qreal tick = 5.0 * s.scale;
    p.drawLine(QPointF(plot.left() - tick, plot.bottom()),
               QPointF(plot.right() + tick, plot.bottom()));
    const QFontMetricsF fm(p.font());
    for (int v = 0; v <= 10; ++v) {
        const qreal x = plot.left() + plot.width() * v / 10.0;
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
        const QString text = QString::fromLatin1(TimeAxisLabel(state, v));
        DrawText(p, x - fm.horizontalAdvance(text) / 2.0, plot.bottom() + 6.0 * s.scale, text);
    }
}

void PaintDepthAxis(QPainter& p, const CChartState& state, bool metric, const CChartPaintSetup& s) {
    const QRectF& plot = s.plotRect;
    const qreal tick = 5.0 * s.scale;
    p.drawLine(QPointF(plot.left(), s.chartRect.top()), QPointF(plot.left(), plot.bottom()));
    if (!state.m_bDepthLabelsOn)
        return;
    QStringList labels;
    for (int o = 0; o <= 10; ++o)
        labels << QString::fromLatin1(DepthAxisLabel(state, o, metric));
    p.save();
    // A depth title takes a line of the room beside the axis.
    const qreal title = s.depthTitle.isEmpty() ? 0.0 : QFontMetricsF(p.font()).height();
    p.setFont(
        FittingFont(p.font(), labels, plot.left() - s.chartRect.left() - 10.0 * s.scale - title));
    const QFontMetricsF fm(p.font());
    for (int o = 0; o <= 10; ++o) {
        const qreal y = plot.top() + plot.height() * o / 10.0;
        p.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
        const QString& text = labels[o];
        DrawText(p, plot.left() - 9.0 * s.scale - fm.horizontalAdvance(text),
                 LabelTop(o, y, fm.height(), s.scale), text);
    }
    p.restore();
}

void PaintRightAxis(QPainter& p, const CChartState& state, bool metric, const CChartPaintSetup& s) {
    const QRectF& plot = s.plotRect;
    const qreal tick = 5.0 * s.scale;
    const qreal textX = plot.right() + 6.0 * s.scale;
    p.drawLine(QPointF(plot.right(), s.chartRect.top()), QPointF(plot.right(), plot.bottom()));
    const qreal room = s.chartRect.right() - textX - 1.0 * s.scale;
    if (RightAxisIsStateAxis(state)) {
        p.drawLine(QPointF(plot.right(), plot.top()), QPointF(plot.right() + tick, plot.top()));
        const int h = static_cast<int>(plot.height());
        const std::vector<CStateAxisTick> ticks =
            s.paperBands ? StateAxisTicks(state, static_cast<int>(plot.top()), h, 10, int(h / 75.0))
                         : StateAxisTicks(state, static_cast<int>(plot.top()), h);
        // "C1", "C2" and "Disp" have to fit beside the axis like the numbers do.
        QStringList labels;
        for (const CStateAxisTick& t : ticks)
            labels << QString::fromLatin1(t.label);
        p.save();
        p.setFont(FittingFont(p.font(), labels, room));
        const QFontMetricsF fm(p.font());
        for (size_t i = 0; i < ticks.size(); ++i) {
            const qreal y = ticks[i].y;
            p.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + tick, y));
            DrawText(p, textX, y - fm.height() / 2.0, labels[qsizetype(i)]);
        }
        p.restore();
        return;
    }
    QStringList labels;
    for (int o = 0; o <= 10; ++o)
        labels << QString::fromLatin1(RightAxisLabel(state, o, metric));
    p.save();
    p.setFont(FittingFont(p.font(), labels, room));
    const QFontMetricsF narrow(p.font());
    for (int o = 0; o <= 10; ++o) {
        const qreal y = plot.top() + plot.height() * o / 10.0;
        p.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + tick, y));
        DrawText(p, textX, LabelTop(o, y, narrow.height(), s.scale), labels[o]);
    }
    p.restore();
}

// The depth title reads upwards along the left edge, centred on the plot; the time title sits
// centred under the time labels.
void PaintAxisTitles(QPainter& p, const CChartPaintSetup& s) {
    const QRectF& plot = s.plotRect;
    const QFontMetricsF fm(p.font());
    if (!s.timeTitle.isEmpty()) {
        const qreal top = plot.bottom() + 6.0 * s.scale + fm.height();
        DrawText(p, plot.center().x() - fm.horizontalAdvance(s.timeTitle) / 2.0, top, s.timeTitle);
    }
    if (!s.depthTitle.isEmpty()) {
        p.save();
        p.translate(s.chartRect.left(), plot.center().y());
        p.rotate(-90.0);
        DrawText(p, -fm.horizontalAdvance(s.depthTitle) / 2.0, 0.0, s.depthTitle);
        p.restore();
    }
}

void PaintLines(QPainter& p, const std::vector<CPolyline>& lines) {
    QPolygonF polygon;
    for (const CPolyline& line : lines) {
        polygon.clear();
        polygon.reserve(static_cast<qsizetype>(line.size()));
        for (const CChartPoint& pt : line)
            polygon.append(QPointF(pt.x, pt.y));
        p.drawPolyline(polygon);
    }
}

void PaintRuns(QPainter& p, const std::vector<CXRun>& runs, qreal y) {
    for (const CXRun& run : runs)
        p.drawLine(QPointF(run.x0, y), QPointF(run.x1, y));
}

// The pixels of a screen image the traces may be drawn into directly: a raster image of 32-bit
// pixels painted without scaling, by a setup that asks for it with one-pixel lines. Printers,
// PDF and scaled images get the painter's lines.
std::optional<CPixelCanvas> DirectCanvas(QPainter& p, const CChartPaintSetup& s) {
    if (!s.directPixels || s.lineWidth != 1.0 || !p.paintEngine() ||
        p.paintEngine()->type() != QPaintEngine::Raster || !p.device() ||
        p.device()->devType() != QInternal::Image || !p.deviceTransform().isIdentity())
        return std::nullopt;
    auto* image = static_cast<QImage*>(p.device());
    const QImage::Format format = image->format();
    if (image->devicePixelRatio() != 1.0 ||
        (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
         format != QImage::Format_ARGB32_Premultiplied))
        return std::nullopt;
    CPixelCanvas canvas(reinterpret_cast<uint32_t*>(image->bits()), image->bytesPerLine() / 4,
                        image->width(), image->height());
    const QRect clip = s.plotRect.toRect();
    canvas.SetClip(clip.left(), clip.top(), clip.left() + clip.width(), clip.top() + clip.height());
    return canvas;
}

// Where the traces go: the painter's lines and wide pens, or the pixels directly. Straight into
// the pixels the layers are kept until Finish and then drawn topmost first, each beneath the ones
// before it, so a pixel that several traces cross is written once.
class CTraceTarget {
public:
    CTraceTarget(QPainter& p, const CChartPaintSetup& s)
        : m_p(p), m_s(s), m_canvas(DirectCanvas(p, s)) {}

    // `lines` must last until Finish.
    void Lines(const std::vector<CPolyline>& lines, const QColor& colour) {
        if (m_canvas) {
            m_layers.push_back({&lines, {}, 0.0, 0.0, colour.rgb()});
            return;
        }
        m_p.setPen(LinePen(colour, m_s));
        PaintLines(m_p, lines);
    }
    // Runs of a pen `width` wide along y, flat at both ends.
    void Runs(std::vector<CXRun> runs, qreal y, qreal width, const QColor& colour) {
        if (m_canvas) {
            m_layers.push_back({nullptr, std::move(runs), y, width, colour.rgb()});
            return;
        }
        m_p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
        PaintRuns(m_p, runs, y);
    }
    void Finish() {
        if (!m_canvas)
            return;
        m_canvas->DrawUnderneath();
        for (auto layer = m_layers.rbegin(); layer != m_layers.rend(); ++layer) {
            if (layer->lines) {
                for (const CPolyline& line : *layer->lines)
                    m_canvas->Polyline(line, layer->colour);
                continue;
            }
            const double half = layer->width / 2.0;
            for (const CXRun& run : layer->runs)
                m_canvas->Fill(run.x0, layer->y - half, run.x1, layer->y + half, layer->colour);
        }
        m_layers.clear();
    }

private:
    struct CLayer {
        const std::vector<CPolyline>* lines; // or else runs
        std::vector<CXRun> runs;
        double y;
        double width;
        uint32_t colour;
    };
    QPainter& m_p;
    const CChartPaintSetup& m_s;
    std::optional<CPixelCanvas> m_canvas;
    std::vector<CLayer> m_layers;
};

// y of a state band and the distance of the two channels of a pair from it.
void BandPlace(const CChartPaintSetup& s, int band, qreal& y, qreal& offset) {
    const int top = static_cast<int>(s.plotRect.top());
    const int h = static_cast<int>(s.plotRect.height());
    if (s.paperBands) {
        y = top + std::trunc(h * (band - 1) / 10.0 + h / 20.0 - s.bandLift);
        offset = std::trunc(h / 75.0);
    } else {
        y = StateBandY(top, h, band);
        offset = 6.0 * s.scale;
    }
}

void PaintSolenoidRow(CTraceTarget& target, const CChartState& state, const CDiveLog& log,
                      const CChartMapping& map, const CChartPaintSetup& s) {
    const QColor colour(kSolenoidColour);
    const qreal bottom = s.plotRect.bottom();
    target.Runs(BuildSolenoidRuns(log.m_arSolenoidC1, state.m_nViewStart, state.m_nViewEnd, map),
                bottom - 27.0 * s.scale, 8.0 * s.scale, colour);
    target.Runs(BuildSolenoidRuns(log.m_arSolenoidC2, state.m_nViewStart, state.m_nViewEnd, map),
                bottom - 16.0 * s.scale, 8.0 * s.scale, colour);
}

// What one slot paints: a line trace (index into the line requests) or the band(s) of a state
// trace (indexes into the band codes).
struct CSlotPaint {
    int slot;
    int line = -1;
    int band = -1;       // band number (from 1)
    int channels = 0;    // 1 or 2 band codes starting at bandCode
    size_t bandCode = 0; // index into the band codes
};

// The slots' traces and the depth, built in one walk over the window's samples and then painted
// in slot order with the depth on top.
void PaintTraces(QPainter& p, const CChartState& state, const CDiveLog& log,
                 const CSampleRange& window, const CChartMapping& map, const CChartPaintSetup& s,
                 bool solenoids) {
    std::vector<CTraceRequest> lineRequests;
    std::vector<int> bandCodes;
    std::vector<CSlotPaint> paints;
    const std::vector<CStateBand> bands = StateBands(state);
    size_t nextBand = 0;
    for (int n = 0; n < kChartSlots; ++n) {
        const int code = state.m_nTraceCode[n];
        if (code == 0)
            continue;
        if (IsStateTrace(code)) {
            const int band = bands[nextBand++].band;
            const int channels = ChannelCount(code);
            if (state.m_bTraceEnabled[n] && channels > 0) {
                paints.push_back({n, -1, band, channels, bandCodes.size()});
                bandCodes.push_back(code);
                if (channels == 2)
                    bandCodes.push_back(code + 1);
            }
            continue;
        }
        if (!state.m_bTraceEnabled[n] || !TraceDrawsLine(code))
            continue;
        paints.push_back({n, static_cast<int>(lineRequests.size())});
        lineRequests.push_back(
            {code, state.m_dTraceMin[n], state.m_dTraceMax[n], code == kCeilingCode});
    }
    const int depthLine = state.m_bDepthTraceOn ? static_cast<int>(lineRequests.size()) : -1;
    if (depthLine >= 0)
        lineRequests.push_back({kDepthCode, state.m_dDepthMin, state.m_dDepthMax, true});

    const auto lines = BuildTraceLines(log, window, lineRequests, map);
    const auto runs = BuildBandRuns(log, window, bandCodes, log.VersionLevel(3), map);
    CTraceTarget target(p, s);
    for (const CSlotPaint& paint : paints) {
        const QColor colour = CProfileChartRenderer::SlotColour(paint.slot);
        if (paint.line >= 0) {
            target.Lines(lines[static_cast<size_t>(paint.line)], colour);
            continue;
        }
        qreal y = 0, offset = 0;
        BandPlace(s, paint.band, y, offset);
        if (paint.channels == 1) {
            target.Runs(runs[paint.bandCode], y, s.bandWidth, colour);
        } else {
            target.Runs(runs[paint.bandCode], y - offset, s.bandWidth, colour);
            target.Runs(runs[paint.bandCode + 1], y + offset, s.bandWidth, colour);
        }
    }
    if (solenoids)
        PaintSolenoidRow(target, state, log, map, s);
    if (depthLine >= 0)
        target.Lines(lines[static_cast<size_t>(depthLine)], Qt::black);
    target.Finish();
}

} // namespace

QColor CProfileChartRenderer::SlotColour(int slot) {
    if (slot < 0 || slot >= kChartSlots)
        return Qt::black;
    return QColor(kSlotColours[slot]);
}

QFont CProfileChartRenderer::ChartFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    return font;
}

CChartPaintSetup CProfileChartRenderer::ScreenSetup(const QRectF& chartRect,
                                                    const QColor& background) {
    CChartPaintSetup setup;
    setup.chartRect = chartRect;
    setup.plotRect = chartRect.adjusted(CChartModel::kInsetLeft, 0, -CChartModel::kInsetRight,
                                        -CChartModel::kInsetBottom);
    setup.labelFont = ChartFont();
    setup.background = background;
    setup.directPixels = true;
    return setup;
}

void CProfileChartRenderer::PaintChart(QPainter& p, const CChartState& state, const CDiveLog& log,
                                       bool metric, const CChartPaintSetup& s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    if (s.fillBackground) {
        // On whole pixels the background goes round the plot instead of under it: a screen-sized
        // chart is millions of pixels, each written once less.
        const QRect chart = s.chartRect.toRect(), plot = s.plotRect.toRect();
        if (s.directPixels && QRectF(chart) == s.chartRect && QRectF(plot) == s.plotRect) {
            for (const QRect& margin : QRegion(chart).subtracted(QRegion(plot)))
                p.fillRect(margin, s.background);
        } else {
            p.fillRect(s.chartRect, s.background);
        }
    }
    p.fillRect(s.plotRect, PlotColour());
    if (!Loaded(log)) {
        p.restore();
        return;
    }
    p.setFont(s.labelFont);
    p.setPen(LinePen(Qt::black, s));
    PaintTimeAxis(p, state, s);
    PaintDepthAxis(p, state, metric, s);
    PaintRightAxis(p, state, metric, s);
    PaintAxisTitles(p, s);

    p.setClipRect(s.plotRect);
    const CSampleRange window = WindowSamples(log, state.m_nViewStart, state.m_nViewEnd);
    const CChartMapping map = Mapping(state, s);
    PaintTraces(p, state, log, window, map, s, state.m_bSolenoidRowOn);
    p.restore();
}

void CProfileChartRenderer::PaintCursor(QPainter& p, const CChartState& state, const CDiveLog& log,
                                        const CChartPaintSetup& s) {
    if (!Loaded(log) || !s.drawCursor)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setClipRect(s.plotRect);
    const CChartMapping map = Mapping(state, s);
    const auto line = [&](double t) {
        const qreal x = map.X(t);
        p.drawLine(QPointF(x, s.plotRect.top()), QPointF(x, s.plotRect.bottom()));
    };
    if (state.m_bDragging) {
        p.setPen(LinePen(Qt::black, s));
        line(state.m_dCursorTime);
        line(state.m_dDragTime);
    } else {
        p.setPen(LinePen(state.m_bCursorLock ? QColor(255, 0, 0) : QColor(Qt::black), s));
        line(state.m_dCursorTime);
    }
    p.restore();
}

void CProfileChartRenderer::Paint(QPainter& painter, const CChartState& state, const CDiveLog& log,
                                  bool metric, const CChartPaintSetup& setup) {
    PaintChart(painter, state, log, metric, setup);
    PaintCursor(painter, state, log, setup);
}
