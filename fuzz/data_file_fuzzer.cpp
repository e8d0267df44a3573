// libFuzzer target: the item reader and the whole load on arbitrary files.
//
// The input is written to a scratch file. The reader, with a buffer of a few
// bytes and with the normal one, must split it exactly as a plain in-memory
// splitter does; every count it accepts must be the number strtod reads. The
// load then runs through a prompt that answers Yes a few times and then No:
// it must finish with the splitter's totals when the file is sound, and end
// at the prompt when it is not.
#include "core/failure.h"
#include "data/data_file_reader.h"
#include "data/regional_file_load.h"
#include "plain_items.h"
#include "scratch_file.h"
#include "support/memory_form.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

using namespace pyramid;

using namespace pyramid::plain;

using namespace pyramid::fuzzing;

namespace {

// ---- The reader alone.

void readerAgreesWithSplitter(const std::string& path, std::size_t bufferSize, const std::vector<DataItem>& expected)
{
    DataFileReader reader(bufferSize);
    reader.open(path);
    std::size_t k = 0;
    while (!reader.atEnd()) {
        check(k < expected.size(), "reader finds more items than there are");
        const DataItem item = reader.readItem();
        check(item.number == expected[k].number, "item number differs");
        check(item.text == expected[k].text, "item text differs");
        check(item.truncated == expected[k].truncated, "cut mark differs");
        ++k;
    }
    check(k == expected.size(), "reader finds fewer items than there are");
    try {
        reader.readItem();
        fault("a read past the end succeeded");
    } catch (const Failure& failure) {
        check(failure.kind() == FailureKind::InputPastEnd, "a read past the end failed otherwise");
    }

    // Counts read as numbers: a failed one is met again by the next read.
    // The first items are enough; failures are slow under the sanitizers.
    reader.open(path);
    for (const DataItem& item : expected) {
        if (item.number > 40)
            break;
        try {
            reader.readNumber();
        } catch (const Failure&) {
            const DataItem again = reader.readItem();
            check(again.number == item.number && again.text == item.text, "a failed count was skipped");
        }
    }
    check(expected.size() > 40 || reader.atEnd(), "numbers and items out of step");
}

// What a count the grammar accepts must be worth.
void countsAgreeWithStrtod(const std::vector<DataItem>& items)
{
    for (const DataItem& item : items) {
        double value = 0;
        const CountParse outcome = parseCount(item.text, value);
        const std::string text = item.text;
        char* end = nullptr;
        errno = 0;
        const double expected = std::strtod(text.c_str(), &end);
        const bool outOfRange = errno == ERANGE;
        if (outcome == CountParse::Number) {
            const std::string rest = trimEnd(end);
            check(rest.empty(), "accepted a count strtod does not read in full");
            check(outOfRange ? std::fabs(value) <= 1e-300 : value == expected, "count value differs from strtod");
        } else if (outcome == CountParse::TooLarge) {
            check(outOfRange && std::isinf(expected), "too large a count that strtod can hold");
        }
    }
}

// ---- The whole load.

class BoundedPrompt : public ErrorPrompt {
public:
    bool askToContinue(std::string_view, std::string_view) override
    {
        ++asked;
        return asked <= 3;
    }
    int asked = 0;
};

void loadAgreesWithSplitter(const std::string& path, const std::vector<DataItem>& items)
{
    pyramid::testing::MemoryForm form;
    form.captions[Label::Label1] = path;
    BoundedPrompt prompt;
    PopulationData data;
    double ClassCount = -1;
    runHandler(prompt, [&](StatementRunner& run) { ClassCount = loadRegionalFile(run, form, data); });

    // Whether the file is sound, and its figures, from the splitter's items.
    bool sound = items.size() >= 3;
    std::vector<double> counts;
    for (std::size_t k = 1; k < items.size() && sound; ++k) {
        double value = 0;
        sound = !items[k].truncated && parseCount(items[k].text, value) == CountParse::Number;
        if (k >= 2)
            counts.push_back(value);
    }
    const std::size_t classes = counts.size() / 2;
    sound = sound && classes <= 200;
    double grand = 0, male = 0, female = 0, largest = 0;
    for (std::size_t k = 0; k < counts.size() && sound; ++k) {
        grand += counts[k];
        largest = counts[k] > largest ? counts[k] : largest;
        if (k < classes)
            male += counts[k];
        else if (k < 2 * classes)
            female += counts[k];
        sound = std::isfinite(grand) && std::isfinite(male) && std::isfinite(female);
    }

    check(sound == (prompt.asked == 0), "the load disagrees about whether the file is sound");
    if (!sound)
        return;
    check(ClassCount == double(counts.size()) / 2, "class count");
    check(data.GrandTotal == grand && data.MaleTotal == male && data.FemaleTotal == female, "totals");
    check(data.MaxCount == largest, "largest count");
    for (std::size_t i = 1; i <= PopulationTable::kLastSlot; ++i) {
        check(data.MalePop.filled(long(i)) == (i <= classes), "male slots");
        check(data.FemalePop.filled(long(i)) == (i <= classes), "female slots");
        if (i <= classes)
            check(data.MalePop.at(double(i)) == counts[i - 1] && data.FemalePop.at(double(i)) == counts[classes + i - 1],
                  "slot contents");
    }
    check(data.TitleYear == itemText(items[0]), "title");
    check(form.caption(Label::Label2) == data.TitleYear + std::string(kTitleSuffix), "title caption");
}


}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string& path = scratchFileHolding(input);

    const std::vector<DataItem> items = splitItems(input);
    // Buffers of 1 to 32 bytes put every kind of boundary inside some input.
    readerAgreesWithSplitter(path, size > 0 ? 1 + data[0] % 32 : 1, items);
    readerAgreesWithSplitter(path, DataFileReader::kDefaultBufferSize, items);
    countsAgreeWithStrtod(items);
    loadAgreesWithSplitter(path, items);
    return 0;
}
