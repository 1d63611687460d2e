#pragma once
// Cylinders and gases (records 0x09, 0x19 and 0xA0-0xAC): cylinder 0 is the oxygen cylinder,
// 1-12 the diluents.
#include <string>
#include <string_view>

class CDiveLogGasManagement {
public:
    // Every field to its default, with sizes and pressures from the settings at this moment.
    void Reset();
    void Decode(unsigned recordType, std::string_view line);
};
