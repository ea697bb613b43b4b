#include "byte_reader.h"

#include <QtEndian>

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
            DamagedFile::tr("%1 runs past the end of the %2 (offset %3)")
                .arg(mContext.isEmpty() ? DamagedFile::tr("a field") : mContext, mRegion)
                .arg(mBase + mEnd));
}

quint16 ByteReader::u2be()
{
    require(2);
    const quint16 value = readU16BE(mBytes, mPos);
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

quint16 readU16BE(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

quint32 readU32BE(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}
