#include "oc31.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype HeaderLength = 8;  // "OC31" and the length
constexpr qsizetype MaxRatio = 256;
// How many blocks are read between two looks at the stop flag.
constexpr int BlocksBetweenStops = 1024;
// How many bytes of the check are made between two looks at it.
constexpr qsizetype CheckedBetweenStops = 1 << 20;

// Reads the block stream of a payload into a buffer of its declared length.
class Decoder {
public:
    Decoder(QByteArrayView payload, QByteArray &out, const StopFlag *stop)
        : mIn(payload), mOut(out), mStop(stop)
    {
    }

    Oc31Problem run(qsizetype length)
    {
        mOut.resize(length);
        mData = mOut.data();
        int sinceStop = 0;
        while (mProblem == Oc31Problem::None && mMade < length) {
            block();
            if (++sinceStop == BlocksBetweenStops) {
                sinceStop = 0;
                if (stopAsked(mStop))
                    fail(Oc31Problem::Stopped);
            }
        }
        if (mProblem != Oc31Problem::None) {
            mOut.resize(mMade);
            return mProblem;
        }
        // The end marker, the check byte, and nothing after them.
        if (mIn.size() - mAt != 4 || mIn.sliced(mAt, 3) != QByteArrayView("\x01\0\0", 3))
            return Oc31Problem::BadEnding;
        quint8 check = 0;
        for (qsizetype from = 0; from < mMade; from += CheckedBetweenStops) {
            if (stopAsked(mStop))
                return Oc31Problem::Stopped;
            const qsizetype to = qMin(mMade, from + CheckedBetweenStops);
            for (qsizetype i = from; i < to; ++i)
                check ^= quint8(mData[i]);
        }
        return check == quint8(mIn[mAt + 3]) ? Oc31Problem::None : Oc31Problem::FailsCheck;
    }

private:
    void block()
    {
        const int f = next();
        if (f < 0)
            return;
        if (f >= 0x40) {  // a short copy: 3 to 8 bytes from up to 2 KiB back
            const int b = next();
            copy(((f & 0x1F) << 6 | b >> 2), (f >> 5) + 1);
            literals(b & 3);
        } else if (f >= 0x10) {  // a copy from up to 16 KiB back, or 16 to 48 KiB back
            const bool far = f < 0x20;
            const int field = far ? f & 0x07 : f & 0x1F;
            const int count = field == 0 ? next() + (far ? 10 : 34)
                : field == 1             ? u16()
                                         : field + 2;
            const int t = u16();
            copy((t >> 2) + (far ? 0x4000 + (f & 0x08 ? 0x4000 : 0) : 0), count);
            literals(t & 3);
        } else if (f >= 0x02) {
            literals(f + 2);
        } else {
            literals(f == 0 ? next() + 18 : u16());
        }
    }

    // The next byte of the payload, or -1 (and the stream is cut short).
    int next()
    {
        if (mAt >= mIn.size()) {
            fail(Oc31Problem::CutShort);
            return -1;
        }
        return quint8(mIn[mAt++]);
    }

    int u16()
    {
        const int high = next();
        const int low = next();
        return high < 0 || low < 0 ? -1 : high << 8 | low;
    }

    void literals(int count)
    {
        if (mProblem != Oc31Problem::None)
            return;
        if (count > mIn.size() - mAt)
            return fail(Oc31Problem::CutShort);
        if (count > mOut.size() - mMade)
            return fail(Oc31Problem::PastLength);
        std::copy_n(mIn.data() + mAt, count, mData + mMade);
        mAt += count;
        mMade += count;
    }

    // A copy starts distance + 1 bytes back and goes byte by byte, so it may overlap itself.
    void copy(int distance, int count)
    {
        if (mProblem != Oc31Problem::None)
            return;
        if (distance + 1 > mMade)
            return fail(Oc31Problem::BeforeStart);
        if (count > mOut.size() - mMade)
            return fail(Oc31Problem::PastLength);
        // A copy that overlaps what it writes repeats the last distance + 1 bytes. What is written
        // repeats them too, so each step copies every whole repetition made so far: the steps
        // double, and a long run of one byte costs a few copies, not one per byte.
        char *to = mData + mMade;
        const qsizetype period = distance + 1;
        for (qsizetype done = 0; done < count;) {
            const qsizetype back = (period + done) / period * period;
            const qsizetype length = qMin(back, count - done);
            std::memcpy(to + done, to + done - back, size_t(length));
            done += length;
        }
        mMade += count;
    }

    void fail(Oc31Problem problem)
    {
        if (mProblem == Oc31Problem::None)
            mProblem = problem;
    }

    QByteArrayView mIn;
    QByteArray &mOut;
    const StopFlag *mStop;
    char *mData = nullptr;
    qsizetype mAt = HeaderLength;
    qsizetype mMade = 0;
    Oc31Problem mProblem = Oc31Problem::None;
};

}  // namespace

Oc31Problem decompressOc31(QByteArrayView payload, QByteArray &out, const StopFlag *stop)
{
    out.resize(0);
    if (payload.size() < HeaderLength || payload.first(4) != QByteArrayView("OC31"))
        return Oc31Problem::NotOc31;
    const qsizetype length = qFromLittleEndian<quint32>(payload.data() + 4);
    if (length > Oc31MaxLength || length > MaxRatio * payload.size())
        return Oc31Problem::TooLarge;
    return Decoder(payload, out, stop).run(length);
}
