#include "logfile/binary/CQorBinaryFile.h"

#include <cstdio>

#include "logfile/binary/BinaryLogRecords.h"
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
    m_bFrcLayout = false;
    if (!binarylog::CheckFileCrc(file, m_strError)) {
        m_strError = "Binary file load inital CRC32 check failed - " + m_strError;
        return false;
    }
    return ParseAndPrepare(file);
}

bool CQorBinaryFile::ParseAndPrepare(std::string_view file) {
    m_arRecords.clear();
    m_nInvalid = 0;
    const bool parsed = binarylog::ParseRecords(
        file,
        [&](uint16_t type, const uint8_t* payload, size_t length, uint32_t stored) {
            auto record = CStandardRecord::Create(type);
            record->Build(payload, length, stored);
            // The caller reports these ("Invalid record, continuing").
            if (!record->IsValid())
                ++m_nInvalid;
            m_arRecords.push_back(std::move(record));
        },
        m_strError);
    if (!parsed) {
        m_arRecords.clear();
        return false;
    }
    DecideLayout();
    Unscramble();
    return true;
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
        if (!record->IsValid())
            continue;
        const uint8_t* p = record->GetPayload();
        std::vector<uint8_t> payload(p, p + record->GetPayloadSize());
        if (record->GetType() == CStandardRecord::kTypeDLDataComp) {
            if (payload.size() <= CSRDLDataComp::kStartBytes)
                continue;
            m_key->ApplyBlocks(payload.data() + CSRDLDataComp::kStartBytes,
                               payload.size() - CSRDLDataComp::kStartBytes, blockSize,
                               CBinaryLogKey::StartOffset(payload.data()));
        } else if (record->GetType() == CStandardRecord::kTypeMemoryBlock) {
            if (payload.size() <= CSRMemoryBlock::kDataOffset)
                continue;
            if (fromDepot && CBinaryLogKey::StartProduct(payload.data()) < 0)
                continue;
            CSRMemoryBlock::ApplyKey(payload, *m_key);
        } else {
            continue;
        }
        record->SetPayload(payload.data(), payload.size());
    }
}
