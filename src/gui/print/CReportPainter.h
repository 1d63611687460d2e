#pragma once
// Paints a report laid out in millimetres onto any QPainter: a printer, a PDF writer, the print
// preview. The painter works in device units; `dotsPerMm` converts, and `origin` is the device
// point of the printable area's top left.
#include <QFont>
#include <QPointF>
#include <QRectF>

#include "report/ProfileReport.h"
#include "report/ReportPage.h"

class QPainter;
class CDiveLog;
struct CChartState;

class CReportPainter {
public:
    CReportPainter(QPainter& painter, qreal dotsPerMm, QPointF origin = {});

    // "Arial" (or whatever the system puts in its place) `heightMm` high on a device with
    // `dotsPerMm`.
    static QFont ReportFont(double heightMm, qreal dotsPerMm);
    // Widths and line heights of the report fonts in millimetres, measured on fonts large enough
    // that rounding to whole pixels does not show.
    static CTextMeasure Measure();

    void Paint(const CReportPage& page);
    // The page of the profile report with the chart drawn by the profile page's own renderer.
    void PaintProfile(const CProfileReport& report, const CChartState& state, const CDiveLog& log,
                      bool metric);

    QRectF Device(const CMmRect& r) const;

private:
    QPointF Device(double xMm, double yMm) const;
    void PaintText(const CReportText& text);

    QPainter& m_painter;
    qreal m_dpmm;
    QPointF m_origin;
};
