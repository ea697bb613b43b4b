#include "style_files_on_disk.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

TestFolder::TestFolder() { EXPECT_TRUE(mDir.isValid()); }

QDateTime FixedModificationTime() { return QDateTime(QDate(2004, 3, 15), QTime(10, 20, 30)); }

QString TestFolder::write(const QString &name, const QByteArray &bytes) const
{
    const QString file = path(name);
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate)) << file.toStdString();
    EXPECT_EQ(out.write(bytes), bytes.size());
    out.flush();
    EXPECT_TRUE(out.setFileTime(FixedModificationTime(), QFileDevice::FileModificationTime));
    out.close();
    return file;
}

QByteArray ReadBytes(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

UnchangedFileGuard::UnchangedFileGuard(QString path)
    : mPath(std::move(path)), mBytes(ReadBytes(mPath)), mModified(QFileInfo(mPath).lastModified())
{
}

bool UnchangedFileGuard::unchanged() const
{
    return ReadBytes(mPath) == mBytes && QFileInfo(mPath).lastModified() == mModified;
}
