#include "views/CDiveGasManagement.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/CNumSpinCtrl.h"
#include "viewmodel/GasUsed.h"
#include "views/CPageContext.h"

namespace {

// Column heads "Gas Table" ... "Gas\nUsed", row heads, unit labels.
constexpr int kHeadIds[9] = {23000, 23001, 23002, 23003, 23004, 23005, 23006, 23007, 23008};
constexpr int kOxygenRowId = 23009;
constexpr int kDiluentRowId = 23010;
constexpr int kLitreId = 23011;
constexpr int kBarId = 23012;
constexpr int kCubicFeetId = 23013;
constexpr int kPsiId = 23014;

// Grid columns of the table.
enum GridColumn { kName, kO2, kHe, kN2, kMaxP, kSize, kIn, kOut, kUsed };
constexpr int kFirstRowLine = 2; // under the heads and the unit labels

QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

} // namespace

CDiveGasManagement::CDiveGasManagement(CPageContext& ctx, QWidget* parent)
    : CDivePage(ctx, parent) {
    BuildTable();
    connect(&m_ctx, &CPageContext::commitPendingEdits, this,
            &CDiveGasManagement::CommitPendingEdits);
    SetTexts();
    Refresh();
}

void CDiveGasManagement::BuildTable() {
    auto* outer = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* table = new QWidget(scroll);
    auto* grid = new QGridLayout(table);
    grid->setHorizontalSpacing(10);
    for (size_t c = 0; c < m_arHeads.size(); ++c) {
        m_arHeads[c] = new QLabel(table);
        m_arHeads[c]->setAlignment(Qt::AlignCenter);
        grid->addWidget(m_arHeads[c], 0, int(c));
    }
    const int unitColumns[5] = {kMaxP, kSize, kIn, kOut, kUsed};
    for (size_t u = 0; u < m_arUnits.size(); ++u) {
        m_arUnits[u] = new QLabel(table);
        m_arUnits[u]->setAlignment(Qt::AlignCenter);
        grid->addWidget(m_arUnits[u], 1, unitColumns[u]);
    }
    for (int r = 0; r < kRows; ++r) {
        CRow& row = m_arRows[size_t(r)];
        const int line = kFirstRowLine + r;
        row.name = new QLabel(table);
        row.oxygen = new QLabel(table);
        row.helium = new QLabel(table);
        row.nitrogen = new QLabel(table);
        row.used = new QLabel(table);
        row.used->setObjectName(QStringLiteral("used%1").arg(r));
        grid->addWidget(row.name, line, kName);
        grid->addWidget(row.oxygen, line, kO2, Qt::AlignCenter);
        grid->addWidget(row.helium, line, kHe, Qt::AlignCenter);
        grid->addWidget(row.nitrogen, line, kN2, Qt::AlignCenter);
        grid->addWidget(row.used, line, kUsed, Qt::AlignCenter);
        const int spinColumns[5] = {kMaxP, kSize, kSize, kIn, kOut};
        for (int c = kMaxPressure; c <= kPressureOut; ++c) {
            auto* spin = new CNumSpinCtrl(table);
            spin->setObjectName(QStringLiteral("spin%1_%2").arg(r).arg(c));
            row.spins[size_t(c)] = spin;
            grid->addWidget(spin, line, spinColumns[c]);
            const auto column = static_cast<Column>(c);
            connect(spin, &CNumSpinCtrl::valueChanged, this,
                    [this, r, column] { OnSpinChanged(r, column); });
        }
    }
    grid->setRowStretch(kFirstRowLine + kRows, 1);
    scroll->setWidget(table);
    // Let the tab's own background show through, as on the pages that do not scroll.
    scroll->viewport()->setAutoFillBackground(false);
    table->setAutoFillBackground(false);
    outer->addWidget(scroll);
}

void CDiveGasManagement::SetTexts() {
    for (size_t c = 0; c < m_arHeads.size(); ++c)
        m_arHeads[c]->setText(CPageContext::Str(kHeadIds[c]));
    const QString diluent = CPageContext::Str(kDiluentRowId);
    m_arRows[0].name->setText(CPageContext::Str(kOxygenRowId));
    for (int r = 1; r < kRows; ++r) {
        QString name = diluent;
        name.replace(QLatin1String("%d"), QString::number(r));
        m_arRows[size_t(r)].name->setText(name);
    }
    const bool metric = m_ctx.IsMetric();
    m_arUnits[0]->setText(CPageContext::Str(kPsiId));
    m_arUnits[1]->setText(CPageContext::Str(metric ? kLitreId : kCubicFeetId));
    m_arUnits[2]->setText(CPageContext::Str(metric ? kBarId : kPsiId));
    m_arUnits[3]->setText(CPageContext::Str(metric ? kBarId : kPsiId));
    m_arUnits[4]->setText(CPageContext::Str(metric ? kLitreId : kCubicFeetId));
}

CNumSpinCtrl* CDiveGasManagement::Spin(int row, Column column) const {
    return m_arRows[size_t(row)].spins[size_t(column)];
}

const CDiveLogGasManagement& CDiveGasManagement::Gas() const {
    return m_ctx.Log().m_GasManagement;
}

