#include "style_file_builder.h"

#include <QtEndian>

namespace {

constexpr int PaHeader = 36;
constexpr int PaTail = 320;

void putU16BE(QByteArray &out, quint16 v)
{
    out.append(char(v >> 8)).append(char(v & 0xFF));
}

void putU32BE(QByteArray &out, quint32 v)
{
    putU16BE(out, quint16(v >> 16));
    putU16BE(out, quint16(v & 0xFFFF));
}

QByteArray padded(const QByteArray &text, int length, char fill)
{
    return text.left(length) + QByteArray(qMax(0, length - int(text.size())), fill);
}

} // namespace

QByteArray FillerBytes(int index, qint32 length)
{
    QByteArray out(length, '\0');
    for (qint32 i = 0; i < length; ++i)
        out[i] = char('A' + (index * 7 + i) % 26);
    return out;
}

PaFileBuilder &PaFileBuilder::style(const QByteArray &name, qint32 chunkLength)
{
    mEntries.push_back({padded(name, 11, ' '), name, 2, FillerBytes(int(mEntries.size()), chunkLength)});
    return *this;
}

PaFileBuilder &PaFileBuilder::styleWithContent(const QByteArray &name, const QByteArray &content)
{
    mEntries.push_back({padded(name, 11, ' '), name, 2, content});
    return *this;
}

PaFileBuilder &PaFileBuilder::performance(qint32 chunkLength, const QByteArray &name)
{
    mEntries.push_back({padded(name, 11, '\0'), name, 7, FillerBytes(int(mEntries.size()), chunkLength)});
    return *this;
}

PaFileBuilder &PaFileBuilder::record(const QByteArray &rawName, quint8 kind, const QByteArray &content)
{
    mEntries.push_back({rawName, rawName, kind, content});
    return *this;
}

QByteArray PaFileBuilder::newerRecord(const std::vector<Property> &properties)
{
    QByteArray body;
    putU16BE(body, quint16(properties.size()));
    for (const Property &p : properties) {
        putU16BE(body, p.type);
        putU16BE(body, quint16(p.value.size()));
        body.append(p.value);
    }
    body.append("\xC5\xC5\xC5\xC5", 4);  // checksum, never checked
    QByteArray record;
    putU16BE(record, quint16(body.size()));
    return record + body;
}

QByteArray PaFileBuilder::directory() const
{
    QByteArray dir;
    for (std::size_t i = 0; i < mEntries.size(); ++i) {
        const Entry &e = mEntries[i];
        if (mNewer) {
            QByteArray identity;
            identity.append(char(e.kind)).append(char(0)).append(char(i / 2));
            dir += newerRecord({{0, identity}, {2, e.plainName + QByteArray(1, '\0')}});
        } else {
            QByteArray record = padded(e.rawName, 11, '\0') + QByteArray(7, '\0');
            record.append(char(e.kind)).append(QByteArray(5, '\0'));
            dir += record;
        }
    }
    return dir + QByteArray(mPadding, '\0');
}

PaFileBuilder::Built PaFileBuilder::build() const
{
    Built built;
    QByteArray header(PaHeader, '\0');
    header.replace(0, 8, "PASTYLE ");
    header.replace(23, 4, "KORF");
    if (mNewer) {
        header[28] = 5;
        header[29] = 1;
    }
    header[34] = char(mPa1X ? 6 : 3);

    QByteArray chunks;
    for (const Entry &e : mEntries)
        chunks += e.content;
    const int trailerLength = (mTrailerHeader ? 8 : 0) + 8 + 4 * int(mEntries.size()) + 8 + mTrailing;
    QByteArray dir = directory();
    const int shortBy = PaTail - int(header.size() + dir.size() + chunks.size() + trailerLength);
    if (shortBy > 0)
        dir += QByteArray(shortBy, '\0');

    QByteArray &out = built.bytes;
    out = header + dir;
    for (const Entry &e : mEntries) {
        built.chunkStarts.push_back(qint32(out.size()));
        out += e.content;
    }
    if (mTrailerHeader) {
        out.append(char(0xFE)).append(char(0)).append(char(0)).append(char(0x18));
        putU32BE(out, quint32(8 + 4 * mEntries.size() + 8));
    }
    built.kbeg = out.size();
    out += "KBEG";
    putU32BE(out, quint32(8 + 4 * mEntries.size()));
    built.tableStart = out.size();
    for (qint32 start : built.chunkStarts)
        putU32BE(out, quint32(start));
    built.kend = out.size();
    out += "KEND";
    putU32BE(out, quint32(mEntries.size()));
    out += QByteArray(mTrailing, '\0');
    return built;
}

ISeriesFileBuilder::ISeriesFileBuilder(const QByteArray &tag) : mTag(tag) {}

bool ISeriesFileBuilder::isSmallLayout() const { return mTag == "KORG9" || mTag == "KORG<"; }

ISeriesFileBuilder &ISeriesFileBuilder::slot(qint32 length, const QByteArray &blockName,
                                             const QByteArray &headerName)
{
    mSlots.push_back({length, blockName, headerName});
    return *this;
}

QByteArray ISeriesFileBuilder::build() const
{
    const bool small = isSmallLayout();
    const int headerLength = small ? 96 : 224;
    const int slotCount = small ? 4 : 48;
    QByteArray out(headerLength, '\0');
    out.replace(0, mTag.size(), mTag);
    for (int k = 0; k < slotCount && k < int(mSlots.size()); ++k) {
        const Slot &s = mSlots[std::size_t(k)];
        if (small) {
            out.replace(32 + 10 * k, 10, padded(s.headerName, 10, ' '));
            out[72 + 6 * k + 4] = char(s.length & 0xFF);
            out[72 + 6 * k + 5] = char((s.length >> 8) & 0xFF);
        } else {
            out[24 + 4 * k] = char(s.length & 0xFF);
            out[24 + 4 * k + 1] = char((s.length >> 8) & 0xFF);
        }
    }
    for (int k = 0; k < int(mSlots.size()); ++k) {
        const Slot &s = mSlots[std::size_t(k)];
        QByteArray block = FillerBytes(k, s.length);
        block.replace(0, qMin(s.blockName.size(), qsizetype(s.length)), s.blockName.left(s.length));
        out += block;
    }
    return out + mTrailing;
}
