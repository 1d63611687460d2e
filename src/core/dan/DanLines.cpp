#include "dan/DanLines.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>

namespace {

using Data = CDanExportData;

std::string Join(std::initializer_list<std::string_view> parts) {
    std::string out;
    bool first = true;
    for (std::string_view part : parts) {
        if (!first)
            out += '^';
        out += part;
        first = false;
    }
    return out;
}

// Choices are kept from 0 and written from 1.
std::string Choice(uint32_t position) {
    return std::to_string(uint64_t{position} + 1);
}

// Whole units, truncated towards zero; what cannot be a number is written as 0.
std::string Truncated(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 2147483648.0)
        return "0";
    return std::to_string(static_cast<long>(std::trunc(value)));
}

// The problem list once had an eighth code that is no longer offered; the codes after it kept
// their numbers, so "Other" is 9 and "None" 10.
std::string ProblemCode(uint32_t position) {
    return std::to_string(uint64_t{position} + (position <= 6 ? 1 : 2));
}

struct CField {
    int segment;
    int field;
    std::string (*value)(const Data&);
};

// clang-format off
const CField kFields[] = {
    {kSegFSH, 3, [](const Data&) { return Join({"VERw01", "123456", "C"}); }},
    {kSegFSH, 4, [](const Data&) { return Join({"ZXL", "P"}); }},
    {kSegFSH, 5, [](const Data& d) { return d.strTimeStamp; }},
    {kSegZRH, 3, [](const Data&) { return std::string("VER102"); }},
    {kSegZRH, 5, [](const Data&) { return std::string("bar"); }},
    {kSegZRH, 6, [](const Data&) { return std::string("bar"); }},
    {kSegZRH, 7, [](const Data&) { return std::string("C"); }},
    {kSegZRH, 8, [](const Data&) { return std::string("bar"); }},
    {kSegZRH, 9, [](const Data&) { return std::string("L"); }},
    {kSegZPD, 1, [](const Data& d) { return d.details.m_strDiverID; }},
    {kSegZPD, 3, [](const Data& d) { return Join({d.details.m_strDivingLicence, d.details.m_strIssuingAgency}); }},
    {kSegZPD, 4, [](const Data& d) { return d.details.m_strDANMemberNo; }},
    {kSegZPD, 5, [](const Data& d) { return Join({d.details.m_strNameFamily, d.details.m_strNameFirst, d.details.m_strNameInitials}); }},
    {kSegZPD, 8, [](const Data& d) { return d.details.m_strDateOfBirth; }},
    {kSegZPD, 10, [](const Data& d) { return Choice(d.details.m_nSex); }},
    {kSegZPD, 11, [](const Data& d) { return Join({std::to_string(d.details.m_nWeight), Choice(d.details.m_nWeightUnits)}); }},
    {kSegZPD, 12, [](const Data& d) { return Join({std::to_string(d.details.m_nHeight), Choice(d.details.m_nHeightUnits)}); }},
    {kSegZPA, 1, [](const Data& d) { return Join({d.details.m_strAddressLine1, d.details.m_strAddressLine2, d.details.m_strCity, d.details.m_strStateProvince, d.details.m_strZipPostCode}); }},
    {kSegZPA, 2, [](const Data& d) { return Join({d.details.m_strPhoneHomeCountry, d.details.m_strPhoneHomeArea, d.details.m_strPhoneHomeNumber}); }},
    {kSegZPA, 3, [](const Data& d) { return Join({d.details.m_strPhoneBusinessCountry, d.details.m_strPhoneBusinessArea, d.details.m_strPhoneBusinessNumber}); }},
    {kSegZPA, 4, [](const Data& d) { return d.details.m_strEMail; }},
    {kSegZPA, 5, [](const Data& d) { return d.details.m_strLanguage; }},
    {kSegZPA, 6, [](const Data& d) { return d.details.m_strCitiznship; }},
    {kSegZDD, 3, [](const Data& d) { return Choice(d.details.m_nDetailsPurpose); }},
    {kSegZDD, 4, [](const Data& d) { return Choice(d.details.m_nDetailsProgram); }},
    {kSegZDD, 5, [](const Data& d) { return Choice(d.details.m_nDetailsEnvironment); }},
    {kSegZDD, 6, [](const Data& d) { return Choice(d.details.m_nDetailsPlatform); }},
    {kSegZDD, 7, [](const Data& d) { return Choice(d.details.m_nDetailsDivePlan); }},
    {kSegZDD, 8, [](const Data& d) { return Choice(d.details.m_nDetailsDiveTable); }},
    {kSegZDD, 9, [](const Data& d) { return Choice(d.details.m_nDetailsDress); }},
    {kSegZDD, 10, [](const Data& d) { return Choice(d.details.m_nDetailsApparatus); }},
    {kSegZDD, 11, [](const Data& d) { return Choice(d.details.m_nDetailsGasSource); }},
    {kSegZDD, 12, [](const Data& d) { return Choice(d.details.m_nDetailsBreathingGas); }},
    {kSegZDD, 13, [](const Data& d) { return Choice(d.details.m_nDetailsDecompression); }},
    {kSegZSR, 3, [](const Data& d) { return Choice(d.answers.m_nStateOfRest); }},
    {kSegZSR, 4, [](const Data& d) { return std::to_string(d.answers.m_nAlcohol); }},
    {kSegZSR, 5, [](const Data& d) { return Choice(d.answers.m_nExercise); }},
    {kSegZSR, 6, [](const Data& d) { return JoinMedication(d.answers.m_strMedication); }},
    {kSegZSR, 7, [](const Data& d) { return Truncated(d.answers.m_dVisibility); }},
    {kSegZSR, 8, [](const Data& d) { return Truncated(d.answers.m_dCurrent); }},
    {kSegZSR, 9, [](const Data& d) { return Choice(d.answers.m_nThermalComfort); }},
    {kSegZSR, 10, [](const Data& d) { return Choice(d.answers.m_nWorkload); }},
    {kSegZSR, 11, [](const Data& d) { return ProblemCode(d.answers.m_nProblems); }},
    {kSegZSR, 12, [](const Data& d) { return Choice(d.answers.m_nEquipmentMalfunctions); }},
    {kSegZSR, 13, [](const Data& d) { return Choice(d.answers.m_nAnySymptoms); }},
    {kSegZSR, 14, [](const Data& d) { return Choice(d.answers.m_nExposureToAltitude); }},
    {kSegZSR, 15, [](const Data& d) { return d.answers.m_strComments; }},
};
// clang-format on
static_assert(std::size(kFields) == 47);

