// The item reader's rules one by one. Every rule is checked with buffers of a
// few bytes as well as the normal one, so that items, CR LF pairs, quotes and
// the byte-order mark also straddle buffer boundaries.
#include "core/failure.h"
#include "data/data_file_reader.h"
#include "data/text_encoding.h"
#include "temp_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace pyramid;
using pyramid::testing::TempDir;

namespace {

std::vector<std::string> texts(const std::vector<DataItem>& items)
{
    std::vector<std::string> out;
    for (const DataItem& item : items)
        out.push_back(item.text);
    return out;
}

Failure failureFrom(const std::function<void()>& statement)
{
    try {
        statement();
    } catch (const Failure& failure) {
        return failure;
    }
    ADD_FAILURE() << "no failure";
    return Failure(FailureKind::DivisionByZero);
}
FailureKind failureOf(const std::function<void()>& statement) { return failureFrom(statement).kind(); }

class ReaderRules : public ::testing::TestWithParam<std::size_t> {
protected:
    // Every item up to the end; the end is final, a further read fails.
    std::vector<DataItem> readAll(std::string_view bytes)
    {
        DataFileReader reader(GetParam());
        reader.open(dir.write("items.txt", bytes));
        std::vector<DataItem> items;
        while (!reader.atEnd())
            items.push_back(reader.readItem());
        EXPECT_EQ(failureOf([&] { reader.readItem(); }), FailureKind::InputPastEnd);
        EXPECT_EQ(failureOf([&] { reader.readItem(); }), FailureKind::InputPastEnd);
        EXPECT_TRUE(reader.atEnd());
        return items;
    }
    std::vector<std::string> readTexts(std::string_view bytes) { return texts(readAll(bytes)); }

    TempDir dir;
};

using Texts = std::vector<std::string>;

// A reader whose byte source fails once, with EIO, at its n-th call of
// either kind (counted from 1), as a disk or network share may.
class FlakyReader : public DataFileReader {
public:
    FlakyReader(std::size_t bufferSize, int failingCall) : DataFileReader(bufferSize), failingCall_(failingCall) {}

protected:
    long readBytes(int fd, char* into, std::size_t size) override
    {
        return failNow() ? -1 : DataFileReader::readBytes(fd, into, size);
    }
    long readBytesAt(int fd, char* into, std::size_t size, std::int64_t offset) override
    {
        return failNow() ? -1 : DataFileReader::readBytesAt(fd, into, size, offset);
    }

private:
    bool failNow()
    {
        if (++calls_ != failingCall_)
            return false;
        errno = EIO;
        return true;
    }
    int failingCall_;
    int calls_ = 0;
};

}  // namespace

TEST_P(ReaderRules, CommasAndEveryKindOfLineBreakSeparateInAnyMix)
{
    const Texts expected{"2020", "1.5", "10", "20", "30"};
    EXPECT_EQ(readTexts("2020\n1.5\n10\n20\n30\n"), expected);
    EXPECT_EQ(readTexts("2020\r\n1.5\r\n10\r\n20\r\n30\r\n"), expected);
    EXPECT_EQ(readTexts("2020\r1.5\r10\r20\r30\r"), expected);
    EXPECT_EQ(readTexts("2020,1.5,10,20,30"), expected);
    EXPECT_EQ(readTexts("2020,1.5\r\n10\r20\n30"), expected);
}

TEST_P(ReaderRules, BlanksBeforeAreSkippedAndAfterAnUnquotedItemDropped)
{
    EXPECT_EQ(readTexts(" \t 12 \t,\t34  \r\n  5 6\t\n"), (Texts{"12", "34", "5 6"}));
}

TEST_P(ReaderRules, TwoSeparatorsInARowEncloseAnEmptyItem)
{
    EXPECT_EQ(readTexts("1,,2\n\n3,\n4\r\n\r\n5"), (Texts{"1", "", "2", "", "3", "", "4", "", "5"}));
    EXPECT_EQ(readTexts("1\n  \n2"), (Texts{"1", "", "2"}));
    // LF then CR is two line breaks, not one.
    EXPECT_EQ(readTexts("1\n\r2"), (Texts{"1", "", "2"}));
}

