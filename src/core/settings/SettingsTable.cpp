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

} // namespace settings
