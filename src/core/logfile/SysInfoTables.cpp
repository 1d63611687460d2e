#include "logfile/SysInfoTables.h"

#include <cstdio>

#include "logfile/CDateTime.h"
#include "logfile/FieldParsers.h"

namespace sysinfo {
namespace {

constexpr const char* kUnknownValue = "Unknown value";
constexpr const char* kWings[] = {"16 Kg", "22 Kg", "Jacket"};
constexpr const char* kHarnesses[] = {"Small", "Medium", "Large", "X Large", "XX Large"};
constexpr const char* kCounterlungs[] = {"Medium", "Large", "X Large"};
constexpr const char* kDecoOptions[] = {"Dive Timer",     "Nitrox",         "Trimix",
                                        "Recreational 1", "Recreational 2", "Disabled"};

template <size_t N> std::string TableText(const char* const (&table)[N], unsigned value) {
    return value < N ? table[value] : kUnknownValue;
}

const char* YesNo(bool yes) {
    return yes ? "Yes" : "No";
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

const char* DecoOptionText(EDecoOption option) {
    switch (option) {
    case EDecoOption::None:
        return "";
    case EDecoOption::Unknown:
        return kUnknownValue;
    default:
        return kDecoOptions[static_cast<int>(option)];
    }
}

bool CIdentity::NewerLayout() const {
    for (size_t i = 56; i <= 63; ++i)
        if (At(i) != 0)
            return true;
    return false;
}

std::string CIdentity::CleanText(size_t offset, size_t count) const {
    std::string text(count, ' ');
    for (size_t i = 0; i < count; ++i) {
        const uint8_t ch = At(offset + i);
        if (ch >= 33 && ch <= 124)
            text[i] = static_cast<char>(ch);
    }
    return Trim(text);
}

std::string CIdentity::ShipmentDate() const {
    int values[3] = {0, 0, 0}; // day, month, year
    const size_t widths[3] = {2, 2, 4};
    size_t offset = 36;
    for (int f = 0; f < 3; ++f) {
        for (size_t i = 0; i < widths[f]; ++i, ++offset) {
            const uint8_t ch = At(offset);
            if (ch < '0' || ch > '9')
                return "Invalid Date";
            values[f] = values[f] * 10 + (ch - '0');
        }
    }
    const CDateTime date(values[2], values[1], values[0], 0, 0, 0);
    return date.IsValid() ? date.Format("%d/%m/%Y") : "Invalid Date";
}

EDecoOption CIdentity::DecoOption() const {
    const uint8_t value = At(kDecoOptionByte);
    if (value <= static_cast<uint8_t>(EDecoOption::Disabled))
        return static_cast<EDecoOption>(value);
    return EDecoOption::Unknown;
}

void CIdentity::FillTexts(CSysInfoTexts& t) const {
    const bool newer = NewerLayout();
    t.m_strUnitType = CleanText(0, 16);
    t.m_strSerialNumber = CleanText(18, 16);
    t.m_strShipmentDate = ShipmentDate();
    t.m_strDealerCode = newer ? CleanText(56, 8) : CleanText(44, 6);
    t.m_strTesterId = std::to_string(At(50));
    if (newer) {
        t.m_strUpgradeOnly = YesNo(At(44) != 0);
        t.m_strTempProbe = YesNo(At(45) & 0x01);
        t.m_strOcb = YesNo(At(45) & 0x02);
        t.m_strHus = YesNo(At(45) & 0x04);
    }
    if (!UpgradeOnly()) {
        t.m_strWing = TableText(kWings, At(51));
        t.m_strHarness = TableText(kHarnesses, At(52));
        t.m_strCounterlungs = TableText(kCounterlungs, At(53));
        t.m_strAdv = YesNo(At(54) != 0);
        t.m_strWingCylinder = YesNo(At(55) != 0);
    }
    t.m_strDecoOption = DecoOptionText(DecoOption());
    t.m_strBatteryType = BatteryLiPoly() ? "Li-Poly" : "Standard";
    const size_t owner = OwnerOffset();
    t.m_strOwnerName = CleanText(64 + owner, 16);
    t.m_strOwnerTelephone = CleanText(82 + owner, 16);
    t.m_strOwnerPostCode = CleanText(100 + owner, 16);
}

std::vector<CSysHistoryEntry> CIdentity::History() const {
    std::vector<CSysHistoryEntry> entries;
    const size_t start = m_bColour ? 256 : 128;
    const CDateTime origin(2000, 1, 1, 0, 0, 0);
    for (int i = 0; i < CDiveLogSysInfo::kMaxHistory; ++i) {
        const size_t at = start + 3 * static_cast<size_t>(i);
        if (at + 3 > m_bytes.size())
            break;
        if (At(at) == 0xFF)
            continue;
        CSysHistoryEntry entry;
        entry.m_byEvent = At(at);
        entry.m_nDayNumber = static_cast<uint16_t>(At(at + 1) << 8 | At(at + 2));
        // One hour past midnight keeps the date clear of any rounding at the day boundary.
        entry.m_strDate =
            origin.AddSeconds(entry.m_nDayNumber * 86400.0 + 3600.0).Format("%d %b %Y");
        entries.push_back(std::move(entry));
    }
    return entries;
}

void FillCodeTexts(const std::vector<uint8_t>& code, CSysInfoTexts& texts) {
    if (code.size() < 8)
        return;
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/%02d", code[0], code[1], code[2]);
    texts.m_strCodeDate = date;
    std::string version;
    for (size_t i = 3; i <= 7; ++i) {
        if (i > 3)
            version += '.';
        AppendHexByte(version, code[i]);
    }
    texts.m_strCodeVersion = version;
}

} // namespace sysinfo
