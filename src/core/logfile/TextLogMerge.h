#pragma once
// Rewriting a text log with fresh user records (dive information and cylinders), kept apart from
// the file handling so the line rules can be tested on strings.
#include <string>
#include <string_view>
#include <vector>

// The 34-character line of sixteen 0xFF bytes that pads the unit's records up to the next
// power-on boundary; the loader ignores its type.
inline constexpr std::string_view kFillerLine = "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF00";

// Returns the new content of a text log:
// - download header lines stay where they are and do not count as record lines;
// - unit records (types 0x00-0x7F) are kept in order, each on its old record-line number, so
//   the file loads to the same dive as before;
// - earlier user records, earlier fillers and other types (0x80-0xAF, 0xB2-0xFF) are dropped,
//   those in front of a unit record replaced by a filler line to keep the numbering;
// - then `newRecords`, then the system-information lines (0xB0, 0xB1) in their old order.
// Reading stops at the first empty line, so none may stand in front of the new records: the
// lines from the first empty one on (which no load has ever read) are moved unchanged to the
// very end, or dropped when they are all empty. The line ending of the original (CR LF or LF)
// is kept.
std::string MergeTextLog(std::string_view original, const std::vector<std::string>& newRecords);

// Splits text into lines without their terminators (LF or CR LF).
std::vector<std::string_view> SplitLines(std::string_view text);
