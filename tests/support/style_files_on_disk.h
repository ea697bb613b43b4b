#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

#include <vector>

// Remembers a file's bytes and modification time; unchanged() says whether both still hold.
// Every test that loads a file checks with it that the load never wrote to the file.
class UnchangedFileGuard {
public:
    explicit UnchangedFileGuard(QString path);
    [[nodiscard]] bool unchanged() const;
    [[nodiscard]] const QString &path() const { return mPath; }

private:
    QString mPath;
    QByteArray mBytes;
    QDateTime mModified;
};

// A temporary folder for the files a test writes. Every style file (.sty in any case) written
// here must still have its bytes and modification time when the folder goes: nothing that loads
// a style file may change it.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    [[nodiscard]] QString path(const QString &name) const { return mDir.filePath(name); }
    // Writes bytes to name and gives the file a fixed modification time (15/03/2004 10:20:30).
    QString write(const QString &name, const QByteArray &bytes);
    // Removes a file on purpose.
    void remove(const QString &name);

private:
    QTemporaryDir mDir;
    std::vector<UnchangedFileGuard> mStyleFiles;
};

[[nodiscard]] QByteArray readBytes(const QString &path);

[[nodiscard]] QDateTime fixedModificationTime();
