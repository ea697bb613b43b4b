#include "i_series_layout.h"

namespace {
constexpr ISeriesLayout FourSlots {96, 72, 6, 4, 4, 10};          // "KORG9", "KORG<"
constexpr ISeriesLayout FortyEightSlots {224, 24, 4, 0, 48, 11};  // "KORGM", "KORGI"
}  // namespace

const ISeriesLayout *iSeriesLayoutFor(const QByteArray &tag)
{
    if (tag == "KORG9" || tag == "KORG<")
        return &FourSlots;
    if (tag == "KORGM" || tag == "KORGI")
        return &FortyEightSlots;
    return nullptr;
}
