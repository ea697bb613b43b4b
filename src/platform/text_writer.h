#pragma once

#include <QByteArray>
#include <QSaveFile>

// A writing stream for a report: 8-bit lines, each ending with CR LF. The target is replaced only
// when Close() succeeds, so a failed export never destroys an old file or leaves half a new one.
class TextWriter {
public:
    explicit TextWriter(const QString &path);

    void WriteLine(const QByteArray &text);
    void Close();

private:
    void fail();

    QSaveFile mFile;
};
