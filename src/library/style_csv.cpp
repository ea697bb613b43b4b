#include "style_csv.h"

#include "platform/file_name.h"

namespace {

bool startsFormula(QStringView text)
{
    return !text.isEmpty() && QStringView(u"=+-@").contains(text.front());
}

// A cell as RFC 4180 writes it, in double quotes when it holds a comma or a quote. A text that
// begins with "=", "+", "-" or "@" gets a leading "'", as OWASP advises: a spreadsheet would
// take it for a formula.
QByteArray field(const QString &text)
{
    QString cell = escapedText(text);
    // A "'" that begins a text before a formula's sign would read as the guard below.
    if (cell.startsWith(QLatin1Char('\'')) && startsFormula(QStringView(cell).sliced(1)))
        cell.replace(0, 1, QStringLiteral("\\x27"));
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
        names << QStringLiteral("meter") << QStringLiteral("tempo") << QStringLiteral("damaged")
              << QStringLiteral("elements");
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
                                                           : QString())
              << (details->elementsWithMusic
                         ? elementNames(*details->elementsWithMusic).join(QLatin1Char(' '))
                         : QString());
    }
    return line(cells);
}
