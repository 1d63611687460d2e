#include "viewmodel/LogBook.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSysInfo.h"
#include "viewmodel/DisplayProcessor.h"
#include "viewmodel/Units.h"

namespace {

enum ELogBookString {
    kStrNumber = 22020,
    kStrDate = 22021,
    kStrDuration = 22022,
    kStrDepthM = 22023,
    kStrDepthFt = 22024,
};

constexpr int kNotRecorded = 0xFFFF;

// Bounds-checked reads of a memory copy: past its end (or of a copy never received) reads 0.
class CBlockReader {
public:
    CBlockReader(const std::vector<uint8_t>* block, std::size_t base)
        : m_pBlock(block), m_nBase(base) {}
    int Byte(std::size_t offset) const {
        const std::size_t i = m_nBase + offset;
        return m_pBlock && i < m_pBlock->size() ? (*m_pBlock)[i] : 0;
    }
    int Word(std::size_t offset) const { return Byte(offset) << 8 | Byte(offset + 1); }

private:
    const std::vector<uint8_t>* m_pBlock;
    std::size_t m_nBase;
};

// Field offsets of the two entry layouts.
struct CEntryLayout {
    std::size_t number, day, month, year, hour, minute, second, duration, depth;
};
constexpr CEntryLayout kLong = {1, 4, 5, 6, 7, 8, 9, 18, 20};
constexpr CEntryLayout kShort = {0, 2, 3, 4, 5, 6, 7, 8, 10};
constexpr std::size_t kLongTagOffset = 0;

CLogBookEntry ReadEntry(const CBlockReader& r, const CEntryLayout& l, bool longLayout) {
    CLogBookEntry e;
    e.m_bLongLayout = longLayout;
    e.m_nNumber = r.Word(l.number);
    e.m_nDay = r.Byte(l.day);
    e.m_nMonth = r.Byte(l.month);
    e.m_nYear = r.Byte(l.year);
    e.m_nHour = r.Byte(l.hour);
    e.m_nMinute = r.Byte(l.minute);
    e.m_nSecond = r.Byte(l.second);
    e.m_nDuration = r.Word(l.duration);
    e.m_nDepth = r.Word(l.depth);
    return e;
}

void PutWord(uint8_t* out, int value) {
    out[0] = static_cast<uint8_t>(value >> 8 & 0xFF);
    out[1] = static_cast<uint8_t>(value & 0xFF);
}

std::string Printf2(const char* format, int a, int b = 0, int c = 0) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, a, b, c);
    return buf;
}

} // namespace

std::vector<CLogBookEntry> DecodeLogBookLong(const std::vector<uint8_t>* mainBlock,
                                             const std::vector<uint8_t>* eepromBlock) {
    std::vector<CLogBookEntry> entries;
    if (mainBlock) {
        for (std::size_t k = 0; k < kLogBookLongEntries; ++k) {
            const CBlockReader r(mainBlock, k * kLogBookLongEntrySize);
            if (r.Byte(kLongTagOffset) == kLogBookValidTag)
                entries.push_back(ReadEntry(r, kLong, true));
        }
    }
    if (eepromBlock) {
        const CBlockReader r(eepromBlock, 0);
        if (r.Byte(kLongTagOffset) == kLogBookValidTag) {
            entries.push_back(ReadEntry(r, kLong, true));
            entries.back().m_bEeprom = true;
        }
    }
    return entries;
}

std::vector<CLogBookEntry> DecodeLogBookShort(const std::vector<uint8_t>* block,
                                              std::size_t offset) {
    std::vector<CLogBookEntry> entries;
    if (!block)
        return entries;
    for (std::size_t k = 0; k < kLogBookShortEntries; ++k) {
        const CBlockReader r(block, offset + k * kLogBookShortEntrySize);
        CLogBookEntry e = ReadEntry(r, kShort, false);
        if (e.m_nNumber != 0)
            entries.push_back(e);
    }
    return entries;
}

