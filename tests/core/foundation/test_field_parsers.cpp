#include <gtest/gtest.h>

#include "logfile/FieldParsers.h"

// ---- IsChecksumValid ---------------------------------------------------------------------------

TEST(IsChecksumValid, XorOfAllBytesBeforeTheLast) {
    // 0x0A ^ 0x0B = 0x01; an odd length reads its last single character as the checksum.
    for (const char* good : {"0A0B01", "0a0b01", "0A0B1"})
        EXPECT_TRUE(IsChecksumValid(good)) << good;
    for (const char* bad : {"0A0B02", "0A0B2", "0A0", ""})
        EXPECT_FALSE(IsChecksumValid(bad)) << bad;
    const std::string line = CRecordLineWriter(0x06).Word(0x1234).Byte(0xFF).PadTo(16).Finish();
    EXPECT_EQ(line.size(), 34u);
    EXPECT_EQ(line.substr(0, 8), "061234FF");
    EXPECT_TRUE(IsChecksumValid(line));
    EXPECT_EQ(WithChecksum("0A0B"), "0A0B01");
}

// ---- ParseHex and friends ----------------------------------------------------------------------

TEST(ParseHex, WordsBytesAndShortenedFields) {
    EXPECT_EQ(ParseHex("1234", 0, 4), 0x1234u);
    EXPECT_EQ(ParseHex("ff", 0, 2), 255u);
    EXPECT_EQ(ParseHex("12", 1, 4), 2u);        // runs past the end: shortened
    EXPECT_EQ(ParseHex("12", 5, 2), 0u);        // starts past the end: empty
    EXPECT_EQ(ParseHex("0G", 0, 2), 'G' - 87u); // non-hex contributes code - 87
    EXPECT_EQ(RecordType("7F00"), 0x7Fu);
}

TEST(ParseSignedHex16, HighFirstDigitIsNegative) {
    EXPECT_EQ(ParseSignedHex16("FFFE"), -2);
    EXPECT_EQ(ParseSignedHex16("fffe"), -2);
    EXPECT_EQ(ParseSignedHex16("7FFF"), 32767);
    EXPECT_EQ(ParseSignedHex16("8000"), -32768);
}

TEST(ParseFrc, LeastSignificantByteFirst) {
    EXPECT_DOUBLE_EQ(ParseFrc("00100000"), 1.0);
    EXPECT_DOUBLE_EQ(ParseFrc("00000100"), 16.0);
    EXPECT_DOUBLE_EQ(ParseFrc("0010000"), -1.0);
    EXPECT_DOUBLE_EQ(ParseFrc("FFFFFFFF"), 4294967295.0 / 4096.0);
}

TEST(ParseFloatBE, UpperCaseOnly) {
    EXPECT_FLOAT_EQ(ParseFloatBE("3F800000"), 1.0f);
    EXPECT_FLOAT_EQ(ParseFloatBE("3f800000"), 0.0f);
    EXPECT_FLOAT_EQ(ParseFloatBE("3F80000"), 0.0f);
    EXPECT_FLOAT_EQ(ParseFloatBE("BF800000"), -1.0f);
}

TEST(ParseSplitFloat, ExponentInTheFourthByte) {
    // 1.0f = 0x3F800000: a=0, b=0, c = low 7 bits of bits 16-22 (0) | sign<<7, d = bit 23 | bits
    // 24-30 << 1 = 1 | 0x3F << 1 = 0x7F.
    EXPECT_FLOAT_EQ(ParseSplitFloat(0x00, 0x00, 0x00, 0x7F), 1.0f);
    EXPECT_FLOAT_EQ(ParseSplitFloat(0x00, 0x00, 0x80, 0x7F), -1.0f);
    for (float v : {0.0f, 3.5f, -12.25f, 1013.0f, 1e-3f}) {
        CRecordLineWriter w(0x21);
        w.SplitFloat(v);
        const std::string l = w.Finish();
        EXPECT_FLOAT_EQ(ParseSplitFloat(ParseHex(l, 2, 2), ParseHex(l, 4, 2), ParseHex(l, 6, 2),
                                        ParseHex(l, 8, 2)),
                        v);
    }
}

TEST(ParseDateTime, CalendarValidation) {
    const CDateTime dt = ParseDateTime("001D0C090E1F05", 2); // 29/12/2009 14:31:05
    ASSERT_TRUE(dt.IsValid());
    EXPECT_EQ(dt.Year(), 2009);
    EXPECT_EQ(dt.Month(), 12);
    EXPECT_EQ(dt.Day(), 29);
    EXPECT_EQ(dt.Format("%d/%m/%Y %H:%M:%S"), "29/12/2009 14:31:05");
    EXPECT_FALSE(ParseDateTime("00010D090E1F05", 2).IsValid()); // month 13
    EXPECT_TRUE(ParseDateTime("001D02080000", 2).IsValid());    // 29 Feb 2008
    EXPECT_FALSE(ParseDateTime("001D02090000", 2).IsValid());   // 29 Feb 2009
    EXPECT_FALSE(ParseDateTime("0001010918", 2).IsValid());     // hour 24 / too short
    EXPECT_FALSE(ParseDateTime("", 0).IsValid());
}

TEST(IsHeaderLine, SixPrefixesAtCharacterZero) {
    EXPECT_TRUE(IsHeaderLine("Porthole Link Version 1.2.3"));
    EXPECT_TRUE(IsHeaderLine("Date 12/03/2009"));
    EXPECT_TRUE(IsHeaderLine("Time"));
    EXPECT_TRUE(IsHeaderLine("Porthole Depot Version"));
    EXPECT_FALSE(IsHeaderLine(" Date"));
    EXPECT_FALSE(IsHeaderLine("0A0B01"));
    EXPECT_FALSE(IsHeaderLine("Porthole Version"));
}
