#include "data/census_table.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <utility>
#include <vector>

namespace pyramid {

// data/areas-2020.tsv, built into the program (see data/CMakeLists.txt):
// the land area (km², Geospatial Information Authority of Japan, 1 October
// 2020) of all 1,965 regions of the 2020 census by five-digit region code, as
// the column 面積（参考） of the census Table 1-1 (e-Stat statInfId
// 000032142402, b01_01.xlsx) prints it, with the region's name, level,
// population, men and women.
extern const unsigned char kRegionAreas2020[];
extern const std::size_t kRegionAreas2020Size;

namespace {

// code -> km², from the table's lines "code<TAB>name<TAB>level_code<TAB>level<TAB>area_km2<TAB>…".
std::vector<std::pair<std::string, double>> areasByCode()
{
    const std::string_view table(reinterpret_cast<const char*>(kRegionAreas2020), kRegionAreas2020Size);
    std::vector<std::pair<std::string, double>> areas;
    for (std::size_t at = table.find('\n'); at != std::string_view::npos && at + 1 < table.size();) {
        const std::size_t next = table.find('\n', at + 1);
        const std::string_view line = table.substr(at + 1, next - at - 1);
        at = next;
        std::string_view field[5];
        std::size_t start = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            const std::size_t tab = line.find('\t', start);
            field[i] = line.substr(start, tab - start);
            start = tab == std::string_view::npos ? line.size() : tab + 1;
        }
        double area = 0;
        const auto [end, error] = std::from_chars(field[4].data(), field[4].data() + field[4].size(), area);
        if (error == std::errc() && area > 0)
            areas.emplace_back(std::string(field[0]), area);
    }
    std::sort(areas.begin(), areas.end());
    return areas;
}

}  // namespace

double regionArea(std::string_view code) noexcept
{
    try {
        static const std::vector<std::pair<std::string, double>> areas = areasByCode();
        const auto found = std::lower_bound(areas.begin(), areas.end(), code,
                                            [](const auto& entry, std::string_view c) { return entry.first < c; });
        return found != areas.end() && found->first == code ? found->second : 1.0;
    } catch (...) {
        return 1.0;
    }
}

}  // namespace pyramid
