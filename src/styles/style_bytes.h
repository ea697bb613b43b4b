#pragma once

#include "platform/file_error.h"
#include "platform/file_service.h"
#include "style_file.h"

#include <functional>

enum class StylePart { Main, Supplementary };

// A loaded style file open again, to read its styles' bytes now: a load reads only what it shows.
class StyleBytes {
public:
    // Throws FileError when the file cannot be read, or is no longer the file that was loaded
    // (its size or modification time differ).
    StyleBytes(const StyleFile &file, const FileService &files);

    [[nodiscard]] static qint64 partLength(const StyleEntry &style, StylePart part)
    {
        return part == StylePart::Main ? style.size : style.supplementarySize;
    }
    // `length` bytes of one part of one of its styles from `from` on, within the part (the whole
    // part by default). Throws FileError when the bytes are not all there or the file changes
    // while they are read.
    [[nodiscard]] QByteArray read(
        const StyleEntry &style, StylePart part, qint64 from = 0, qint64 length = -1) const;
    // The whole part, handed over a piece of at most `pieceLength` bytes at a time, so that a
    // large style is never held whole. Throws FileError.
    void readInPieces(const StyleEntry &style, StylePart part, qint64 pieceLength,
        const std::function<void(QByteArrayView)> &take) const;

private:
    [[nodiscard]] FileError changed() const;

    const StyleFile &mFile;
    std::unique_ptr<ReadOnlyFile> mInput;
};
