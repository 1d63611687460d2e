#pragma once
// The alarm lamps of the profile page: the controller group (both controllers combined), the
// display group and the colour legend.
#include <QWidget>
#include <array>

#include "viewmodel/AlarmLamps.h"

class CBNLed;
class CDiveLogSample;
class QGroupBox;
class QLabel;

class CProfileAlarms : public QWidget {
    Q_OBJECT
public:
    explicit CProfileAlarms(QWidget* parent = nullptr);

    void SetTexts();
    // Every alarm lamp light grey (no file, or before the first redraw).
    void SetIdle();
    // The lamps at a sample; `level4` is the loader's version level 4.
    void Update(const CDiveLogSample& sample, bool level4);

    const CBNLed* ControllerLamp(int row) const { return m_arController[static_cast<size_t>(row)]; }
    const CBNLed* DisplayLamp(int row) const { return m_arDisplay[static_cast<size_t>(row)]; }
    const CBNLed* LegendLamp(int index) const { return m_arLegend[static_cast<size_t>(index)]; }

private:
    QGroupBox* m_pControllerBox = nullptr;
    QGroupBox* m_pDisplayBox = nullptr;
    QGroupBox* m_pLegendBox = nullptr;
    QLabel* m_pControllerHead = nullptr;
    QLabel* m_pDisplayHead = nullptr;
    std::array<CBNLed*, kControllerLamps> m_arController{};
    std::array<QLabel*, kControllerLamps> m_arControllerText{};
    std::array<CBNLed*, kDisplayLamps> m_arDisplay{};
    std::array<QLabel*, kDisplayLamps> m_arDisplayText{};
    std::array<CBNLed*, 4> m_arLegend{};
    std::array<QLabel*, 4> m_arLegendText{};
};
