#include "text_writer.h"

#include "file_error.h"

TextWriter::TextWriter(const QString &path) : mFile(path)
{
    if (!mFile.open(QIODevice::WriteOnly))
        fail();
}

void TextWriter::WriteLine(const QByteArray &text)
{
    if (mFile.write(text) != text.size() || mFile.write("\r\n", 2) != 2)
        fail();
}

void TextWriter::Close()
{
    if (!mFile.commit())
        fail();
}

void TextWriter::fail()
{
    const QString reason = mFile.errorString();
    mFile.cancelWriting();
    throw FileError(mFile.fileName(), reason);
}
