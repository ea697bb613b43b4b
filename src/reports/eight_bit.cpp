#include "eight_bit.h"

QByteArray toEightBit(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() <= 0xFF)
            out.append(char(c.unicode()));
        else
            out.append(c.isSpace() ? char(0xA0) : '?');
    }
    return out;
}
