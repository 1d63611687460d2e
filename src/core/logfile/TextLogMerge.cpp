#include "logfile/TextLogMerge.h"

#include "logfile/FieldParsers.h"

namespace {

constexpr unsigned kLastUnitRecord = 0x7F;
constexpr unsigned kSysInfoHeader = 0xB0;
constexpr unsigned kSysInfoData = 0xB1;

bool UsesCrLf(std::string_view text) {
    const size_t nl = text.find('\n');
    return nl != std::string_view::npos && nl > 0 && text[nl - 1] == '\r';
}

} // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t nl = text.find('\n', pos);
        const size_t end = nl == std::string_view::npos ? text.size() : nl;
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        pos = nl == std::string_view::npos ? text.size() : nl + 1;
    }
    return lines;
}

std::string MergeTextLog(std::string_view original, const std::vector<std::string>& newRecords) {
    std::vector<std::string_view> kept;
    std::vector<std::string_view> sysInfo;
    const std::vector<std::string_view> lines = SplitLines(original);
    // Reading stops at the first empty line. Whatever follows it was never part of the dive; it
    // goes back unchanged at the very end, after the new records, so the next load sees the
    // same records as before plus the new ones. A tail of nothing but empty lines is dropped.
    size_t readable = 0;
    while (readable < lines.size() && !lines[readable].empty())
        ++readable;
    bool keepTail = false;
    for (size_t i = readable; i < lines.size(); ++i)
        keepTail = keepTail || !lines[i].empty();

    // Every unit record keeps its record-line number: the loader skips a short-layout power-on
    // record that is off its four-line grid, so moving one (or dropping a line in front of one)
    // would change which power-ons count and with them the dive shown. A line that goes (an
    // old user record, a system-information line moving to the end, any other type) is
    // replaced by a filler line when a unit record follows it. Header lines are not record
    // lines and stay where they are.
    size_t lastUnit = 0;
    for (size_t i = 0; i < readable; ++i)
        if (!IsHeaderLine(lines[i]) && RecordType(lines[i]) <= kLastUnitRecord)
            lastUnit = i + 1;
    for (size_t i = 0; i < readable; ++i) {
        const std::string_view line = lines[i];
        if (IsHeaderLine(line)) {
            kept.push_back(line);
            continue;
        }
        const unsigned type = RecordType(line);
        if (type == kSysInfoHeader || type == kSysInfoData)
            sysInfo.push_back(line);
        if (type <= kLastUnitRecord)
            kept.push_back(line);
        else if (i < lastUnit)
            kept.push_back(kFillerLine);
    }

    const std::string_view eol = UsesCrLf(original) ? "\r\n" : "\n";
    std::string out;
    out.reserve(original.size() + newRecords.size() * 72);
    auto add = [&](std::string_view line) {
        out.append(line);
        out.append(eol);
    };
    for (auto line : kept)
        add(line);
    for (const auto& line : newRecords)
        if (!line.empty())
            add(line);
    for (auto line : sysInfo)
        add(line);
    if (keepTail) {
        for (size_t i = readable; i < lines.size(); ++i)
            add(lines[i]);
    }
    return out;
}
