#include "number_format.h"

#include <QLocale>

namespace {

struct Separators {
    QLocale locale;
    QString group;
    QChar date;
};

// The separator of the locale's short date format where it is one a report's dates can take
// (the C locale's "d MMM yyyy" has none).
QChar dateSeparator(const QLocale &locale)
{
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat)) {
        if (c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('/'))
            return c;
    }
    return QLatin1Char('/');
}

// The user's separators, looked up again only when the default locale changes: a report over
// thousands of files formats every number with them.
const Separators &separators()
{
    thread_local Separators cached {QLocale::c(), {}, {}};
    const QLocale current;
    if (cached.date.isNull() || current != cached.locale) {
        const QString group = current.groupSeparator();
        cached = {current, group.isEmpty() ? QStringLiteral(",") : group, dateSeparator(current)};
    }
    return cached;
}

}  // namespace

QString formatGrouped(qint64 value)
{
    const QString digits = QString::number(value);
    const QString &separator = separators().group;
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

QString formatGroupedOrEmpty(qint64 value) { return value == 0 ? QString() : formatGrouped(value); }

QString formatIndex(qint64 value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

QString formatDate(const QDate &date)
{
    if (!date.isValid())
        return {};
    const int year = isoYear(date);
    return QStringLiteral("%1%4%2%4%3")
        .arg(formatIndex(date.day()), formatIndex(date.month()),
            (year < 0 ? QStringLiteral("-") : QString())
                + QString::number(qAbs(year)).rightJustified(4, QLatin1Char('0')),
            separators().date);
}

int isoYear(const QDate &date) { return date.year() < 0 ? date.year() + 1 : date.year(); }
