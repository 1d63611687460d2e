#pragma once
// The "Gas Management" page: the gas table of the dive (oxygen cylinder and twelve diluents)
// with the diver's cylinder sizes and pressures, and the gas used from each cylinder. Edits go
// straight into the model's gas management record; sizes and working pressures also become the
// new defaults in the settings.
#include <array>

#include "logfile/CDiveLogGasManagement.h"
#include "views/CDivePage.h"

class QLabel;
class CNumSpinCtrl;

class CDiveGasManagement : public CDivePage {
    Q_OBJECT
public:
    static constexpr int kRows = CDiveLogGasManagement::kCylinders; // 0 oxygen, 1-12 diluents
    enum Column { kMaxPressure, kSizeLitres, kSizeCubicFeet, kPressureIn, kPressureOut };

    explicit CDiveGasManagement(CPageContext& ctx, QWidget* parent = nullptr);
    void Refresh() override;
    void SetTexts() override;

    // The cells, for tests.
    CNumSpinCtrl* Spin(int row, Column column) const;
    QLabel* OxygenCell(int row) const { return m_arRows[size_t(row)].oxygen; }
    QLabel* HeliumCell(int row) const { return m_arRows[size_t(row)].helium; }
    QLabel* NitrogenCell(int row) const { return m_arRows[size_t(row)].nitrogen; }
    QLabel* GasUsedCell(int row) const { return m_arRows[size_t(row)].used; }

private:
    struct CRow {
        QLabel* name = nullptr;
        QLabel* oxygen = nullptr;
        QLabel* helium = nullptr;
        QLabel* nitrogen = nullptr;
        std::array<CNumSpinCtrl*, 5> spins{};
        QLabel* used = nullptr;
    };

    void BuildTable();
    void SetRanges();
    void ShowRow(int row);
    void ShowGasUsed(int row);
    void OnSpinChanged(int row, Column column);
    void StoreSetting(int row, Column column, double value);
    void CommitPendingEdits();
    const CDiveLogGasManagement& Gas() const;

    std::array<CRow, kRows> m_arRows{};
    std::array<QLabel*, 9> m_arHeads{};
    std::array<QLabel*, 5> m_arUnits{}; // max pressure, size, pressure in, out, gas used
    bool m_bMetricShown = true;
};
