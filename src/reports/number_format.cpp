#include "number_format.h"

#include <QLocale>

namespace {
// The separator of the locale's short date format: its first character that is not a letter, a
// blank or a direction mark (the C locale's "d MMM yyyy" has none).
QChar dateSeparator()
{
    for (const QChar c : QLocale().dateFormat(QLocale::ShortFormat)) {
        if (c.isLetter() || c.isSpace() || c.category() == QChar::Other_Format)
            continue;
        return c == QLatin1Char('.') || c == QLatin1Char('-') ? c : QLatin1Char('/');
    }
    return QLatin1Char('/');
}

QString groupSeparator()
{
    const QString separator = QLocale().groupSeparator();
    return separator.isEmpty() ? QStringLiteral(",") : separator;
}
}

QString formatGrouped(qint64 value)
{
    const QString digits = QString::number(value < 0 ? -value : value);
    const QString separator = groupSeparator();
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return value < 0 ? QLatin1Char('-') + out : out;
}

QString formatGroupedOrEmpty(qint64 value) { return value == 0 ? QString() : formatGrouped(value); }

QString formatIndex(qint64 value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

QString formatDate(const QDate &date)
{
    const QChar separator = dateSeparator();
    return QStringLiteral("%1%2%3%4%5")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(separator)
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(separator)
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}
