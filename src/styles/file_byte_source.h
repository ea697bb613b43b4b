#pragma once

#include "byte_source.h"
#include "platform/read_only_file.h"

// A style file open for reading, of the size it had when it was opened.
class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const ReadOnlyFile &file) : mFile(file) {}

    [[nodiscard]] qint64 size() const override { return mFile.facts().size; }

protected:
    [[nodiscard]] QByteArray readAt(qint64 offset, qint64 length) override { return mFile.readAt(offset, length); }

private:
    const ReadOnlyFile &mFile;
};
