#pragma once

#include "damaged_file.h"

#include <QByteArray>

#include <functional>

// A bounds-checked cursor over [begin, end) of bytes we hold. Reading past the end throws
// DamagedFile with the sentence that names what was being read, so no offset or length from a
// file is trusted. The sentence is made from the end's offset in the enclosing region, where
// bytes[0] stands at `base`, and only when it is said: readers are made for every record.
class ByteReader {
public:
    ByteReader(const QByteArray &bytes, qsizetype begin, qsizetype end, qsizetype base = 0);

    // "property 2 of directory record 4 runs past the end of the directory record 4 (offset 36)"
    void setPastEnd(std::function<QString(qsizetype end)> sentence)
    {
        mPastEnd = std::move(sentence);
    }
    [[nodiscard]] bool atEnd() const { return mPos >= mEnd; }

    [[nodiscard]] quint16 u2be();
    [[nodiscard]] QByteArray bytes(qsizetype n);
    void skip(qsizetype n);

private:
    void require(qsizetype n) const;

    const QByteArray &mBytes;
    qsizetype mPos;
    qsizetype mEnd;
    std::function<QString(qsizetype end)> mPastEnd;
    qsizetype mBase;
};

// Big-endian numbers at an offset the caller has already checked.
[[nodiscard]] quint16 readU16BE(const QByteArray &bytes, qsizetype at);
[[nodiscard]] quint32 readU32BE(const QByteArray &bytes, qsizetype at);
