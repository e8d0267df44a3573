#include "core/leading_number.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>

using pyramid::leadingNumber;

TEST(LeadingNumber, ReadsTheNumberATextBeginsWith)
{
    EXPECT_EQ(leadingNumber("20"), 20);
    EXPECT_EQ(leadingNumber("20歳"), 20);
    EXPECT_EQ(leadingNumber("-1"), -1);
    EXPECT_EQ(leadingNumber("+7"), 7);
    EXPECT_EQ(leadingNumber("2.5"), 2.5);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("1,5"), 1);
    EXPECT_EQ(leadingNumber("1e2"), 100);
    EXPECT_EQ(leadingNumber("1E-1"), 0.1);
    EXPECT_EQ(leadingNumber("20e"), 20);
    EXPECT_EQ(leadingNumber("3.5.1"), 3.5);
    // Typed with the input method on: full-width digits, signs and point.
    EXPECT_EQ(leadingNumber("２０"), 20);
    EXPECT_EQ(leadingNumber("２０歳"), 20);
    EXPECT_EQ(leadingNumber("－１"), -1);
    EXPECT_EQ(leadingNumber("\u2212１"), -1);
    EXPECT_EQ(leadingNumber("＋７"), 7);
    EXPECT_EQ(leadingNumber("２．５"), 2.5);
    EXPECT_EQ(leadingNumber("1９.5"), 19.5);
}

TEST(LeadingNumber, SkipsBlanksTabsAndLineFeedsAnywhere)
{
    EXPECT_EQ(leadingNumber(" 2 0"), 20);
    EXPECT_EQ(leadingNumber("\t1\n5"), 15);
    EXPECT_EQ(leadingNumber("- 3"), -3);
    EXPECT_EQ(leadingNumber("\u3000２\u3000０"), 20);
    EXPECT_EQ(leadingNumber("1\r5"), 1);  // a carriage return is not skipped
}

TEST(LeadingNumber, NoNumberGivesZero)
{
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber("-"), 0);
    EXPECT_EQ(leadingNumber("."), 0);
    EXPECT_EQ(leadingNumber("歳20"), 0);
    EXPECT_EQ(leadingNumber("歳２０"), 0);
    EXPECT_EQ(leadingNumber("二十"), 0);
}

TEST(LeadingNumber, HexadecimalAndOctal)
{
    EXPECT_EQ(leadingNumber("&H1F"), 31);
    EXPECT_EQ(leadingNumber("&h1fz"), 31);
    EXPECT_EQ(leadingNumber("&O17"), 15);
    EXPECT_EQ(leadingNumber("&H"), 0);
    EXPECT_EQ(leadingNumber("&O9"), 0);
}

TEST(LeadingNumber, BeyondTheRangeOfADoubleSaturatesOrIsZero)
{
    EXPECT_EQ(leadingNumber("1e400"), DBL_MAX);
    EXPECT_EQ(leadingNumber("-1e400"), -DBL_MAX);
    EXPECT_EQ(leadingNumber("1e-400"), 0);
    // Too small is zero also when the text has no negative exponent.
    EXPECT_EQ(leadingNumber("0." + std::string(400, '0') + "1"), 0);
    EXPECT_EQ(leadingNumber("0." + std::string(330, '0') + "1e5"), 0);
}
