#pragma once
// Copies of the unit's processor memories (0xB0 header + 0xB1 data line pairs) and the texts
// built from them.
#include <string>
#include <string_view>

class CDiveLogSysInfo {
public:
    void Clear();
    // A 0xB1 data line together with the latest 0xB0 header line.
    void Decode(std::string_view headerLine, std::string_view dataLine);
    // Builds every text from the stored copies; once per load, after the last line.
    void Complete();
    // Bytes 3-7 of the processor's code identification, "%02X" joined with "."; empty when not
    // received. busAddress 0xB0/0xBC (display), 0xB2 (C1), 0xB4 (C2).
    std::string CodeVersionText(int busAddress) const;
    bool CodeVersionValid(int busAddress) const;
};