TEST_P(ReaderRules, BlanksAndBlankLinesAfterTheLastItemAreNotItems)
{
    EXPECT_EQ(readTexts("1\n2\n\n \r\n\t\n\n"), (Texts{"1", "2"}));
    EXPECT_EQ(readTexts("1,2,"), (Texts{"1", "2"}));
    EXPECT_EQ(readTexts("1\r\n2\r\n\r\n\r\n"), (Texts{"1", "2"}));
    EXPECT_TRUE(readTexts(" \n\r\n\t").empty());
    EXPECT_TRUE(readTexts("").empty());
}

TEST_P(ReaderRules, TestingForTheEndConsumesNothing)
{
    DataFileReader reader(GetParam());
    reader.open(dir.write("items.txt", "1\n\n \n2 \r\n"));
    Texts seen;
    for (int item = 0; item < 4; ++item) {
        for (int look = 0; look < 3; ++look)
            ASSERT_FALSE(reader.atEnd());
        seen.push_back(reader.readItem().text);
    }
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(seen, (Texts{"1", "", "", "2"}));
}

TEST_P(ReaderRules, AByteOrderMarkAtTheStartIsIgnored)
{
    EXPECT_EQ(readTexts("\xEF\xBB\xBF" "2020\n1\n"), (Texts{"2020", "1"}));
    EXPECT_TRUE(readTexts("\xEF\xBB\xBF").empty());
    // Anywhere else those bytes belong to the item.
    EXPECT_EQ(readTexts("1\n\xEF\xBB\xBF" "2"), (Texts{"1", "\xEF\xBB\xBF" "2"}));
}

TEST_P(ReaderRules, AQuotedItemIsTheTextBetweenTheMarks)
{
    const auto items = readAll(" \"東京都, 2020\" ,\"1\"\n\" 12 \"\n\"a\r\nb\"x y\n\"\"\n5");
    EXPECT_EQ(texts(items), (Texts{"東京都, 2020", "1", " 12 ", "a\r\nb", "", "5"}));
    // A quoted count is the number it spells.
    EXPECT_EQ(itemValue(items[1]), 1);
    EXPECT_EQ(itemValue(items[2]), 12);
    EXPECT_EQ(failureOf([&] { itemValue(items[4]); }), FailureKind::TypeMismatch);
}

TEST_P(ReaderRules, AMarkThatIsNeverClosedRunsToTheEnd)
{
    EXPECT_EQ(readTexts("2020\n\"1,\n2\n"), (Texts{"2020", "1,\n2\n"}));
    // A mark inside an unquoted item is an ordinary character.
    EXPECT_EQ(readTexts("ab\"c,d\""), (Texts{"ab\"c", "d\""}));
}

TEST_P(ReaderRules, ItemsAreNumberedFromOneAtEveryOpening)
{
    const std::string file = dir.write("items.txt", "a,b\nc");
    DataFileReader reader(GetParam());
    for (int opening = 0; opening < 2; ++opening) {
        reader.open(file);
        for (long expected = 1; expected <= 3; ++expected)
            EXPECT_EQ(reader.readItem().number, expected);
    }
}

TEST_P(ReaderRules, AnOverlongItemIsCutAndCannotBeACount)
{
    const std::string digits(3 * kMaxItemBytes, '7');
    const auto items = readAll("2020\n" + digits + "\n12" + std::string(5000, ' ') + "\n\"" +
                               std::string(kMaxItemBytes + 1, 'x') + "\"\n5");
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[1].text, digits.substr(0, kMaxItemBytes));
    EXPECT_TRUE(items[1].truncated);
    EXPECT_EQ(failureOf([&] { itemValue(items[1]); }), FailureKind::TypeMismatch);
    // Blanks after an item do not count towards its length.
    EXPECT_EQ(items[2].text, "12");
    EXPECT_FALSE(items[2].truncated);
    // Inside quotation marks every byte counts.
    EXPECT_TRUE(items[3].truncated);
    EXPECT_EQ(items[4].text, "5");
}

