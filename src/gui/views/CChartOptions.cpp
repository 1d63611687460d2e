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

#include "viewmodel/ProfileStrings.h"
#include "viewmodel/TraceGroups.h"
#include "views/CPageContext.h"

namespace {

std::string LookUp(int id) {
    return CPageContext::Str(id).toLatin1().toStdString();
}

// The Chart Options list names the cylinder group in the singular.
int GroupListText(int group) {
    return group == 3 ? profile_text::kGroupListCylinders : profile_text::kGroupNone + group;
}

} // namespace

CChartOptions::CChartOptions(CPageContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
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
    CTraceSettings traces = m_ctx.Settings().Traces();
    traces.m_nYAxisSelection = 0;
    m_ctx.SetTraces(traces);
    RefreshFromSettings();
}

void CChartOptions::RefreshFromSettings() {
    m_bRefreshing = true;
    const CTraceSettings& traces = m_ctx.Settings().Traces();
    m_pDepth->setChecked(traces.m_nDepth != 0);
    m_pSolenoids->setChecked(traces.m_nSolenoids != 0);
    for (size_t k = 0; k < kSlots; ++k) {
        const uint32_t code = traces.m_nTrace[k];
        m_arName[k]->setText(QString::fromLatin1(TraceDisplayName(static_cast<int>(code), LookUp)));
        m_arEnable[k]->setChecked(traces.m_nTraceEnable[k] != 0);
        m_arEnable[k]->setEnabled(code != 0);
    }
    const uint32_t group = traces.m_nTraceGroup;
    m_pGroup->setCurrentIndex(
        group < static_cast<uint32_t>(kTraceGroupCount) ? static_cast<int>(group) : 0);
    m_bRefreshing = false;
}

void CChartOptions::GroupChosen(int index) {
    if (m_bRefreshing || index < 0)
        return;
    m_ctx.SetTraces(WithTraceGroupPreset(m_ctx.Settings().Traces(), index));
    RefreshFromSettings();
}

void CChartOptions::accept() {
    CTraceSettings traces = m_ctx.Settings().Traces();
    traces.m_nDepth = m_pDepth->isChecked() ? 1u : 0u;
    traces.m_nSolenoids = m_pSolenoids->isChecked() ? 1u : 0u;
    for (size_t k = 0; k < kSlots; ++k)
        traces.m_nTraceEnable[k] = m_arEnable[k]->isChecked() ? 1u : 0u;
    m_ctx.SetTraces(traces);
    QDialog::accept();
}
