#include "terminal_text.h"

#include <algorithm>

namespace {
bool isControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }
}  // namespace

QByteArray maskControlBytes(QByteArray line)
{
    for (char &c : line) {
        if (isControl(quint8(c)))
            c = '?';
    }
    return line;
}

QString escapeControls(const QString &text)
{
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return isControl(c.unicode()); }))
        return text;
    QString out;
    for (const QChar c : text) {
        if (!isControl(c.unicode()))
            out += c;
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c.unicode() >= 0x80)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
    return out;
}
