#pragma once
// Builds a binary log from the lines of a text log: a file header from the download-tool
// lines, the log memory (type 32) from the sample and pre-dive records, one user record (type
// 33) from the dive information and gas management lines, one memory block (type 16) per
// 0xB0/0xB1 pair, and DAN data (type 34) from 0xD0 lines; each record with its CRC, the log
// memory and memory blocks scrambled, and the whole-file CRC at the end. Reading the result
// back gives the same lines, in the order header, log memory, user, memory blocks, DAN.
//
// Log records must fill exactly one record of the layout (16 bytes short, 32 FRC, checksum not
// counted). Shorter ones (the 13-byte 0x1A cylinder record) are padded with zeros to the
// record size, as the unit's memory holds them, so they come back as full-length lines.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logfile/CDateTime.h"
#include "logfile/binary/CBinaryLogKey.h"

class CBinaryLogWriter {
public:
    enum class Layout { Auto, Short, Frc };

    struct Options {
        // Auto: FRC when the first record line is 66 characters long.
        Layout layout = Layout::Auto;
        // Display code version bytes of the header (first byte, major, minor, build); by
        // default 00 07 00 03 for the FRC layout and 00 05 02 46 for the short one.
        std::optional<std::array<uint8_t, 4>> displayVersion;
        // Key-stream start bytes of the log memory and the memory blocks (product 30 here).
        std::array<uint8_t, 4> startBytes = {0x01, 0x02, 0x03, 0x05};
        // The key; by default the configured one.
        std::optional<CBinaryLogKey> key;
        // Log lines per type-32 record; 0 puts them all in one.
        size_t linesPerLogRecord = 0;
        // False writes 0 as the file CRC (an unprotected file).
        bool protect = true;
    };

    CBinaryLogWriter() = default;
    explicit CBinaryLogWriter(Options options) : m_options(std::move(options)) {}

    // The file image for these lines. Reading stops at the first empty line, as a loader does.
    // False with a reason when a line is not a record line with a valid checksum, is too long
    // for a log record, or when a B1 line has no B0 line before it.
    bool Build(const std::vector<std::string>& lines, std::string& file);
    // Build, then write to `path`.
    bool WriteFile(const std::string& path, const std::vector<std::string>& lines);
    const std::string& GetErrorText() const { return m_strError; }

    // Splits a text log into lines (LF or CR LF).
    static std::vector<std::string> SplitLines(std::string_view text);

private:
    struct Parts;
    bool Sort(const std::vector<std::string>& lines, Parts& parts);
    bool AddLogLine(Parts& parts, const std::string& bytes, size_t lineNo);
    std::string HeaderPayload(const Parts& parts) const;
    bool LogPayloads(Parts& parts, const CBinaryLogKey& key);
    bool BlockPayloads(Parts& parts, const CBinaryLogKey& key, bool scramble);
    bool Fail(std::string text);

    Options m_options;
    std::string m_strError;
};
