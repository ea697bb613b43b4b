#include "style_csv.h"

#include "platform/file_name.h"

namespace {

bool startsFormula(QStringView text)
{
    return !text.isEmpty() && QStringView(u"=+-@").contains(text.front());
}

// One escaping for every cell, so that no byte of a file reaches a spreadsheet or a terminal as
// a command and every text has its own cell: see csvLine().
QString escaped(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\\')
            out += QLatin1String("\\\\");
        else if (c == u'\n')
            out += QLatin1String("\\n");
        else if (c == u'\r')
            out += QLatin1String("\\r");
        else if (c == u'\t')
            out += QLatin1String("\\t");
        else if (c < 0x20 || c == 0x7F)
            out += QStringLiteral("\\x%1").arg(c, 2, 16, QLatin1Char('0'));
        else if (c >= 0x80 && c <= 0x9F)
            out += QStringLiteral("\\u%1").arg(c, 4, 16, QLatin1Char('0'));
        else if (isEscapedByte(text, i))
            out += QStringLiteral("\\x%1").arg(escapedByte(text[i]), 2, 16, QLatin1Char('0'));
        else if (c == u'\'' && i == 0 && startsFormula(QStringView(text).sliced(1)))
            out += QLatin1String("\\x27");  // else it would read as the guard below
        else
            out += text[i];
    }
    return out;
}

// A cell as RFC 4180 writes it, in double quotes when it holds a comma or a quote. A text that
// begins with "=", "+", "-" or "@" gets a leading "'", as OWASP advises: a spreadsheet would
// take it for a formula.
QByteArray field(const QString &text)
{
    QString cell = escaped(text);
    if (startsFormula(cell))
        cell.prepend(QLatin1Char('\''));
    QByteArray bytes = cell.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"'))
        return bytes;
    return '"' + bytes.replace("\"", "\"\"") + '"';
}

QByteArray line(const QStringList &fields)
{
    QByteArrayList out;
    for (const QString &text : fields)
        out << field(text);
    return out.join(',') + "\r\n";
}

}  // namespace

QByteArray csvHeaderLine(bool withDetails)
{
    QStringList names {QStringLiteral("path"), QStringLiteral("file name"), QStringLiteral("tag"),
        QStringLiteral("family"), QStringLiteral("number"), QStringLiteral("slot"),
        QStringLiteral("name"), QStringLiteral("size"), QStringLiteral("supplementary size"),
        QStringLiteral("ghost")};
    if (withDetails)
        names << QStringLiteral("meter") << QStringLiteral("tempo") << QStringLiteral("damaged");
    return line(names);
}

QByteArray csvLine(const QString &path, const StyleFile &file, const StyleEntry &style,
    const StyleDetails *details)
{
    QStringList cells {path, file.name(), QString::fromLatin1(file.header.tag), file.family(),
        QString::number(style.number), QString::number(style.slot), style.nameText(),
        QString::number(style.size), QString::number(style.supplementarySize),
        style.ghost ? QStringLiteral("yes") : QStringLiteral("no")};
    if (details != nullptr) {
        cells << (details->meter ? details->meter->text() : QString())
              << (details->tempo ? QString::number(*details->tempo) : QString())
              << (details->integrity == Integrity::Damaged ? damageMessage(*details, style.number)
                                                           : QString());
    }
    return line(cells);
}
