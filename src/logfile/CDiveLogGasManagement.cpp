#include "logfile/CDiveLogGasManagement.h"

void CDiveLogGasManagement::Reset() {}

void CDiveLogGasManagement::Decode(unsigned recordType, std::string_view line) {
    (void)recordType;
    (void)line;
}
