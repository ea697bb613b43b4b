#include "style_files_on_disk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <gtest/gtest.h>

TestFolder::TestFolder() { EXPECT_TRUE(mDir.isValid()); }

TestFolder::~TestFolder()
{
    for (const UnchangedFileGuard &guard : mStyleFiles)
        EXPECT_TRUE(guard.unchanged()) << "a style file was changed: " << guard.path().toStdString();
}

QDateTime fixedModificationTime() { return QDateTime(QDate(2004, 3, 15), QTime(10, 20, 30)); }

QString TestFolder::write(const QString &name, const QByteArray &bytes)
{
    const QString file = path(name);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate)) << file.toStdString();
    EXPECT_EQ(out.write(bytes), bytes.size());
    out.flush();
    EXPECT_TRUE(out.setFileTime(fixedModificationTime(), QFileDevice::FileModificationTime));
    out.close();
    // A test that writes the same name again replaces the file on purpose.
    mStyleFiles.erase(std::remove_if(mStyleFiles.begin(), mStyleFiles.end(),
                                     [&](const UnchangedFileGuard &g) { return g.path() == file; }),
                      mStyleFiles.end());
    if (name.endsWith(QLatin1String(".sty"), Qt::CaseInsensitive))
        mStyleFiles.emplace_back(file);
    return file;
}

void TestFolder::remove(const QString &name)
{
    const QString file = path(name);
    mStyleFiles.erase(std::remove_if(mStyleFiles.begin(), mStyleFiles.end(), [&](const UnchangedFileGuard &g) { return g.path() == file; }),
                      mStyleFiles.end());
    EXPECT_TRUE(QFile::remove(file));
}

QByteArray readBytes(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

UnchangedFileGuard::UnchangedFileGuard(QString path)
    : mPath(std::move(path)), mBytes(readBytes(mPath)), mModified(QFileInfo(mPath).lastModified())
{
}

bool UnchangedFileGuard::unchanged() const
{
    return readBytes(mPath) == mBytes && QFileInfo(mPath).lastModified() == mModified;
}
