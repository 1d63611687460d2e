#include "views/ProfileAlarms.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/CBNLed.h"
#include "viewmodel/ProfileStrings.h"
#include "views/CPageContext.h"

namespace {

CBNLed::Colour ToLed(LampColour colour) {
    return static_cast<CBNLed::Colour>(static_cast<int>(colour));
}

// The legend in its fixed order: "No Alarm", "Alarm", "No Alarm Masked", "Alarm Masked".
constexpr CBNLed::Colour kLegendColours[4] = {CBNLed::White, CBNLed::Red, CBNLed::LightGrey,
                                              CBNLed::Black};
constexpr int kLegendTexts[4] = {profile_text::kNoAlarm, profile_text::kAlarm,
                                 profile_text::kNoAlarmMasked, profile_text::kAlarmMasked};

QGridLayout* LampGrid(QGroupBox* box) {
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    return grid;
}

} // namespace

CProfileAlarms::CProfileAlarms(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);

    auto* left = new QVBoxLayout;
    m_pControllerBox = new QGroupBox(this);
    auto* controller = LampGrid(m_pControllerBox);
    m_pControllerHead = new QLabel(m_pControllerBox);
    controller->addWidget(m_pControllerHead, 0, 0, 1, 2);
    for (int i = 0; i < kControllerLamps; ++i) {
        m_arController[static_cast<size_t>(i)] = new CBNLed(m_pControllerBox);
        m_arControllerText[static_cast<size_t>(i)] = new QLabel(m_pControllerBox);
        controller->addWidget(m_arController[static_cast<size_t>(i)], i + 1, 0);
        controller->addWidget(m_arControllerText[static_cast<size_t>(i)], i + 1, 1);
    }
    controller->setRowStretch(kControllerLamps + 1, 1);
    left->addWidget(m_pControllerBox);

    m_pLegendBox = new QGroupBox(this);
    auto* legend = LampGrid(m_pLegendBox);
    for (int i = 0; i < 4; ++i) {
        m_arLegend[static_cast<size_t>(i)] = new CBNLed(m_pLegendBox, kLegendColours[i]);
        m_arLegendText[static_cast<size_t>(i)] = new QLabel(m_pLegendBox);
        legend->addWidget(m_arLegend[static_cast<size_t>(i)], i / 2, (i % 2) * 2);
        legend->addWidget(m_arLegendText[static_cast<size_t>(i)], i / 2, (i % 2) * 2 + 1);
    }
    left->addWidget(m_pLegendBox);
    row->addLayout(left);

    // Nine display rows in two columns keep the page's bottom strip low.
    m_pDisplayBox = new QGroupBox(this);
    auto* display = LampGrid(m_pDisplayBox);
    m_pDisplayHead = new QLabel(m_pDisplayBox);
    display->addWidget(m_pDisplayHead, 0, 0, 1, 4);
    for (int i = 0; i < kDisplayLamps; ++i) {
        m_arDisplay[static_cast<size_t>(i)] = new CBNLed(m_pDisplayBox);
        m_arDisplayText[static_cast<size_t>(i)] = new QLabel(m_pDisplayBox);
        const int column = i < 5 ? 0 : 2;
        const int line = (i < 5 ? i : i - 5) + 1;
        display->addWidget(m_arDisplay[static_cast<size_t>(i)], line, column);
        display->addWidget(m_arDisplayText[static_cast<size_t>(i)], line, column + 1);
    }
    display->setRowStretch(6, 1);
    row->addWidget(m_pDisplayBox);

    SetTexts();
    SetIdle();
}

void CProfileAlarms::SetTexts() {
    using namespace profile_text;
    m_pControllerBox->setTitle(CPageContext::Str(kAlarms));
    m_pDisplayBox->setTitle(CPageContext::Str(kAlarms));
    m_pControllerHead->setText(CPageContext::Str(kController));
    m_pDisplayHead->setText(CPageContext::Str(kDisplay));
    for (int i = 0; i < kControllerLamps; ++i)
        m_arControllerText[static_cast<size_t>(i)]->setText(
            CPageContext::Str(profile_text::ControllerAlarmId(i)));
    for (int i = 0; i < kDisplayLamps; ++i)
        m_arDisplayText[static_cast<size_t>(i)]->setText(
            CPageContext::Str(profile_text::DisplayAlarmId(i)));
    for (int i = 0; i < 4; ++i)
        m_arLegendText[static_cast<size_t>(i)]->setText(CPageContext::Str(kLegendTexts[i]));
}

void CProfileAlarms::SetIdle() {
    for (CBNLed* lamp : m_arController)
        lamp->SetColour(CBNLed::LightGrey);
    for (CBNLed* lamp : m_arDisplay)
        lamp->SetColour(CBNLed::LightGrey);
}

void CProfileAlarms::Update(const CDiveLogSample& sample, bool level4) {
    const auto controller = ControllerLampColours(sample);
    for (size_t i = 0; i < controller.size(); ++i)
        m_arController[i]->SetColour(ToLed(controller[i]));
    const auto display = DisplayLampColours(sample, level4);
    for (size_t i = 0; i < display.size(); ++i)
        m_arDisplay[i]->SetColour(ToLed(display[i]));
}
