#include "style_bytes.h"

StyleBytes::StyleBytes(const StyleFile &file, const FileService &files)
    : mFile(file), mInput(files.openForReading(file.path))
{
    if (mInput->facts().size != file.size || mInput->facts().modified != file.modified)
        throw changed();
}

QByteArray StyleBytes::read(
    const StyleEntry &style, StylePart part, qint64 from, qint64 length) const
{
    const qint64 available = partLength(style, part) - from;
    if (length < 0 || length > available)
        length = qMax<qint64>(available, 0);
    const qint64 start
        = (part == StylePart::Main ? style.offset : style.supplementaryOffset) + from;
    QByteArray bytes = mInput->readAt(start, length);
    if (bytes.size() != length || mInput->changedSinceOpened())
        throw changed();
    return bytes;
}

void StyleBytes::readInPieces(const StyleEntry &style, StylePart part, qint64 pieceLength,
    const std::function<void(QByteArrayView)> &take) const
{
    for (qint64 from = 0; from < partLength(style, part); from += pieceLength)
        take(read(style, part, from, pieceLength));
}

FileError StyleBytes::changed() const
{
    return FileError(mFile.path, FileError::tr("the file changed since it was loaded"));
}
