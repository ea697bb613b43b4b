#include "i_series_walker.h"

#include "damaged_file.h"

namespace {

// Trailing control characters and blanks go; a name of blanks only stays as it is.
QByteArray cleanGhostName(QByteArray name)
{
    if (!name.isEmpty() && name.count(' ') == name.size())
        return name;
    while (!name.isEmpty() && quint8(name.back()) <= 32)
        name.chop(1);
    return name;
}

qint32 slotLength(const QByteArray &header, const FormatParameters &p, int slot)
{
    const qsizetype entry = qsizetype(slot - 1) * p.SizeEntryLength + p.SizeTableOffset;
    return 256 * quint8(header[entry + p.SizeHighPos - 1]) + quint8(header[entry + p.SizeLowPos - 1]);
}

} // namespace

void WalkISeriesFile(ByteSource &source, CurrentFile &file)
{
    const FormatParameters &p = file.FormatParameters;
    Pa80Styles &list = *file.StyleList;
    file.UsableCount = 0;
    file.GhostCount = 0;
    if (source.size() < p.HeaderLength)
        throw DamagedFile(QStringLiteral("the file is shorter than its %1-byte header").arg(p.HeaderLength));
    const QByteArray header = source.read(0, p.HeaderLength);

    for (int slot = 1; p.NameTableLength > 0 && slot <= p.SlotCount; ++slot)
        list.Add(header.mid(qsizetype(slot - 1) * p.NameLength + p.NameTableOffset, p.NameLength), qint16(slot));
    for (int slot = 1; slot <= p.SlotCount; ++slot) {
        while (list.Count() < slot)
            list.Add(QByteArray(), qint16(slot));
        list.Item(slot)->setStyleSize(slotLength(header, p, slot));
    }

    qint64 offset = p.HeaderLength;
    for (int slot = 1; slot <= p.SlotCount; ++slot) {
        const Pa80Styles::Ref style = list.Item(slot);
        const qint32 length = style->StyleSize();
        if (length == 0)
            continue;
        if (length > source.size() - offset)
            throw DamagedFile(QStringLiteral("the %1-byte block of slot %2 is cut short by the end of the file")
                                  .arg(length).arg(slot));
        const QByteArray block = source.read(offset, length);
        offset += length;
        style->setStyleContent(block);
        if (length > GhostStyleMaxSize) {
            style->setStyleName(block.left(p.NameLength));
            style->setStyleGhost("N");
            ++file.UsableCount;
        } else {
            style->setStyleName(cleanGhostName(block.left(p.NameLength)));
            style->setStyleGhost("S");
            ++file.GhostCount;
        }
    }
}
