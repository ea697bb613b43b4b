#include "csv_reader.h"

QList<QStringList> readCsv(const QByteArray &csv)
{
    QList<QStringList> records{{}};
    QString field;
    bool quoted = false;
    const QString text = QString::fromUtf8(csv);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted && c == QLatin1Char('"') && text.mid(i + 1, 1) == QLatin1String("\"")) {
            field += c;
            ++i;
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted && (c == QLatin1Char(',') || text.mid(i, 2) == QLatin1String("\r\n"))) {
            records.last() << field;
            field.clear();
            if (c != QLatin1Char(','))
                records.append(QStringList()), ++i;
        } else {
            field += c;
        }
    }
    records.removeLast();  // after the last line end
    return records;
}

