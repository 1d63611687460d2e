#include "views/ProfileReadout.h"

#include <QPainter>
#include <cmath>

#include "app/CViewerContext.h"
#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/CChartModel.h"
#include "viewmodel/ReadoutText.h"
#include "views/ProfileChartRenderer.h"

namespace {

std::string LookUp(int id) {
    return CViewerContext::Str(id).toLatin1().toStdString();
}

QString L1(const std::string& text) {
    return QString::fromLatin1(text);
}

// Text centred on x with its top at y.
void CentredText(QPainter& p, qreal x, qreal y, const QString& text) {
    const QFontMetricsF fm(p.font());
    p.drawText(QPointF(x - fm.horizontalAdvance(text) / 2.0, y + fm.ascent()), text);
}

// Text with its tabs expanded to stops every 115 pixels from the area's left edge.
void TabbedText(QPainter& p, qreal x, qreal y, const QString& text) {
    const QFontMetricsF fm(p.font());
    const QStringList parts = text.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            x = (std::floor(x / 115.0) + 1.0) * 115.0;
        p.drawText(QPointF(x, y + fm.ascent()), parts[i]);
        x += fm.horizontalAdvance(parts[i]);
    }
}

struct ShownLine {
    int slot;
    QString text;
};

std::vector<ShownLine> ShownLines(const CChartModel& model, bool metric) {
    std::vector<ShownLine> lines;
    if (!model.IsLoaded())
        return lines;
    const CDiveLogSample& sample = *model.Log()->m_arSamples[model.CursorSample()];
    const CChartState& state = model.State();
    for (int n = 0; n < kChartSlots; ++n) {
        if (!state.m_bTraceEnabled[n])
            continue;
        const std::string text = ReadoutLineText(state.m_nTraceCode[n], sample, metric, LookUp);
        if (!text.empty())
            lines.push_back({n, L1(text)});
    }
    return lines;
}

} // namespace

CProfileReadout::CProfileReadout(Area area, const CChartModel& model, QWidget* parent)
    : QWidget(parent), m_area(area), m_model(model) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(sizeHint());
}

QSize CProfileReadout::sizeHint() const {
    return m_area == Area::Header ? QSize(426, 32) : QSize(426, 107);
}

QFont CProfileReadout::ReadoutFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    return font;
}

QStringList CProfileReadout::Texts() const {
    QStringList texts;
    if (m_area == Area::Lines) {
        for (const ShownLine& line : ShownLines(m_model, m_bMetric))
            texts << line.text;
        return texts;
    }
    if (!m_model.IsLoaded())
        return texts;
    const CReadoutHeader h = BuildReadoutHeader(m_model, m_bMetric, LookUp);
    return {L1(h.diveTime), L1(h.depth), L1(h.ascentRate), L1(h.gas)};
}

void CProfileReadout::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setFont(ReadoutFont());
    painter.setPen(palette().color(QPalette::ButtonText));
    if (!m_model.IsLoaded())
        return;
    if (m_area == Area::Header)
        PaintHeader(painter);
    else
        PaintLines(painter);
}

void CProfileReadout::PaintHeader(QPainter& p) const {
    using namespace profile_text;
    const CReadoutHeader h = BuildReadoutHeader(m_model, m_bMetric, LookUp);
    CentredText(p, 70, 3, CViewerContext::Str(kDiveTime));
    CentredText(p, 160, 3, CViewerContext::Str(kDepth));
    CentredText(p, 250, 3, CViewerContext::Str(kAscentRate));
    CentredText(p, 70, 17, L1(h.diveTime));
    CentredText(p, 160, 17, L1(h.depth));
    // The rate's right edge stays where "0.0 m/min" would end, so the number does not jump
    // about as its width changes.
    const QFontMetricsF fm(p.font());
    const qreal right = 250 + fm.horizontalAdvance(L1(h.ascentRateWidest)) / 2.0;
    const QString rate = L1(h.ascentRate);
    p.drawText(QPointF(right - fm.horizontalAdvance(rate), 17 + fm.ascent()), rate);
    CentredText(p, 350, 10, L1(h.gas));
}

void CProfileReadout::PaintLines(QPainter& p) const {
    const QFontMetricsF fm(p.font());
    const qreal h = fm.height();
    int k = 0;
    for (const ShownLine& line : ShownLines(m_model, m_bMetric)) {
        const bool second = k >= 5;
        const int row = second ? k - 5 : k;
        const QRectF swatch(second ? 220 : 12, 20 + row * h, 10, 10);
        p.fillRect(swatch, CProfileChartRenderer::SlotColour(line.slot));
        p.save();
        p.setPen(palette().color(QPalette::Shadow));
        p.drawRect(swatch.adjusted(0, 0, -1, -1));
        p.restore();
        TabbedText(p, second ? 240 : 32, 16 + row * h, line.text);
        ++k;
    }
}
