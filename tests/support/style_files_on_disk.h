#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

// A temporary folder for the files a test writes.
class TestFolder {
public:
    TestFolder();

    [[nodiscard]] QString path(const QString &name) const { return mDir.filePath(name); }
    // Writes bytes to name and gives the file a fixed modification time (15/03/2004 10:20:30).
    QString write(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir mDir;
};

[[nodiscard]] QByteArray ReadBytes(const QString &path);

// Remembers a file's bytes and modification time; unchanged() says whether both still hold.
// Every test that loads a file checks with it that the load never wrote to the file.
class UnchangedFileGuard {
public:
    explicit UnchangedFileGuard(QString path);
    [[nodiscard]] bool unchanged() const;

private:
    QString mPath;
    QByteArray mBytes;
    QDateTime mModified;
};

[[nodiscard]] QDateTime FixedModificationTime();
