#include "number_format.h"

#include <QLocale>

namespace {
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
