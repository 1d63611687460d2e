#include "settings/CDanDetails.h"

#include <algorithm>

#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

namespace {
using D = CDanDetails;
CDanDetails::Value Text(std::string_view name, std::string D::*member) {
    return {name, member, nullptr};
}
CDanDetails::Value Number(std::string_view name, uint32_t D::*member) {
    return {name, nullptr, member};
}
} // namespace

const std::vector<CDanDetails::Value>& CDanDetails::Values() {
    // The value names are the ones earlier versions stored, misspelt "Citiznship" included, so an
    // existing installation keeps its details.
    static const std::vector<Value> values = {
        Text("DiverID", &D::m_strDiverID),
        Text("DivingLicence", &D::m_strDivingLicence),
        Text("IssuingAgency", &D::m_strIssuingAgency),
        Text("DANMemberNo", &D::m_strDANMemberNo),
        Text("NameFirst", &D::m_strNameFirst),
        Text("NameInitials", &D::m_strNameInitials),
        Text("NameFamily", &D::m_strNameFamily),
        Text("DateOfBirth", &D::m_strDateOfBirth),
        Number("Sex", &D::m_nSex),
        Number("Weight", &D::m_nWeight),
        Number("WeightUnits", &D::m_nWeightUnits),
        Number("Height", &D::m_nHeight),
        Number("HeightUnits", &D::m_nHeightUnits),
        Text("AddressLine1", &D::m_strAddressLine1),
        Text("AddressLine2", &D::m_strAddressLine2),
        Text("City", &D::m_strCity),
        Text("StateProvince", &D::m_strStateProvince),
        Text("ZipPostCode", &D::m_strZipPostCode),
        Text("PhoneHomeCountry", &D::m_strPhoneHomeCountry),
        Text("PhoneHomeArea", &D::m_strPhoneHomeArea),
        Text("PhoneHomeNumber", &D::m_strPhoneHomeNumber),
        Text("PhoneBusinessCountry", &D::m_strPhoneBusinessCountry),
        Text("PhoneBusinessArea", &D::m_strPhoneBusinessArea),
        Text("PhoneBusinessNumber", &D::m_strPhoneBusinessNumber),
        Text("EMail", &D::m_strEMail),
        Text("Language", &D::m_strLanguage),
        Text("Citiznship", &D::m_strCitiznship),
        Number("DetailsPurpose", &D::m_nDetailsPurpose),
        Number("DetailsProgram", &D::m_nDetailsProgram),
        Number("DetailsEnvironment", &D::m_nDetailsEnvironment),
        Number("DetailsPlatform", &D::m_nDetailsPlatform),
        Number("DetailsDivePlan", &D::m_nDetailsDivePlan),
        Number("DetailsDiveTable", &D::m_nDetailsDiveTable),
        Number("DetailsDress", &D::m_nDetailsDress),
        Number("DetailsApparatus", &D::m_nDetailsApparatus),
        Number("DetailsGasSource", &D::m_nDetailsGasSource),
        Number("DetailsBreathingGas", &D::m_nDetailsBreathingGas),
        Number("DetailsDecompression", &D::m_nDetailsDecompression),
    };
    return values;
}

const CDanDetails::Value* CDanDetails::Find(std::string_view name) {
    const auto& values = Values();
    auto it =
        std::find_if(values.begin(), values.end(), [&](const Value& v) { return v.name == name; });
    return it == values.end() ? nullptr : &*it;
}

std::string CDanDetails::KeyPath() {
    return settings::Path(settings::kDanSubkey);
}

const CSettingTable<CDanDetails>& CDanDetails::Table() {
    static const CSettingTable<CDanDetails> table = [] {
        CSettingTable<CDanDetails> t;
        const std::string subkey = std::string(settings::kDanSubkey) + "\\";
        for (const Value& v : Values()) {
            if (v.text)
                t.push_back(Text<D>(subkey + std::string(v.name), "",
                                    [m = v.text](D& d) -> std::string& { return d.*m; }));
            else
                t.push_back(Dword<D>(subkey + std::string(v.name), 0,
                                     [m = v.number](D& d) -> uint32_t& { return d.*m; }));
        }
        return t;
    }();
    return table;
}

CDanDetails CDanDetails::Load(ISettingsStore& store) {
    return LoadGroup<CDanDetails>(store);
}

int CDanDetails::StoreChanged(ISettingsStore& store, const CDanDetails& before,
                              const CDanDetails& now) {
    SaveGroup(store, before, now);
    int changed = 0;
    for (const Value& v : Values())
        changed += v.text ? before.*v.text != now.*v.text : before.*v.number != now.*v.number;
    return changed;
}
