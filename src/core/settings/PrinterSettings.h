#pragma once
// The remembered printer (profile section "PrinterConfig"): read once at start-up, written back
// at exit.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingField.h"

namespace settings {
inline constexpr std::string_view kPrinterConfigKey =
    "Software\\Zelvor\\ZelvorLogViewer\\PrinterConfig";
inline constexpr std::string_view kPrinterName = "PrinterName";
inline constexpr std::string_view kPrinterSpooler = "Spooler";
inline constexpr std::string_view kPrinterPort = "Port";
inline constexpr std::string_view kPrinterLandscape = "Landscape";
} // namespace settings

// The printer's orientation code as the settings keep it.
inline constexpr int kPortrait = 1;
inline constexpr int kLandscape = 2;

struct CPrinterConfig {
    std::string m_strPrinterName; // device name
    std::string m_strSpooler;     // driver name
    std::string m_strPort;
    uint32_t m_nLandscape = kPortrait;

    // The section lies beside the settings key, not below it.
    static constexpr std::string_view kKey = settings::kPrinterConfigKey;
    static const CSettingTable<CPrinterConfig>& Table();

    static CPrinterConfig Load(ISettingsStore& store) { return LoadGroup<CPrinterConfig>(store); }
    // Every value, changed or not: the exit writes the printer in use.
    void Save(ISettingsStore& store) const { WriteGroup(store, *this); }
    bool operator==(const CPrinterConfig&) const = default;
};

// What becomes of the remembered printer at start-up.
enum class EPrinterRestore {
    Default,  // nothing (complete) remembered: the system default, silently
    Selected, // found among the installed printers
    Gone,     // remembered but no longer installed: warn once, use the default
};
EPrinterRestore DecidePrinterRestore(const CPrinterConfig& config,
                                     const std::vector<std::string>& installed);
