#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

using pyramid::fixedText;
using pyramid::generalText;
using pyramid::quotientText;
using pyramid::signedText;

TEST(GeneralText, WholeFractionalAndNegativeValues)
{
    EXPECT_EQ(generalText(0.25), "0.25");
    EXPECT_EQ(generalText(1975), "1975");
    EXPECT_EQ(generalText(-3), "-3");
    EXPECT_EQ(generalText(125439273), "125439273");
    EXPECT_EQ(generalText(0), "0");
    EXPECT_EQ(generalText(-0.0), "0");
    EXPECT_EQ(generalText(-0.5), "-0.5");
}

TEST(GeneralText, FifteenSignificantDigits)
{
    EXPECT_EQ(generalText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(generalText(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(generalText(325.98399725527844), "325.983997255278");
    EXPECT_EQ(generalText(0.1 + 0.2), "0.3");
}

TEST(GeneralText, ExponentFormAtTheExtremes)
{
    EXPECT_EQ(generalText(999999999999999.0), "999999999999999");
    EXPECT_EQ(generalText(1e15), "1E+15");
    EXPECT_EQ(generalText(-2.5e20), "-2.5E+20");
    EXPECT_EQ(generalText(0.0001), "0.0001");
    EXPECT_EQ(generalText(0.00001), "1E-05");
}

TEST(SignedText, BlankOrMinusAndNoLeadingZero)
{
    EXPECT_EQ(signedText(1975), " 1975");
    EXPECT_EQ(signedText(-10), "-10");
    EXPECT_EQ(signedText(0.5), " .5");
    EXPECT_EQ(signedText(-0.5), "-.5");
    EXPECT_EQ(signedText(0), " 0");
    EXPECT_EQ(signedText(-0.0), " 0");
    EXPECT_EQ(signedText(10.5), " 10.5");
    EXPECT_EQ(signedText(1e15), " 1E+15");
}

// What no number can show is the dash the report leaves for an undefined
// quotient, never "inf", "NaN" or the largest double.
TEST(NumberText, FixedDecimalsAndTheDashForNoValue)
{
    EXPECT_EQ(fixedText(0.7234, 2), "0.72");
    EXPECT_EQ(fixedText(-0.001, 2), "0.00");
    EXPECT_EQ(fixedText(-12.345, 1), "-12.3");
    EXPECT_EQ(fixedText(-1e304, 2), "-1E+304");
    EXPECT_EQ(quotientText(1, 4), "0.25");
    for (const std::string& none : {generalText(INFINITY), generalText(-INFINITY), generalText(NAN),
                                    fixedText(INFINITY, 2), fixedText(NAN, 2), quotientText(1, 0),
                                    quotientText(1e308, 1e-308), signedText(NAN).substr(1)})
        EXPECT_EQ(none, "―");
}
