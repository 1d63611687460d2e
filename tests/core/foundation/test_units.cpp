#include <gtest/gtest.h>

#include "viewmodel/Units.h"

TEST(FormatFeetInches, TruncatesFeetAndInches) {
    EXPECT_EQ(FormatFeetInches(0.0), "0' 0\"");
    EXPECT_EQ(FormatFeetInches(10.0), "32' 9\""); // 32.8083 ft -> 0.8083 * 12 = 9.69 in
    EXPECT_EQ(FormatFeetInches(1.0), "3' 3\"");   // 3.28083 ft -> 3.37 in
}
