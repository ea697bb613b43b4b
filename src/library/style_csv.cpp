#include "style_csv.h"

#include "platform/file_name.h"

namespace {

// 8-bit text from a file, with control characters escaped as JSON escapes them.
QString jsonEscaped(const QByteArray &bytes)
{
    QString text;
    for (const char c : bytes) {
        const auto byte = quint8(c);
        const char *const named[] = {"\\b", "\\t", "\\n", nullptr, "\\f", "\\r"};
        if (byte >= 0x20)
            text += QChar(byte);
        else if (byte >= 8 && byte <= 13 && named[byte - 8] != nullptr)
            text += QLatin1String(named[byte - 8]);
        else
            text += QStringLiteral("\\u%1").arg(byte, 4, 16, QLatin1Char('0'));
    }
    return text;
}

// A field in double quotes when it holds a comma, a quote or a line end; its quotes doubled.
QByteArray field(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\r')
        && !bytes.contains('\n'))
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

QByteArray csvHeaderLine()
{
    return line({QStringLiteral("path"), QStringLiteral("file name"), QStringLiteral("tag"),
        QStringLiteral("family"), QStringLiteral("number"), QStringLiteral("slot"),
        QStringLiteral("name"), QStringLiteral("size"), QStringLiteral("supplementary size"),
        QStringLiteral("ghost")});
}

QByteArray csvLine(const QString &path, const StyleFile &file, const StyleEntry &style)
{
    return line({displayFileName(path), displayFileName(file.name()), jsonEscaped(file.header.tag),
        file.family(), QString::number(style.number), QString::number(style.slot),
        jsonEscaped(style.name), QString::number(style.size),
        QString::number(style.supplementarySize),
        style.ghost ? QStringLiteral("yes") : QStringLiteral("no")});
}
