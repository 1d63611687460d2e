#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <tuple>

#include "logfile/CDiveLogInformation.h"
#include "logfile/FieldParsers.h"
#include "logfile/InformationRecords.h"

namespace {

std::string RandomText(std::mt19937& rng) {
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> byte(1, 255);
    std::string text(static_cast<size_t>(length(rng)), ' ');
    for (char& ch : text)
        ch = static_cast<char>(byte(rng));
    return text;
}

CDiveLogInformation RandomRecord(std::mt19937& rng) {
    std::uniform_int_distribution<unsigned> byte(0, 255);
    CDiveLogInformation r;
    for (std::string* text :
         {&r.m_strLocation, &r.m_strDiveSite, &r.m_strVisibility, &r.m_strPartner, &r.m_strDiveBoat,
          &r.m_strDiveNumberText, &r.m_strOtherDiveType, &r.m_strNotes})
        *text = RandomText(rng);
    r.m_strLatHemisphere = byte(rng) & 1 ? "N" : "S";
    r.m_strLongHemisphere = byte(rng) & 1 ? "E" : "W";
    r.m_nLatDegrees = byte(rng);
    r.m_nLatMinutes = byte(rng);
    r.m_nLatSeconds = byte(rng);
    r.m_nLongDegrees = byte(rng);
    r.m_nLongMinutes = byte(rng);
    r.m_nLongSeconds = byte(rng);
    r.m_nWeather = static_cast<int>(byte(rng) % 5);
    r.m_nWindDirection = static_cast<int>(byte(rng) % 8);
    r.m_nWindSpeed = static_cast<int>(byte(rng) % 11);
    r.m_nSeaState = static_cast<int>(byte(rng) % 7);
    for (bool& flag : r.m_bDiveType)
        flag = byte(rng) & 1;
    return r;
}

// Every detail a user can enter, for comparing whole records.
auto Details(const CDiveLogInformation& r) {
    return std::tie(r.m_strLocation, r.m_strDiveSite, r.m_strVisibility, r.m_strPartner,
                    r.m_strDiveBoat, r.m_strDiveNumberText, r.m_strOtherDiveType, r.m_strNotes,
                    r.m_strLatHemisphere, r.m_strLongHemisphere, r.m_nLatDegrees, r.m_nLatMinutes,
                    r.m_nLatSeconds, r.m_nLongDegrees, r.m_nLongMinutes, r.m_nLongSeconds,
                    r.m_nWeather, r.m_nWindDirection, r.m_nWindSpeed, r.m_nSeaState, r.m_bDiveType);
}

} // namespace

// ---- CDiveLogInformation::Encode / Decode -------------------------------------------------------

TEST(InformationEncode, ExactLines) {
    CDiveLogInformation info;
    EXPECT_EQ(info.Encode(0x80), "8080");
    EXPECT_EQ(info.Encode(0x8A), "");
    EXPECT_EQ(info.Encode(0x7F), "");
    info.m_strLocation = "A\xE9";
    EXPECT_EQ(info.Encode(0x80), "8041E928");
    info.m_nWeather = 2;
    EXPECT_EQ(info.Encode(0x86), "860284");
    info.m_nLatDegrees = 50;
    info.m_nLatMinutes = 7;
    info.m_nLatSeconds = 59;
    info.m_strLongHemisphere = "W";
    info.m_nLongDegrees = 4;
    EXPECT_EQ(info.Encode(0x85), "854E32073B5704000096");
    info.m_bDiveType[CDiveLogInformation::kOther] = true;
    const std::string types = info.Encode(0x8B);
    ASSERT_EQ(types.size(), 42u);
    EXPECT_EQ(types.substr(38, 2), "01");
    EXPECT_TRUE(IsChecksumValid(types));
    EXPECT_EQ(info.EncodeAll().size(), 14u);
}

TEST(InformationDecode, RoundTripOfRandomRecords) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 200; ++round) {
        const CDiveLogInformation original = RandomRecord(rng);
        CDiveLogInformation copy;
        for (const std::string& line : original.EncodeAll()) {
            ASSERT_TRUE(IsChecksumValid(line)) << line;
            copy.Decode(RecordType(line), line);
        }
        EXPECT_TRUE(Details(original) == Details(copy)) << "round " << round;
    }
}

TEST(InformationDecode, ShortLinesKeepValues) {
    CDiveLogInformation info;
    info.m_nSeaState = 3;
    info.Decode(0x89, "8989");
    EXPECT_EQ(info.m_nSeaState, 3);
    info.Decode(0x85, "854E32073B5704000000"); // 20 characters: enough
    EXPECT_EQ(info.m_nLongDegrees, 4u);
    info.Decode(0x85, "85533207");
    EXPECT_EQ(info.m_strLatHemisphere, "N");
    info.m_bDiveType[0] = true;
    info.Decode(0x8B, "8B00");
    EXPECT_TRUE(info.m_bDiveType[0]);
    // Any non-zero byte counts as set.
    info.Decode(0x8B, WithChecksum("8B00FF" + std::string(34, '0')));
    EXPECT_FALSE(info.m_bDiveType[0]);
    EXPECT_TRUE(info.m_bDiveType[1]);
    info.m_strNotes = "keep";
    info.Decode(0x8A, "8A41CB");
    EXPECT_EQ(info.m_strNotes, "keep");
    info.Decode(0x8D, "8D8D");
    EXPECT_EQ(info.m_strNotes, "");
}

// ---- The record layout table
// ---------------------------------------------------------------------

TEST(InformationRecords, EveryTypeOnceWithItsMemberAndControl) {
    std::vector<unsigned> types;
    std::set<int> controls;
    for (const CInfoRecord& r : InformationRecords()) {
        types.push_back(r.type);
        EXPECT_EQ(r.text != nullptr, r.kind == EInfoRecordKind::Text) << r.jsonKey;
        EXPECT_EQ(r.index != nullptr, r.kind == EInfoRecordKind::Index) << r.jsonKey;
        if (r.control != 0) {
            EXPECT_TRUE(controls.insert(r.control).second) << r.jsonKey;
            EXPECT_EQ(InformationRecordOfControl(r.control), &r);
        }
        EXPECT_EQ(InformationRecord(r.type), &r);
    }
    std::sort(types.begin(), types.end());
    EXPECT_TRUE(std::equal(types.begin(), types.end(), CDiveLogInformation::kRecordTypes.begin(),
                           CDiveLogInformation::kRecordTypes.end()));
    EXPECT_EQ(InformationRecord(0x8A), nullptr);
    EXPECT_EQ(InformationRecordOfControl(0), nullptr);
}

// Every member the table names comes back from its own line and from no other.
TEST(InformationRecords, EachRecordRoundTripsItsMemberAlone) {
    for (const CInfoRecord& r : InformationRecords()) {
        if (r.kind != EInfoRecordKind::Text && r.kind != EInfoRecordKind::Index)
            continue;
        CDiveLogInformation edited;
        if (r.text)
            edited.*r.text = "x\xE9y";
        else
            edited.*r.index = 3;
        CDiveLogInformation read;
        read.Decode(r.type, edited.Encode(r.type));
        EXPECT_EQ(read.EncodeAll(), edited.EncodeAll()) << r.jsonKey;
        EXPECT_NE(CDiveLogInformation().EncodeAll(), edited.EncodeAll()) << r.jsonKey;
    }
}
