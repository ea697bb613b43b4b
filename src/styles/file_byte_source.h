#pragma once

#include "byte_source.h"
#include "platform/read_only_file.h"

// A style file open for reading, of the size it had when it was opened.
class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const ReadOnlyFile &file) : mFile(file) { }

    [[nodiscard]] qint64 size() const override { return mFile.facts().size; }

protected:
    // The first read takes a file of up to 64 KiB whole, and of a larger one the first 8 KiB, and
    // keeps them: the header, the tables and the names behind them then cost one system call,
    // which is most of a small file's load (a bank of 48 small styles would pay 48 more).
    [[nodiscard]] QByteArray readAt(qint64 offset, qint64 length) override
    {
        if (offset == 0 && mHead.isNull())
            mHead = mFile.readAt(0, size() <= WholeLength ? size() : qMax(length, HeadLength));
        if (offset + length <= mHead.size())
            return mHead.mid(offset, length);
        return mFile.readAt(offset, length);
    }

private:
    static constexpr qint64 WholeLength = 65536;
    static constexpr qint64 HeadLength = 8192;

    const ReadOnlyFile &mFile;
    QByteArray mHead;
};
