#include "oc31_encoder.h"

#include <QtEndian>

#include <vector>

namespace {

constexpr qsizetype Window = 0xC000;  // the farthest copy: 48 KiB back
constexpr int Chain = 48;             // matches looked at per position

class Encoder {
public:
    explicit Encoder(const QByteArray &data) : mData(data), mPrevious(size_t(data.size()), -1) { }

    QByteArray run()
    {
        qsizetype literalsFrom = 0;
        for (qsizetype at = 0; at < mData.size();) {
            const auto [length, back] = longestMatch(at);
            if (length < 3 || !copyFits(length, back - 1)) {
                remember(at++);
                continue;
            }
            literals(literalsFrom, at);
            const qsizetype copied = copy(length, back - 1);
            for (qsizetype end = at + copied; at < end;)
                remember(at++);
            literalsFrom = at;
        }
        literals(literalsFrom, mData.size());
        quint8 check = 0;
        for (const char c : mData)
            check ^= quint8(c);
        QByteArray length(4, '\0');
        qToLittleEndian(quint32(mData.size()), length.data());
        return "OC31" + length + mOut + QByteArray("\x01\0\0", 3) + char(check);
    }

private:
    [[nodiscard]] static bool copyFits(qsizetype length, qsizetype distance)
    {
        return (distance < 0x800 && length >= 3) || (distance < 0xC000 && length >= 4);
    }

    void remember(qsizetype at)
    {
        if (at + 3 > mData.size())
            return;
        const int key = hash(at);
        mPrevious[size_t(at)] = mHeads[key];
        mHeads[key] = at;
    }

    [[nodiscard]] int hash(qsizetype at) const
    {
        const auto byte = [&](qsizetype i) { return quint8(mData[at + i]); };
        return (byte(0) << 10 ^ byte(1) << 5 ^ byte(2)) & (HashSize - 1);
    }

    // The longest earlier run that the bytes at `at` repeat, and how far back it starts.
    [[nodiscard]] std::pair<qsizetype, qsizetype> longestMatch(qsizetype at) const
    {
        qsizetype best = 0;
        qsizetype bestBack = 0;
        if (at + 3 > mData.size())
            return {0, 0};
        qsizetype candidate = mHeads[hash(at)];
        for (int tries = 0; candidate >= 0 && at - candidate <= Window && tries < Chain; ++tries) {
            qsizetype length = 0;
            while (at + length < mData.size() && length < 0xFFFF
                && mData[candidate + length] == mData[at + length])
                ++length;
            if (length > best) {
                best = length;
                bestBack = at - candidate;
            }
            candidate = mPrevious[size_t(candidate)];
        }
        return {best, bestBack};
    }

    // Literal runs: 4 to 17 bytes (0x02-0x0F), 18 to 273 (0x00), any (0x01); up to three after a
    // copy go in its block.
    void literals(qsizetype from, qsizetype to)
    {
        while (from < to) {
            const qsizetype left = to - from;
            qsizetype n = 0;
            if (left <= 3 && mCopyLiterals >= 0) {
                mOut[mCopyLiterals] = char(quint8(mOut[mCopyLiterals]) | left);
                n = left;
            } else if (left >= 4 && left <= 17 && mTurn++ % 2 == 0) {
                n = left;
                mOut += char(n - 2);
            } else if (left >= 18 && mTurn++ % 2 == 0) {
                n = qMin<qsizetype>(left, 273);
                mOut += '\0';
                mOut += char(n - 18);
            } else {
                n = qMin<qsizetype>(left, 0xFFFF);
                mOut += '\x01';
                u16(quint16(n));
            }
            mOut += mData.mid(from, n);
            from += n;
            mCopyLiterals = -1;
        }
    }

    // A copy in the form that fits, taking turns where several do; returns the bytes it copies.
    qsizetype copy(qsizetype length, qsizetype distance)
    {
        const int turn = mTurn++;
        if (distance < 0x800 && length <= 8 && (length == 3 || turn % 2 == 0)) {
            mOut += char((length - 1) << 5 | distance >> 6);
            mCopyLiterals = mOut.size();
            mOut += char((distance & 0x3F) << 2);
            return length;
        }
        const bool far = distance >= 0x4000;
        const int fieldBits = far ? 0x07 : 0x1F;
        const int shortest = far ? 10 : 34;  // what a count field of 0 adds to its byte
        quint8 first = far ? quint8(0x10 | (distance >= 0x8000 ? 0x08 : 0)) : 0x20;
        if (length - 2 <= fieldBits && length - 2 >= 2 && turn % 3 != 0) {
            mOut += char(first | (length - 2));
        } else if (length >= shortest && length - shortest <= 0xFF && turn % 3 != 1) {
            mOut += char(first);
            mOut += char(length - shortest);
        } else {
            mOut += char(first | 1);
            u16(quint16(length));
        }
        const qsizetype stored = far ? distance - (distance >= 0x8000 ? 0x8000 : 0x4000) : distance;
        mCopyLiterals = mOut.size() + 1;
        u16(quint16(stored << 2));
        return length;
    }

    void u16(quint16 value)
    {
        mOut += char(value >> 8);
        mOut += char(value & 0xFF);
    }

    static constexpr int HashSize = 1 << 15;

    const QByteArray &mData;
    QByteArray mOut;
    std::vector<qsizetype> mHeads = std::vector<qsizetype>(HashSize, -1);
    std::vector<qsizetype> mPrevious;
    qsizetype mCopyLiterals = -1;  // the byte of the last copy that counts the literals after it
    int mTurn = 0;
};

}  // namespace

QByteArray oc31Compressed(const QByteArray &data) { return Encoder(data).run(); }

QByteArray oc31Zeros(qint64 length)
{
    // Four literal zeros, then copies of the last byte (block 0x21: a u16 count, then T = 0).
    constexpr qint64 Overhead = 8 + 5 + 4;
    const qint64 copies = qMax<qint64>(1, (length / 256 - Overhead + 4) / 5);
    QByteArray out = "OC31" + QByteArray(4, '\0') + QByteArray::fromHex("0200000000");
    qToLittleEndian(quint32(length), out.data() + 4);
    for (qint64 k = 0, left = length - 4; k < copies; ++k) {
        const qint64 count = left / (copies - k);
        left -= count;
        out += '\x21';
        out += char(count >> 8);
        out += char(count & 0xFF);
        out += QByteArray(2, '\0');
    }
    return out + QByteArray("\x01\0\0\0", 4);
}
