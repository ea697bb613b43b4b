#pragma once

#include "byte_source.h"
#include "platform/read_only_file.h"

// A style file open for reading, of the size its facts gave.
class FileByteSource : public ByteSource {
public:
    FileByteSource(const ReadOnlyFile &file, qint64 size) : mFile(file), mSize(size) {}

    [[nodiscard]] qint64 size() const override { return mSize; }

protected:
    [[nodiscard]] QByteArray readAt(qint64 offset, qint64 length) override { return mFile.readAt(offset, length); }

private:
    const ReadOnlyFile &mFile;
    qint64 mSize;
};
