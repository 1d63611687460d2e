#include "settings/PrinterSettings.h"

#include <algorithm>

namespace {

using namespace settings;

// The section's values with their defaults, read and written through the same table.
struct CTextValue {
    std::string_view name;
    std::string CPrinterConfig::*member;
};
constexpr CTextValue kTexts[] = {{kPrinterName, &CPrinterConfig::m_strPrinterName},
                                 {kPrinterSpooler, &CPrinterConfig::m_strSpooler},
                                 {kPrinterPort, &CPrinterConfig::m_strPort}};
constexpr uint32_t kDefaultLandscape = kPortrait;

std::string Key() {
    return std::string(kPrinterConfigKey);
}

} // namespace

CPrinterConfig CPrinterConfig::Load(ISettingsStore& store) {
    CPrinterConfig config;
    for (const CTextValue& v : kTexts)
        config.*v.member = store.ReadString(Key(), std::string(v.name)).value_or(std::string());
    config.m_nLandscape =
        store.ReadDword(Key(), std::string(kPrinterLandscape)).value_or(kDefaultLandscape);
    return config;
}

void CPrinterConfig::Save(ISettingsStore& store) const {
    for (const CTextValue& v : kTexts)
        store.WriteString(Key(), std::string(v.name), this->*v.member);
    store.WriteDword(Key(), std::string(kPrinterLandscape), m_nLandscape);
}

EPrinterRestore DecidePrinterRestore(const CPrinterConfig& config,
                                     const std::vector<std::string>& installed) {
    if (config.m_strPrinterName.empty() || config.m_strSpooler.empty() || config.m_strPort.empty())
        return EPrinterRestore::Default;
    const bool found =
        std::find(installed.begin(), installed.end(), config.m_strPrinterName) != installed.end();
    return found ? EPrinterRestore::Selected : EPrinterRestore::Gone;
}
