// Texts of data files in UTF-8 or Shift_JIS (CP932).
#include "data/text_encoding.h"

#include <gtest/gtest.h>

using namespace pyramid;

TEST(TextEncoding, Utf8IsKeptAndAnythingElseReadAsShiftJis)
{
    EXPECT_EQ(decodeDataText("東京都 2020"), "東京都 2020");
    // 東京都 in CP932.
    EXPECT_EQ(decodeDataText("\x93\x8C\x8B\x9E\x93\x73 2020"), "東京都 2020");
    // ① and the wave dash are where CP932 and plain Shift_JIS differ.
    EXPECT_EQ(decodeDataText("\x87\x40\x81\x60"), "①～");
    // Neither encoding: the bad byte is marked, the rest survives.
    EXPECT_EQ(decodeDataText("\x93\x8C\xFF" "2020"), "東\xEF\xBF\xBD" "2020");
    // In a path each name is read on its own: a CP932 file in a UTF-8 folder.
    EXPECT_EQ(decodePathText("/データ/\x93\x8C\x8B\x9E/\x93\x73.txt"), "/データ/東京/都.txt");
}

TEST(TextEncoding, Utf8CheckRejectsMalformedSequences)
{
    EXPECT_TRUE(isValidUtf8("人口 2020"));
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x98\x80"));
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE6\x9D", "\x80", "\xE6\x9D\x41"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
}
