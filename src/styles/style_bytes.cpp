#include "style_bytes.h"

#include "platform/file_error.h"

StyleBytes::StyleBytes(const StyleFile &file, const FileService &files)
    : mFile(file), mInput(files.openForReading(file.path))
{
    if (mInput->facts().size != file.size || mInput->facts().modified != file.modified)
        throw changed();
}

QByteArray StyleBytes::read(const StyleEntry &style, StylePart part) const
{
    const bool main = part == StylePart::Main;
    const qint64 length = main ? style.size : style.supplementarySize;
    QByteArray bytes = mInput->readAt(main ? style.offset : style.supplementaryOffset, length);
    if (bytes.size() != length || mInput->changedSinceOpened())
        throw changed();
    return bytes;
}

FileError StyleBytes::changed() const
{
    return FileError(mFile.path, FileError::tr("the file changed since it was loaded"));
}
