#pragma once
// One standard record of a binary log: a 16-bit type, a 32-bit payload length, the payload and
// a CRC-32 over header and payload (all integers big-endian). The record keeps its whole image
// rebuilt from the parts read, the CRC it computed, and whether that matched the stored one. The
// payload of a record that failed its CRC reads as absent, so nothing downstream decodes it.
//
// Records of a known type are made as one of the decoding classes (CSRFileHeader,
// CSRDLDataComp, CSRDLDataUser, CSRMemoryBlock, CSRDANData), which turn a payload handed to
// SetData into text record lines.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CStandardRecord {
public:
    static constexpr size_t kHeaderSize = 6;
    static constexpr size_t kCrcSize = 4;

    // The record types that carry something we decode.
    static constexpr uint16_t kTypeFileHeader = 0;
    static constexpr uint16_t kTypeMemoryBlock = 16;
    static constexpr uint16_t kTypeDLDataComp = 32;
    static constexpr uint16_t kTypeDLDataUser = 33;
    static constexpr uint16_t kTypeDANData = 34;

    explicit CStandardRecord(uint16_t type = 0) : m_nType(type) {}
    virtual ~CStandardRecord() = default;
    CStandardRecord(const CStandardRecord&) = delete;
    CStandardRecord& operator=(const CStandardRecord&) = delete;

    // The right class for a record type; plain CStandardRecord for types we only keep.
    static std::unique_ptr<CStandardRecord> Create(uint16_t type);

    // Rebuilds the image from the parts read and compares the computed CRC with `storedCrc`.
    void Build(const uint8_t* payload, size_t length, uint32_t storedCrc);
    // Replaces the payload (after unscrambling, or when writing); the image CRC is computed
    // afresh and the record counts as valid.
    void SetPayload(const uint8_t* payload, size_t length);
    // The payload of a valid record, to be changed in place (unscrambling); call PayloadChanged
    // after. Null when the record is not valid.
    uint8_t* MutablePayload() { return m_bValid ? m_arImage.data() + kHeaderSize : nullptr; }
    // The image CRC is worked out again when it is next asked for, not once per change.
    void PayloadChanged() { m_bCrcStale = true; }

    uint16_t GetType() const { return m_nType; }
    uint32_t GetLength() const { return m_nLength; }
    uint32_t GetCrc() const {
        RefreshCrc();
        return m_nCrc;
    }
    bool IsValid() const { return m_bValid; }
    // Header, payload and CRC as they go into a file.
    const std::vector<uint8_t>& GetImage() const {
        RefreshCrc();
        return m_arImage;
    }
    // Null (and size 0) when the record is not valid.
    const uint8_t* GetPayload() const;
    size_t GetPayloadSize() const { return m_bValid ? m_nLength : 0; }

    // Decoding: takes a payload; false when it is malformed (what could be read is kept).
    virtual bool SetData(const uint8_t* data, size_t length);
    virtual size_t GetLineCount() const { return 0; }
    virtual std::string GetLine(size_t index) const;

    // Big-endian helpers shared by the decoders and the writer.
    static uint32_t ReadBE32(const uint8_t* p) {
        return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
    }
    static void AppendBE32(std::string& out, uint32_t value);
    static void AppendBE16(std::string& out, uint16_t value);

private:
    void FillImage(const uint8_t* payload, size_t length);
    void RefreshCrc() const;

    uint16_t m_nType = 0;
    uint32_t m_nLength = 0;
    mutable uint32_t m_nCrc = 0;
    bool m_bValid = false;
    // Set by an in-place change of the payload: m_nCrc and the image's CRC bytes are old.
    mutable bool m_bCrcStale = false;
    mutable std::vector<uint8_t> m_arImage;
};
