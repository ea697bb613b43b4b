#include "style_entry.h"

#include "platform/file_name.h"

QString styleNameText(QByteArrayView name, bool utf8)
{
    return utf8 ? decodeFileName(name.toByteArray()) : QString::fromLatin1(name);
}

QString StyleEntry::nameText() const { return styleNameText(name, utf8Name); }

QByteArray StyleEntry::eightBitName() const { return utf8Name ? nameText().toLatin1() : name; }
