#include "load_harness.h"

namespace {

QString escaped(const QByteArray &bytes)
{
    QString out;
    for (const char c : bytes) {
        const auto byte = quint8(c);
        out += byte >= 0x20 && byte < 0x7F ? QString(QLatin1Char(c)) : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return out;
}

} // namespace

LoadResult loadBytes(TestFolder &folder, const QByteArray &bytes, const QString &name)
{
    return loadStyleFile(folder.write(name, bytes), FileService());
}

QString summary(const LoadResult &result)
{
    QString text = QStringLiteral("no file");
    if (result.file) {
        QStringList rows;
        for (const StyleEntry &s : result.file->styles) {
            rows << QStringLiteral("%1@%2 \"%3\" %4+%5%6")
                        .arg(s.number)
                        .arg(s.slot)
                        .arg(escaped(s.name))
                        .arg(s.size)
                        .arg(s.supplementarySize)
                        .arg(s.ghost ? QStringLiteral(" ghost") : QString());
        }
        text = QStringLiteral("%1+%2:").arg(result.file->usableCount()).arg(result.file->ghostCount());
        if (!rows.isEmpty())
            text += QLatin1Char(' ') + rows.join(QStringLiteral(", "));
    }
    if (result.message)
        text += QStringLiteral(" ! ") + result.message->text;
    return text;
}

QString loadSummary(const QByteArray &bytes)
{
    TestFolder folder;
    return summary(loadBytes(folder, bytes));
}
