#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

// The standard output and error of a command-line tool. Every write to standard output is
// checked: a full disk or a closed pipe is a message and exit status 1, never success. Each
// message is one line on standard error, "tool: path: text", whatever the path and the text
// hold: control characters escaped, bytes of a name that are not UTF-8 shown as U+FFFD.
class CommandOutput {
public:
    CommandOutput(const char *tool, std::FILE *out, std::FILE *err)
        : mTool(tool), mOut(out), mErr(err)
    {
    }

    void write(QByteArrayView bytes);
    // The message line, without writing it (a worker thread makes lines that are written later).
    [[nodiscard]] QByteArray messageLine(const QString &path, const QString &text) const;
    void writeMessages(const QByteArray &lines);
    void message(const QString &path, const QString &text)
    {
        writeMessages(messageLine(path, text));
    }
    [[nodiscard]] bool outputFailed() const { return mOutError != 0; }
    // The exit status once all is written: `status`, or 1 when standard output failed, which
    // is then said.
    [[nodiscard]] int finish(int status);

private:
    const char *mTool;
    std::FILE *mOut;
    std::FILE *mErr;
    int mOutError = 0;  // errno of the first failed write to standard output
};

class FileService;

// A command-line tool's main(): runs `command` on the arguments as given, every byte of a file
// name kept, over standard output and error, then closes standard output, whose failure (a file
// system that fails on close) is one line on standard error and exit status 1.
using Command = int (*)(
    const QStringList &arguments, std::FILE *out, std::FILE *err, const FileService &files);
[[nodiscard]] int runCommandLineTool(const char *tool, int argc, char **argv, Command command);
