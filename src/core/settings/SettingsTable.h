#pragma once
// The names and defaults of the settings values, for the groups' descriptor tables
// (SettingsGroups.cpp), which pair each name with its default. Code reads the groups, handed to
// it from CSettings, never a name from here.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

inline constexpr std::string_view kRoot = "Software\\Zelvor\\ZelvorLogViewer\\Settings";

// Full path of a value under the settings key ("Units" -> "Software\...\Settings\Units").
std::string Path(std::string_view valueName);

inline constexpr std::string_view kUnits = "Units";
inline constexpr uint32_t kDefaultUnits = 1; // non-zero = metric
inline constexpr std::string_view kDefaultDirectory = "Default Directory";
// The user's home folder (the Windows original used "C:\").
std::string DefaultDirectoryDefault();
inline constexpr std::string_view kMessageLevel = "Message Level";
inline constexpr uint32_t kDefaultMessageLevel = 0;
inline constexpr std::string_view kLanguageId = "Language ID";
inline constexpr uint32_t kDefaultLanguageId = 1033;
inline constexpr std::string_view kEnableChartRightClickMenu = "EnableChartRightClickMenu";
inline constexpr uint32_t kDefaultEnableChartRightClickMenu = 1;

// Cylinders as the gas management record numbers them: 0 = oxygen, 1-12 = diluents 1-12.
inline constexpr int kCylinderCount = 13;
std::string MaxPressureName(int cylinder);    // "Max Pressure Oxygen", "Max Pressure Diluent 3"
std::string CylinderSizeSIName(int cylinder); // "Cylinder Size SI Oxygen", ...
std::string CylinderSizeIName(int cylinder);  // "Cylinder Size I Oxygen", ...
inline constexpr uint32_t kDefaultMaxPressure = 264000; // bar x 100
inline constexpr uint32_t kDefaultCylinderSizeSI = 200; // litres x 100
inline constexpr uint32_t kDefaultCylinderSizeI = 1250; // cubic feet x 100

inline constexpr std::string_view kGraphDepth = "Graph Traces\\Depth";
inline constexpr uint32_t kDefaultGraphDepth = 1;
inline constexpr std::string_view kGraphSolenoids = "Graph Traces\\Solenoids";
// The firing row is there for those who ask for it; a fresh installation draws the chart without.
inline constexpr uint32_t kDefaultGraphSolenoids = 0;
inline constexpr int kTraceSlots = 10;
std::string TraceName(int slot);       // "Graph Traces\Trace0" ...
std::string TraceEnableName(int slot); // "Graph Traces\TraceEnable0" ...
inline constexpr uint32_t kDefaultTrace = 0;
inline constexpr uint32_t kDefaultTraceEnable = 0;
inline constexpr std::string_view kYAxisSelection = "Graph Traces\\YAxisSelection";
inline constexpr uint32_t kDefaultYAxisSelection = 0;
inline constexpr std::string_view kTraceGroup = "Graph Traces\\TraceGroup";
inline constexpr uint32_t kDefaultTraceGroup = 0;
inline constexpr std::string_view kTraceGroupOEM = "Graph Traces\\TraceGroupOEM";
inline constexpr std::string_view kDefaultTraceGroupOEM = "";

// The binary log's 16-byte scrambling key as 32 hex digits; the environment variable
// ZELVOR_LOG_KEY overrides it.
inline constexpr std::string_view kBinaryLogKey = "Binary Log Key";

// The diver's details for the DAN export live under this subkey.
inline constexpr std::string_view kDanSubkey = "DAN";

} // namespace settings