TEST_P(ReaderRules, ACountThatFailsStaysUnreadForTheNextTry)
{
    DataFileReader reader(GetParam());
    // A line break inside quotation marks is a line too; CR LF is one.
    reader.open(dir.write("items.txt", "\"20\r\n20\"\r\nabc\n7\n"));
    reader.readItem();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const Failure failure = failureFrom([&] { reader.readNumber(); });
        EXPECT_EQ(failure.kind(), FailureKind::TypeMismatch);
        EXPECT_NE(failure.description().find("ファイルの3行目、2番目の項目「abc」"), std::string::npos) << failure.description();
        EXPECT_FALSE(reader.atEnd());
    }
    const DataItem again = reader.readItem();
    EXPECT_EQ(again.number, 2);
    EXPECT_EQ(again.text, "abc");
    EXPECT_EQ(reader.readNumber(), 7);
    EXPECT_TRUE(reader.atEnd());
}

TEST_P(ReaderRules, AReadErrorIsTriedAgainFromTheItemsFirstByte)
{
    const std::string path = dir.write("items.txt", "2020,\"a\"\r\n12345\n\n7");
    const std::vector<DataItem> sound = readAll("2020,\"a\"\r\n12345\n\n7");
    // Past the last call some read of the file makes, no failure happens.
    for (int failingCall = 1; failingCall <= 40; ++failingCall) {
        FlakyReader reader(GetParam(), failingCall);
        reader.open(path);
        std::vector<DataItem> items;
        int failures = 0;
        for (;;) {
            try {
                if (reader.atEnd())
                    break;
                items.push_back(reader.readItem());
            } catch (const Failure& failure) {
                EXPECT_EQ(failure.kind(), FailureKind::FileAccess);
                ASSERT_LE(++failures, 1);
            }
        }
        ASSERT_EQ(items.size(), sound.size()) << failingCall;
        for (std::size_t k = 0; k < items.size(); ++k) {
            EXPECT_EQ(items[k].number, sound[k].number) << failingCall;
            EXPECT_EQ(items[k].text, sound[k].text) << failingCall;
        }
    }
}

TEST_P(ReaderRules, AFileThatGrowsAfterItsEndIsReadOn)
{
    // The end came right after the weight, after its separator, after blanks.
    const std::pair<std::string, std::string> cases[] = {
        {"2020\n1", "\r\n5,6\n"}, {"2020\n1\r\n", "5,6"}, {"2020\n1\n \t", "5\n6"}};
    for (const auto& [before, added] : cases) {
        const std::string path = dir.write("items.txt", before);
        DataFileReader reader(GetParam());
        reader.open(path);
        reader.readItem();
        reader.readItem();
        EXPECT_TRUE(reader.atEnd());
        EXPECT_EQ(failureOf([&] { reader.readItem(); }), FailureKind::InputPastEnd);
        std::ofstream(path, std::ios::binary | std::ios::app) << added;
        ASSERT_FALSE(reader.atEnd()) << before;
        const DataItem five = reader.readItem();
        EXPECT_EQ(five.number, 3);
        EXPECT_EQ(five.text, "5") << before;
        EXPECT_EQ(reader.readNumber(), 6);
        EXPECT_TRUE(reader.atEnd());
    }
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, ReaderRules,
                         ::testing::Values(1, 2, 3, 5, DataFileReader::kDefaultBufferSize));

