#include "byte_reader.h"

#include <QtEndian>

ByteReader::ByteReader(const QByteArray &bytes, qsizetype begin, qsizetype end, qsizetype base)
    : mBytes(bytes),
      mPos(begin),
      mEnd(qMin(end, bytes.size())),
      mPastEnd([](qsizetype end) {
          return DamagedFile::tr("a field runs past the end of its bytes (offset %1)").arg(end);
      }),
      mBase(base)
{
}

void ByteReader::require(qsizetype n) const
{
    if (n < 0 || n > mEnd - mPos)
        throw DamagedFile(mPastEnd(mBase + mEnd));
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
