#pragma once
// The user's dive details (type 33): a run of entries, each a record type byte, a 4-byte length
// m and m data bytes; each entry is one text record line without its checksum.
#include <string>
#include <string_view>
#include <vector>

#include "logfile/binary/CStandardRecord.h"

class CSRDLDataUser : public CStandardRecord {
public:
    struct Entry {
        uint8_t nType = 0;
        std::vector<uint8_t> arData;
    };

    CSRDLDataUser() : CStandardRecord(kTypeDLDataUser) {}

    // False when an entry is cut short or claims more bytes than remain; the entries before it
    // are kept.
    bool SetData(const uint8_t* data, size_t length) override;
    size_t GetLineCount() const override { return m_arEntries.size(); }
    std::string GetLine(size_t index) const override;
    const std::vector<Entry>& GetEntries() const { return m_arEntries; }

    // Writer side: the entry for a text record line (its checksum is not stored). False for a
    // line that is not an even run of hex digit pairs of at least two bytes.
    static bool AppendLineAsEntry(std::string& payload, std::string_view line);

private:
    std::vector<Entry> m_arEntries;
};
