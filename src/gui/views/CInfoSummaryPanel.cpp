#include "views/CInfoSummaryPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/CBNLed.h"
#include "ui/Cp1252.h"
#include "viewmodel/SummaryLamps.h"
#include "viewmodel/SummaryText.h"
#include "views/CPageContext.h"

namespace {

// String-table ids of the row labels, in Row order.
constexpr int kRowLabelIds[CInfoSummaryPanel::kRowCount] = {2095, 2096, 2016, 2097, 2098, 2099,
                                                            2100, 2101, 2102, 2103, 2114, 2104,
                                                            2105, 2106, 2107, 2108, 2109};

// String-table ids of the lamp labels, in Lamp order; the profile page's alarm panel shows the
// same entries.
constexpr int kLampLabelIds[CInfoSummaryPanel::kLampCount] = {
    2002, 2003, 2004, 2005, 2006, 2007, 2008, 2009, 2010, 2011, 2028, 2029, 2030};
constexpr int kAlarmsId = 2000;
constexpr int kControllerId = 2236;
constexpr int kSummaryId = 2067;

using Info = CDiveLogInformation;

} // namespace

CInfoSummaryPanel::CInfoSummaryPanel(QWidget* parent) : QGroupBox(parent) {
    auto* column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    for (int r = 0; r < kRowCount; ++r) {
        m_arLabels[r] = new QLabel(this);
        m_arValues[r] = new QLabel(this);
        m_arValues[r]->setObjectName(QStringLiteral("summary%1").arg(r));
        m_arValues[r]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(m_arLabels[r], r, 0);
        grid->addWidget(m_arValues[r], r, 1);
    }
    grid->setColumnStretch(1, 1);
    column->addLayout(grid);

    m_pAlarms = new QGroupBox(this);
    auto* lamps = new QGridLayout(m_pAlarms);
    m_pController = new QLabel(m_pAlarms);
    lamps->addWidget(m_pController, 0, 0, 1, 2);
    for (int l = 0; l < kLampCount; ++l) {
        m_arLamps[l] = new CBNLed(m_pAlarms);
        m_arLamps[l]->setObjectName(QStringLiteral("lamp%1").arg(l));
        m_arLampLabels[l] = new QLabel(m_pAlarms);
        // The controller lamps sit under their heading; the others form a second column.
        const bool controller = l <= kHighOxygen;
        const int row = controller ? l + 1 : l - kFastAscent;
        const int col = controller ? 0 : 2;
        lamps->addWidget(m_arLamps[l], row, col);
        lamps->addWidget(m_arLampLabels[l], row, col + 1);
    }
    lamps->setColumnStretch(3, 1);
    column->addWidget(m_pAlarms);
    column->addStretch(1);
    SetTexts();
}

void CInfoSummaryPanel::SetTexts() {
    setTitle(CPageContext::Str(kSummaryId));
    for (int r = 0; r < kRowCount; ++r)
        m_arLabels[r]->setText(CPageContext::Str(kRowLabelIds[r]));
    m_pAlarms->setTitle(CPageContext::Str(kAlarmsId));
    m_pController->setText(CPageContext::Str(kControllerId));
    for (int l = 0; l < kLampCount; ++l)
        m_arLampLabels[l]->setText(CPageContext::Str(kLampLabelIds[l]));
}

void CInfoSummaryPanel::Show(const CDiveLogInformation& info, bool metric,
                             const std::string& decoOption) {
    const summary::CSummaryTexts t =
        summary::BuildSummaryTexts(info, metric, decoOption, [](int id) {
            return CPageContext::Str(id).toLatin1().toStdString();
        });
    const std::string* texts[kRowCount] = {&t.date,          &t.time,
                                           &t.diveTime,      &t.maxDepth,
                                           &t.diveNumber,    &t.totalUnitOnTime,
                                           &t.totalDiveTime, &t.elapsedOnTime,
                                           &t.atmPressure,   &t.atmTemperature,
                                           &t.peakSetpoint,  &t.peakCns,
                                           &t.peakOtu,       &t.surfaceInterval,
                                           &t.gfLow,         &t.gfHigh,
                                           &t.conservatism};
    for (int r = 0; r < kRowCount; ++r)
        m_arValues[r]->setText(cp1252::ToQString(*texts[r]));

    for (Row r : {kGfLow, kGfHigh}) {
        m_arLabels[r]->setVisible(t.deco.gradientFactors);
        m_arValues[r]->setVisible(t.deco.gradientFactors);
    }
    m_arLabels[kConservatism]->setVisible(t.deco.conservatism);
    m_arValues[kConservatism]->setVisible(t.deco.conservatism);
    ShowLamps(info);
}

void CInfoSummaryPanel::ShowLamps(const CDiveLogInformation& info) {
    static_assert(int(kLampCount) == int(kSummaryLampCount));
    const auto states = SummaryLampStates(info);
    for (size_t l = 0; l < states.size(); ++l) {
        const ELampState s = states[l];
        m_arLamps[l]->SetColour(s == ELampState::Lit   ? CBNLed::Red
                                : s == ELampState::Off ? CBNLed::White
                                                       : CBNLed::LightGrey);
    }
}
