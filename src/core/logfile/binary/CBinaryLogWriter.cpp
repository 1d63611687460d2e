#include "logfile/binary/CBinaryLogWriter.h"

#include <cstdio>
#include <cstring>

#include "logfile/FieldParsers.h"
#include "logfile/binary/BinaryLineBytes.h"
#include "logfile/binary/BinaryLogRecords.h"
#include "logfile/binary/CSRDANData.h"
#include "logfile/binary/CSRDLDataComp.h"
#include "logfile/binary/CSRDLDataUser.h"
#include "logfile/binary/CSRFileHeader.h"
#include "logfile/binary/CSRMemoryBlock.h"
#include "logfile/binary/CStandardRecord.h"

namespace {

constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

constexpr const char* kToolPrefixes[] = {"Porthole Relay Version ", "Porthole Depot Version ",
                                         "Porthole Bench Version ", "Porthole Link Version "};

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

int MonthNumber(const char* name) {
    for (int i = 0; i < 12; ++i)
        if (std::strcmp(name, kMonths[i]) == 0)
            return i + 1;
    return 0;
}

bool IsUserRecord(unsigned type) {
    return (type >= 0x80 && type <= 0x8E) || (type >= 0xA0 && type <= 0xAC);
}

} // namespace

struct CBinaryLogWriter::Parts {
    bool bFrc = false;
    uint8_t nTool = 0xFF;
    std::array<uint8_t, 4> arToolVersion = {0xFF, 0xFF, 0xFF, 0xFF};
    CDateTime dtDate;
    std::array<int, 3> arTime = {-1, -1, -1};
    std::vector<std::string> arLogRecords;
    std::string strUser;
    std::string strDan;
    std::vector<std::string> arBlocks; // memory block payloads, plain
    std::string strPendingB0;          // bytes after the type, before the checksum
    bool bHavePendingB0 = false;
};

bool CBinaryLogWriter::Fail(std::string text) {
    m_strError = std::move(text);
    return false;
}

std::vector<std::string> CBinaryLogWriter::SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        if (nl == std::string_view::npos)
            nl = text.size();
        std::string_view line = text.substr(pos, nl - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        pos = nl + 1;
    }
    return lines;
}

namespace {

void ReadHeaderLine(const std::string& line, uint8_t& tool, std::array<uint8_t, 4>& version,
                    CDateTime& date, std::array<int, 3>& time) {
    for (uint8_t t = 0; t < 4; ++t) {
        if (!StartsWith(line, kToolPrefixes[t]))
            continue;
        unsigned a, b, c, d;
        if (std::sscanf(line.c_str() + std::strlen(kToolPrefixes[t]), "%u.%u.%u.%u", &a, &b, &c,
                        &d) == 4 &&
            a < 256 && b < 256 && c < 256 && d < 256) {
            tool = t;
            version = {uint8_t(a), uint8_t(b), uint8_t(c), uint8_t(d)};
        }
        return;
    }
    int day = 0, year = 0, h = -1, m = -1, s = -1;
    char month[16] = {};
    if (std::sscanf(line.c_str(), "Date %d %15s %d", &day, month, &year) == 3) {
        if (year >= 2000 && year <= 2255)
            date = CDateTime(year, MonthNumber(month), day, 0, 0, 0);
    } else if (std::sscanf(line.c_str(), "Time %d:%d:%d", &h, &m, &s) == 3) {
        time = {h, m, s};
    }
}

} // namespace

bool CBinaryLogWriter::AddLogLine(Parts& parts, const std::string& bytes, size_t lineNo) {
    const size_t size =
        parts.bFrc ? CSRDLDataComp::kFrcRecordSize : CSRDLDataComp::kShortRecordSize;
    const size_t length = bytes.size() - 1; // without the checksum
    if (length > size)
        return Fail("Line " + std::to_string(lineNo) + " is too long for a log record");
    std::string record = bytes.substr(0, length);
    record.resize(size, '\0');
    parts.arLogRecords.push_back(std::move(record));
    return true;
}

bool CBinaryLogWriter::Sort(const std::vector<std::string>& lines, Parts& parts) {
    bool layoutKnown = m_options.layout != Layout::Auto;
    parts.bFrc = m_options.layout == Layout::Frc;
    auto flushB0 = [&](std::string_view data) {
        std::string block(reinterpret_cast<const char*>(m_options.startBytes.data()), 4);
        block += parts.strPendingB0.substr(0, 6);
        block += data;
        parts.arBlocks.push_back(std::move(block));
        parts.bHavePendingB0 = false;
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const size_t lineNo = i + 1;
        if (line.empty())
            break;
        if (IsHeaderLine(line)) {
            ReadHeaderLine(line, parts.nTool, parts.arToolVersion, parts.dtDate, parts.arTime);
            continue;
        }
        std::string bytes;
        if (!LineToBytes(line, bytes) || bytes.size() < 2 || !IsChecksumValid(line))
            return Fail("Line " + std::to_string(lineNo) +
                        " is not a record line with a valid checksum");
        if (!layoutKnown) {
            parts.bFrc = line.size() == 66;
            layoutKnown = true;
        }
        const unsigned type = static_cast<uint8_t>(bytes[0]);
        const std::string_view body = std::string_view(bytes).substr(1, bytes.size() - 2);
        if (type == 0xB0) {
            if (parts.bHavePendingB0)
                flushB0({});
            if (body.size() < 6)
                return Fail("Line " + std::to_string(lineNo) + " is too short for a B0 line");
            parts.strPendingB0 = body;
            parts.bHavePendingB0 = true;
        } else if (type == 0xB1) {
            if (!parts.bHavePendingB0)
                return Fail("Line " + std::to_string(lineNo) + " is a B1 line without a B0 line");
            flushB0(body);
        } else if (IsUserRecord(type)) {
            CSRDLDataUser::AppendLineAsEntry(parts.strUser, line);
        } else if (type == 0xD0) {
            if (!CSRDANData::AppendLineAsEntry(parts.strDan, line))
                return Fail("Line " + std::to_string(lineNo) + " is not a DAN data line");
        } else if (!AddLogLine(parts, bytes, lineNo)) {
            return false;
        }
    }
    if (parts.bHavePendingB0)
        flushB0({});
    return true;
}

