#include "file_error.h"

#include "file_name.h"

FileError::FileError(const QString &path, const QString &reason)
    : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString()),
      mPath(path),
      mReason(reason)
{
}

QString FileError::readMessage() const
{
    return tr("Cannot read %1: %2.").arg(displayFileName(mPath), mReason);
}

QString FileError::writeMessage() const
{
    return tr("Cannot write %1: %2.").arg(displayFileName(mPath), mReason);
}