std::vector<CLogBookEntry> DecodeLogBook(const CDiveLogSysInfo& sysInfo, bool frcLayout) {
    if (frcLayout) {
        return DecodeLogBookLong(sysInfo.RegionBytes(0xBC, kLogBookMainRegion),
                                 sysInfo.RegionBytes(0xBC, kLogBookEepromRegion));
    }
    if (DisplayProcessor(sysInfo) == 0xBC)
        return DecodeLogBookShort(sysInfo.RegionBytes(0xBC, kLogBookColourRegion), 0);
    return DecodeLogBookShort(sysInfo.RegionBytes(0xB0, kLogBookPlainRegion),
                              kLogBookPlainDisplayOffset);
}

std::vector<CLogBookEntry> DecodeLogBook(const CDiveLog& log) {
    return DecodeLogBook(log.m_SysInfo, log.m_bFrcLayout);
}

void EncodeLogBookEntry(const CLogBookEntry& e, bool longLayout, uint8_t* out) {
    const CEntryLayout& l = longLayout ? kLong : kShort;
    std::memset(out, 0, longLayout ? kLogBookLongEntrySize : kLogBookShortEntrySize);
    if (longLayout)
        out[kLongTagOffset] = kLogBookValidTag;
    PutWord(out + l.number, e.m_nNumber);
    out[l.day] = static_cast<uint8_t>(e.m_nDay);
    out[l.month] = static_cast<uint8_t>(e.m_nMonth);
    out[l.year] = static_cast<uint8_t>(e.m_nYear);
    out[l.hour] = static_cast<uint8_t>(e.m_nHour);
    out[l.minute] = static_cast<uint8_t>(e.m_nMinute);
    out[l.second] = static_cast<uint8_t>(e.m_nSecond);
    PutWord(out + l.duration, e.m_nDuration);
    PutWord(out + l.depth, e.m_nDepth);
}

std::vector<std::string> LogBookHeaders(bool metric, const StringLookup& lookup) {
    return {lookup(kStrNumber), lookup(kStrDate), lookup(kStrDuration),
            lookup(metric ? kStrDepthM : kStrDepthFt)};
}

std::string LogBookDurationText(const CLogBookEntry& e) {
    if (e.m_bLongLayout && e.m_nDuration == kNotRecorded)
        return "------";
    return Printf2("%02d:%02d", e.m_nDuration / 60, e.m_nDuration % 60);
}

std::string LogBookDepthText(const CLogBookEntry& e, bool metric) {
    if (e.m_bLongLayout && e.m_nDepth == kNotRecorded)
        return "------";
    const double metres = e.m_nDepth / 100.0;
    return FormatFixed(metric ? metres : units::MetresToFeet(metres), 1);
}

std::vector<std::string> LogBookRowTexts(const CLogBookEntry& e, bool metric) {
    std::string number = Printf2(e.m_bEeprom ? "%d (Eeprom)" : "%d", e.m_nNumber);
    // The long layout has always printed its year "%02d", the short one "%04d"; with the 2000
    // added both come out as four digits.
    std::string date = Printf2(e.m_bLongLayout ? "%02d/%02d/%02d" : "%02d/%02d/%04d", e.m_nDay,
                               e.m_nMonth, e.m_nYear + 2000);
    date += ' ';
    date += Printf2("%02d:%02d:%02d", e.m_nHour, e.m_nMinute, e.m_nSecond);
    return {std::move(number), std::move(date), LogBookDurationText(e),
            LogBookDepthText(e, metric)};
}

std::string ListClipboardText(const std::vector<std::string>& headers,
                              const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    AppendClipboardHeader(text, headers);
    for (const auto& row : rows)
        AppendClipboardRow(text, row);
    return text;
}

