#include "style_bytes.h"

#include "platform/file_error.h"

QByteArray readStyleBytes(
    const StyleFile &file, const StyleEntry &style, StylePart part, const FileService &files)
{
    const auto input = files.openForReading(file.path);
    const FileError changed(file.path, FileError::tr("the file changed since it was loaded"));
    if (input->facts().size != file.size || input->facts().modified != file.modified)
        throw changed;
    const bool main = part == StylePart::Main;
    const qint64 length = main ? style.size : style.supplementarySize;
    QByteArray bytes = input->readAt(main ? style.offset : style.supplementaryOffset, length);
    if (bytes.size() != length || input->changedSinceOpened())
        throw changed;
    return bytes;
}
