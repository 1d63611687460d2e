#include "logfile/CDiveLogSysInfo.h"

void CDiveLogSysInfo::Clear() {}

void CDiveLogSysInfo::Decode(std::string_view headerLine, std::string_view dataLine) {
    (void)headerLine;
    (void)dataLine;
}

void CDiveLogSysInfo::Complete() {}

std::string CDiveLogSysInfo::CodeVersionText(int busAddress) const {
    (void)busAddress;
    return {};
}

bool CDiveLogSysInfo::CodeVersionValid(int busAddress) const {
    (void)busAddress;
    return false;
}