const char* SegmentCode(int segment) {
    switch (segment) {
    case kSegFSH:
        return "FSH";
    case kSegZRH:
        return "ZRH";
    case kSegZPD:
        return "ZPD";
    case kSegZPA:
        return "ZPA";
    case kSegZDD:
        return "ZDD";
    case kSegZSR:
        return "ZSR";
    default:
        return nullptr;
    }
}

std::string Payload(const CField& f, const Data& data) {
    char key[8];
    std::snprintf(key, sizeof key, "%s%02d", SegmentCode(f.segment), f.field);
    return key + f.value(data);
}

} // namespace

std::string JoinMedication(std::string_view text) {
    std::string out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\r', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view piece = text.substr(start, end - start);
        while (!piece.empty() && piece.front() == '\n')
            piece.remove_prefix(1);
        while (!piece.empty() && piece.back() == '\n')
            piece.remove_suffix(1);
        if (!piece.empty()) {
            if (!out.empty())
                out += '^';
            out += piece;
        }
        start = end + 1;
    }
    return out;
}

std::string DanPayload(int segment, int field, const CDanExportData& data) {
    for (const CField& f : kFields)
        if (f.segment == segment && f.field == field)
            return Payload(f, data);
    return {};
}

std::string DanRecordLine(std::string_view payload) {
    if (payload.empty())
        return {};
    static const char kHex[] = "0123456789ABCDEF";
    std::string line = "D0";
    line.reserve(2 + 2 * payload.size() + 2);
    uint8_t check = 0xD0;
    // Bytes of 0x80 and above are written as their byte value, never sign-extended.
    for (char c : payload) {
        const auto byte = static_cast<uint8_t>(c);
        line += kHex[byte >> 4];
        line += kHex[byte & 0x0F];
        check ^= byte;
    }
    line += kHex[check >> 4];
    line += kHex[check & 0x0F];
    return line;
}

std::string BuildDanLine(int segment, int field, const CDanExportData& data) {
    return DanRecordLine(DanPayload(segment, field, data));
}

std::vector<std::string> BuildDanLines(const CDanExportData& data) {
    std::vector<std::string> lines;
    lines.reserve(std::size(kFields));
    for (const CField& f : kFields)
        lines.push_back(DanRecordLine(Payload(f, data)));
    return lines;
}
