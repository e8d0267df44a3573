#pragma once
// A sample data file's numbers read plainly with a stream, so the tests
// work out their expected figures without the program's own reader.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace pyramid::testing {

struct SampleFigures {
    std::string title;
    double weight = 0;
    std::vector<double> male;  // by age, from age 0
    std::vector<double> female;
    double largest = 0;  // the largest single count, either sex
};

// The samples hold one item a line: the title, the weight, the male counts
// and then the female counts of the same ages.
inline SampleFigures readSampleFigures(const std::string& path)
{
    SampleFigures figures;
    std::ifstream in(path);
    std::getline(in, figures.title);
    in >> figures.weight;
    std::vector<double> counts;
    for (double count; in >> count;)
        counts.push_back(count);
    const auto classes = std::ptrdiff_t(counts.size() / 2);
    figures.male.assign(counts.begin(), counts.begin() + classes);
    figures.female.assign(counts.begin() + classes, counts.begin() + 2 * classes);
    for (double count : counts)
        figures.largest = std::max(figures.largest, count);
    return figures;
}

// Fifteen significant digits without trailing zeros, as result lines show numbers.
inline std::string fifteenDigits(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

}  // namespace pyramid::testing
