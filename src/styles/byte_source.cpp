#include "byte_source.h"

#include "damaged_file.h"

QByteArray ByteSource::read(qint64 offset, qint64 length)
{
    if (offset < 0 || length < 0 || length > size() - offset)
        throw DamagedFile(DamagedFile::tr(
            "a read from offset %1 of %2 byte(s) lies outside the file", "", length == 1 ? 1 : 2)
                              .arg(offset)
                              .arg(length));
    QByteArray bytes = readAt(offset, length);
    if (bytes.size() != length)
        throw DamagedFile(DamagedFile::tr("the file changed while it was being read"));
    return bytes;
}
