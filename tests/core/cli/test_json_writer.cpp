// The JSON writer behind `zelvorlog dump`: its layout is checked by the golden dumps, these are
// the values a sample dive may not carry.
#include <gtest/gtest.h>

#include <charconv>
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

namespace {
std::string ToChars(double v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}
} // namespace

// Whole numbers and values of one or two decimals take a shortcut; its text must be exactly the
// general shortest form, including where the exponent form wins, at the edges of the shortcut,
// for negative zero, and for values that merely lie near a short decimal.
TEST(CJsonWriter, CommonNumbersMatchTheGeneralShortestForm) {
    std::string out;
    auto expectSame = [&out](double v) {
        out.clear();
        CJsonWriter::AppendNumber(out, v);
        ASSERT_EQ(out, ToChars(v)) << "value " << ToChars(v);
    };
    for (long long k = -1'200'000; k <= 1'200'000; ++k) {
        expectSame(static_cast<double>(k) / 100.0);
        if (k % 7 == 0) { // every tenth and whole number up to 10^5, fewer of them
            expectSame(static_cast<double>(k) / 10.0);
            expectSame(static_cast<double>(k) / 10.0 * 10.0 * 10.0);
        }
    }
    for (double v : {-0.0, 0.0, 9999.99, 10000.0, 10000.5, 1e5, 1e6, 123456.0, 0.1 + 0.2, 0.005,
                     0.001, 1e-7, 2.675, 1.0 / 3.0, 9999.995, -9999.99, 4503599627370497.0}) {
        expectSame(v);
        expectSame(std::nextafter(v, 1e300));
        expectSame(std::nextafter(v, -1e300));
    }
    std::srand(7);
    for (int i = 0; i < 200'000; ++i) {
        const double v =
            (std::rand() - RAND_MAX / 2) / static_cast<double>(1 << (std::rand() % 24));
        expectSame(v);
    }
    EXPECT_EQ(CJsonWriter::FormatNumber(-0.0), "-0");
    EXPECT_EQ(CJsonWriter::FormatNumber(42.6), "42.6");
    EXPECT_EQ(CJsonWriter::FormatNumber(1.05), "1.05");
}

// Inline containers keep their contents on one line however deeply they nest, and the lines
// after them go back to the normal layout.
TEST(CJsonWriter, InlineLevelsOpenAndClose) {
    std::string out;
    CJsonWriter j(out);
    j.BeginObject();
    j.Key("a");
    j.BeginObject(true);
    j.Key("b");
    j.BeginArray();
    j.Number(1.5);
    j.BeginArray(true);
    j.Int(2);
    j.EndArray();
    j.EndArray();
    j.EndObject();
    j.Key("c");
    j.BeginArray();
    j.BeginObject();
    j.KeyInt("d", 3);
    j.EndObject();
    j.EndArray();
    j.EndObject();
    EXPECT_EQ(out,
              "{\n  \"a\": {\"b\": [1.5, [2]]},\n  \"c\": [\n    {\n      \"d\": 3\n    }\n  ]\n}");
}
