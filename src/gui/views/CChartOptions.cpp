#include "views/CChartOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include "settings/SettingValue.h"
#include "settings/SettingsTable.h"
#include "viewmodel/ProfileStrings.h"
#include "viewmodel/TraceGroups.h"
#include "views/CPageContext.h"

namespace {

uint32_t Read(const std::string& name, uint32_t defaultValue) {
    return SettingDword(settings::Path(name), defaultValue).Read();
}

void Write(const std::string& name, uint32_t defaultValue, uint32_t value) {
    SettingDword setting(settings::Path(name), defaultValue);
    setting = value;
}

std::string LookUp(int id) {
    return CPageContext::Str(id).toLatin1().toStdString();
}

// The Chart Options list names the cylinder group in the singular.
int GroupListText(int group) {
    return group == 3 ? profile_text::kGroupListCylinders : profile_text::kGroupNone + group;
}

} // namespace

CChartOptions::CChartOptions(QWidget* parent) : QDialog(parent) {
    using namespace profile_text;
    setWindowTitle(CPageContext::Str(kOptionsTitle));
    setObjectName(QStringLiteral("ChartOptions"));

    auto* primary = new QGroupBox(CPageContext::Str(kPrimaryTrace), this);
    auto* primaryLayout = new QVBoxLayout(primary);
    m_pDepth = new QCheckBox(CPageContext::Str(kDepthTrace), primary);
    m_pSolenoids = new QCheckBox(CPageContext::Str(kSolenoidTraces), primary);
    primaryLayout->addWidget(m_pDepth);
    primaryLayout->addWidget(m_pSolenoids);

    auto* secondary = new QGroupBox(CPageContext::Str(kSecondaryTraces), this);
    auto* grid = new QGridLayout(secondary);
    m_pGroup = new QComboBox(secondary);
    for (int group = 0; group < kTraceGroupCount; ++group)
        m_pGroup->addItem(CPageContext::Str(GroupListText(group)));
    grid->addWidget(m_pGroup, 0, 0, 1, 3);
    for (int k = 0; k < kSlots; ++k) {
        auto* row = new QLabel(
            QString::fromLatin1(FormatText(CheckedFormat(LookUp, kTraceRow).c_str(), k + 1)),
            secondary);
        m_arEnable[static_cast<size_t>(k)] = new QCheckBox(secondary);
        m_arName[static_cast<size_t>(k)] = new QLabel(secondary);
        m_arName[static_cast<size_t>(k)]->setMinimumWidth(220);
        grid->addWidget(row, k + 1, 0);
        grid->addWidget(m_arEnable[static_cast<size_t>(k)], k + 1, 1);
        grid->addWidget(m_arName[static_cast<size_t>(k)], k + 1, 2);
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(CPageContext::Str(kOk), QDialogButtonBox::AcceptRole);
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(CPageContext::Str(kCancel), QDialogButtonBox::RejectRole);
    cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(primary);
    layout->addWidget(secondary);
    layout->addWidget(buttons);

    connect(m_pGroup, &QComboBox::currentIndexChanged, this, &CChartOptions::GroupChosen);

    // Every opening moves the right axis back to Trace 1.
    Write(std::string(settings::kYAxisSelection), settings::kDefaultYAxisSelection, 0);
    RefreshFromSettings();
}

void CChartOptions::RefreshFromSettings() {
    m_bRefreshing = true;
    m_pDepth->setChecked(Read(std::string(settings::kGraphDepth), settings::kDefaultGraphDepth) !=
                         0);
    m_pSolenoids->setChecked(
        Read(std::string(settings::kGraphSolenoids), settings::kDefaultGraphSolenoids) != 0);
    for (int k = 0; k < kSlots; ++k) {
        const uint32_t code = Read(settings::TraceName(k), settings::kDefaultTrace);
        const bool enabled = Read(settings::TraceEnableName(k), settings::kDefaultTraceEnable) != 0;
        m_arName[static_cast<size_t>(k)]->setText(
            QString::fromLatin1(TraceDisplayName(static_cast<int>(code), LookUp)));
        m_arEnable[static_cast<size_t>(k)]->setChecked(enabled);
        m_arEnable[static_cast<size_t>(k)]->setEnabled(code != 0);
    }
    const uint32_t group = Read(std::string(settings::kTraceGroup), settings::kDefaultTraceGroup);
    m_pGroup->setCurrentIndex(
        group < static_cast<uint32_t>(kTraceGroupCount) ? static_cast<int>(group) : 0);
    m_bRefreshing = false;
}

void CChartOptions::GroupChosen(int index) {
    if (m_bRefreshing || index < 0)
        return;
    WriteTraceGroupPreset(index);
    RefreshFromSettings();
}

void CChartOptions::accept() {
    Write(std::string(settings::kGraphDepth), settings::kDefaultGraphDepth,
          m_pDepth->isChecked() ? 1u : 0u);
    Write(std::string(settings::kGraphSolenoids), settings::kDefaultGraphSolenoids,
          m_pSolenoids->isChecked() ? 1u : 0u);
    for (int k = 0; k < kSlots; ++k)
        Write(settings::TraceEnableName(k), settings::kDefaultTraceEnable,
              m_arEnable[static_cast<size_t>(k)]->isChecked() ? 1u : 0u);
    QDialog::accept();
}