std::string CBinaryLogWriter::HeaderPayload(const Parts& parts) const {
    CSRFileHeader header;
    header.SetTool(parts.nTool, parts.arToolVersion);
    const std::array<uint8_t, 4> version =
        parts.bFrc ? std::array<uint8_t, 4>{0, 7, 0, 3} : std::array<uint8_t, 4>{0, 5, 2, 46};
    header.SetDisplayCodeVersion(m_options.displayVersion.value_or(version));
    std::string payload(reinterpret_cast<const char*>(header.Bytes().data()),
                        header.Bytes().size());
    // Date and time are separate lines of a text log, so each is kept (or left erased) alone.
    if (parts.dtDate.IsValid()) {
        payload[9] = static_cast<char>(parts.dtDate.Year() - 2000);
        payload[10] = static_cast<char>(parts.dtDate.Month());
        payload[11] = static_cast<char>(parts.dtDate.Day());
    }
    for (int i = 0; i < 3; ++i) {
        const int value = parts.arTime[i];
        payload[12 + i] = static_cast<char>(value < 0 || value > 255 ? 0xFF : value);
    }
    return payload;
}

bool CBinaryLogWriter::LogPayloads(Parts& parts, const CBinaryLogKey& key) {
    const size_t size =
        parts.bFrc ? CSRDLDataComp::kFrcRecordSize : CSRDLDataComp::kShortRecordSize;
    const size_t perRecord =
        m_options.linesPerLogRecord == 0 ? parts.arLogRecords.size() : m_options.linesPerLogRecord;
    std::vector<std::string> payloads;
    for (size_t first = 0; first < parts.arLogRecords.size(); first += perRecord) {
        std::string payload(reinterpret_cast<const char*>(m_options.startBytes.data()), 4);
        const size_t last = std::min(parts.arLogRecords.size(), first + perRecord);
        for (size_t i = first; i < last; ++i)
            payload += parts.arLogRecords[i];
        auto* data = reinterpret_cast<uint8_t*>(payload.data());
        if (!key.ScrambleBlocks(data + 4, payload.size() - 4, size,
                                CBinaryLogKey::StartOffset(m_options.startBytes.data())))
            return Fail("A log record would scramble to erased memory");
        payloads.push_back(std::move(payload));
    }
    parts.arLogRecords = std::move(payloads);
    return true;
}

bool CBinaryLogWriter::BlockPayloads(Parts& parts, const CBinaryLogKey& key, bool scramble) {
    if (!scramble)
        return true;
    for (std::string& block : parts.arBlocks) {
        std::vector<uint8_t> payload(block.begin(), block.end());
        if (!CSRMemoryBlock::ApplyKey(payload, key, true))
            return Fail("A memory block would scramble to erased memory");
        block.assign(payload.begin(), payload.end());
    }
    return true;
}

bool CBinaryLogWriter::Build(const std::vector<std::string>& lines, std::string& file) {
    file.clear();
    m_strError.clear();
    Parts parts;
    if (!Sort(lines, parts))
        return false;
    const CBinaryLogKey key = m_options.key ? *m_options.key : CBinaryLogKey::Resolve();
    // A reader leaves the blocks of a file from the Depot tool alone when their start product
    // is negative, so such blocks must be written plain.
    const bool scrambleBlocks = !(parts.nTool == CSRFileHeader::kDepot &&
                                  CBinaryLogKey::StartProduct(m_options.startBytes.data()) < 0);
    if (!LogPayloads(parts, key) || !BlockPayloads(parts, key, scrambleBlocks))
        return false;

    std::vector<CStandardRecordData> records;
    records.push_back({CStandardRecord::kTypeFileHeader, HeaderPayload(parts)});
    for (std::string& payload : parts.arLogRecords)
        records.push_back({CStandardRecord::kTypeDLDataComp, std::move(payload)});
    if (!parts.strUser.empty())
        records.push_back({CStandardRecord::kTypeDLDataUser, std::move(parts.strUser)});
    for (std::string& payload : parts.arBlocks)
        records.push_back({CStandardRecord::kTypeMemoryBlock, std::move(payload)});
    if (!parts.strDan.empty())
        records.push_back({CStandardRecord::kTypeDANData, std::move(parts.strDan)});
    file = binarylog::WriteRecords(records, m_options.protect);
    return true;
}

bool CBinaryLogWriter::WriteFile(const std::string& path, const std::vector<std::string>& lines) {
    std::string file;
    if (!Build(lines, file))
        return false;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return Fail("Unable to create " + path);
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    if (std::fclose(out) != 0 || !written)
        return Fail("Unable to write " + path);
    return true;
}
