#pragma once
// The two population tables and the summary values every load leaves behind.

#include <array>
#include <optional>
#include <string>

namespace pyramid {

// 201 slots, indices 0..200; slot i holds the count of age class i (age i-1).
// A slot is a number or empty, and an empty slot counts as 0. Before the
// first load the table has no slots at all, and every lookup fails.
class PopulationTable {
public:
    static constexpr int kLastSlot = 200;

    bool exists() const { return exists_; }
    // Discards the old contents: all 201 slots empty.
    void recreate();

    // The count at the slot nearest to `index` (half to even); 0 when empty.
    // Fails with SubscriptOutOfRange outside 0..200 or before the first load,
    // and with Overflow for an index beyond the whole-number range.
    double at(double index) const;
    // The count at slot `slot`, 0 where `at` would fail: for what the window
    // reads on its own, outside any handler, where nothing may fail.
    double countOrZero(long slot) const noexcept { return filled(slot) ? *slots_[std::size_t(slot)] : 0.0; }
    // Stores a count at slot `index`; fails as `at` does.
    void set(long index, double count);
    // Whether slot `index` holds a number (for tests and checks).
    bool filled(long index) const noexcept;

private:
    long checkedSlot(double index) const;

    bool exists_ = false;
    std::array<std::optional<double>, kLastSlot + 1> slots_{};
};

// Module-level state of the form, written by the draw command's load and
// only read by the chart and the analysis.
struct PopulationData {
    PopulationTable MalePop;
    PopulationTable FemalePop;
    std::string TitleYear;    // the file's first item, UTF-8
    double RegionWeight = 0;  // the file's second item
    double MaxCount = 0;      // largest single count, men and women together
    double GrandTotal = 0;    // sum of every count item
    double MaleTotal = 0;     // sum of MalePop
    double FemaleTotal = 0;   // sum of FemalePop
};

}  // namespace pyramid
