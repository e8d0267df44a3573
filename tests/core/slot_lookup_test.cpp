#include "core/failure.h"
#include "core/slot_lookup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using pyramid::Failure;
using pyramid::FailureKind;
using pyramid::slotIndex;

TEST(SlotIndex, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(slotIndex(2.5), 2);
    EXPECT_EQ(slotIndex(3.5), 4);
    EXPECT_EQ(slotIndex(21.5), 22);
    EXPECT_EQ(slotIndex(22.5), 22);
    EXPECT_EQ(slotIndex(-0.5), 0);
    EXPECT_EQ(slotIndex(-1.5), -2);
    EXPECT_EQ(slotIndex(2.4999), 2);
    EXPECT_EQ(slotIndex(2.5001), 3);
    EXPECT_EQ(slotIndex(200), 200);
}

TEST(SlotIndex, BeyondTheWholeNumberRangeIsAnOverflow)
{
    for (double bad : {3e9, -3e9, std::numeric_limits<double>::infinity(), std::nan("")}) {
        try {
            slotIndex(bad);
            FAIL() << "no failure for " << bad;
        } catch (const Failure& f) {
            EXPECT_EQ(f.kind(), FailureKind::Overflow);
        }
    }
    EXPECT_EQ(slotIndex(2147483647.0), 2147483647L);
}
