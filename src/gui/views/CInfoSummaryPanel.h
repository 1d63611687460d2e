#pragma once
// The right half of the dive information page: the dive summary worked out after a load and the
// lamps of the alarms that occurred.
#include <QGroupBox>
#include <array>

#include "logfile/CDiveLogInformation.h"

class QLabel;
class CBNLed;

class CInfoSummaryPanel : public QGroupBox {
    Q_OBJECT
public:
    // Rows of the summary, in the order shown.
    enum Row {
        kDate,
        kTime,
        kDiveTime,
        kMaxDepth,
        kDiveNumber,
        kTotalUnitOnTime,
        kTotalDiveTime,
        kElapsedOnTime,
        kAtmPressure,
        kAtmTemperature,
        kPeakSetpoint,
        kPeakCns,
        kPeakOtu,
        kSurfaceInterval,
        kGfLow,
        kGfHigh,
        kConservatism,
        kRowCount
    };
    // The lamps: four controller alarms (either controller) and nine others.
    enum Lamp {
        kCellWarning,
        kLowBattery,
        kLowOxygen,
        kHighOxygen,
        kFastAscent,
        kCeilingViolation,
        kCnsExposure,
        kOtuExposure,
        kScrubber2nd,
        kScrubber1st,
        kCo22nd,
        kCo21st,
        kDiveStart,
        kLampCount
    };

    explicit CInfoSummaryPanel(QWidget* parent = nullptr);

    void SetTexts();
    void Show(const CDiveLogInformation& info, bool metric, const std::string& decoOption);

    QLabel* Value(Row row) const { return m_arValues[row]; }
    QLabel* Label(Row row) const { return m_arLabels[row]; }
    CBNLed* LampAt(Lamp lamp) const { return m_arLamps[lamp]; }
    QLabel* LampLabel(Lamp lamp) const { return m_arLampLabels[lamp]; }

private:
    void ShowLamps(const CDiveLogInformation& info);

    std::array<QLabel*, kRowCount> m_arLabels{};
    std::array<QLabel*, kRowCount> m_arValues{};
    std::array<CBNLed*, kLampCount> m_arLamps{};
    std::array<QLabel*, kLampCount> m_arLampLabels{};
    QGroupBox* m_pAlarms = nullptr;
    QLabel* m_pController = nullptr;
};
