#include "byte_reader.h"

ByteReader::ByteReader(
    const QByteArray &bytes, qsizetype begin, qsizetype end, QString regionName, qsizetype base)
    : mBytes(bytes),
      mPos(begin),
      mEnd(qMin(end, bytes.size())),
      mRegion(std::move(regionName)),
      mBase(base)
{
}

void ByteReader::require(qsizetype n) const
{
    if (n < 0 || n > mEnd - mPos)
        throw DamagedFile(
            QStringLiteral("%1 runs past the end of the %2 (offset %3)")
                .arg(mContext.isEmpty() ? QStringLiteral("a field") : mContext, mRegion)
                .arg(mBase + mEnd));
}

quint16 ByteReader::u2be()
{
    require(2);
    const quint16 value = quint16(quint8(mBytes[mPos]) << 8 | quint8(mBytes[mPos + 1]));
    mPos += 2;
    return value;
}

QByteArray ByteReader::bytes(qsizetype n)
{
    require(n);
    const QByteArray value = mBytes.mid(mPos, n);
    mPos += n;
    return value;
}

void ByteReader::skip(qsizetype n)
{
    require(n);
    mPos += n;
}

quint32 readU32BE(const QByteArray &bytes, qsizetype at)
{
    return quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16
        | quint32(quint8(bytes[at + 2])) << 8 | quint32(quint8(bytes[at + 3]));
}