void CDiveGasManagement::SetRanges() {
    const bool metric = m_ctx.IsMetric();
    for (int r = 0; r < kRows; ++r) {
        auto apply = [](CNumSpinCtrl* spin, const gas::CSpinRange& range) {
            spin->SetRangeAndStep(range.min, range.max, range.step, range.decimals);
        };
        CRow& row = m_arRows[size_t(r)];
        apply(row.spins[kMaxPressure], gas::MaxPressureRange());
        apply(row.spins[kSizeLitres], gas::CylinderSizeRange(true, r == 0));
        apply(row.spins[kSizeCubicFeet], gas::CylinderSizeRange(false, r == 0));
        apply(row.spins[kPressureIn], gas::PressureRange(metric));
        apply(row.spins[kPressureOut], gas::PressureRange(metric));
        // The working pressure only scales the imperial figure; each unit system shows its own
        // size.
        row.spins[kMaxPressure]->setVisible(!metric);
        row.spins[kSizeLitres]->setVisible(metric);
        row.spins[kSizeCubicFeet]->setVisible(!metric);
    }
    m_arHeads[kMaxP]->setVisible(!metric);
    m_arUnits[0]->setVisible(!metric);
}

void CDiveGasManagement::Refresh() {
    m_bMetricShown = m_ctx.IsMetric();
    SetTexts();
    SetRanges();
    for (int r = 0; r < kRows; ++r)
        ShowRow(r);
    // Without a file there is no record to write into.
    for (const CRow& row : m_arRows)
        for (CNumSpinCtrl* spin : row.spins)
            spin->setEnabled(m_ctx.IsLoaded());
}

void CDiveGasManagement::ShowRow(int r) {
    const CDiveLogGasManagement& g = Gas();
    CRow& row = m_arRows[size_t(r)];
    const double oxygen = r == 0 ? g.m_nOxygenO2 : g.m_nDiluentO2[size_t(r - 1)];
    const double helium = r == 0 ? 0 : g.m_nDiluentHe[size_t(r - 1)];
    row.oxygen->setText(Latin1(gas::FormatPercent(oxygen)));
    row.helium->setText(Latin1(gas::FormatPercent(helium)));
    row.nitrogen->setText(Latin1(gas::FormatPercent(gas::NitrogenPercent(oxygen, helium))));

    const bool metric = m_bMetricShown;
    row.spins[kMaxPressure]->SetValueQuietly(g.m_dMaxPressure[size_t(r)]);
    row.spins[kSizeLitres]->SetValueQuietly(g.m_dCylinderSizeL[size_t(r)]);
    row.spins[kSizeCubicFeet]->SetValueQuietly(g.m_dCylinderSizeCuft[size_t(r)]);
    const double in = g.m_dPressureIn[size_t(r)];
    const double out = g.m_dPressureOut[size_t(r)];
    row.spins[kPressureIn]->SetValueQuietly(metric ? in : gas::BarToPsi(in));
    row.spins[kPressureOut]->SetValueQuietly(metric ? out : gas::BarToPsi(out));
    ShowGasUsed(r);
}

void CDiveGasManagement::ShowGasUsed(int r) {
    const CDiveLogGasManagement& g = Gas();
    const auto i = size_t(r);
    const auto used =
        m_bMetricShown
            ? gas::GasUsedLitres(g.m_dCylinderSizeL[i], g.m_dPressureIn[i], g.m_dPressureOut[i])
            : gas::GasUsedCubicFeet(g.m_dCylinderSizeCuft[i], g.m_dMaxPressure[i],
                                    g.m_dPressureIn[i], g.m_dPressureOut[i]);
    m_arRows[i].used->setText(Latin1(gas::FormatGasUsed(used)));
}

void CDiveGasManagement::OnSpinChanged(int r, Column column) {
    const auto i = size_t(r);
    double value = Spin(r, column)->value();
    using Cells = decltype(CDiveLogGasManagement::m_dPressureIn);
    Cells CDiveLogGasManagement::*member = nullptr;
    switch (column) {
    case kMaxPressure:
        member = &CDiveLogGasManagement::m_dMaxPressure;
        break;
    case kSizeLitres:
        member = &CDiveLogGasManagement::m_dCylinderSizeL;
        break;
    case kSizeCubicFeet:
        member = &CDiveLogGasManagement::m_dCylinderSizeCuft;
        break;
    case kPressureIn:
    case kPressureOut:
        member = column == kPressureIn ? &CDiveLogGasManagement::m_dPressureIn
                                       : &CDiveLogGasManagement::m_dPressureOut;
        // The record keeps bar whatever the diver types in.
        if (!m_bMetricShown)
            value = gas::PsiToBar(value);
        value = CDiveLogGasManagement::LimitPressure(value);
        break;
    }
    const bool changed = m_ctx.Edit([&](CDiveLog& log) {
        double& stored = (log.m_GasManagement.*member)[i];
        if (stored == value)
            return false;
        stored = value;
        return true;
    });
    if (!changed)
        return;
    StoreSetting(r, column, value);
    ShowGasUsed(r);
}

void CDiveGasManagement::StoreSetting(int row, Column column, double value) {
    CCylinderDefaults defaults = m_ctx.Settings().Cylinders();
    CCylinderDefaults::Values* values = nullptr;
    switch (column) {
    case kMaxPressure:
        values = &defaults.m_nMaxPressure;
        break;
    case kSizeLitres:
        values = &defaults.m_nCylinderSizeSI;
        break;
    case kSizeCubicFeet:
        values = &defaults.m_nCylinderSizeI;
        break;
    default:
        return; // pressures belong to this dive only
    }
    if (row < 0 || row >= settings::kCylinderCount)
        return;
    (*values)[size_t(row)] = gas::SettingHundredths(value);
    m_ctx.SetCylinderDefaults(defaults);
}

void CDiveGasManagement::CommitPendingEdits() {
    // A typed number is stored at every key; one left half-typed (say "12.") is taken as the
    // spin box reads it.
    for (const CRow& row : m_arRows)
        for (CNumSpinCtrl* spin : row.spins)
            if (spin->isVisibleTo(this))
                spin->interpretText();
}
