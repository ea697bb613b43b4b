#pragma once

#include <QDate>
#include <QString>

// "#,##0" for a size or a count (never negative): its digits grouped by thousands with the
// user's separator (',' where the locale has none).
[[nodiscard]] QString formatGrouped(qint64 value);
// "#,###": the same, but 0 gives empty text.
[[nodiscard]] QString formatGroupedOrEmpty(qint64 value);
// "00": at least two digits, never cut (style numbers, days and months).
[[nodiscard]] QString formatIndex(qint64 value);
// "dd/mm/yyyy", with the user's date separator in place of "/" where it is ".", "-" or "/"; empty
// for a date that is not known. Years as ISO 8601 counts them (see isoYear()), without a sign
// above 0.
[[nodiscard]] QString formatDate(const QDate &date);
// The year as ISO 8601 counts it: year 0 is 1 BC, which Qt calls year -1.
[[nodiscard]] int isoYear(const QDate &date);
