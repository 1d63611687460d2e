#pragma once
// The diver's details of the dive (records 0x80-0x8E) and the dive summary worked out after a
// load. Plain data: the dive model owns one, the dive information page edits it, Save writes its
// fourteen lines back into the log.
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "logfile/CDateTime.h"

class CDiveLogInformation {
public:
    // Record types of the diver's details; there is no 0x8A.
    enum RecordType : unsigned {
        kLocation = 0x80,
        kDiveSite = 0x81,
        kVisibility = 0x82,
        kPartner = 0x83,
        kDiveBoat = 0x84,
        kLatLong = 0x85,
        kWeather = 0x86,
        kWindDirection = 0x87,
        kWindSpeed = 0x88,
        kSeaState = 0x89,
        kDiveTypes = 0x8B,
        kOtherDiveType = 0x8C,
        kNotes = 0x8D,
        kDiverDiveNumber = 0x8E,
    };
    // The fourteen record types Save writes, in file order.
    static constexpr std::array<unsigned, 14> kRecordTypes = {
        0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8B, 0x8C, 0x8D, 0x8E};

    // The dive-type flags in record order.
    enum DiveType {
        kSea,
        kRiver,
        kLakeQuarry,
        kCave,
        kReef,
        kWall,
        kWreck,
        kDrift,
        kShore,
        kEducation,
        kInstruction,
        kNight,
        kSearch,
        kRecovery,
        kResearch,
        kPhoto,
        kSightSeeing,
        kIce,
        kOther,
        kDiveTypeCount
    };

    // The alarm flags of the summary in their fixed order.
    enum Alarm {
        kC1CellWarning,
        kC1LowBattery,
        kC1LowOxygen,
        kC1HighOxygen,
        kC2CellWarning,
        kC2LowBattery,
        kC2LowOxygen,
        kC2HighOxygen,
        kFastAscent,
        kCeilingViolation,
        kCnsExposure,
        kOtuExposure,
        kScrubber2ndWarning,
        kScrubber1stWarning,
        kCo22ndWarning,
        kCo21stWarning,
        kDiveStart,
        kAlarmCount
    };

    CDiveLogInformation() : CDiveLogInformation(std::in_place) {}

    // Texts empty, hemispheres "N" and "W", numbers, flags and indices 0, date-time null,
    // summary invalid.
    void Reset();
    void Clear() { Reset(); }

    // Lines of types 0x80-0x8E in either layout; 0x8A, other types and lines shorter than their
    // type's minimum are ignored.
    void Decode(unsigned recordType, std::string_view line);
    // The complete line (type, data, checksum) of one of the fourteen types; empty for 0x8A and
    // any type outside 0x80-0x8E.
    std::string Encode(unsigned recordType) const;
    // All fourteen lines in the order of kRecordTypes.
    std::vector<std::string> EncodeAll() const;

    // Logged dive number, then " - " and the diver's dive number text when that is not empty.
    std::string MakeDiveLabel() const;
    void UpdateDiveLabel() { m_strDiveLabel = MakeDiveLabel(); }
    // Summary fields only (the diver's details stay).
    void ResetSummary();

    // ---- Diver's details -------------------------------------------------------------------
    std::string m_strLocation;       // 0x80
    std::string m_strDiveSite;       // 0x81
    std::string m_strVisibility;     // 0x82
    std::string m_strPartner;        // 0x83
    std::string m_strDiveBoat;       // 0x84
    std::string m_strDiveNumberText; // 0x8E, the diver's own numbering
    std::string m_strLatHemisphere;  // 0x85: "N" or "S"
    unsigned m_nLatDegrees = 0;
    unsigned m_nLatMinutes = 0;
    unsigned m_nLatSeconds = 0;
    std::string m_strLongHemisphere; // "E" or "W"
    unsigned m_nLongDegrees = 0;
    unsigned m_nLongMinutes = 0;
    unsigned m_nLongSeconds = 0;
    int m_nWeather = 0;                             // 0x86, position in the weather list
    int m_nWindDirection = 0;                       // 0x87
    int m_nWindSpeed = 0;                           // 0x88
    int m_nSeaState = 0;                            // 0x89
    std::array<bool, kDiveTypeCount> m_bDiveType{}; // 0x8B
    std::string m_strOtherDiveType;                 // 0x8C
    std::string m_strNotes;                         // 0x8D

    // ---- Dive summary (computed, never stored in the file) ----------------------------------
    std::string m_strDiveEndDuration1; // "%H:%M hh:mm", "Invalid" or "Not logged"
    std::string m_strDiveEndDuration2;
    std::string m_strDiveTime;        // "%02d:%02d mm:ss" or "%d:%02d:%02d hh:mm:ss"
    std::string m_strSurfaceInterval; // "%d:%02d:%02d hh:mm:ss", "> 99:59:59" or "Invalid"
    double m_dPeakCNS = 0.0;          // percent
    double m_dPeakOTU = 0.0;          // percent
    double m_dGfLow = 0.0;            // percent; 255 when no sample logged one
    double m_dGfHigh = 0.0;           // percent
    double m_dConservatism = 0.0;     // -1 when no sample logged one (shown empty)
    double m_dC1MaxPPO2 = 0.0;        // bar
    double m_dC1MinPPO2 = 0.0;
    double m_dC2MaxPPO2 = 0.0;
    double m_dC2MinPPO2 = 0.0;
    double m_dPeakSetpoint = 0.0;   // bar
    double m_dMaxDepth = 0.0;       // metres
    double m_dAtmTemperature = 0.0; // degrees Celsius
    double m_dAtmPressure = 0.0;    // millibar
    int m_nTotalUnitOnTime = 0;     // minutes
    int m_nTotalDiveTime = 0;       // minutes
    int m_nElapsedOnTime = 0;       // minutes
    int m_nDiveNumber = 0;          // as the unit logged it
    CDateTime m_dtDiveDateTime;     // null until a summary is computed
    bool m_bSummaryValid = false;   // alarms are shown only when set
    std::array<bool, kAlarmCount> m_bAlarm{};
    std::string m_strDiveLabel; // see MakeDiveLabel

private:
    // The reset state, built without going through Reset.
    explicit CDiveLogInformation(std::in_place_t);
};
