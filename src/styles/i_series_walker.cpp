#include "i_series_walker.h"

#include "damaged_file.h"

#include <algorithm>

namespace {

// Trailing control characters and blanks go; a name of blanks only stays as it is.
QByteArray cleanGhostName(QByteArray name)
{
    qsizetype length = name.size();
    while (length > 0 && quint8(name[length - 1]) <= 32)
        --length;
    if (!std::all_of(name.cbegin(), name.cend(), [](char c) { return c == ' '; }))
        name.truncate(length);
    return name;
}

qint32 slotLength(const QByteArray &header, const ISeriesLayout &layout, int slot)
{
    const qsizetype at
        = layout.sizeTableOffset + qsizetype(slot) * layout.sizeEntryLength + layout.sizeOffset;
    return quint8(header[at]) | quint8(header[at + 1]) << 8;
}

}  // namespace

StyleWalk walkISeriesFile(ByteSource &source, const ISeriesLayout &layout)
{
    StyleWalk walk;
    walk.styles.reserve(layout.slotCount);
    try {
        if (source.size() < layout.headerLength)
            throw DamagedFile(DamagedFile::tr("the file is shorter than its %1-byte header")
                                  .arg(layout.headerLength));
        const QByteArray header = source.read(0, layout.headerLength);
        qint64 offset = layout.headerLength;
        for (int slot = 0; slot < layout.slotCount; ++slot) {
            const qint32 length = slotLength(header, layout, slot);
            if (length == 0)
                continue;
            if (length > source.size() - offset)
                throw DamagedFile(DamagedFile::tr(
                    "the %1-byte block of slot %2 is cut short by the end of the file")
                                      .arg(length)
                                      .arg(slot + 1));
            StyleEntry style;
            style.number = style.slot = slot + 1;
            style.offset = qint32(offset);
            style.size = length;
            style.ghost = length <= GhostStyleMaxSize;
            QByteArray name = source.read(offset, qMin(length, layout.nameLength));
            style.name = style.ghost ? cleanGhostName(std::move(name)) : std::move(name);
            walk.styles.append(std::move(style));
            offset += length;
        }
    } catch (const DamagedFile &damage) {
        walk.damage = damage.problem();
    }
    return walk;
}
