#include "logfile/binary/CStandardRecord.h"

#include "logfile/binary/CCrc32Static.h"
#include "logfile/binary/CSRDANData.h"
#include "logfile/binary/CSRDLDataComp.h"
#include "logfile/binary/CSRDLDataUser.h"
#include "logfile/binary/CSRFileHeader.h"
#include "logfile/binary/CSRMemoryBlock.h"

std::unique_ptr<CStandardRecord> CStandardRecord::Create(uint16_t type) {
    switch (type) {
    case kTypeFileHeader:
        return std::make_unique<CSRFileHeader>();
    case kTypeMemoryBlock:
        return std::make_unique<CSRMemoryBlock>();
    case kTypeDLDataComp:
        return std::make_unique<CSRDLDataComp>();
    case kTypeDLDataUser:
        return std::make_unique<CSRDLDataUser>();
    case kTypeDANData:
        return std::make_unique<CSRDANData>();
    default:
        return std::make_unique<CStandardRecord>(type);
    }
}

void CStandardRecord::FillImage(const uint8_t* payload, size_t length) {
    // A fresh buffer, so a payload taken from this very record can be handed back in.
    std::vector<uint8_t> image(kHeaderSize + length + kCrcSize);
    m_nLength = static_cast<uint32_t>(length);
    image[0] = static_cast<uint8_t>(m_nType >> 8);
    image[1] = static_cast<uint8_t>(m_nType);
    for (int i = 0; i < 4; ++i)
        image[2 + i] = static_cast<uint8_t>(m_nLength >> (24 - 8 * i));
    if (length > 0)
        std::copy(payload, payload + length, image.begin() + kHeaderSize);
    m_arImage = std::move(image);
    m_bCrcStale = true;
    RefreshCrc();
}

void CStandardRecord::RefreshCrc() const {
    if (!m_bCrcStale)
        return;
    m_bCrcStale = false;
    m_nCrc = CCrc32Static::Compute(m_arImage.data(), kHeaderSize + m_nLength);
    for (int i = 0; i < 4; ++i)
        m_arImage[kHeaderSize + m_nLength + i] = static_cast<uint8_t>(m_nCrc >> (24 - 8 * i));
}

void CStandardRecord::Build(const uint8_t* payload, size_t length, uint32_t storedCrc) {
    FillImage(payload, length);
    m_bValid = m_nCrc == storedCrc;
}

void CStandardRecord::SetPayload(const uint8_t* payload, size_t length) {
    FillImage(payload, length);
    m_bValid = true;
}

const uint8_t* CStandardRecord::GetPayload() const {
    return m_bValid ? m_arImage.data() + kHeaderSize : nullptr;
}

bool CStandardRecord::SetData(const uint8_t*, size_t) {
    return true;
}

std::string CStandardRecord::GetLine(size_t) const {
    return {};
}

void CStandardRecord::AppendBE32(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFFu);
}

void CStandardRecord::AppendBE16(std::string& out, uint16_t value) {
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value & 0xFFu);
}
