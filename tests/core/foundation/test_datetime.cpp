#include <gtest/gtest.h>

#include "logfile/CDateTime.h"

TEST(CDateTime, DayNumberMatchesTheOleOrigin) {
    EXPECT_EQ(CDateTime::DayNumber(1899, 12, 30), 0);
    EXPECT_EQ(CDateTime::DayNumber(2000, 1, 1), 36526);
    EXPECT_TRUE(CDateTime().IsNull());
    EXPECT_EQ(CDateTime().Format("%d"), "");
    EXPECT_EQ(CDateTime::Invalid().Format("%d"), "Invalid");
}

TEST(CDateTime, DifferencesRoundHalfAwayFromZero) {
    const CDateTime a(2009, 3, 1, 10, 0, 0);
    const CDateTime b(2009, 3, 1, 10, 10, 0);
    EXPECT_EQ(b.SecondsSince(a), 600);
    EXPECT_EQ(a.SecondsSince(b), -600);
    EXPECT_EQ(a.AddSeconds(0.5).SecondsSince(a), 1);
    EXPECT_EQ(a.SecondsSince(a.AddSeconds(0.5)), -1);
    EXPECT_EQ(a.AddSeconds(0.49).SecondsSince(a), 0);
    EXPECT_EQ(CDateTime(2009, 3, 2, 0, 0, 0).SecondsSince(CDateTime(2009, 2, 28, 23, 59, 59)),
              86401);
    EXPECT_FALSE(a.SecondsSince(CDateTime::Invalid()).has_value());
    EXPECT_FALSE(a.SecondsSince(CDateTime()).has_value());
    EXPECT_FALSE(CDateTime::FromDays(4000000.0).SecondsSince(CDateTime::FromDays(0)).has_value());
}

TEST(CDateTime, ValidationOfLogBytes) {
    EXPECT_TRUE(CDateTime::FromLogBytes(29, 2, 8, 0, 0, 0).IsValid());
    EXPECT_FALSE(CDateTime::FromLogBytes(29, 2, 9, 0, 0, 0).IsValid());
    EXPECT_TRUE(CDateTime::FromLogBytes(29, 2, 0, 0, 0, 0).IsValid()); // 2000 is a leap year
    EXPECT_FALSE(CDateTime::FromLogBytes(31, 4, 9, 0, 0, 0).IsValid());
    EXPECT_FALSE(CDateTime::FromLogBytes(1, 13, 9, 0, 0, 0).IsValid());
    EXPECT_FALSE(CDateTime::FromLogBytes(0, 1, 9, 0, 0, 0).IsValid());
    EXPECT_FALSE(CDateTime::FromLogBytes(1, 1, 9, 0, 60, 0).IsValid());
    EXPECT_EQ(CDateTime::FromLogBytes(31, 12, 255, 23, 59, 59).Year(), 2255);
}

TEST(CDateTime, FormatTokens) {
    const CDateTime dt(2009, 7, 4, 8, 5, 3);
    EXPECT_EQ(dt.Format("%d %B %Y %H:%M:%S"), "04 July 2009 08:05:03");
    EXPECT_EQ(dt.Format("%d %b %y"), "04 Jul 09");
    EXPECT_EQ(dt.Format("%j %% %Q"), "185 % %Q");
    // A value a hair below midnight shows the next day's midnight in every field.
    const CDateTime edge = CDateTime::FromDays(CDateTime(2009, 7, 4, 0, 0, 0).Days() - 1e-9);
    EXPECT_EQ(edge.Format("%d/%m/%Y %H:%M:%S"), "04/07/2009 00:00:00");
    EXPECT_EQ(dt.DayOfWeek(), 7); // Saturday
}
