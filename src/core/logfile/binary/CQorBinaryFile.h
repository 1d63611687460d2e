#pragma once
// Reads and checks a binary log: the whole-file CRC, then every standard record with its own
// CRC, decides the record layout from the file header and unscrambles the log memory and the
// memory blocks. The records are then ready for conversion to text lines.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logfile/binary/BinaryFileAccess.h"
#include "logfile/binary/CBinaryLogKey.h"
#include "logfile/binary/CStandardRecord.h"

class CSRFileHeader;

class CQorBinaryFile {
public:
    CQorBinaryFile() = default;

    // The scrambling key; without one, Load resolves the configured key (CBinaryLogKey).
    void SetKey(const CBinaryLogKey& key) { m_key = key; }
    // Replaces fopen for the retry tests.
    void SetOpener(binaryfile::Opener opener) { m_opener = std::move(opener); }

    // The whole-file CRC test (a stored value of 0 means unprotected).
    bool CheckCRC32(const std::string& path);
    // CheckCRC32, then reads every record, decides the layout and unscrambles.
    bool Load(const std::string& path);
    // Load for a file already in memory (the whole-file check included).
    bool LoadFromBytes(std::string_view file);
    // LoadFromBytes for a reader that only converts to lines: the log memory (type 32) is not
    // copied or unscrambled here but left in `file`, which must outlive the reader, as spans
    // the converter unscrambles while it writes their lines.
    bool LoadForConversion(std::string_view file);

    bool IsFrcLayout() const { return m_bFrcLayout; }
    const std::string& GetErrorText() const { return m_strError; }
    const std::vector<std::unique_ptr<CStandardRecord>>& GetRecords() const { return m_arRecords; }
    // The first type-0 record, or null.
    const CSRFileHeader* GetFileHeader() const;
    // Records whose CRC failed ("Invalid record, continuing").
    size_t GetInvalidRecordCount() const { return m_nInvalid; }

    // A sound log-memory record still in the file's bytes, scrambled (LoadForConversion).
    struct CLogMemorySpan {
        const uint8_t* payload;
        size_t length;
    };
    const std::vector<CLogMemorySpan>& GetLogMemorySpans() const { return m_arLogMemory; }
    // The key the spans are unscrambled with; resolved by a successful load.
    const CBinaryLogKey& GetKey() const { return *m_key; }

private:
    bool ReadFile(const std::string& path, std::string& content, const char* openPrefix);
    bool ParseAndPrepare(std::string_view file);
    // Reads the records; `fileCrc` gets the CRC of all of them, worked out from their own.
    bool ParseRecords(std::string_view file, uint32_t& fileCrc);
    void DecideLayout();
    void Unscramble();

    std::optional<CBinaryLogKey> m_key;
    binaryfile::Opener m_opener;
    std::vector<std::unique_ptr<CStandardRecord>> m_arRecords;
    std::vector<CLogMemorySpan> m_arLogMemory;
    bool m_bBorrowLogMemory = false;
    std::string m_strError;
    bool m_bFrcLayout = false;
    size_t m_nInvalid = 0;
};
