#pragma once
// Reading a processor's identity area and code identification into the texts the system
// information shows.
#include <cstdint>
#include <string>
#include <vector>

#include "logfile/CDiveLogSysInfo.h"

namespace sysinfo {

// Identity byte that holds the decompression option: a plain index into the option list
// (0 "Dive Timer", 1 "Nitrox", 2 "Trimix", 3 "Recreational 1", 4 "Recreational 2",
// 5 "Disabled"). Byte 34 is the one unused byte between the serial number (18-33) and the
// hardware flags (35); any other value reads "Unknown value".
inline constexpr size_t kDecoOptionByte = 34;

const char* DecoOptionText(EDecoOption option);

// A view of one identity area; bytes past its end read 0.
class CIdentity {
public:
    CIdentity(const std::vector<uint8_t>& bytes, bool colourDisplay)
        : m_bytes(bytes), m_bColour(colourDisplay) {}

    void FillTexts(CSysInfoTexts& texts) const;
    std::vector<CSysHistoryEntry> History() const;
    EDecoOption DecoOption() const;
    bool BatteryLiPoly() const { return (At(35) & 0x80) != 0; }
    // Bytes 56-63 hold the dealer code in the newer layout; all zero means the older one.
    bool NewerLayout() const;
    bool UpgradeOnly() const { return NewerLayout() && At(44) != 0; }

    uint8_t At(size_t offset) const { return offset < m_bytes.size() ? m_bytes[offset] : 0; }
    // Characters outside 33-124 become spaces, then the text is trimmed.
    std::string CleanText(size_t offset, size_t count) const;
    std::string ShipmentDate() const;

private:
    // The colour display keeps owner details and history 64 bytes further on.
    size_t OwnerOffset() const { return m_bColour ? 64 : 0; }

    const std::vector<uint8_t>& m_bytes;
    bool m_bColour;
};

// Code version and code date from an eight-byte code identification.
void FillCodeTexts(const std::vector<uint8_t>& code, CSysInfoTexts& texts);

} // namespace sysinfo
