#include "logfile/binary/CSRFileHeader.h"

#include <cstdio>

namespace {

constexpr const char* kToolPrefixes[] = {"Porthole Relay Version ", "Porthole Depot Version ",
                                         "Porthole Bench Version ", "Porthole Link Version "};

} // namespace

CSRFileHeader::CSRFileHeader() : CStandardRecord(kTypeFileHeader) {
    m_arBytes.fill(0xFF);
    m_arBytes[0] = m_arBytes[1] = m_arBytes[2] = 0;
    m_arBytes[3] = 1;
}

bool CSRFileHeader::SetData(const uint8_t* data, size_t length) {
    if (!data || length < kPayloadSize)
        return false;
    std::copy(data, data + kPayloadSize, m_arBytes.begin());
    MakeLines();
    return true;
}

void CSRFileHeader::MakeLines() {
    m_arLines.clear();
    const uint8_t* b = m_arBytes.data();
    if (b[4] <= kLink) {
        char version[64];
        std::snprintf(version, sizeof version, "%d.%d.%d.%d", b[5], b[6], b[7], b[8]);
        m_arLines.push_back(std::string(kToolPrefixes[b[4]]) + version);
    }
    const CDateTime date = CDateTime::FromLogBytes(b[11], b[10], b[9], 0, 0, 0);
    if (date.IsValid())
        m_arLines.push_back("Date " + date.Format("%d %B %Y"));
    // The time alone: any valid day will do to carry it.
    const CDateTime time = CDateTime(2000, 1, 1, b[12], b[13], b[14]);
    if (time.IsValid())
        m_arLines.push_back("Time " + time.Format("%H:%M:%S"));
}

std::string CSRFileHeader::GetLine(size_t index) const {
    return index < m_arLines.size() ? m_arLines[index] : std::string();
}

long CSRFileHeader::DisplayCodeVersion() const {
    return m_arBytes[16] * 1000000L + m_arBytes[17] * 1000L + m_arBytes[18];
}

void CSRFileHeader::SetTool(uint8_t tool, const std::array<uint8_t, 4>& version) {
    m_arBytes[4] = tool;
    std::copy(version.begin(), version.end(), m_arBytes.begin() + 5);
    MakeLines();
}

void CSRFileHeader::SetDownload(const CDateTime& when) {
    if (!when.IsValid()) {
        std::fill(m_arBytes.begin() + 9, m_arBytes.begin() + 15, 0xFF);
        MakeLines();
        return;
    }
    m_arBytes[9] = static_cast<uint8_t>(when.Year() - 2000);
    m_arBytes[10] = static_cast<uint8_t>(when.Month());
    m_arBytes[11] = static_cast<uint8_t>(when.Day());
    m_arBytes[12] = static_cast<uint8_t>(when.Hour());
    m_arBytes[13] = static_cast<uint8_t>(when.Minute());
    m_arBytes[14] = static_cast<uint8_t>(when.Second());
    MakeLines();
}

void CSRFileHeader::SetDisplayCodeVersion(const std::array<uint8_t, 4>& version) {
    std::copy(version.begin(), version.end(), m_arBytes.begin() + 15);
}
