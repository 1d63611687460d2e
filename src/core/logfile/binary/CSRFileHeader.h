#pragma once
// The file header record (type 0), 19 bytes: format bytes, producing tool and its version, the
// download date and time, and the display code version that decides the record layout.
#include <array>
#include <string>

#include "logfile/CDateTime.h"
#include "logfile/binary/CStandardRecord.h"

class CSRFileHeader : public CStandardRecord {
public:
    static constexpr size_t kPayloadSize = 19;
    // Producing tools.
    enum Tool : uint8_t { kRelay = 0, kDepot = 1, kBench = 2, kLink = 3 };
    // Display code versions from 07.00.03 on write the longer records with an FRC timestamp.
    static constexpr long kFrcLayoutVersion = 7000003;

    // A new header: 00 00 00 01 followed by fifteen 0xFF bytes.
    CSRFileHeader();

    // False for a payload shorter than 19 bytes, which leaves the fields as they were.
    bool SetData(const uint8_t* data, size_t length) override;
    // The header lines that carry a readable value: tool and version, "Date ...", "Time ...".
    // A tool byte above 3 or a date or time that is not valid gives no line at all: an empty
    // line would end the reading of the converted log before its first record.
    size_t GetLineCount() const override { return m_arLines.size(); }
    std::string GetLine(size_t index) const override;

    // Display code version bytes 16-18 as major x 1,000,000 + minor x 1,000 + build.
    long DisplayCodeVersion() const;
    bool IsFrcLayout() const { return DisplayCodeVersion() >= kFrcLayoutVersion; }
    uint8_t Tool() const { return m_arBytes[4]; }

    // Writer side.
    void SetTool(uint8_t tool, const std::array<uint8_t, 4>& version);
    // Invalid or null values are stored as 0xFF bytes.
    void SetDownload(const CDateTime& when);
    // Bytes 15-18: first byte, major, minor, build.
    void SetDisplayCodeVersion(const std::array<uint8_t, 4>& version);
    const std::array<uint8_t, kPayloadSize>& Bytes() const { return m_arBytes; }

private:
    void MakeLines();

    std::array<uint8_t, kPayloadSize> m_arBytes{};
    std::vector<std::string> m_arLines;
};
