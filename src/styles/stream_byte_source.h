#pragma once

#include "byte_source.h"
#include "platform/text_stream.h"

// A style file open on a stream, of the size its facts gave.
class StreamByteSource : public ByteSource {
public:
    StreamByteSource(TextStream &stream, qint64 size) : mStream(stream), mSize(size) {}

    [[nodiscard]] qint64 size() const override { return mSize; }

protected:
    [[nodiscard]] QByteArray readAt(qint64 offset, qint64 length) override { return mStream.ReadAt(offset, length); }

private:
    TextStream &mStream;
    qint64 mSize;
};
