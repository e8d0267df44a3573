#include "chart/pyramid_mapping.h"
#include "core/failure.h"

#include <gtest/gtest.h>

using namespace pyramid;

TEST(PyramidMapping, RowsAreFourUnitsApartFromAgeZeroAt418)
{
    EXPECT_EQ(rowY(1), 418);
    EXPECT_EQ(rowY(101), 18);  // age 100
    EXPECT_EQ(rowY(0), 422);   // slot 0, one spacing below age 0
    EXPECT_EQ(rowY(21.5), 336);
}

TEST(PyramidMapping, LargestCountReaches250UnitsEachSide)
{
    const double scale = barScaleFor(1000000);
    EXPECT_DOUBLE_EQ(scale, 0.00025);
    EXPECT_DOUBLE_EQ(maleBarEndX(1000000, scale), 70);
    EXPECT_DOUBLE_EQ(femaleBarEndX(1000000, scale), 570);
    EXPECT_DOUBLE_EQ(maleBarEndX(-400000, scale), 420);  // a negative count runs the other way
    EXPECT_DOUBLE_EQ(differenceEndX(300000, 100000, scale), 270);
    EXPECT_DOUBLE_EQ(differenceEndX(100000, 300000, scale), 370);
    EXPECT_DOUBLE_EQ(differenceEndX(5, 5, scale), 320);
}

TEST(PyramidMapping, GridEvery100000Persons)
{
    const double scale = barScaleFor(1000000);
    EXPECT_DOUBLE_EQ(maleGridX(1, scale), 295);
    EXPECT_DOUBLE_EQ(maleGridX(10, scale), 70);
    EXPECT_DOUBLE_EQ(femaleGridX(10, scale), 570);
    EXPECT_DOUBLE_EQ(maleGridX(13, scale), -5);
    EXPECT_DOUBLE_EQ(femaleGridX(13, scale), 645);
}

TEST(PyramidMapping, ZeroMaxCountIsADivisionByZero)
{
    try {
        barScaleFor(0);
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind(), FailureKind::DivisionByZero);
    }
}

TEST(PyramidMapping, DecadeRowsAreAgesMultipleOfTen)
{
    for (int i = 1; i <= 201; ++i)
        EXPECT_EQ(isDecadeRow(i), (i - 1) % 10 == 0) << "class " << i;
    EXPECT_TRUE(isDecadeRow(-9));    // age -10
    EXPECT_FALSE(isDecadeRow(0));    // slot 0, age -1
    EXPECT_FALSE(isDecadeRow(11.5)); // a fractional class never ends in 0
    EXPECT_FALSE(isDecadeRow(21.5));
}

TEST(PyramidMapping, CoordinatesBeyondSinglePrecisionOverflow)
{
    EXPECT_EQ(chartCoordinate(320.25), 320.25f);
    EXPECT_THROW(chartCoordinate(1e39), Failure);
    EXPECT_THROW(chartCoordinate(-1e39), Failure);
}
