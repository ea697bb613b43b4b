#pragma once

#include <QByteArray>

#include <vector>

// Composes style files in memory, so every test says how its file is made. The files are
// well-formed; tests that need damage change the bytes afterwards, at the offsets reported.

// Numbers as the Pa-series writes them: big-endian.
[[nodiscard]] QByteArray u16be(quint32 value);
[[nodiscard]] QByteArray u32be(quint32 value);

// A "KORF" file: a 36-byte header, the directory, the chunks back to back, then the trailer
// [0xFE chunk header if asked, "KBEG", table length, the offset table, "KEND", entry count].
class PaFileBuilder {
public:
    struct Built {
        QByteArray bytes;
        qsizetype kbeg = 0, kend = 0, tableStart = 0;
        std::vector<qint32> chunkStarts;
    };
    struct Property {
        quint16 type;
        QByteArray value;
    };

    // A style record, or a kind-7 record (a style's performance data), with a chunk of filler
    // bytes.
    PaFileBuilder &style(const QByteArray &name, qint32 chunkLength)
    {
        return add(name, ' ', 2, chunkLength);
    }
    PaFileBuilder &performance(qint32 chunkLength, const QByteArray &name = {})
    {
        return add(name, '\0', 7, chunkLength);
    }
    // A record with raw name bytes (the first 11 count), any kind byte and its chunk.
    PaFileBuilder &record(const QByteArray &rawName, quint8 kind, const QByteArray &chunk);
    // The first models' header as the Pa600 generation writes it: bytes 28-29 are 5 and 0, byte 34
    // is 0 (the directory keeps its fixed-length records).
    PaFileBuilder &pa600Header() { return set(mPa600, true); }
    // Variable-length records with properties: identity (kind, bank, slot) and a NUL-ended name.
    PaFileBuilder &newerDirectory() { return set(mNewer, true); }
    // The 0xFE chunk header that the instruments write before "KBEG".
    PaFileBuilder &trailerChunkHeader() { return set(mTrailerHeader, true); }
    // Zero bytes after the directory's records (it is padded anyway to make the file 320 bytes).
    PaFileBuilder &directoryPadding(int bytes) { return set(mPadding, bytes); }
    // Keeps only the first `bytes` of the directory: its last records are short or missing.
    PaFileBuilder &cutDirectory(int bytes) { return set(mDirectoryCut, bytes); }
    // Zero bytes after the trailer.
    PaFileBuilder &trailingBytes(int count) { return set(mTrailing, count); }

    [[nodiscard]] Built build() const;
    [[nodiscard]] QByteArray bytes() const { return build().bytes; }
    // One newer-layout record: length, property count, properties, a 4-byte checksum.
    [[nodiscard]] static QByteArray newerRecord(const std::vector<Property> &properties);

private:
    struct Entry {
        QByteArray name;
        char nameFill;
        quint8 kind;
        QByteArray chunk;
    };
    PaFileBuilder &add(const QByteArray &name, char fill, quint8 kind, qint32 length);
    template <typename T> PaFileBuilder &set(T &field, T value)
    {
        field = value;
        return *this;
    }
    [[nodiscard]] QByteArray directory() const;

    std::vector<Entry> mEntries;
    bool mPa600 = false, mNewer = false, mTrailerHeader = false;
    int mPadding = 0, mDirectoryCut = -1, mTrailing = 0;
};

// An i-series file: "KORG9"/"KORG<" (96-byte header, 4 named slots) or "KORGM"/"KORGI"
// (224-byte header, 48 slots): at most that many slots; blocks back to back after the header.
class ISeriesFileBuilder {
public:
    explicit ISeriesFileBuilder(const QByteArray &tag) : mTag(tag) { }

    // The next slot: a block of `length` filler bytes beginning with `blockName` (no block when 0).
    ISeriesFileBuilder &slot(
        qint32 length, const QByteArray &blockName = {}, const QByteArray &headerName = {});
    ISeriesFileBuilder &trailingBytes(const QByteArray &bytes)
    {
        mTrailing = bytes;
        return *this;
    }

    [[nodiscard]] QByteArray build() const;

private:
    struct Slot {
        qint32 length;
        QByteArray blockName;
        QByteArray headerName;
    };
    QByteArray mTag;
    std::vector<Slot> mSlots;
    QByteArray mTrailing;
};

// The common banks: 32 styles "Style <k>" of `styleBytes` each with a quarter as much performance
// data, as the instruments write them; 48 slots of `blockBytes` (65,535 at most).
[[nodiscard]] QByteArray paSeriesFile(qint32 styleBytes);
[[nodiscard]] QByteArray korgmFile(qint32 blockBytes);

// Recognisable filler, different for each index: 'A' + (7 * index + i) % 26.
[[nodiscard]] QByteArray fillerBytes(int index, qint32 length);
