#pragma once
// What one dive contributes to the head of the document: the unit that logged it, its owner,
// the site, the mixes and the cylinders. Small enough to keep for a whole season of dives while
// their samples are streamed one dive at a time.
#include <array>
#include <optional>
#include <string>

class CDiveLog;

namespace uddf {

struct CUddfDiveScan;

// The rebreather as its system information names it; two dives of the same unit with the same
// code give equal values, so the document lists the unit once.
struct CUddfUnit {
    std::string m_strType;
    std::string m_strSerial;
    std::string m_strDisplayCode;
    std::string m_strC1Code;
    std::string m_strC2Code;
    bool operator==(const CUddfUnit&) const = default;
};

struct CUddfSite {
    std::string m_strName;              // the dive site, else the location
    std::string m_strLocation;          // the location, else the dive site
    std::optional<double> m_dLatitude;  // degrees, south negative
    std::optional<double> m_dLongitude; // degrees, west negative
    bool operator==(const CUddfSite&) const = default;
};

struct CUddfMix {
    std::string m_strName; // "Oxygen", "Diluent 2 18/45"
    int m_nO2 = 0;         // percent
    int m_nHe = 0;
    bool operator==(const CUddfMix&) const = default;
};

struct CUddfDiveFacts {
    // Gas management numbering: 0 the oxygen cylinder, 1-12 diluents 1-12.
    static constexpr int kCylinders = 13;

    CUddfUnit m_Unit;
    std::string m_strOwnerName;
    std::optional<CUddfSite> m_Site;
    // A mix for each cylinder the dive used (oxygen always); empty names for the others.
    std::array<std::optional<CUddfMix>, kCylinders> m_arMixes;
    // Cylinders that get tank data or logged pressures, and so a tank of the unit.
    std::array<bool, kCylinders> m_bTank{};
};

// The sample cylinder (0-11 diluents, 12 oxygen) of a gas management cylinder (0 oxygen, 1-12).
inline int SampleCylinderOf(int cylinder) {
    return cylinder == 0 ? 12 : cylinder - 1;
}
// The cylinder has a pressure in the diver entered on the Gas Management page.
bool HasTankData(const CDiveLog& log, int cylinder);

CUddfDiveFacts MakeDiveFacts(const CDiveLog& log, const CUddfDiveScan& scan);

} // namespace uddf
