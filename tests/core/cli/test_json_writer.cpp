// The JSON writer behind `zelvorlog dump`: its layout is checked by the golden dumps, these are
// the values a sample dive may not carry.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "cli/CJsonWriter.h"

TEST(CJsonWriter, NumbersReadBackExactly) {
    for (double v : {0.1, 1.0 / 3.0, 30.0, -2.5, 1e-300, 6.02214076e23, 0.000244140625}) {
        const std::string text = CJsonWriter::FormatNumber(v);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), v) << text;
    }
    EXPECT_EQ(CJsonWriter::FormatNumber(30.0), "30");
    EXPECT_EQ(CJsonWriter::FormatNumber(0.1), "0.1");
    EXPECT_EQ(CJsonWriter::FormatNumber(NAN), "null");
    EXPECT_EQ(CJsonWriter::FormatNumber(INFINITY), "null");
}

TEST(CJsonWriter, EscapesEightBitText) {
    std::string out;
    CJsonWriter::AppendEscaped(out, std::string("a\"b\\c\n\t\x01\xE9", 9));
    EXPECT_EQ(out, "\"a\\\"b\\\\c\\n\\t\\u0001\\u00e9\"");
    // Plain runs before, between and after the escapes are copied whole; nothing is empty.
    out.clear();
    CJsonWriter::AppendEscaped(out, "m_dTime");
    CJsonWriter::AppendEscaped(out, "");
    CJsonWriter::AppendEscaped(out, "\x7F tail");
    EXPECT_EQ(out, "\"m_dTime\"\"\"\"\\u007f tail\"");
}
