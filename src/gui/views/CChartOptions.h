#pragma once
// The Chart Options dialog: depth trace on or off, a trace group preset, and the enable of each
// of the ten trace slots. It works on the chart settings directly: choosing a group writes the
// preset at once; OK writes the check boxes; Cancel writes nothing itself. After OK the main
// window tells the profile page to take the settings over.
#include <QDialog>
#include <array>

class CPageContext;
class QCheckBox;
class QComboBox;
class QLabel;

class CChartOptions : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSlots = 10;

    // Reads and writes the chart settings of `ctx`.
    explicit CChartOptions(CPageContext& ctx, QWidget* parent = nullptr);

    // Controls, for tests and for the keyboard.
    QCheckBox* DepthBox() const { return m_pDepth; }
    QCheckBox* SolenoidBox() const { return m_pSolenoids; }
    QComboBox* GroupList() const { return m_pGroup; }
    QCheckBox* SlotBox(int slot) const { return m_arEnable[static_cast<size_t>(slot)]; }
    QLabel* SlotName(int slot) const { return m_arName[static_cast<size_t>(slot)]; }

    void accept() override;

private:
    // Shows what the settings hold now.
    void RefreshFromSettings();
    void GroupChosen(int index);

    QCheckBox* m_pDepth = nullptr;
    QCheckBox* m_pSolenoids = nullptr;
    QComboBox* m_pGroup = nullptr;
    std::array<QCheckBox*, kSlots> m_arEnable{};
    std::array<QLabel*, kSlots> m_arName{};
    bool m_bRefreshing = false;
    CPageContext& m_ctx;
};
