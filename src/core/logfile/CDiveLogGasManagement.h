#pragma once
// Cylinders and gases (records 0x09, 0x19 and 0xA0-0xAC): cylinder 0 is the oxygen cylinder,
// 1-12 the diluents. Plain data: the dive model owns one, the gas management page edits the
// cylinder values, Save writes the thirteen cylinder lines back. The mixes are never written.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "logfile/RecordFormat.h"
#include "settings/CCylinderDefaults.h"

class CDiveLogGasManagement {
public:
    static constexpr int kCylinders = 13; // 0 oxygen, 1-12 diluents
    static constexpr int kDiluents = 12;
    static constexpr unsigned kFirstCylinderRecord = 0xA0;
    // Pressures in and out are held at or below this many bar.
    static constexpr double kMaxCylinderPressure = 400.0;

    CDiveLogGasManagement() { Reset(); }

    // Every field to its default, with sizes and pressures from `defaults` (the built-in ones
    // when none are given).
    void Reset(const CCylinderDefaults& defaults);
    void Reset();
    // Types 0x09 and 0x19 (gas tables) and 0xA0-0xAC (cylinders, at least 34 characters); others
    // are ignored. A gas-table line counts only when its length is exactly that of the file's
    // layout (0x19 exists in the short layout alone), so a stray line of the other layout cannot
    // overwrite the mixes.
    void Decode(unsigned recordType, std::string_view line, const CRecordFormat& format);
    // For callers that do not know the layout: a gas table's length alone picks it.
    void Decode(unsigned recordType, std::string_view line);
    // The line of record 0xA0 + cylinder; empty for a cylinder outside 0-12.
    std::string Encode(int cylinder) const;
    // The thirteen lines 0xA0-0xAC in order.
    std::vector<std::string> EncodeAll() const;

    // Limits a pressure in or out to 0..400 bar as decoding does; page edits go through it too.
    static double LimitPressure(double bar);

    int m_nOxygenO2 = 100;                                // oxygen cylinder's oxygen percentage
    std::array<int, kDiluents> m_nDiluentO2{};            // percent, diluent 1 at index 0
    std::array<int, kDiluents> m_nDiluentHe{};            // percent
    std::array<double, kCylinders> m_dCylinderSizeL{};    // litres
    std::array<double, kCylinders> m_dCylinderSizeCuft{}; // cubic feet
    std::array<double, kCylinders> m_dMaxPressure{};      // psi, maximum working pressure
    std::array<double, kCylinders> m_dPressureIn{};       // bar at the start of the dive
    std::array<double, kCylinders> m_dPressureOut{};      // bar at the end of the dive

private:
    void DecodeGasTable(std::string_view line, size_t start, int firstDiluent, int count);
    void DecodeCylinder(int cylinder, std::string_view line);
};
