#include "views/ProfileReadout.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "ui/Cp1252.h"
#include "viewmodel/CChartModel.h"
#include "viewmodel/ReadoutText.h"
#include "views/CPageContext.h"
#include "views/ProfileChartRenderer.h"

namespace {

std::string LookUp(int id) {
    return cp1252::FromQString(CPageContext::Str(id));
}

QString ToQ(const std::string& text) {
    return cp1252::ToQString(text);
}

// Every code that has a readout line.
constexpr int kLineCodes[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 201, 202, 203,
                              204, 301, 302, 303, 304, 305, 306, 307, 401, 501, 502, 601};

// A sample whose values are as wide as the unit can log them, to size the value column.
CDiveLogSample WidestSample() {
    CDiveLogSample s;
    s.m_dSetpoint = s.m_dC1Measured = s.m_dC2Measured = 8.88;
    for (int i = 0; i < 3; ++i)
        s.m_dC1Cell[i] = s.m_dC2Cell[i] = 8.88;
    for (double& b : s.m_dBattery)
        b = 88.88;
    for (double& c : s.m_dCylinder)
        c = 888.88; // 12892.3 psi
    s.m_dAmbientTemp = -88.88;
    s.m_dCNS = s.m_dOTU = 8888.8;
    s.m_dCeilingPressure = 99999.0; // about 990 m
    return s;
}

// "label\tvalue" split at its first tab.
std::pair<QString, QString> SplitLine(const QString& line) {
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab < 0)
        return {line, QString()};
    return {line.left(tab), line.mid(tab + 1)};
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
            lines.push_back({n, ToQ(text)});
    }
    return lines;
}

constexpr qreal kSwatch = 10;

} // namespace

CProfileReadout::CProfileReadout(Area area, const CChartModel& model, QWidget* parent)
    : QWidget(parent), m_area(area), m_model(model) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(ReadoutFont());
    m_geometry = Measure();
    setFixedSize(m_geometry.size);
}

void CProfileReadout::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        m_geometry = Measure();
        setFixedSize(m_geometry.size);
        update();
    }
    QWidget::changeEvent(event);
}

QSize CProfileReadout::sizeHint() const {
    return m_geometry.size;
}

QFont CProfileReadout::ReadoutFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    return font;
}

CProfileReadout::CGeometry CProfileReadout::Measure() const {
    using namespace profile_text;
    const QFontMetricsF fm(font());
    const auto width = [&](const QString& text) { return std::ceil(fm.horizontalAdvance(text)); };
    CGeometry g;
    g.lineHeight = std::ceil(fm.height());
    g.margin = std::ceil(fm.averageCharWidth());
    if (m_area == Area::Header) {
        // Titles over values; a column is as wide as its title or its widest value.
        const qreal columns[4] = {
            std::max(width(CPageContext::Str(kDiveTime)),
                     width(QStringLiteral("-88:88:88 - -88:88:88"))),
            std::max({width(CPageContext::Str(kDepth)), width(QStringLiteral("888.88 m")),
                      width(QStringLiteral("8888' 88\" ft"))}),
            std::max({width(CPageContext::Str(kAscentRate)), width(QStringLiteral("-888 ft/min")),
                      width(QStringLiteral("-88.8 m/min"))}),
            std::max(width(QStringLiteral("GAS 88 HELIUM")),
                     width(QStringLiteral("DIL 88 88/88")))};
        qreal x = g.margin;
        for (int c = 0; c < 4; ++c) {
            g.headerCentre[c] = x + columns[c] / 2.0;
            x += columns[c] + g.margin;
        }
        g.size = QSize(int(std::ceil(x)), int(3 + 2 * g.lineHeight + 4));
        return g;
    }
    const CDiveLogSample widest = WidestSample();
    for (bool metric : {true, false}) {
        for (int code : kLineCodes) {
            const auto [label, value] =
                SplitLine(ToQ(ReadoutLineText(code, widest, metric, LookUp)));
            g.labelWidth = std::max(g.labelWidth, width(label));
            g.valueWidth = std::max(g.valueWidth, width(value));
        }
    }
    // Swatch, gap, label, gap, value, and a gap before the next column or the frame.
    g.columnWidth = kSwatch + g.margin + g.labelWidth + g.margin + g.valueWidth + g.margin;
    g.top = std::ceil(std::max<qreal>(4, g.lineHeight / 3));
    g.size = QSize(int(std::ceil(g.margin + 2 * g.columnWidth)),
                   int(std::ceil(g.top + 5 * g.lineHeight + g.top)));
    return g;
}

