#include "format_parameters.h"

namespace {
constexpr FormatParameters SmallISeries{96, 40, 32, 10, 72, 6, 5, 6, 4};   // "KORG9", "KORG<"
constexpr FormatParameters LargeISeries{224, 0, 0, 11, 24, 4, 1, 2, 48};   // "KORGM", "KORGI"
}

bool RecogniseFormat(const QByteArray &FormatTag, FormatParameters &parameters)
{
    if (FormatTag == "KORF")
        return true;
    if (FormatTag == "KORG9" || FormatTag == "KORG<") {
        parameters = SmallISeries;
        return true;
    }
    if (FormatTag == "KORGM" || FormatTag == "KORGI") {
        parameters = LargeISeries;
        return true;
    }
    return false;
}
