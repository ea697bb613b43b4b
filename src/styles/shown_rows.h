#pragma once

#include "current_file.h"

#include <QVector>

// One style as the list view and the reports show it: its number is its position in StyleList.
struct ShownRow {
    qint32 number = 0;
    Pa80Styles::Ref style;
};

// The records that hold a style, in list order: UsableCount + GhostCount of them. For an
// i-series file these skip the empty slots, so a style behind an empty slot is never hidden.
[[nodiscard]] QVector<ShownRow> ShownRows(const CurrentFile &file);
