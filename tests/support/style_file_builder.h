#pragma once

#include <QByteArray>

#include <vector>

// Composes style files in memory, so every test says how its file is made. The files are
// well-formed; tests that need damage change the bytes afterwards, using the offsets reported.

// A "KORF" file: a 36-byte header, the directory, the chunks back to back, then the trailer
// ["KBEG", 4 unused bytes, the offset table, "KEND", a 4-byte count].
class PaFileBuilder {
public:
    struct Built {
        QByteArray bytes;
        qsizetype kbeg = 0;
        qsizetype kend = 0;
        qsizetype tableStart = 0;
        std::vector<qint32> chunkStarts;
    };

    // A style record with its chunk: content of the given length, or exactly the given bytes.
    PaFileBuilder &style(const QByteArray &name, qint32 chunkLength);
    PaFileBuilder &styleWithContent(const QByteArray &name, const QByteArray &content);
    // A kind-7 record (performance data) with its chunk.
    PaFileBuilder &performance(qint32 chunkLength, const QByteArray &name = {});
    // A record with raw 11 name bytes and any kind byte.
    PaFileBuilder &record(const QByteArray &rawName, quint8 kind, const QByteArray &content);
    PaFileBuilder &pa1x(bool on = true) { mPa1X = on; return *this; }
    PaFileBuilder &newerDirectory(bool on = true) { mNewer = on; return *this; }
    // The 0xFE chunk header that the instruments write before "KBEG".
    PaFileBuilder &trailerChunkHeader(bool on = true) { mTrailerHeader = on; return *this; }
    // Extra bytes at the end of the directory (it is padded anyway to make the file >= 320 bytes).
    PaFileBuilder &directoryPadding(int bytes) { mPadding = bytes; return *this; }
    // Bytes after the trailer's count.
    PaFileBuilder &trailingBytes(int count) { mTrailing = count; return *this; }

    [[nodiscard]] Built build() const;

    // A newer-layout directory record: length, properties, checksum. Public for damage tests.
    struct Property {
        quint16 type;
        QByteArray value;
    };
    [[nodiscard]] static QByteArray newerRecord(const std::vector<Property> &properties);

private:
    struct Entry {
        QByteArray rawName;    // the 11 bytes of an older record
        QByteArray plainName;  // the name property of a newer record
        quint8 kind;
        QByteArray content;
    };
    [[nodiscard]] QByteArray directory() const;

    std::vector<Entry> mEntries;
    bool mPa1X = false;
    bool mNewer = false;
    bool mTrailerHeader = false;
    int mPadding = 0;
    int mTrailing = 0;
};

// An i-series file: "KORG9"/"KORG<" (96-byte header, 4 named slots) or "KORGM"/"KORGI"
// (224-byte header, 48 slots); blocks back to back after the header.
class ISeriesFileBuilder {
public:
    explicit ISeriesFileBuilder(const QByteArray &tag);

    // The next slot: a block of `length` bytes beginning with `blockName` (no block when 0).
    ISeriesFileBuilder &slot(qint32 length, const QByteArray &blockName = {}, const QByteArray &headerName = {});
    ISeriesFileBuilder &trailingBytes(const QByteArray &bytes) { mTrailing = bytes; return *this; }

    [[nodiscard]] QByteArray build() const;
    [[nodiscard]] bool isSmallLayout() const;

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

// The bytes a builder fills a chunk or block with: recognisable, and different per index.
[[nodiscard]] QByteArray FillerBytes(int index, qint32 length);
