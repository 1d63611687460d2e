#include "viewmodel/DisplayProcessor.h"

#include "logfile/CDeviceList.h"
#include "logfile/CDiveLog.h"

int DisplayProcessor(const CDiveLogSysInfo& sys) {
    return sys.DisplayBusAddress() == kBusColourDisplay ? kBusColourDisplay : kBusDisplay;
}

std::string DisplayDecoOptionText(const CDiveLogSysInfo& sys) {
    const EDecoOption option = sys.DecoOption(DisplayProcessor(sys));
    return option == EDecoOption::None ? std::string() : CDiveLogSysInfo::DecoOptionText(option);
}

CDisplayBattery DisplayBattery(const CDiveLog& log) {
    CDisplayBattery battery;
    battery.liPoly = log.m_SysInfo.BatteryLiPoly(DisplayProcessor(log.m_SysInfo));
    if (log.VersionLevel(6) && !log.m_SysInfo.BatteryTypesConsistent())
        battery.notice = battery.liPoly ? "Battery types inconsistent - Display type LiPoly used"
                                        : "Battery types inconsistent - Display type Standard used";
    return battery;
}
