#pragma once

#include <QByteArray>
#include <QSaveFile>

// A report file being written: 8-bit lines, each ending with CR LF. The target is replaced only
// when commit() succeeds, so a failed export never destroys an old file or leaves half a new one.
// Failures throw FileError.
class TextWriter {
public:
    explicit TextWriter(const QString &path);

    void writeLine(QByteArrayView text);
    void write(QByteArrayView bytes);
    void commit();

private:
    void fail();

    QSaveFile mFile;
};
