#pragma once
// Copies of the unit's processor memories (0xB0 header + 0xB1 data line pairs) and the texts
// built from them, kept per processor column: the display (plain B0 or colour BC), C1 (B2) and
// C2 (B4).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The decompression mode the unit was sold with. None: not a processor column, or its identity
// area was not received.
enum class EDecoOption {
    None = -1,
    DiveTimer,
    Nitrox,
    Trimix,
    Recreational1,
    Recreational2,
    Disabled,
    Unknown
};

// One entry of a processor's service history.
struct CSysHistoryEntry {
    uint8_t m_byEvent = 0;
    uint16_t m_nDayNumber = 0; // days since 1 January 2000
    std::string m_strDate;     // "%d %b %Y"
};

// The texts of one processor column; all empty when its identity area was not received.
struct CSysInfoTexts {
    std::string m_strUnitType;
    std::string m_strSerialNumber;
    std::string m_strShipmentDate; // "%d/%m/%Y" or "Invalid Date"
    std::string m_strDealerCode;
    std::string m_strTesterId;
    std::string m_strUpgradeOnly; // "Yes"/"No"; empty in the older identity layout
    std::string m_strWing;        // empty for upgrade-only units
    std::string m_strHarness;
    std::string m_strCounterlungs;
    std::string m_strAdv;
    std::string m_strWingCylinder;
    std::string m_strTempProbe; // empty in the older identity layout
    std::string m_strOcb;
    std::string m_strHus;
    std::string m_strDecoOption;  // "Dive Timer" ... "Disabled", "Unknown value"
    std::string m_strBatteryType; // "Standard" or "Li-Poly"
    std::string m_strCodeVersion; // "DC.00.05.01.42"
    std::string m_strCodeDate;    // "dd/mm/yy" from the code identification
    std::string m_strOwnerName;
    std::string m_strOwnerTelephone;
    std::string m_strOwnerPostCode;
};

class CDiveLogSysInfo {
public:
    enum Column { kColumnDisplay = 0, kColumnC1 = 1, kColumnC2 = 2, kColumns = 3 };
    // Regions whose copies are kept. Region 0 stands for the whole identity area (regions 0-3).
    static constexpr std::array<int, 6> kStoredRegions = {0, 7, 8, 10, 11, 12};
    static constexpr int kMaxHistory = 21;

    CDiveLogSysInfo();

    void Clear();
    // A 0xB1 data line together with the latest 0xB0 header line.
    void Decode(std::string_view headerLine, std::string_view dataLine);
    // Builds every text from the stored copies; once per load, after the last line.
    void Complete();
    // Regions Decode could not keep for want of memory, since the last Clear (the loader
    // reports each as "Memory allocation failed").
    int LostRegions() const { return m_nLostRegions; }

    // Bytes 3-7 of the processor's code identification, "%02X" joined with "."; empty when not
    // received. busAddress 0xB0/0xBC (display), 0xB2 (C1), 0xB4 (C2).
    std::string CodeVersionText(int busAddress) const;
    bool CodeVersionValid(int busAddress) const;

    // 0-2 for B0/BC, B2, B4; -1 for any other address.
    static int ColumnOf(int busAddress);
    // The display model whose header came last: 0xB0 or 0xBC, 0 when neither was seen.
    int DisplayBusAddress() const { return m_nDisplayBus; }

    // The stored copy of a region (0 = identity area, 7, 8, 10, 11, 12) in its full length;
    // nullptr when not received. For the display, 0xB0 and 0xBC only return copies that model
    // sent (the two maps differ).
    const std::vector<uint8_t>* RegionBytes(int busAddress, int region) const;

    // Texts as Complete built them; an empty set for an unknown address.
    const CSysInfoTexts& Texts(int busAddress) const;
    const std::vector<CSysHistoryEntry>& History(int busAddress) const;
    EDecoOption DecoOption(int busAddress) const;
    // Bit 7 of identity byte 35 (lithium-polymer battery); false when not received.
    bool BatteryLiPoly(int busAddress) const;
    // The three processors agree on the battery type (none or all three set).
    bool BatteryTypesConsistent() const;

    static const char* DecoOptionText(EDecoOption option);

private:
    struct CRegionCopy {
        std::vector<uint8_t> m_arBytes;
        int m_nSourceBus = 0;
        bool m_bPresent = false;
    };
    struct CColumn {
        std::array<CRegionCopy, kStoredRegions.size()> m_arRegions;
        CSysInfoTexts m_Texts;
        std::vector<CSysHistoryEntry> m_arHistory;
        EDecoOption m_eDecoOption = EDecoOption::None;
        bool m_bLiPoly = false;
    };

    static int SlotOf(int region);
    const CRegionCopy* Copy(int column, int region) const;
    void StoreRegion(int busAddress, int region, std::string_view dataLine, size_t length,
                     bool exactLength);
    void CompleteColumn(CColumn& column);

    std::array<CColumn, kColumns> m_arColumns;
    int m_nDisplayBus = 0;
    int m_nLostRegions = 0;
};
