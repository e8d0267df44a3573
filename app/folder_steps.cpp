// Through the years: File1's folder stepped through on its common scale,
// with the reported range carried along. Each step is the designed
// handlers run in order, so it draws and reports exactly as they do.
#include "app/pyramid_form.h"

#include "data/census_table.h"
#include "data/file_system_lists.h"

#include <algorithm>

namespace pyramid {

namespace {

// The entry `direction` places after File1's selected one, or -1. Census
// tables are passed over: each would stop the steps to ask for a region.
long steppedIndex(const std::string& folder, const std::vector<std::string>& names, const std::string& selected,
                  int direction)
{
    const auto at = std::find(names.begin(), names.end(), selected);
    if (selected.empty() || at == names.end())
        return -1;
    for (long index = long(at - names.begin()) + direction; index >= 0 && index < long(names.size());
         index += direction)
        if (!isCensusTable(childPath(folder, names[std::size_t(index)])))
            return index;
    return -1;
}

}  // namespace

bool QuietablePrompt::askToContinue(std::string_view title, std::string_view message)
{
    if (quiet)
        return false;
    ++shownCount;
    return shown_.askToContinue(title, message);
}

bool PyramidForm::canStepFile(int direction) const noexcept
{
    try {
        return steppedIndex(form_.filePath(), form_.fileNames(), form_.fileName(), direction) >= 0;
    } catch (...) {
        return false;
    }
}

bool PyramidForm::stepFile(int direction)
{
    const std::vector<std::string> names = form_.fileNames();
    const long index = steppedIndex(form_.filePath(), names, form_.fileName(), direction);
    if (index < 0 || !form_.selectFile(names[std::size_t(index)]))
        return false;
    const std::optional<FollowedRange> followed = followed_;
    File1_Click();
    const double largest = folderScale_.largestCount(form_.filePath(), names);
    if (largest > 0)
        nextFolderLargest_ = largest;
    Command1_Click();
    if (shows_ == ChartShows::Nothing)
        followed_ = followed;  // a file that did not draw is passed over by the range
    else if (followed)
        reportAgain(*followed);
    return true;
}

void PyramidForm::reportAgain(const FollowedRange& range)
{
    std::string from = range.fromText;
    std::string to = range.toText;
    std::string absent;
    if (followsGeneration_) {
        GenerationAges ages = generationAges(range, data_.TitleYear, drawnClassCount_);
        from = std::move(ages.fromText);
        to = std::move(ages.toText);
        absent = std::move(ages.absent);
    }
    prompts_.quiet = true;
    Command3_Click();
    if (absent.empty()) {
        form_.setAgeText(0, from);
        form_.setAgeText(1, to);
        Text1_KeyPress(0, kEnterKey);
        Text1_KeyPress(1, kEnterKey);
    } else {
        form_.setCaption(Label::Label10, absent);
    }
    prompts_.quiet = false;
    // Ages stay as they were typed and take the new file's birth years; a
    // generation keeps its birth years, whatever ages it reaches.
    if (shows_ != ChartShows::PyramidAndRange || followsGeneration_)
        followed_ = FollowedRange{from.empty() ? range.fromText : from, to.empty() ? range.toText : to,
                                  range.fromBirth, range.toBirth};
}

bool PyramidForm::hasFolderSeries() noexcept
{
    try {
        return folderScale_.largestCount(form_.filePath(), form_.fileNames()) > 0;
    } catch (...) {
        return false;
    }
}

PyramidForm::Series PyramidForm::folderSeries(std::size_t most) noexcept
{
    Series series;
    try {
        const std::string directory = form_.filePath();
        const std::vector<std::string> names = form_.fileNames();
        series.folder = directory;
        series.largest = folderScale_.largestCount(directory, names);
        if (!(series.largest > 0))
            return {};
        series.scale = folderScaleFor(series.largest);
        const std::vector<std::string> readable = folderScale_.readable(names);
        series.folderFiles = readable.size();
        for (std::size_t k : seriesChoice(readable.size(), most)) {
            SeriesFile file{childPath(directory, readable[k]), {}, 0};
            if (const std::optional<double> classes = readQuietly(file.path, file.data)) {
                file.ClassCount = *classes;
                series.files.push_back(std::move(file));
            }
        }
    } catch (...) {
        return {};
    }
    return series;
}

}  // namespace pyramid
