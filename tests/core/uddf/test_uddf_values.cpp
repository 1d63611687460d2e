// The pieces under the UDDF export: text escaping and encoding, number texts, and reading back
// what the diver typed and the summary shows.
#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

#include "uddf/CXmlStreamWriter.h"
#include "uddf/UddfValues.h"

using namespace uddf;

TEST(AppendEscaped, MarkupIsEscapedAndWindows1252BecomesUtf8) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"a & b", "a &amp; b"},
        {"<x> \"q\" 'a'", "&lt;x&gt; &quot;q&quot; &apos;a&apos;"},
        {"\xE9", "\xC3\xA9"},         // e acute
        {"\x80 5", "\xE2\x82\xAC 5"}, // euro sign
        {"\x81", "\xEF\xBF\xBD"},     // unassigned: replacement character
        {"a\x01\x1F"
         "b",
         "ab"},                            // control characters XML cannot carry
        {"l1\r\nl2\tx", "l1&#13;\nl2\tx"}, // line breaks and tabs survive a parser
    };
    for (const auto& c : cases) {
        std::string out;
        CXmlStreamWriter::AppendEscaped(out, c.in);
        EXPECT_EQ(out, c.out) << c.in;
    }
}

TEST(CXmlStreamWriter, NestsAndClosesWhatIsLeftOpen) {
    std::ostringstream out;
    {
        CXmlStreamWriter xml(out);
        xml.Declaration();
        xml.Start("a");
        xml.Attribute("id", "x&y");
        xml.Element("b", "1");
        xml.Empty("c", "ref", "x");
        xml.Start("d");
        xml.Finish();
    }
    EXPECT_EQ(out.str(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a id=\"x&amp;y\">\n  "
                         "<b>1</b>\n  <c ref=\"x\"/>\n  <d/>\n</a>\n");
}

TEST(FormatNumber, ShortestFixedTextWithinTheDecimals) {
    EXPECT_EQ(FormatNumber(BarToPascal(1.31), kPascalDecimals), "131000");
    EXPECT_EQ(FormatNumber(-0.0001, 2), "0");
    EXPECT_EQ(FormatNumber(12.0, 3), "12");
    EXPECT_EQ(FormatNumber(0.85000002384, kFractionDecimals), "0.85");
    EXPECT_EQ(FormatNumber(std::nan(""), 2), "");
}

TEST(ParseVisibilityMetres, NumbersWithTheirUnit) {
    EXPECT_EQ(ParseVisibilityMetres("12 m"), 12.0);
    EXPECT_EQ(ParseVisibilityMetres(" 15,5m"), 15.5);
    EXPECT_EQ(ParseVisibilityMetres("8"), 8.0);
    EXPECT_NEAR(*ParseVisibilityMetres("30 ft"), 9.144, 1e-9);
    EXPECT_NEAR(*ParseVisibilityMetres("10'"), 3.048, 1e-9);
    EXPECT_FALSE(ParseVisibilityMetres("good"));
    EXPECT_FALSE(ParseVisibilityMetres(""));
    EXPECT_FALSE(ParseVisibilityMetres("."));
}

TEST(ParseDiveTimeText, BothSummaryFormsAndNothingElse) {
    EXPECT_EQ(ParseDiveTimeText("45:00 mm:ss"), 2700);
    EXPECT_EQ(ParseDiveTimeText("59:59 mm:ss"), 3599);
    EXPECT_EQ(ParseDiveTimeText("1:00:30 hh:mm:ss"), 3630);
    EXPECT_FALSE(ParseDiveTimeText(""));
    EXPECT_FALSE(ParseDiveTimeText("Invalid"));
    EXPECT_FALSE(ParseDiveTimeText("12:30"));
}
