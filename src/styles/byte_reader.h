#pragma once

#include "damaged_file.h"

#include <QByteArray>

// A bounds-checked cursor over [begin, end) of bytes we hold. Reading past the end throws
// DamagedFile with the sentence that names what was being read, so no offset or length from a
// file is trusted. The sentence's last placeholder takes the end as an offset in the enclosing
// region, where bytes[0] stands at `base`.
class ByteReader {
public:
    ByteReader(const QByteArray &bytes, qsizetype begin, qsizetype end, qsizetype base = 0);

    // "property 2 of directory record 4 runs past the end of the directory record 4 (offset %1)"
    void setPastEnd(const QString &sentence) { mPastEnd = sentence; }
    [[nodiscard]] bool atEnd() const { return mPos >= mEnd; }

    [[nodiscard]] quint16 u2be();
    [[nodiscard]] QByteArray bytes(qsizetype n);
    void skip(qsizetype n);

private:
    void require(qsizetype n) const;

    const QByteArray &mBytes;
    qsizetype mPos;
    qsizetype mEnd;
    QString mPastEnd;
    qsizetype mBase;
};

// Big-endian numbers at an offset the caller has already checked.
[[nodiscard]] quint16 readU16BE(const QByteArray &bytes, qsizetype at);
[[nodiscard]] quint32 readU32BE(const QByteArray &bytes, qsizetype at);
