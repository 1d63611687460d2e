#pragma once
// DAN data (type 34): a run of entries, each three bytes (the segment's letters), a byte d (the
// field number), a 4-byte length m and m value bytes. Each entry becomes a 0xD0 line whose
// payload is the letters, d written "%02d" as characters, and the value.
#include <string>
#include <string_view>
#include <vector>

#include "logfile/binary/CStandardRecord.h"

class CSRDANData : public CStandardRecord {
public:
    struct Entry {
        uint8_t arKey[3] = {0, 0, 0};
        uint8_t nField = 0;
        std::vector<uint8_t> arData;
    };

    CSRDANData() : CStandardRecord(kTypeDANData) {}

    // False when an entry is cut short or claims more bytes than remain; the entries before it
    // are kept.
    bool SetData(const uint8_t* data, size_t length) override;
    size_t GetLineCount() const override { return m_arEntries.size(); }
    std::string GetLine(size_t index) const override;
    const std::vector<Entry>& GetEntries() const { return m_arEntries; }

    // Writer side: the entry for one DAN field (segment letters, field number, value).
    static void AppendEntry(std::string& payload, std::string_view segment, uint8_t field,
                            std::string_view value);
    // The entry for a 0xD0 text line: letters, two decimal digits, value, checksum. False for a
    // line that does not have that shape.
    static bool AppendLineAsEntry(std::string& payload, std::string_view line);

private:
    std::vector<Entry> m_arEntries;
};
