#pragma once
// A folder of data files on one common scale, as for a series of years:
// 250 units for the largest single count among all the files of the folder
// that read, so that a pyramid of a smaller population is drawn smaller.

#include "chart/pyramid_drawing.h"
#include "core/chart_surface.h"
#include "data/population.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pyramid {

// Reads `path` as the draw reads it, but without a prompt: its ClassCount,
// or nothing when a step of the reading fails. Files that are not text
// (workbooks, archives) are not read at all.
std::optional<double> readQuietly(const std::string& path, PopulationData& data) noexcept;

// The largest counts of a folder's files, each file read once and again only
// when its size or modification time changes.
class FolderScale {
public:
    // The largest single count among the files `names` of `directory` that
    // read; 0 when none does.
    double largestCount(const std::string& directory, const std::vector<std::string>& names) noexcept;
    // Of `names`, those that read, in the same order; after largestCount.
    std::vector<std::string> readable(const std::vector<std::string>& names) const;
    // How many times a file was read, for seeing that nothing is read twice.
    long reads() const noexcept { return reads_; }

private:
    struct Seen {
        std::uintmax_t size = 0;
        std::int64_t modified = 0;
        std::optional<double> largest;  // nothing when the file does not read
    };
    std::string directory_;
    std::map<std::string, Seen> files_;
    long reads_ = 0;
};

// The common scale for a folder whose largest count is `largest`.
inline PyramidScale folderScaleFor(double largest) noexcept { return {chart::kLongestBar / largest}; }

// Which of `count` files a page of at most `most` shows: all when they fit,
// else the first, the last and evenly spaced ones between, in order.
std::vector<std::size_t> seriesChoice(std::size_t count, std::size_t most);

// One file of a printed series, read.
struct SeriesFile {
    std::string path;
    PopulationData data;
    double ClassCount = 0;
};

// The pyramid of `file` on `surface` at `scale`: axes, grid and bars, as the
// draw makes them; a step that fails ends the drawing there.
void drawSeriesChart(ChartSurface& surface, const SeriesFile& file, const PyramidScale& scale) noexcept;

}  // namespace pyramid