QList<CProfileReadout::CPlacedText> CProfileReadout::Place() const {
    QList<CPlacedText> placed;
    const CGeometry& g = m_geometry;
    const QFontMetricsF fm(font());
    const auto at = [&](const QString& text, qreal centre, qreal top) {
        const qreal w = fm.horizontalAdvance(text);
        return CPlacedText{text, QRectF(centre - w / 2.0, top, w, g.lineHeight)};
    };
    if (m_area == Area::Header) {
        if (!m_model.IsLoaded())
            return placed;
        using namespace profile_text;
        const CReadoutHeader h = BuildReadoutHeader(m_model, m_bMetric, LookUp);
        const qreal top = 3;
        const qreal below = top + g.lineHeight;
        placed << at(CPageContext::Str(kDiveTime), g.headerCentre[0], top)
               << at(CPageContext::Str(kDepth), g.headerCentre[1], top)
               << at(CPageContext::Str(kAscentRate), g.headerCentre[2], top)
               << at(ToQ(h.diveTime), g.headerCentre[0], below)
               << at(ToQ(h.depth), g.headerCentre[1], below);
        // The rate's right edge stays where "0.0 m/min" would end, so the number does not jump
        // about as its width changes.
        const QString rate = ToQ(h.ascentRate);
        const qreal right = g.headerCentre[2] + fm.horizontalAdvance(ToQ(h.ascentRateWidest)) / 2.0;
        const qreal w = fm.horizontalAdvance(rate);
        placed << CPlacedText{rate, QRectF(right - w, below, w, g.lineHeight), true};
        placed << at(ToQ(h.gas), g.headerCentre[3], (top + below) / 2.0);
        return placed;
    }
    int k = 0;
    for (const ShownLine& line : ShownLines(m_model, m_bMetric)) {
        const int column = k >= 5 ? 1 : 0;
        const qreal y = g.top + (k - 5 * column) * g.lineHeight;
        const qreal left = g.margin + column * g.columnWidth + kSwatch + g.margin;
        const auto [label, value] = SplitLine(line.text);
        placed << CPlacedText{label, QRectF(left, y, fm.horizontalAdvance(label), g.lineHeight)};
        const qreal valueLeft = left + g.labelWidth + g.margin;
        placed << CPlacedText{value,
                              QRectF(valueLeft, y, fm.horizontalAdvance(value), g.lineHeight)};
        ++k;
    }
    return placed;
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
    return {ToQ(h.diveTime), ToQ(h.depth), ToQ(h.ascentRate), ToQ(h.gas)};
}

QList<QRectF> CProfileReadout::TextRects() const {
    QList<QRectF> rects;
    for (const CPlacedText& t : Place())
        rects << t.rect;
    return rects;
}

void CProfileReadout::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_model.IsLoaded())
        return;
    painter.setFont(font());
    const QFontMetricsF fm(font());
    if (m_area == Area::Lines) {
        // The swatch of each line, in its slot's trace colour, centred on the line.
        const CGeometry& g = m_geometry;
        int k = 0;
        for (const ShownLine& line : ShownLines(m_model, m_bMetric)) {
            const int column = k >= 5 ? 1 : 0;
            const qreal y = g.top + (k - 5 * column) * g.lineHeight + (g.lineHeight - kSwatch) / 2;
            const QRectF swatch(g.margin + column * g.columnWidth, std::floor(y), kSwatch, kSwatch);
            painter.fillRect(swatch, CProfileChartRenderer::SlotColour(line.slot));
            painter.drawRect(swatch.adjusted(0, 0, -1, -1));
            ++k;
        }
    }
    painter.setPen(palette().color(QPalette::ButtonText));
    for (const CPlacedText& t : Place())
        painter.drawText(QPointF(t.rect.left(), t.rect.top() + fm.ascent()), t.text);
}
