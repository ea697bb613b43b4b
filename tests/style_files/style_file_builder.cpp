#include "style_file_builder.h"

#include "styles/known_formats.h"

namespace {

constexpr int PaHeader = 36;
constexpr int PaTail = 320;

QByteArray padded(const QByteArray &text, int length, char fill)
{
    return text.left(length).leftJustified(length, fill);
}

}  // namespace

QByteArray u16be(quint32 v) { return QByteArray(1, char(v >> 8)) + char(v); }
QByteArray u32be(quint32 v) { return u16be(v >> 16) + u16be(v & 0xFFFF); }

QByteArray fillerBytes(int index, qint32 length)
{
    QByteArray out(length, '\0');
    for (qint32 i = 0; i < length; ++i)
        out[i] = char('A' + (index * 7 + i) % 26);
    return out;
}

PaFileBuilder &PaFileBuilder::add(const QByteArray &name, char fill, quint8 kind, qint32 length)
{
    mEntries.push_back({name, fill, kind, fillerBytes(int(mEntries.size()), length)});
    return *this;
}

PaFileBuilder &PaFileBuilder::record(
    const QByteArray &rawName, quint8 kind, const QByteArray &chunk)
{
    mEntries.push_back({rawName, '\0', kind, chunk});
    return *this;
}

QByteArray PaFileBuilder::newerRecord(const std::vector<Property> &properties)
{
    QByteArray body = u16be(quint32(properties.size()));
    for (const Property &p : properties)
        body += u16be(p.type) + u16be(quint32(p.value.size())) + p.value;
    body += "\xC5\xC5\xC5\xC5";  // checksum, never checked
    return u16be(quint32(body.size())) + body;
}

QByteArray PaFileBuilder::directory() const
{
    QByteArray dir;
    for (std::size_t i = 0; i < mEntries.size(); ++i) {
        const Entry &e = mEntries[i];
        if (mNewer)
            dir += newerRecord(
                {{0, QByteArray(1, char(e.kind)) + '\0' + char(i / 2)}, {2, e.name + '\0'}});
        else
            // Byte 11, just after the name, is not part of it: a mark shows that it is not read.
            dir += padded(e.name, 11, e.nameFill) + '~' + QByteArray(6, '\0') + char(e.kind)
                + QByteArray(5, '\0');
    }
    dir += QByteArray(mPadding, '\0');
    return mDirectoryCut < 0 ? dir : dir.left(mDirectoryCut);
}

PaFileBuilder::Built PaFileBuilder::build() const
{
    QByteArray header = padded("PASTYLE ", PaHeader, '\0');
    header.replace(23, 4, "KORF");
    if (mNewer || mPa600)
        header.replace(28, 2, QByteArray(mNewer ? "\x05\x01" : "\x05\x00", 2));
    header[34] = char(mPa600 ? 0 : 3);
    qsizetype chunksLength = 0;
    for (const Entry &e : mEntries)
        chunksLength += e.chunk.size();
    const qsizetype table = 4 * qsizetype(mEntries.size());
    const qsizetype trailer = (mTrailerHeader ? 8 : 0) + 8 + table + 8 + mTrailing;
    QByteArray dir = directory();
    dir += QByteArray(
        qMax(qsizetype(0), PaTail - (PaHeader + dir.size() + chunksLength + trailer)), '\0');

    Built built;
    built.bytes = header + dir;
    for (const Entry &e : mEntries) {
        built.chunkStarts.push_back(qint32(built.bytes.size()));
        built.bytes += e.chunk;
    }
    if (mTrailerHeader)
        built.bytes += QByteArray("\xFE\0\0\x18", 4) + u32be(quint32(8 + table + 8));
    built.kbeg = built.bytes.size();
    built.bytes += "KBEG" + u32be(quint32(8 + table));
    built.tableStart = built.bytes.size();
    for (qint32 start : built.chunkStarts)
        built.bytes += u32be(quint32(start));
    built.kend = built.bytes.size();
    built.bytes += "KEND" + u32be(quint32(mEntries.size())) + QByteArray(mTrailing, '\0');
    return built;
}

ISeriesFileBuilder &ISeriesFileBuilder::slot(
    qint32 length, const QByteArray &blockName, const QByteArray &headerName)
{
    mSlots.push_back({length, blockName, headerName});
    return *this;
}

QByteArray ISeriesFileBuilder::build() const
{
    const ISeriesLayout &layout = iSeriesFormat(mTag)->layout;
    QByteArray out = padded(mTag, layout.headerLength, '\0');
    // The instruments name the slots in the header too, just before the size table, where there
    // is room for them (in the four-slot layout); the reader goes by the names in the blocks.
    const int headerNames = layout.sizeTableOffset - layout.slotCount * layout.nameLength;
    QByteArray blocks;
    for (int k = 0; k < int(mSlots.size()); ++k) {
        const Slot &s = mSlots[std::size_t(k)];
        const QByteArray size = QByteArray(1, char(s.length & 0xFF)) + char((s.length >> 8) & 0xFF);
        if (headerNames >= 0)
            out.replace(headerNames + layout.nameLength * k, layout.nameLength,
                padded(s.headerName, layout.nameLength, ' '));
        out.replace(
            layout.sizeTableOffset + layout.sizeEntryLength * k + layout.sizeOffset, 2, size);
        blocks += fillerBytes(k, s.length)
                      .replace(0, qMin(s.blockName.size(), qsizetype(s.length)),
                          s.blockName.left(s.length));
    }
    return out + blocks + mTrailing;
}

QByteArray paSeriesFile(qint32 styleBytes)
{
    PaFileBuilder builder;
    for (int k = 0; k < 32; ++k)
        builder.style("Style " + QByteArray::number(k), styleBytes).performance(styleBytes / 4);
    return builder.trailerChunkHeader().bytes();
}

QByteArray korgmFile(qint32 blockBytes)
{
    ISeriesFileBuilder builder("KORGM");
    for (int k = 0; k < 48; ++k)
        builder.slot(blockBytes, "Style " + QByteArray::number(k));
    return builder.build();
}
