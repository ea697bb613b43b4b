#pragma once

#include <QByteArray>
#include <QSaveFile>

// A report file being written: 8-bit lines, each ending with CR LF. The target is replaced only
// when commit() succeeds, so a failed export never destroys an old file or leaves half a new one.
// The folder is found by its bytes, also where its name is not UTF-8. Failures throw FileError.
class TextWriter {
public:
    explicit TextWriter(const QString &path);

    void writeLine(QByteArrayView text);
    void write(QByteArrayView bytes);
    void commit();

private:
    void fail();

    // The folder, open while the file is written, when its name is not UTF-8. Declared before the
    // file, so that it is closed after it: an uncommitted file is removed through it.
    struct OpenFolder {
        int fd = -1;
        OpenFolder() = default;
        OpenFolder(const OpenFolder &) = delete;
        OpenFolder &operator=(const OpenFolder &) = delete;
        ~OpenFolder();
    };

    QString mPath;
    OpenFolder mFolder;
    QSaveFile mFile;
};
