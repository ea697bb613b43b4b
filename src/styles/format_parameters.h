#pragma once

#include <QByteArray>
#include <QtGlobal>

// The layout numbers of an i-series format (positions inside a size entry are 1-based).
struct FormatParameters {
    qint16 HeaderLength = 0;
    qint16 NameTableLength = 0;
    qint16 NameTableOffset = 0;
    qint16 NameLength = 0;
    qint16 SizeTableOffset = 0;
    qint16 SizeEntryLength = 0;
    qint16 SizeLowPos = 0;
    qint16 SizeHighPos = 0;
    qint16 SlotCount = 0;

    friend bool operator==(const FormatParameters &a, const FormatParameters &b)
    {
        return a.HeaderLength == b.HeaderLength && a.NameTableLength == b.NameTableLength
            && a.NameTableOffset == b.NameTableOffset && a.NameLength == b.NameLength
            && a.SizeTableOffset == b.SizeTableOffset && a.SizeEntryLength == b.SizeEntryLength
            && a.SizeLowPos == b.SizeLowPos && a.SizeHighPos == b.SizeHighPos
            && a.SlotCount == b.SlotCount;
    }
};

// True when the tag names a format we can walk; for an i-series tag it also stores the layout.
// "KORF" and refused tags leave the parameters as they were.
[[nodiscard]] bool RecogniseFormat(const QByteArray &FormatTag, FormatParameters &parameters);