TEST(ReaderEnd, ALongRunOfBlankLinesIsScannedOnce)
{
    // Each empty item asks whether the file ends; answering that by scanning
    // the rest of the run every time would take half a minute here.
    TempDir dir;
    constexpr int kBlankLines = 150000;
    DataFileReader reader;
    reader.open(dir.write("blank.txt", "1" + std::string(kBlankLines, '\n') + "2"));
    const auto start = std::chrono::steady_clock::now();
    int items = 0;
    while (!reader.atEnd()) {
        reader.readItem();
        ++items;
    }
    EXPECT_EQ(items, kBlankLines + 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(ReaderOpen, MissingPathsAreNotFoundAndOtherThingsCannotBeRead)
{
    TempDir dir;
    const std::string file = dir.write("p.txt", "1");
    DataFileReader reader;
    EXPECT_EQ(failureOf([&] { reader.open(dir.path("missing.txt")); }), FailureKind::FileNotFound);
    EXPECT_EQ(failureOf([&] { reader.open(dir.path("no/such.txt")); }), FailureKind::FileNotFound);
    EXPECT_EQ(failureOf([&] { reader.open(file + "/x"); }), FailureKind::FileNotFound);
    EXPECT_EQ(failureOf([&] { reader.open(""); }), FailureKind::FileNotFound);
    // The path as the lists show it: a CP932 name decoded, a long path by its end.
    EXPECT_EQ(failureFrom([&] { reader.open("/m/\x96\x6B\x8A\x43\x93\xB9.txt"); }).description(),
              "ファイルが見つかりません。\r\nファイル: /m/北海道.txt");
    EXPECT_EQ(failureFrom([&] { reader.open("/" + std::string(70, 'd') + "/01 北海道.txt"); }).description(),
              "ファイルが見つかりません。\r\nファイル: …" + std::string(48, 'd') + "/01 北海道.txt");
    EXPECT_EQ(failureOf([&] { reader.open(dir.dir().string()); }), FailureKind::FileAccess);
    EXPECT_EQ(failureOf([&] { reader.open("/dev/null"); }), FailureKind::FileAccess);
    // A pipe with no writer must be refused, not waited on.
    const std::string fifo = dir.path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(failureOf([&] { reader.open(fifo); }), FailureKind::FileAccess);
    EXPECT_FALSE(reader.isOpen());

    const Failure missing = failureFrom([&] { reader.open(dir.path("missing.txt")); });
    EXPECT_NE(missing.description().find(dir.path("missing.txt")), std::string::npos);
}

TEST(ReaderOpen, AClosedFileHasNothingMoreToRead)
{
    TempDir dir;
    DataFileReader reader;
    reader.open(dir.write("p.txt", "1,2,3"));
    reader.readItem();
    reader.close();
    EXPECT_FALSE(reader.isOpen());
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(failureOf([&] { reader.readItem(); }), FailureKind::InputPastEnd);
}

TEST(CountGrammar, PlainDecimalNumbersAreCounts)
{
    const std::pair<const char*, double> cases[] = {
        {"0", 0},         {"123", 123},           {"-5", -5},        {"+7", 7},
        {"1.5", 1.5},     {".5", 0.5},            {"5.", 5},         {"1e3", 1000},
        {"2.5E-1", 0.25}, {"-1.2e+2", -120},      {"000042", 42},    {"1078410", 1078410},
        {"999999999999999", 999999999999999.0},   {"12345678901234567890", 12345678901234567890.0},
        {" 12\t", 12},    {"1e-400", 0},
    };
    for (const auto& [text, expected] : cases) {
        double value = -1;
        EXPECT_EQ(parseCount(text, value), CountParse::Number) << text;
        EXPECT_EQ(value, expected) << text;
    }
    // Far too small is 0, also when written without an exponent.
    double tiny = -1;
    EXPECT_EQ(parseCount("0." + std::string(400, '0') + "1", tiny), CountParse::Number);
    EXPECT_EQ(tiny, 0);
}

TEST(CountGrammar, AnythingElseIsNotANumber)
{
    for (const char* text : {"", " ", "abc", "12abc", "1e", "e5", "+", "-", ".", "1.2.3", "0x10", "inf", "nan",
                             "1 2", "--1", "1e+", "&H10", "１２", "1_000", "1.2e3.4"}) {
        double value = 0;
        EXPECT_EQ(parseCount(text, value), CountParse::NotANumber) << text;
    }
}

TEST(CountGrammar, BeyondTheRangeOfADoubleIsTooLarge)
{
    for (const std::string& text : {std::string("1e309"), std::string("-1e400"), std::string(400, '9'),
                                    std::string(400, '9') + "e-1", std::string("0.001e999999999999999999")}) {
        double value = 0;
        EXPECT_EQ(parseCount(text, value), CountParse::TooLarge) << text;
    }
}

TEST(CountGrammar, FailuresNameTheItemNumberAndText)
{
    std::string pictures40;
    for (int k = 0; k < 40; ++k)
        pictures40 += "␀";
    // Control characters show as their pictures and a long text is cut, so
    // the prompt stays readable whatever file was picked.
    const struct {
        DataItem item;
        FailureKind kind;
        std::string detail;
    } cases[] = {
        {{4, "12abc"}, FailureKind::TypeMismatch, "4番目の項目「12abc」は数値ではありません。"},
        {{9, "1e999"}, FailureKind::Overflow, "9番目の項目「1e999」は数値として大きすぎます。"},
        {{9, "x", false, 3}, FailureKind::TypeMismatch, "ファイルの3行目、9番目の項目「x」は数値ではありません。"},
        {{3, std::string(kMaxItemBytes, '\0'), true}, FailureKind::TypeMismatch,
         "3番目の項目「" + pictures40 + "…」は長すぎて数値として読めません。"},
        {{5, std::string("1\t2\x1B\x7F\xC2\x85\xE2\x80\xAE" "3", 11)}, FailureKind::TypeMismatch,
         "5番目の項目「1␉2␛␡\uFFFD\uFFFD3」は数値ではありません。"},
        {{6, std::string(39, '7') + "年号"}, FailureKind::TypeMismatch,
         "6番目の項目「" + std::string(39, '7') + "年…」は数値ではありません。"},
        {{7, std::string(38, '7') + "年号"}, FailureKind::TypeMismatch,
         "7番目の項目「" + std::string(38, '7') + "年号」は数値ではありません。"},
    };
    for (const auto& [item, kind, detail] : cases) {
        try {
            itemValue(item);
            ADD_FAILURE() << detail;
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.kind(), kind);
            EXPECT_EQ(failure.description(), failureText(kind) + "\r\n" + detail);
        }
    }
}

TEST(CountGrammar, AFileThatIsNoTextIsSaidToBeNoDataFileInsteadOfQuoted)
{
    TempDir dir;
    std::ifstream workbook(std::string(PYRAMID_SAMPLES_DIR) + "/estat/b02_01.xlsx", std::ios::binary);
    std::string zip(4096, '\0');
    workbook.read(zip.data(), static_cast<std::streamsize>(zip.size()));
    using namespace std::string_literals;
    for (const std::string& bytes : {zip, "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj\n"s, "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s}) {
        DataFileReader reader;
        reader.open(dir.write("chosen.txt", bytes));
        reader.readItem();
        try {
            reader.readNumber();
            ADD_FAILURE() << "read as a count";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.description(), failureText(FailureKind::TypeMismatch) +
                                                 "\r\n選んだファイルはテキストファイルではないため、データファイルとして読めません。");
        }
    }
}

TEST(YearText, ACutThroughAUtf8CharacterStaysUtf8)
{
    std::string text(kMaxItemBytes - 2 - 3 * 100, '2');
    for (int k = 0; k < 100; ++k)
        text += "年";
    text += "\xE5\xB9";  // the first two bytes of 年, then the limit
    ASSERT_EQ(text.size(), kMaxItemBytes);
    const std::string decoded = itemText({1, text, true});
    EXPECT_TRUE(isValidUtf8(decoded));
    EXPECT_EQ(decoded, text.substr(0, kMaxItemBytes - 2));
}
