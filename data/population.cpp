#include "data/population.h"

#include "core/failure.h"
#include "core/slot_lookup.h"

#include <string>

namespace pyramid {

void PopulationTable::recreate()
{
    exists_ = true;
    slots_.fill(std::nullopt);
}

long PopulationTable::checkedSlot(double index) const
{
    const long slot = slotIndex(index);
    if (!exists_)
        throw Failure(FailureKind::SubscriptOutOfRange, "データファイルがまだ読み込まれていません。先に作図実行を押してください。");
    if (slot < 0 || slot > kLastSlot)
        throw Failure(FailureKind::SubscriptOutOfRange,
                      "年齢区分の番号" + std::to_string(slot) + "は0〜200の範囲外です。");
    return slot;
}

double PopulationTable::at(double index) const
{
    return slots_[checkedSlot(index)].value_or(0.0);
}

void PopulationTable::set(long index, double count)
{
    slots_[checkedSlot(static_cast<double>(index))] = count;
}

bool PopulationTable::filled(long index) const noexcept
{
    return exists_ && index >= 0 && index <= kLastSlot && slots_[index].has_value();
}

}  // namespace pyramid
