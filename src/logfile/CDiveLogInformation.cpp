#include "logfile/CDiveLogInformation.h"

void CDiveLogInformation::Clear() {}

void CDiveLogInformation::Decode(unsigned recordType, std::string_view line) {
    (void)recordType;
    (void)line;
}
