#pragma once

#include "styles/shown_rows.h"

#include <QString>

// The style list shows 16 rows; a page is the run of shown rows from PageFirst to PageLast
// (1-based; PageLast < PageFirst means nothing is shown).
constexpr int StyleRowsPerPage = 16;

struct ScrollSetup {
    bool enabled = false;
    int minimum = 1;
    int maximum = 1;
};

// The scroll range for a list of `total` rows: every position shows a full page.
[[nodiscard]] ScrollSetup ScrollSetupFor(qint32 total);

struct ListRowCells {
    QString number;  // "01 "
    QString name;    // " Name"
    QString size;    // "1,234 ": main and supplementary parts together
    bool ghost = false;
};

[[nodiscard]] ListRowCells ListRowCellsFor(const ShownRow &row);
