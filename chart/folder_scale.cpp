#include "chart/folder_scale.h"

#include "core/error_prompt.h"
#include "data/file_system_lists.h"
#include "data/regional_file_load.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace pyramid {

namespace {

// Answers No at once: a file that fails is simply not read.
class NoPrompt : public ErrorPrompt {
public:
    bool askToContinue(std::string_view, std::string_view) override { return false; }
};

// A ZIP archive (a workbook of today) or an OLE compound file (an older
// workbook) by its first bytes: not a data file, whatever reader may take it.
bool isBinaryDocument(const std::string& path)
{
    char head[4] = {};
    std::ifstream in(path, std::ios::binary);
    in.read(head, sizeof head);
    const std::string_view start(head, std::size_t(in.gcount()));
    return start == std::string_view("PK\x03\x04", 4) || start == std::string_view("\xD0\xCF\x11\xE0", 4);
}

}  // namespace

std::optional<double> readQuietly(const std::string& path, PopulationData& data) noexcept
{
    try {
        if (isBinaryDocument(path))
            return std::nullopt;
        NoPrompt no;
        std::optional<double> classes;
        runHandler(no, [&](StatementRunner& run) { classes = readRegionalFile(run, path, data); });
        return classes;
    } catch (...) {
        return std::nullopt;
    }
}

double FolderScale::largestCount(const std::string& directory, const std::vector<std::string>& names) noexcept
{
    try {
        if (directory != directory_) {
            directory_ = directory;
            files_.clear();
        }
        double largest = 0;
        for (const std::string& name : names) {
            const std::string path = childPath(directory, name);
            // Only a regular file: opening a pipe to look at it would wait for ever.
            std::error_code typeError, sizeError, timeError;
            if (!std::filesystem::is_regular_file(path, typeError))
                continue;
            const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
            const auto modified = std::filesystem::last_write_time(path, timeError).time_since_epoch().count();
            if (sizeError || timeError)
                continue;
            auto [at, added] = files_.try_emplace(name);
            Seen& seen = at->second;
            if (added || seen.size != size || seen.modified != modified) {
                PopulationData data;
                ++reads_;
                seen = {size, std::int64_t(modified),
                        readQuietly(path, data) ? std::optional<double>(data.MaxCount) : std::nullopt};
            }
            if (seen.largest && *seen.largest > largest)
                largest = *seen.largest;
        }
        return std::isfinite(largest) ? largest : 0;
    } catch (...) {
        return 0;
    }
}

std::vector<std::string> FolderScale::readable(const std::vector<std::string>& names) const
{
    std::vector<std::string> out;
    for (const std::string& name : names) {
        const auto at = files_.find(name);
        if (at != files_.end() && at->second.largest)
            out.push_back(name);
    }
    return out;
}

std::vector<std::size_t> seriesChoice(std::size_t count, std::size_t most)
{
    std::vector<std::size_t> chosen;
    const std::size_t shown = std::min(count, most);
    for (std::size_t k = 0; k < shown; ++k)
        chosen.push_back(shown < 2 ? k : std::size_t(std::lround(double(k) * double(count - 1) / double(shown - 1))));
    return chosen;
}

void drawSeriesChart(ChartSurface& surface, const SeriesFile& file, const PyramidScale& scale) noexcept
{
    try {
        NoPrompt no;
        runHandler(no, [&](StatementRunner& run) {
            run([&] { surface.clear(); });
            drawPyramidChart(run, surface, file.data, file.ClassCount, scale);
        });
    } catch (...) {
    }
}

}  // namespace pyramid
