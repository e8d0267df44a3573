#include "core/failure.h"

#include <gtest/gtest.h>

using namespace pyramid;

TEST(Failure, DetailFollowsTheKindsWording)
{
    Failure failure(FailureKind::FileNotFound, "ファイル: /data/a.txt");
    EXPECT_EQ(failure.description(), "ファイルが見つかりません。\r\nファイル: /data/a.txt");
}
