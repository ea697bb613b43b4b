#pragma once

#include <QByteArray>
#include <QString>

// Text for 8-bit output: one byte per character. A character outside Latin-1 becomes '?',
// except a space (such as a narrow no-break space used as a thousands separator), which
// becomes the Latin-1 no-break space.
void appendEightBit(QByteArray &out, QStringView text);
