#include "file_error.h"

#include "file_name.h"

FileError::FileError(const QString &path, const QString &reason)
    : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString()),
      mPath(path),
      mReason(reason)
{
}

QString FileError::message(const QString &verb) const
{
    return QStringLiteral("%1 %2: %3.").arg(verb, displayFileName(mPath), mReason);
}
