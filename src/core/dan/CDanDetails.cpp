#include "dan/CDanDetails.h"

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

CDanDetails CDanDetails::Load(ISettingsStore& store) {
    CDanDetails details;
    const std::string key = KeyPath();
    for (const Value& v : Values()) {
        const std::string name(v.name);
        if (v.text) {
            if (auto stored = store.ReadString(key, name))
                details.*v.text = *stored;
        } else if (auto stored = store.ReadDword(key, name)) {
            details.*v.number = *stored;
        }
    }
    return details;
}

int CDanDetails::StoreChanged(ISettingsStore& store, const CDanDetails& before,
                              const CDanDetails& now) {
    const std::string key = KeyPath();
    int written = 0;
    for (const Value& v : Values()) {
        const std::string name(v.name);
        // A failed write is silent: the export goes on with the values the diver entered.
        if (v.text && before.*v.text != now.*v.text) {
            store.WriteString(key, name, now.*v.text);
            ++written;
        } else if (v.number && before.*v.number != now.*v.number) {
            store.WriteDword(key, name, now.*v.number);
            ++written;
        }
    }
    return written;
}
