#include "load_harness.h"

#include "styles/shown_rows.h"

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

QString LoadHarness::summary() const
{
    QStringList rows;
    for (const ShownRow &row : ShownRows(file)) {
        const PA80Style &s = *row.style;
        rows << QStringLiteral("%1@%2 \"%3\" %4+%5%6")
                    .arg(row.number)
                    .arg(s.StylePos())
                    .arg(escaped(s.StyleName()))
                    .arg(s.StyleSize())
                    .arg(s.StyleSizeSupp())
                    .arg(s.isGhost() ? QStringLiteral(" ghost") : QString());
    }
    QString text = QStringLiteral("%1+%2:").arg(file.UsableCount).arg(file.GhostCount);
    if (!rows.isEmpty())
        text += QLatin1Char(' ') + rows.join(QStringLiteral(", "));
    for (const QString &message : messages())
        text += QStringLiteral(" ! ") + message;
    EXPECT_EQ(reportCommandsEnabled, file.UsableCount + file.GhostCount > 0) << text.toStdString();
    return text;
}

QString LoadSummary(const QByteArray &bytes)
{
    LoadHarness h;
    h.load(bytes);
    return h.summary();
}
