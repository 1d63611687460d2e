#include "logfile/CDiveLogInformation.h"

#include "logfile/FieldParsers.h"

namespace {

constexpr size_t kLatLongMinLength = 20;
constexpr size_t kIndexMinLength = 6;
constexpr size_t kDiveTypesMinLength = 42;

bool IsTextRecord(unsigned type) {
    return (type >= 0x80 && type <= 0x84) || (type >= 0x8C && type <= 0x8E);
}

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
    if (IsTextRecord(recordType)) {
        std::string text = DecodeText(line);
        switch (recordType) {
        case kLocation:
            m_strLocation = std::move(text);
            break;
        case kDiveSite:
            m_strDiveSite = std::move(text);
            break;
        case kVisibility:
            m_strVisibility = std::move(text);
            break;
        case kPartner:
            m_strPartner = std::move(text);
            break;
        case kDiveBoat:
            m_strDiveBoat = std::move(text);
            break;
        case kOtherDiveType:
            m_strOtherDiveType = std::move(text);
            break;
        case kNotes:
            m_strNotes = std::move(text);
            break;
        default:
            m_strDiveNumberText = std::move(text);
            break;
        }
        return;
    }
    switch (recordType) {
    case kLatLong:
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
    case kWeather:
    case kWindDirection:
    case kWindSpeed:
    case kSeaState: {
        if (line.size() < kIndexMinLength)
            return;
        const int index = static_cast<int>(ParseHex(line, 2, 2));
        if (recordType == kWeather)
            m_nWeather = index;
        else if (recordType == kWindDirection)
            m_nWindDirection = index;
        else if (recordType == kWindSpeed)
            m_nWindSpeed = index;
        else
            m_nSeaState = index;
        return;
    }
    case kDiveTypes:
        if (line.size() < kDiveTypesMinLength)
            return;
        for (size_t i = 0; i < m_bDiveType.size(); ++i)
            m_bDiveType[i] = ParseHex(line, 2 + 2 * i, 2) != 0;
        return;
    default:
        return;
    }
}

std::string CDiveLogInformation::Encode(unsigned recordType) const {
    switch (recordType) {
    case kLocation:
        return EncodeText(recordType, m_strLocation);
    case kDiveSite:
        return EncodeText(recordType, m_strDiveSite);
    case kVisibility:
        return EncodeText(recordType, m_strVisibility);
    case kPartner:
        return EncodeText(recordType, m_strPartner);
    case kDiveBoat:
        return EncodeText(recordType, m_strDiveBoat);
    case kOtherDiveType:
        return EncodeText(recordType, m_strOtherDiveType);
    case kNotes:
        return EncodeText(recordType, m_strNotes);
    case kDiverDiveNumber:
        return EncodeText(recordType, m_strDiveNumberText);
    case kLatLong: {
        CRecordLineWriter w(recordType);
        w.Byte(HemisphereCode(m_strLatHemisphere)).Byte(m_nLatDegrees).Byte(m_nLatMinutes);
        w.Byte(m_nLatSeconds).Byte(HemisphereCode(m_strLongHemisphere)).Byte(m_nLongDegrees);
        w.Byte(m_nLongMinutes).Byte(m_nLongSeconds);
        return w.Finish();
    }
    case kWeather:
        return CRecordLineWriter(recordType).Byte(m_nWeather).Finish();
    case kWindDirection:
        return CRecordLineWriter(recordType).Byte(m_nWindDirection).Finish();
    case kWindSpeed:
        return CRecordLineWriter(recordType).Byte(m_nWindSpeed).Finish();
    case kSeaState:
        return CRecordLineWriter(recordType).Byte(m_nSeaState).Finish();
    case kDiveTypes: {
        CRecordLineWriter w(recordType);
        for (bool set : m_bDiveType)
            w.Byte(set ? 1 : 0);
        return w.Finish();
    }
    default:
        return {};
    }
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
