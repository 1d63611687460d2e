#include "settings/SettingsTable.h"

#include <cstdlib>

namespace settings {

std::string Path(std::string_view valueName) {
    std::string p(kRoot);
    p += '\\';
    p += valueName;
    return p;
}

std::string DefaultDirectoryDefault() {
    const char* home = std::getenv("HOME");
    std::string dir = home && *home ? home : "/";
    if (dir.back() != '/')
        dir += '/';
    return dir;
}

namespace {
std::string CylinderSuffix(int cylinder) {
    return cylinder == 0 ? std::string("Oxygen") : "Diluent " + std::to_string(cylinder);
}
} // namespace

std::string MaxPressureName(int cylinder) {
    return "Max Pressure " + CylinderSuffix(cylinder);
}
std::string CylinderSizeSIName(int cylinder) {
    return "Cylinder Size SI " + CylinderSuffix(cylinder);
}
std::string CylinderSizeIName(int cylinder) {
    return "Cylinder Size I " + CylinderSuffix(cylinder);
}
std::string TraceName(int slot) {
    return "Graph Traces\\Trace" + std::to_string(slot);
}
std::string TraceEnableName(int slot) {
    return "Graph Traces\\TraceEnable" + std::to_string(slot);
}

std::vector<Definition> AllSettings() {
    std::vector<Definition> all;
    auto dword = [&](std::string name, uint32_t def) {
        all.push_back({std::move(name), false, def, {}});
    };
    auto text = [&](std::string name, std::string def) {
        all.push_back({std::move(name), true, 0, std::move(def)});
    };
    dword(std::string(kUnits), kDefaultUnits);
    text(std::string(kDefaultDirectory), DefaultDirectoryDefault());
    dword(std::string(kMessageLevel), kDefaultMessageLevel);
    dword(std::string(kLanguageId), kDefaultLanguageId);
    dword(std::string(kEnableChartRightClickMenu), kDefaultEnableChartRightClickMenu);
    for (int c = 0; c < kCylinderCount; ++c)
        dword(MaxPressureName(c), kDefaultMaxPressure);
    for (int c = 0; c < kCylinderCount; ++c)
        dword(CylinderSizeSIName(c), kDefaultCylinderSizeSI);
    for (int c = 0; c < kCylinderCount; ++c)
        dword(CylinderSizeIName(c), kDefaultCylinderSizeI);
    dword(std::string(kGraphDepth), kDefaultGraphDepth);
    dword(std::string(kGraphSolenoids), kDefaultGraphSolenoids);
    for (int s = 0; s < kTraceSlots; ++s)
        dword(TraceName(s), kDefaultTrace);
    for (int s = 0; s < kTraceSlots; ++s)
        dword(TraceEnableName(s), kDefaultTraceEnable);
    dword(std::string(kYAxisSelection), kDefaultYAxisSelection);
    dword(std::string(kTraceGroup), kDefaultTraceGroup);
    text(std::string(kTraceGroupOEM), std::string(kDefaultTraceGroupOEM));
    text(std::string(kBinaryLogKey), "");
    return all;
}

} // namespace settings
