#include "logfile/InformationRecords.h"

#include <array>

namespace {

using I = CDiveLogInformation;
using K = EInfoRecordKind;

// clang-format off
constexpr std::array<CInfoRecord, 14> kRecords = {{
    {I::kLocation,        K::Text,      &I::m_strLocation,       nullptr,            "location",        1237},
    {I::kDiveSite,        K::Text,      &I::m_strDiveSite,       nullptr,            "dive_site",       1146},
    {I::kVisibility,      K::Text,      &I::m_strVisibility,     nullptr,            "visibility",      1510},
    {I::kPartner,         K::Text,      &I::m_strPartner,        nullptr,            "partner",         1275},
    {I::kDiveBoat,        K::Text,      &I::m_strDiveBoat,       nullptr,            "dive_boat",       1144},
    {I::kDiverDiveNumber, K::Text,      &I::m_strDiveNumberText, nullptr,            "dive_number",     1530},
    {I::kLatLong,         K::Position,  nullptr,                 nullptr,            "latitude",        1234},
    {I::kWeather,         K::Index,     nullptr,                 &I::m_nWeather,       "weather",         1512},
    {I::kWindDirection,   K::Index,     nullptr,                 &I::m_nWindDirection, "wind_direction",  1516},
    {I::kWindSpeed,       K::Index,     nullptr,                 &I::m_nWindSpeed,     "wind_speed",      1517},
    {I::kSeaState,        K::Index,     nullptr,                 &I::m_nSeaState,      "sea_state",       1482},
    {I::kDiveTypes,       K::DiveTypes, nullptr,                 nullptr,            "dive_types",      0},
    {I::kOtherDiveType,   K::Text,      &I::m_strOtherDiveType,  nullptr,            "other_dive_type", 1172},
    {I::kNotes,           K::Text,      &I::m_strNotes,          nullptr,            "notes",           1271},
}};
// clang-format on

} // namespace

std::span<const CInfoRecord> InformationRecords() {
    return kRecords;
}

const CInfoRecord* InformationRecord(unsigned type) {
    for (const CInfoRecord& r : kRecords)
        if (r.type == type)
            return &r;
    return nullptr;
}

const CInfoRecord* InformationRecordOfControl(int control) {
    for (const CInfoRecord& r : kRecords)
        if (control != 0 && r.control == control)
            return &r;
    return nullptr;
}
