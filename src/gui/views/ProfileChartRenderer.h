#pragma once
// Paints the profile chart through any QPainter into a given rectangle: the screen's back buffer,
// a printed page, an exported image. Everything it needs comes in as parameters; it reads no
// widget.
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

struct CChartState;
class CDiveLog;
class QPainter;

struct CChartPaintSetup {
    QRectF chartRect; // the whole chart area, labels included
    QRectF plotRect;  // the blue plot inside it
    QFont labelFont;
    QColor background;
    bool fillBackground = true;
    bool drawCursor = true;
    // 1 on screen; lengths (ticks, label gaps, band offsets, the solenoid row) are multiplied by
    // it so a printed chart keeps the proportions.
    qreal scale = 1.0;
    qreal lineWidth = 1.0;  // axes, trace lines
    qreal bandWidth = 10.0; // state bands
    // The printed chart spaces the state bands by a tenth of the plot height instead of an
    // eleventh, with the channel offset and band width taken from the plot height.
    bool paperBands = false;
    qreal bandLift = 10.0; // how far a paper band sits above the middle of its place
    // One-pixel traces and bands may be written straight into the pixels when the target is a
    // plain 32-bit image; the screen asks for it, paper keeps the painter's lines.
    bool directPixels = false;
    // Axis titles along the depth axis and under the time axis; the screen has none.
    QString depthTitle;
    QString timeTitle;
};

class CProfileChartRenderer {
public:
    static QColor PlotColour() { return QColor(30, 130, 255); }
    // Colour of trace slot 0-9 (Trace 1 .. Trace 10); the readout swatches use it too.
    static QColor SlotColour(int slot);

    // The chart of the screen page in a widget of `size`: plot inset 30 left and right, 20 below.
    static CChartPaintSetup ScreenSetup(const QRectF& chartRect, const QColor& background);
    // "Arial" 12 pixels, falling back to any sans serif face.
    static QFont ChartFont();

    // Everything but the cursor.
    static void PaintChart(QPainter& painter, const CChartState& state, const CDiveLog& log,
                           bool metric, const CChartPaintSetup& setup);
    // The cursor line (or the two drag lines).
    static void PaintCursor(QPainter& painter, const CChartState& state, const CDiveLog& log,
                            const CChartPaintSetup& setup);
    static void Paint(QPainter& painter, const CChartState& state, const CDiveLog& log, bool metric,
                      const CChartPaintSetup& setup);
};
