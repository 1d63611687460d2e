#pragma once
// The viewer's own preferences: units, the folder of the last file, the status-log level, the
// language and the chart's right-click switch.
#include <cstdint>
#include <string>

#include "settings/SettingField.h"

struct CViewerPreferences {
    uint32_t m_nUnits = 0;
    std::string m_strDefaultDirectory;
    uint32_t m_nMessageLevel = 0;
    uint32_t m_nLanguageId = 0;
    uint32_t m_nChartRightClickMenu = 0;

    // Any non-zero "Units" is metric.
    bool IsMetric() const { return m_nUnits != 0; }
    // The one reading of "EnableChartRightClickMenu": the toggle writes 0 for any non-zero value,
    // so any non-zero value is on, for the chart and the menu's check mark alike.
    bool ChartRightClickMenu() const { return m_nChartRightClickMenu != 0; }
    // Above 4 counts as 0.
    int MessageLevel() const { return m_nMessageLevel > 4 ? 0 : static_cast<int>(m_nMessageLevel); }

    static const CSettingTable<CViewerPreferences>& Table();
};
