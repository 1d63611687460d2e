#include "logfile/binary/CQorBinaryFile.h"

#include <cstdio>

#include "logfile/binary/BinaryLogRecords.h"
#include "logfile/binary/CCrc32Static.h"
#include "logfile/binary/CSRDLDataComp.h"
#include "logfile/binary/CSRFileHeader.h"
#include "logfile/binary/CSRMemoryBlock.h"

bool CQorBinaryFile::ReadFile(const std::string& path, std::string& content,
                              const char* openPrefix) {
    int osError = 0;
    std::FILE* file = binaryfile::OpenForReading(path, osError, m_opener);
    if (!file) {
        m_strError = openPrefix + binaryfile::OpenFailureDetail(osError, path);
        return false;
    }
    const bool read = binaryfile::ReadAll(file, content, m_strError);
    std::fclose(file);
    binaryfile::PauseAfterClose();
    return read;
}

bool CQorBinaryFile::CheckCRC32(const std::string& path) {
    std::string content;
    if (!ReadFile(path, content, "CheckCRC32 Unable to open source file: "))
        return false;
    return binarylog::CheckFileCrc(content, m_strError);
}

bool CQorBinaryFile::Load(const std::string& path) {
    m_arRecords.clear();
    m_bFrcLayout = false;
    if (!CheckCRC32(path)) {
        m_strError = "Binary file load inital CRC32 check failed - " + m_strError;
        return false;
    }
    std::string content;
    if (!ReadFile(path, content, "Binary file load unable to open source file: "))
        return false;
    return ParseAndPrepare(content);
}

bool CQorBinaryFile::LoadFromBytes(std::string_view file) {
    m_arRecords.clear();
    m_arLogMemory.clear();
    m_bFrcLayout = false;
    m_nInvalid = 0;
    if (file.size() < CStandardRecord::kCrcSize || binarylog::StoredFileCrc(file) == 0) {
        // Too short to hold a CRC, or unprotected: the plain check says which.
        if (!binarylog::CheckFileCrc(file, m_strError)) {
            m_strError = "Binary file load inital CRC32 check failed - " + m_strError;
            return false;
        }
        return ParseAndPrepare(file);
    }
    // The records' own CRCs add up to the file's, so every byte is run through the CRC once.
    // Only a file whose records do not fit together needs the file read again for its CRC,
    // because a wrong file CRC is what such a file must be reported for first.
    uint32_t fileCrc = 0;
    const bool parsed = ParseRecords(file, fileCrc);
    if (!parsed)
        fileCrc = CCrc32Static::Compute(file.data(), file.size() - CStandardRecord::kCrcSize);
    if (fileCrc != binarylog::StoredFileCrc(file)) {
        m_arRecords.clear();
        m_arLogMemory.clear();
        m_nInvalid = 0;
        m_strError = "Binary file load inital CRC32 check failed - crc32 mismatch";
        return false;
    }
    if (!parsed)
        return false;
    DecideLayout();
    Unscramble();
    return true;
}

bool CQorBinaryFile::LoadForConversion(std::string_view file) {
    m_bBorrowLogMemory = true;
    const bool loaded = LoadFromBytes(file);
    m_bBorrowLogMemory = false;
    return loaded;
}

bool CQorBinaryFile::ParseAndPrepare(std::string_view file) {
    uint32_t fileCrc = 0;
    if (!ParseRecords(file, fileCrc))
        return false;
    DecideLayout();
    Unscramble();
    return true;
}

bool CQorBinaryFile::ParseRecords(std::string_view file, uint32_t& fileCrc) {
    m_arRecords.clear();
    m_arLogMemory.clear();
    m_nInvalid = 0;
    bool first = true;
    const bool parsed = binarylog::ParseRecords(
        file,
        [&](uint16_t type, const uint8_t* payload, size_t length, uint32_t stored) {
            uint32_t crc = 0;
            bool valid = false;
            if (m_bBorrowLogMemory && type == CStandardRecord::kTypeDLDataComp) {
                crc = CCrc32Static::Compute(payload - CStandardRecord::kHeaderSize,
                                            CStandardRecord::kHeaderSize + length);
                valid = crc == stored;
                if (valid)
                    m_arLogMemory.push_back({payload, length});
            } else {
                auto record = CStandardRecord::Create(type);
                record->Build(payload, length, stored);
                crc = record->GetCrc();
                valid = record->IsValid();
                m_arRecords.push_back(std::move(record));
            }
            // The caller reports these ("Invalid record, continuing").
            if (!valid)
                ++m_nInvalid;
            // The record as it lies in the file: header and payload, then its stored CRC.
            const uint8_t storedBytes[4] = {uint8_t(stored >> 24), uint8_t(stored >> 16),
                                            uint8_t(stored >> 8), uint8_t(stored)};
            const uint32_t whole =
                CCrc32Static::Finish(CCrc32Static::Update(~crc, storedBytes, sizeof storedBytes));
            const uint64_t size = CStandardRecord::kHeaderSize + length + CStandardRecord::kCrcSize;
            fileCrc = first ? whole : CCrc32Static::Combine(fileCrc, whole, size);
            first = false;
        },
        m_strError);
    if (!parsed) {
        m_arRecords.clear();
        m_arLogMemory.clear();
    }
    return parsed;
}

const CSRFileHeader* CQorBinaryFile::GetFileHeader() const {
    for (const auto& record : m_arRecords)
        if (record->GetType() == CStandardRecord::kTypeFileHeader)
            return static_cast<const CSRFileHeader*>(record.get());
    return nullptr;
}

void CQorBinaryFile::DecideLayout() {
    m_bFrcLayout = false;
    for (auto& record : m_arRecords) {
        if (record->GetType() != CStandardRecord::kTypeFileHeader)
            continue;
        // Only the first header counts; one that failed its CRC or is too short says nothing.
        m_bFrcLayout = record->SetData(record->GetPayload(), record->GetPayloadSize()) &&
                       static_cast<CSRFileHeader*>(record.get())->IsFrcLayout();
        return;
    }
}

void CQorBinaryFile::Unscramble() {
    if (!m_key)
        m_key = CBinaryLogKey::Resolve();
    const CSRFileHeader* header = GetFileHeader();
    const bool fromDepot = header && header->IsValid() && header->Tool() == CSRFileHeader::kDepot;
    const size_t blockSize =
        m_bFrcLayout ? CSRDLDataComp::kFrcRecordSize : CSRDLDataComp::kShortRecordSize;
    for (auto& record : m_arRecords) {
        // In place: the record's own copy of the payload is the only one.
        uint8_t* payload = record->MutablePayload();
        const size_t size = record->GetPayloadSize();
        if (!payload)
            continue;
        if (record->GetType() == CStandardRecord::kTypeDLDataComp) {
            if (size <= CSRDLDataComp::kStartBytes)
                continue;
            m_key->ApplyBlocks(payload + CSRDLDataComp::kStartBytes,
                               size - CSRDLDataComp::kStartBytes, blockSize,
                               CBinaryLogKey::StartOffset(payload));
        } else if (record->GetType() == CStandardRecord::kTypeMemoryBlock) {
            if (size <= CSRMemoryBlock::kDataOffset)
                continue;
            if (fromDepot && CBinaryLogKey::StartProduct(payload) < 0)
                continue;
            CSRMemoryBlock::ApplyKey(payload, size, *m_key);
        } else {
            continue;
        }
        record->PayloadChanged();
    }
}
