#include "logfile/CDiveLogInformation.h"

#include "logfile/FieldParsers.h"
#include "logfile/InformationRecords.h"

namespace {

constexpr size_t kLatLongMinLength = 20;
constexpr size_t kIndexMinLength = 6;
constexpr size_t kDiveTypesMinLength = 42;

// Every byte pair between the type and the checksum is one character.
std::string DecodeText(std::string_view line) {
    std::string text;
    if (line.size() <= 4)
        return text;
    const size_t count = (line.size() - 4) / 2;
    text.reserve(count);
    for (size_t k = 0; k < count; ++k)
        text += static_cast<char>(ParseHex(line, 2 + 2 * k, 2));
    return text;
}

std::string EncodeText(unsigned type, const std::string& text) {
    CRecordLineWriter w(type);
    for (char ch : text)
        w.Byte(static_cast<unsigned char>(ch));
    return w.Finish();
}

unsigned HemisphereCode(const std::string& hemisphere) {
    return hemisphere.empty() ? 0u : static_cast<unsigned char>(hemisphere[0]);
}

} // namespace

void CDiveLogInformation::Reset() {
    *this = CDiveLogInformation(std::in_place);
}

CDiveLogInformation::CDiveLogInformation(std::in_place_t)
    : m_strLatHemisphere("N"), m_strLongHemisphere("W") {}

void CDiveLogInformation::ResetSummary() {
    m_strDiveEndDuration1.clear();
    m_strDiveEndDuration2.clear();
    m_strDiveTime.clear();
    m_strSurfaceInterval.clear();
    m_dPeakCNS = m_dPeakOTU = m_dGfLow = m_dGfHigh = m_dConservatism = 0.0;
    m_dC1MaxPPO2 = m_dC1MinPPO2 = m_dC2MaxPPO2 = m_dC2MinPPO2 = 0.0;
    m_dPeakSetpoint = m_dMaxDepth = m_dAtmTemperature = m_dAtmPressure = 0.0;
    m_nTotalUnitOnTime = m_nTotalDiveTime = m_nElapsedOnTime = m_nDiveNumber = 0;
    m_dtDiveDateTime = CDateTime();
    m_bSummaryValid = false;
    m_bAlarm.fill(false);
    m_strDiveLabel.clear();
}

void CDiveLogInformation::Decode(unsigned recordType, std::string_view line) {
    const CInfoRecord* record = InformationRecord(recordType);
    if (!record)
        return;
    switch (record->kind) {
    case EInfoRecordKind::Text:
        this->*record->text = DecodeText(line);
        return;
    case EInfoRecordKind::Index:
        if (line.size() >= kIndexMinLength)
            this->*record->index = static_cast<int>(ParseHex(line, 2, 2));
        return;
    case EInfoRecordKind::Position:
        if (line.size() < kLatLongMinLength)
            return;
        m_strLatHemisphere = std::string(1, static_cast<char>(ParseHex(line, 2, 2)));
        m_nLatDegrees = ParseHex(line, 4, 2);
        m_nLatMinutes = ParseHex(line, 6, 2);
        m_nLatSeconds = ParseHex(line, 8, 2);
        m_strLongHemisphere = std::string(1, static_cast<char>(ParseHex(line, 10, 2)));
        m_nLongDegrees = ParseHex(line, 12, 2);
        m_nLongMinutes = ParseHex(line, 14, 2);
        m_nLongSeconds = ParseHex(line, 16, 2);
        return;
    case EInfoRecordKind::DiveTypes:
        if (line.size() < kDiveTypesMinLength)
            return;
        for (size_t i = 0; i < m_bDiveType.size(); ++i)
            m_bDiveType[i] = ParseHex(line, 2 + 2 * i, 2) != 0;
        return;
    }
}

std::string CDiveLogInformation::Encode(unsigned recordType) const {
    const CInfoRecord* record = InformationRecord(recordType);
    if (!record)
        return {};
    switch (record->kind) {
    case EInfoRecordKind::Text:
        return EncodeText(recordType, this->*record->text);
    case EInfoRecordKind::Index:
        return CRecordLineWriter(recordType).Byte(this->*record->index).Finish();
    case EInfoRecordKind::Position: {
        CRecordLineWriter w(recordType);
        w.Byte(HemisphereCode(m_strLatHemisphere)).Byte(m_nLatDegrees).Byte(m_nLatMinutes);
        w.Byte(m_nLatSeconds).Byte(HemisphereCode(m_strLongHemisphere)).Byte(m_nLongDegrees);
        w.Byte(m_nLongMinutes).Byte(m_nLongSeconds);
        return w.Finish();
    }
    case EInfoRecordKind::DiveTypes: {
        CRecordLineWriter w(recordType);
        for (bool set : m_bDiveType)
            w.Byte(set ? 1 : 0);
        return w.Finish();
    }
    }
    return {};
}

std::vector<std::string> CDiveLogInformation::EncodeAll() const {
    std::vector<std::string> lines;
    lines.reserve(kRecordTypes.size());
    for (unsigned type : kRecordTypes)
        lines.push_back(Encode(type));
    return lines;
}

std::string CDiveLogInformation::MakeDiveLabel() const {
    std::string label = std::to_string(m_nDiveNumber);
    if (!m_strDiveNumberText.empty())
        label += " - " + m_strDiveNumberText;
    return label;
}
