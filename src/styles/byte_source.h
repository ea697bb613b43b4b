#pragma once

#include <QByteArray>

// The bytes of a style file, read in the ranges a walker needs and no more. Callers check every
// range against size() first.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    [[nodiscard]] virtual qint64 size() const = 0;
    // Exactly `length` bytes from `offset`. Throws DamagedFile when the file no longer has them,
    // which happens only when it changed after its size was taken.
    [[nodiscard]] QByteArray read(qint64 offset, qint64 length);

protected:
    // Up to `length` bytes from `offset`; fewer when the file ends first.
    [[nodiscard]] virtual QByteArray readAt(qint64 offset, qint64 length) = 0;
};

// Bytes held in memory.
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(QByteArray bytes) : mBytes(std::move(bytes)) { }

    [[nodiscard]] qint64 size() const override { return mBytes.size(); }

protected:
    [[nodiscard]] QByteArray readAt(qint64 offset, qint64 length) override
    {
        return mBytes.mid(offset, length);
    }

private:
    QByteArray mBytes;
};
