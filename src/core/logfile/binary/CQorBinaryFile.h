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

    bool IsFrcLayout() const { return m_bFrcLayout; }
    const std::string& GetErrorText() const { return m_strError; }
    const std::vector<std::unique_ptr<CStandardRecord>>& GetRecords() const { return m_arRecords; }
    // The first type-0 record, or null.
    const CSRFileHeader* GetFileHeader() const;
    // Records whose CRC failed ("Invalid record, continuing").
    size_t GetInvalidRecordCount() const { return m_nInvalid; }

private:
    bool ReadFile(const std::string& path, std::string& content, const char* openPrefix);
    bool ParseAndPrepare(std::string_view file);
    void DecideLayout();
    void Unscramble();

    std::optional<CBinaryLogKey> m_key;
    binaryfile::Opener m_opener;
    std::vector<std::unique_ptr<CStandardRecord>> m_arRecords;
    std::string m_strError;
    bool m_bFrcLayout = false;
    size_t m_nInvalid = 0;
};