namespace {

enum class ECellKind { Text, Number, Date, Time };

struct CCellKey {
    ECellKind eKind = ECellKind::Text;
    double dValue = 0.0;
};

// Reads unsigned digits at s[i...]; false when there are none or more than `maxDigits`.
bool ReadDigits(const std::string& s, std::size_t& i, long long& value, std::size_t maxDigits) {
    const std::size_t start = i;
    value = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && i - start < maxDigits)
        value = value * 10 + (s[i++] - '0');
    return i > start && (i == s.size() || !std::isdigit(static_cast<unsigned char>(s[i])));
}

bool ReadChar(const std::string& s, std::size_t& i, char c) {
    if (i < s.size() && s[i] == c) {
        ++i;
        return true;
    }
    return false;
}

// "m:ss" or "h:mm:ss" from i to the end of s, in seconds.
bool ReadTime(const std::string& s, std::size_t i, double& seconds) {
    long long parts[3] = {};
    int count = 0;
    while (count < 3) {
        if (!ReadDigits(s, i, parts[count], count == 0 ? 9 : 2))
            return false;
        ++count;
        if (i == s.size())
            break;
        if (!ReadChar(s, i, ':'))
            return false;
    }
    if (count < 2 || i != s.size())
        return false;
    seconds =
        count == 2 ? parts[0] * 60.0 + parts[1] : parts[0] * 3600.0 + parts[1] * 60.0 + parts[2];
    return true;
}

// "dd/mm/yyyy" (or a two-digit year), optionally followed by a space and a time.
bool ReadDate(const std::string& s, double& key) {
    std::size_t i = 0;
    long long d = 0, m = 0, y = 0;
    if (!ReadDigits(s, i, d, 2) || !ReadChar(s, i, '/') || !ReadDigits(s, i, m, 2) ||
        !ReadChar(s, i, '/') || !ReadDigits(s, i, y, 4))
        return false;
    double seconds = 0.0;
    if (i != s.size() && !(ReadChar(s, i, ' ') && ReadTime(s, i, seconds)))
        return false;
    key = ((y * 12.0 + m) * 31.0 + d) * 86400.0 + seconds;
    return true;
}

// A number, alone or followed by a space and further text ("12 (Eeprom)").
bool ReadNumber(const std::string& s, double& value) {
    std::size_t i = 0;
    const bool negative = ReadChar(s, i, '-');
    const std::size_t digitsStart = i;
    double v = 0.0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        v = v * 10.0 + (s[i++] - '0');
    bool any = i > digitsStart;
    if (ReadChar(s, i, '.')) {
        double scale = 0.1;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            v += (s[i++] - '0') * scale;
            scale /= 10.0;
            any = true;
        }
    }
    if (!any || (i != s.size() && s[i] != ' '))
        return false;
    value = negative ? -v : v;
    return true;
}

CCellKey KeyOf(const std::string& s) {
    CCellKey key;
    if (ReadNumber(s, key.dValue))
        key.eKind = ECellKind::Number;
    else if (ReadDate(s, key.dValue))
        key.eKind = ECellKind::Date;
    else if (ReadTime(s, 0, key.dValue))
        key.eKind = ECellKind::Time;
    return key;
}

int CompareText(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

} // namespace

int CompareListCells(const std::string& a, const std::string& b) {
    const CCellKey ka = KeyOf(a);
    const CCellKey kb = KeyOf(b);
    if (ka.eKind == kb.eKind && ka.eKind != ECellKind::Text && ka.dValue != kb.dValue)
        return ka.dValue < kb.dValue ? -1 : 1;
    return CompareText(a, b);
}

void SortListRows(std::vector<std::vector<std::string>>& rows, int column, bool ascending) {
    if (column < 0)
        return;
    const auto col = static_cast<std::size_t>(column);
    static const std::string kEmpty;
    auto cell = [&](const std::vector<std::string>& row) -> const std::string& {
        return col < row.size() ? row[col] : kEmpty;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& x, const auto& y) {
        const int c = CompareListCells(cell(x), cell(y));
        return ascending ? c < 0 : c > 0;
    });
}
