#include "print/CReportPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/Cp1252.h"
#include "views/ProfileChartRenderer.h"

namespace {

// Measuring fonts are this many pixels per millimetre.
constexpr qreal kMeasureDpmm = 100.0;
// A screen pixel of the chart becomes one pen width on paper, so ticks and label gaps keep the
// proportions they have on the screen.
constexpr qreal kChartPixelMm = 0.3;

// Report texts carry the diver's record texts, which are in the log's code page.
QString ToQ(const std::string& s) {
    return cp1252::ToQString(s);
}

} // namespace

CReportPainter::CReportPainter(QPainter& painter, qreal dotsPerMm, QPointF origin)
    : m_painter(painter), m_dpmm(dotsPerMm), m_origin(origin) {}

QFont CReportPainter::ReportFont(double heightMm, qreal dotsPerMm) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, int(std::lround(heightMm * dotsPerMm))));
    return font;
}

CTextMeasure CReportPainter::Measure() {
    CTextMeasure m;
    m.width = [](const std::string& text, double heightMm) {
        const QFontMetricsF fm(ReportFont(heightMm, kMeasureDpmm));
        return fm.horizontalAdvance(ToQ(text)) / kMeasureDpmm;
    };
    m.lineHeight = [](double heightMm) {
        const QFontMetricsF fm(ReportFont(heightMm, kMeasureDpmm));
        return (fm.height() + fm.leading()) / kMeasureDpmm;
    };
    return m;
}

QPointF CReportPainter::Device(double xMm, double yMm) const {
    return m_origin + QPointF(xMm * m_dpmm, yMm * m_dpmm);
}

QRectF CReportPainter::Device(const CMmRect& r) const {
    return QRectF(Device(r.x, r.y), QSizeF(r.w * m_dpmm, r.h * m_dpmm));
}

void CReportPainter::PaintText(const CReportText& t) {
    QFont font = ReportFont(t.heightMm, m_dpmm);
    font.setUnderline(t.underline);
    const QString text = ToQ(t.text);
    if (t.maxWidth > 0.0) {
        const qreal width = QFontMetricsF(font).horizontalAdvance(text);
        const qreal room = t.maxWidth * m_dpmm;
        if (width > room && width > 0.0)
            font.setStretch(std::max(50, int(std::floor(100.0 * room / width))));
    }
    m_painter.setFont(font);
    const QFontMetricsF fm(font);
    m_painter.drawText(Device(t.x, t.y) + QPointF(0.0, fm.ascent()), text);
}

void CReportPainter::Paint(const CReportPage& page) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    for (const CReportBox& box : page.boxes) {
        const QRectF r = Device(CMmRect{box.x, box.y, box.w, box.h});
        if (box.fill != CReportBox::kNoFill) {
            const QColor colour = box.fill == CReportBox::kBlack
                                      ? QColor(Qt::black)
                                      : CProfileChartRenderer::SlotColour(box.fill);
            m_painter.fillRect(r, colour);
        }
        if (box.frame) {
            m_painter.setPen(
                QPen(Qt::black, box.penMm * m_dpmm, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            m_painter.setBrush(Qt::NoBrush);
            m_painter.drawRect(r);
        }
    }
    m_painter.setPen(Qt::black);
    for (const CReportText& text : page.texts)
        PaintText(text);
    m_painter.restore();
}

void CReportPainter::PaintProfile(const CProfileReport& r, const CChartState& state,
                                  const CDiveLog& log, bool metric) {
    CChartPaintSetup setup;
    setup.chartRect = Device(r.chartArea);
    setup.plotRect = Device(r.plot);
    setup.labelFont = ReportFont(r.labelHeightMm, m_dpmm);
    setup.fillBackground = false;
    setup.drawCursor = false;
    setup.scale = kChartPixelMm * r.scale * m_dpmm;
    setup.lineWidth = report::kPenMm * m_dpmm;
    setup.bandWidth = setup.plotRect.height() / 100.0;
    setup.paperBands = true;
    setup.bandLift = 0.1 * m_dpmm;
    setup.depthTitle = ToQ(r.depthTitle);
    setup.timeTitle = ToQ(r.timeTitle);
    CProfileChartRenderer::PaintChart(m_painter, state, log, metric, setup);

    m_painter.save();
    m_painter.setPen(QPen(Qt::black, setup.lineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(setup.plotRect);
    m_painter.restore();
    Paint(r.page);
}
