#pragma once

#include <QString>

// "#,##0": decimal digits grouped by thousands with the user's separator (',' where the locale
// has none).
[[nodiscard]] QString FormatGrouped(qint64 value);
// "#,###": the same, but 0 gives empty text.
[[nodiscard]] QString FormatGroupedOrEmpty(qint64 value);
// "00": at least two digits, never cut.
[[nodiscard]] QString FormatIndex(qint64 value);
