#pragma once
// The diver's details of the dive (records 0x80-0x8E) and the dive summary worked out after a
// load.
#include <string>
#include <string_view>

class CDiveLogInformation {
public:
    void Clear();
    // Lines of types 0x80-0x8E in either layout; others are ignored.
    void Decode(unsigned recordType, std::string_view line);
};
