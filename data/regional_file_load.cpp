#include "data/regional_file_load.h"

#include "core/checked_math.h"
#include "core/failure.h"
#include "data/data_file_in_memory.h"
#include "data/data_file_reader.h"

#include <optional>
#include <string>

namespace pyramid {

namespace {

// Item 1 and item 2, read the same way by both passes. A weighting figure
// that is not a number stays unread, so Yes tries the same item again.
void readHeader(StatementRunner& run, DataFileReader& file, PopulationData& data)
{
    run([&] { data.TitleYear = itemText(file.readItem()); });
    run([&] { data.RegionWeight = file.readNumber(); });
}

// Reads counts into slots 1..ClassCount of `table`, adding each to `total`.
void readTable(StatementRunner& run, DataFileReader& file, PopulationTable& table, double& total,
               double ClassCount)
{
    countingLoop(run, [] { return 1.0; }, [&] { return ClassCount; }, [&](double i) {
        run([&] {
            // The slot is checked before the item is taken, and a count that
            // fails stays unread: a retry meets the same item for the same slot.
            if (i > PopulationTable::kLastSlot)
                throw Failure(FailureKind::SubscriptOutOfRange,
                              "人数の項目が多すぎます（" + std::to_string(long(ClassCount * 2)) +
                                  "個）。読めるのは男女それぞれ200区分（0〜199歳）までです。");
            table.at(i);
            table.set(static_cast<long>(i), file.readNumber());
        });
        run([&] { total = checkedAdd(total, table.at(i)); });
    });
}

// The title and the side labels of the loaded file.
void publishLabels(StatementRunner& run, FormControls& form, const PopulationData& data)
{
    run([&] { form.setCaption(Label::Label2, data.TitleYear + std::string(kTitleSuffix)); });
    run([&] { form.setCaption(Label::Label3, kMaleSide); });
    run([&] { form.setCaption(Label::Label4, kFemaleSide); });
    run([&] { form.setCaption(Label::Label6, kCentreZero); });
}

}  // namespace

double loadRegionalFile(StatementRunner& run, FormControls& form, PopulationData& data)
{
    run([&] { form.setCaption(Label::Label10, ""); });
    run([&] { form.setCaption(Label::Label11, ""); });

    std::string fileName;
    run([&] { fileName = form.caption(Label::Label1); });
    const double ClassCount = readRegionalFile(run, fileName, data);
    publishLabels(run, form, data);
    return ClassCount;
}

double loadRegionalText(StatementRunner& run, FormControls& form, PopulationData& data, std::string_view text)
{
    run([&] { form.setCaption(Label::Label10, ""); });
    run([&] { form.setCaption(Label::Label11, ""); });
    const double ClassCount = readRegionalText(run, text, data);
    publishLabels(run, form, data);
    return ClassCount;
}

double readRegionalText(StatementRunner& run, std::string_view text, PopulationData& data)
{
    std::optional<DataFileInMemory> file;
    run([&] { file.emplace(text); });
    return readRegionalFile(run, file->path(), data);
}

double readRegionalFile(StatementRunner& run, const std::string& fileName, PopulationData& data)
{
    long itemCount = 0;
    run([&] { itemCount = 0; });
    run([&] { data.MaxCount = 0; });
    run([&] { data.MaleTotal = 0; });
    run([&] { data.FemaleTotal = 0; });
    run([&] { data.GrandTotal = 0; });
    run([&] { data.MalePop.recreate(); });
    run([&] { data.FemalePop.recreate(); });

    // First pass: count the items, sum them, find the largest.
    DataFileReader file;
    run([&] { file.open(fileName); });
    readHeader(run, file, data);
    // The read only takes the item's text; a count that is not a number
    // fails at the sum, and Yes repeats the sum on the same item.
    DataItem item;
    double x = 0;
    do {
        run([&] { ++itemCount; });
        run([&] { file.readItem(item); });
        run([&] {
            x = itemValue(item);
            data.GrandTotal = checkedAdd(data.GrandTotal, x);
        });
        if (run([&] { return x > data.MaxCount; }))
            run([&] { data.MaxCount = x; });
    } while (!run([&] { return file.atEnd(); }));
    double ClassCount = 0;
    run([&] { ClassCount = itemCount / 2.0; });
    run([&] { file.close(); });

    // Second pass: the male counts, then the female counts.
    run([&] { file.open(fileName); });
    readHeader(run, file, data);
    readTable(run, file, data.MalePop, data.MaleTotal, ClassCount);
    readTable(run, file, data.FemalePop, data.FemaleTotal, ClassCount);
    run([&] { file.close(); });
    return ClassCount;
}

}  // namespace pyramid
