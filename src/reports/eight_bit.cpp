#include "eight_bit.h"

void appendEightBit(QByteArray &out, QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() <= 0xFF)
            out += char(c.unicode());
        else
            out += c.isSpace() ? char(0xA0) : '?';
    }
}
