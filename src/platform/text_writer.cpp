#include "text_writer.h"

#include "file_error.h"
#include "file_name.h"

#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Where QSaveFile can reach the file. QSaveFile takes a QString, which it encodes as UTF-8: a
// folder whose name is not UTF-8 is reached through its open descriptor instead.
QString reachablePath(const QString &path, int &folder)
{
    const QFileInfo file(path);
    const QByteArray folderBytes = encodeFileName(file.path());
    if (folderBytes == file.path().toUtf8())
        return path;
    folder = ::open(folderBytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return folder < 0 ? path
                      : QStringLiteral("/proc/self/fd/%1/%2").arg(folder).arg(file.fileName());
}

}  // namespace

TextWriter::TextWriter(const QString &path) : mPath(path), mFile(reachablePath(path, mFolder.fd))
{
    if (!mFile.open(QIODevice::WriteOnly))
        fail();
}

TextWriter::OpenFolder::~OpenFolder()
{
    if (fd >= 0)
        ::close(fd);
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
    // The unfinished file goes with mFile: QSaveFile discards what it has not committed.
    throw FileError(mPath, mFile.errorString());
}
