// The descriptor tables of the settings groups, in the order of the settings reference.
#include "settings/CBinaryKeySetting.h"
#include "settings/CCylinderDefaults.h"
#include "settings/CTraceSettings.h"
#include "settings/CViewerPreferences.h"
#include "settings/PrinterSettings.h"

using namespace settings;

const CSettingTable<CViewerPreferences>& CViewerPreferences::Table() {
    using G = CViewerPreferences;
    static const CSettingTable<G> table = {
        Dword<G>(std::string(kUnits), kDefaultUnits, [](G& g) -> uint32_t& { return g.m_nUnits; }),
        Text<G>(std::string(kDefaultDirectory), DefaultDirectoryDefault(),
                [](G& g) -> std::string& { return g.m_strDefaultDirectory; }),
        Dword<G>(std::string(kMessageLevel), kDefaultMessageLevel,
                 [](G& g) -> uint32_t& { return g.m_nMessageLevel; }),
        Dword<G>(std::string(kLanguageId), kDefaultLanguageId,
                 [](G& g) -> uint32_t& { return g.m_nLanguageId; }),
        Dword<G>(std::string(kEnableChartRightClickMenu), kDefaultEnableChartRightClickMenu,
                 [](G& g) -> uint32_t& { return g.m_nChartRightClickMenu; }),
    };
    return table;
}

const CSettingTable<CCylinderDefaults>& CCylinderDefaults::Table() {
    using G = CCylinderDefaults;
    static const CSettingTable<G> table = [] {
        CSettingTable<G> t;
        for (size_t c = 0; c < kCylinderCount; ++c)
            t.push_back(Dword<G>(MaxPressureName(int(c)), kDefaultMaxPressure,
                                 [c](G& g) -> uint32_t& { return g.m_nMaxPressure[c]; }));
        for (size_t c = 0; c < kCylinderCount; ++c)
            t.push_back(Dword<G>(CylinderSizeSIName(int(c)), kDefaultCylinderSizeSI,
                                 [c](G& g) -> uint32_t& { return g.m_nCylinderSizeSI[c]; }));
        for (size_t c = 0; c < kCylinderCount; ++c)
            t.push_back(Dword<G>(CylinderSizeIName(int(c)), kDefaultCylinderSizeI,
                                 [c](G& g) -> uint32_t& { return g.m_nCylinderSizeI[c]; }));
        return t;
    }();
    return table;
}

const CSettingTable<CTraceSettings>& CTraceSettings::Table() {
    using G = CTraceSettings;
    static const CSettingTable<G> table = [] {
        CSettingTable<G> t;
        t.push_back(Dword<G>(std::string(kGraphDepth), kDefaultGraphDepth,
                             [](G& g) -> uint32_t& { return g.m_nDepth; }));
        t.push_back(Dword<G>(std::string(kGraphSolenoids), kDefaultGraphSolenoids,
                             [](G& g) -> uint32_t& { return g.m_nSolenoids; }));
        for (size_t s = 0; s < kTraceSlots; ++s)
            t.push_back(Dword<G>(TraceName(int(s)), kDefaultTrace,
                                 [s](G& g) -> uint32_t& { return g.m_nTrace[s]; }));
        for (size_t s = 0; s < kTraceSlots; ++s)
            t.push_back(Dword<G>(TraceEnableName(int(s)), kDefaultTraceEnable,
                                 [s](G& g) -> uint32_t& { return g.m_nTraceEnable[s]; }));
        t.push_back(Dword<G>(std::string(kYAxisSelection), kDefaultYAxisSelection,
                             [](G& g) -> uint32_t& { return g.m_nYAxisSelection; }));
        t.push_back(Dword<G>(std::string(kTraceGroup), kDefaultTraceGroup,
                             [](G& g) -> uint32_t& { return g.m_nTraceGroup; }));
        t.push_back(Text<G>(std::string(kTraceGroupOEM), std::string(kDefaultTraceGroupOEM),
                            [](G& g) -> std::string& { return g.m_strTraceGroupOEM; }));
        return t;
    }();
    return table;
}

const CSettingTable<CBinaryKeySetting>& CBinaryKeySetting::Table() {
    using G = CBinaryKeySetting;
    static const CSettingTable<G> table = {
        Text<G>(std::string(kBinaryLogKey), "", [](G& g) -> std::string& { return g.m_strKey; }),
    };
    return table;
}

const CSettingTable<CPrinterConfig>& CPrinterConfig::Table() {
    using G = CPrinterConfig;
    static const CSettingTable<G> table = {
        Text<G>(std::string(kPrinterName), "",
                [](G& g) -> std::string& { return g.m_strPrinterName; }),
        Text<G>(std::string(kPrinterSpooler), "",
                [](G& g) -> std::string& { return g.m_strSpooler; }),
        Text<G>(std::string(kPrinterPort), "", [](G& g) -> std::string& { return g.m_strPort; }),
        Dword<G>(std::string(kPrinterLandscape), kPortrait,
                 [](G& g) -> uint32_t& { return g.m_nLandscape; }),
    };
    return table;
}
