#pragma once
// The diver's details for the DAN export: who the diver is, where they live and how they usually
// dive. They live in the settings group "Settings/DAN" so the next export starts filled in; every
// value is paired with its name in one table, and read and written through it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingField.h"

class ISettingsStore;

struct CDanDetails {
    std::string m_strDiverID;
    std::string m_strDivingLicence;
    std::string m_strIssuingAgency;
    std::string m_strDANMemberNo;
    std::string m_strNameFirst;
    std::string m_strNameInitials;
    std::string m_strNameFamily;
    std::string m_strDateOfBirth; // "%Y%m%d"
    uint32_t m_nSex = 0;
    uint32_t m_nWeight = 0;
    uint32_t m_nWeightUnits = 0;
    uint32_t m_nHeight = 0;
    uint32_t m_nHeightUnits = 0;
    std::string m_strAddressLine1;
    std::string m_strAddressLine2;
    std::string m_strCity;
    std::string m_strStateProvince;
    std::string m_strZipPostCode;
    std::string m_strPhoneHomeCountry;
    std::string m_strPhoneHomeArea;
    std::string m_strPhoneHomeNumber;
    std::string m_strPhoneBusinessCountry;
    std::string m_strPhoneBusinessArea;
    std::string m_strPhoneBusinessNumber;
    std::string m_strEMail;
    std::string m_strLanguage;
    std::string m_strCitiznship;
    uint32_t m_nDetailsPurpose = 0;
    uint32_t m_nDetailsProgram = 0;
    uint32_t m_nDetailsEnvironment = 0;
    uint32_t m_nDetailsPlatform = 0;
    uint32_t m_nDetailsDivePlan = 0;
    uint32_t m_nDetailsDiveTable = 0;
    uint32_t m_nDetailsDress = 0;
    uint32_t m_nDetailsApparatus = 0;
    uint32_t m_nDetailsGasSource = 0;
    uint32_t m_nDetailsBreathingGas = 0;
    uint32_t m_nDetailsDecompression = 0;

    bool operator==(const CDanDetails&) const = default;

    // One stored value: its name in the settings group and the member that holds it (exactly
    // one of the two pointers is set). Texts default to "", numbers to 0.
    struct Value {
        std::string_view name;
        std::string CDanDetails::*text;
        uint32_t CDanDetails::*number;
    };
    static const std::vector<Value>& Values();
    // The descriptor table of the group (names "DAN\\DiverID", ...), built from Values().
    static const CSettingTable<CDanDetails>& Table();
    static const Value* Find(std::string_view name);

    // Every value from the store; one that cannot be read keeps its default.
    static CDanDetails Load(ISettingsStore& store);
    // Writes the values of `now` that differ from `before` (what the store held when the export
    // began), so an unchanged value is never written. Returns how many were written.
    static int StoreChanged(ISettingsStore& store, const CDanDetails& before,
                            const CDanDetails& now);
    // The key path of the group ("Software\Zelvor\ZelvorLogViewer\Settings\DAN").
    static std::string KeyPath();
};
