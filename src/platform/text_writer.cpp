#include "text_writer.h"

#include "file_error.h"

TextWriter::TextWriter(const QString &path) : mFile(path)
{
    if (!mFile.open(QIODevice::WriteOnly))
        fail();
}

void TextWriter::writeLine(QByteArrayView text)
{
    write(text);
    write("\r\n");
}

void TextWriter::write(QByteArrayView bytes)
{
    if (mFile.write(bytes.data(), bytes.size()) != bytes.size())
        fail();
}

void TextWriter::commit()
{
    // QSaveFile records write errors only as they happen in write(); one in the last flush (a full
    // disk) would be committed as a good file, cut short. Flush first and look. A short write gives
    // no reason; the second attempt fails with the system's ("No space left on device").
    if (!(mFile.flush() || mFile.flush()) || !mFile.commit())
        fail();
}

void TextWriter::fail()
{
    const QString reason = mFile.errorString();
    mFile.cancelWriting();
    throw FileError(mFile.fileName(), reason);
}
