#pragma once
// The rebreather's own log book: the dives it remembers, decoded from the memory copies a log
// file carries in its system information record, with the four texts the Log Book page shows and
// the comparison its sortable list uses.
//
// Where the entries live: files in the FRC layout keep the main log book in the colour display's
// region 11 (2048 entries of 32 bytes) and one further entry, written by the controller's EEPROM,
// in its region 12. Other files keep 48 entries of 16 bytes: the plain display in its region 8
// from offset 256, the colour display in its region 10 from offset 0.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "viewmodel/DataRows.h"

class CDiveLog;
class CDiveLogSysInfo;

struct CLogBookEntry {
    int m_nNumber = 0;
    bool m_bEeprom = false; // the single entry of the controller's EEPROM block
    bool m_bLongLayout = false;
    int m_nDay = 0;
    int m_nMonth = 0;
    int m_nYear = 0; // the stored year - 2000
    int m_nHour = 0;
    int m_nMinute = 0;
    int m_nSecond = 0;
    // Raw 16-bit words; 0xFFFF in the long layout means "not recorded".
    int m_nDuration = 0; // seconds
    int m_nDepth = 0;    // centimetres
};

inline constexpr std::size_t kLogBookLongEntrySize = 32;
inline constexpr std::size_t kLogBookLongEntries = 2048;
inline constexpr std::size_t kLogBookShortEntrySize = 16;
inline constexpr std::size_t kLogBookShortEntries = 48;
inline constexpr std::size_t kLogBookPlainDisplayOffset = 256;
inline constexpr uint8_t kLogBookValidTag = 0x70;
// Where the log book blocks are kept (see above).
inline constexpr int kLogBookMainRegion = 11;
inline constexpr int kLogBookEepromRegion = 12;
inline constexpr int kLogBookPlainRegion = 8;
inline constexpr int kLogBookColourRegion = 10;

// Memory-order entries of the blocks; a null or short block reads as zeros past its end.
std::vector<CLogBookEntry> DecodeLogBookLong(const std::vector<uint8_t>* mainBlock,
                                             const std::vector<uint8_t>* eepromBlock);
std::vector<CLogBookEntry> DecodeLogBookShort(const std::vector<uint8_t>* block,
                                              std::size_t offset);
// The entries of the loaded log, from the blocks of its system information record.
std::vector<CLogBookEntry> DecodeLogBook(const CDiveLogSysInfo& sysInfo, bool frcLayout);
std::vector<CLogBookEntry> DecodeLogBook(const CDiveLog& log);

// The bytes of one entry, the inverse of the decoding (for the simulator and tests). `out` must
// hold 32 (long) or 16 (short) bytes.
void EncodeLogBookEntry(const CLogBookEntry& entry, bool longLayout, uint8_t* out);

// The four headings: "Dive Number", "Date", "Duration (mm:ss)", "Max Depth (m)"/"(ft)".
std::vector<std::string> LogBookHeaders(bool metric,
                                        const StringLookup& lookup = DefaultStringLookup());
// Initial column widths in pixels.
inline constexpr int kLogBookColumnWidths[4] = {120, 200, 140, 140};
// Number, date and time, duration, depth.
std::vector<std::string> LogBookRowTexts(const CLogBookEntry& entry, bool metric);
std::string LogBookDurationText(const CLogBookEntry& entry);
std::string LogBookDepthText(const CLogBookEntry& entry, bool metric);

// The tab-separated clipboard text of a list (the same layout as the data page).
std::string ListClipboardText(const std::vector<std::string>& headers,
                              const std::vector<std::vector<std::string>>& rows);

// How the sortable list compares two cells: when both read as numbers they compare as numbers,
// when both read as dates ("dd/mm/yyyy", optionally followed by a time) or both as times
// ("m:ss", "h:mm:ss") they compare as such; otherwise, and on a tie, as text. A cell such as
// "12 (Eeprom)" reads as its leading number. Returns <0, 0 or >0.
int CompareListCells(const std::string& a, const std::string& b);
// Stable reordering of rows by one column; rows of equal cells keep their order.
void SortListRows(std::vector<std::vector<std::string>>& rows, int column, bool ascending);
