#include "command_output.h"

#include "platform/file_name.h"
#include "platform/file_service.h"
#include "platform/translations.h"
#include "reports/terminal_text.h"

#include <QCoreApplication>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

QString standardOutput() { return QCoreApplication::translate("CommandOutput", "standard output"); }

QByteArray lineFor(const char *tool, const QString &path, const QString &text)
{
    const QString line = path.isNull() ? text : QStringLiteral("%1: %2").arg(path, text);
    return escapeControls(QLatin1String(tool) + QStringLiteral(": ") + displayFileName(line))
               .toUtf8()
        + '\n';
}

}  // namespace

void CommandOutput::write(QByteArrayView bytes)
{
    errno = 0;
    if (mOutError == 0 && !bytes.isEmpty()
        && std::fwrite(bytes.data(), 1, size_t(bytes.size()), mOut) != size_t(bytes.size()))
        mOutError = errno != 0 ? errno : EIO;
}

QByteArray CommandOutput::messageLine(const QString &path, const QString &text) const
{
    return lineFor(mTool, path, text);
}

void CommandOutput::writeMessages(const QByteArray &lines)
{
    std::fwrite(lines.constData(), 1, size_t(lines.size()), mErr);
}

int CommandOutput::finish(int status)
{
    errno = 0;
    if (mOutError == 0 && std::fflush(mOut) != 0)
        mOutError = errno != 0 ? errno : EIO;
    if (mOutError == 0)
        return status;
    message(standardOutput(), QString::fromLocal8Bit(std::strerror(mOutError)));
    return 1;
}

int runCommandLineTool(const char *tool, int argc, char **argv, Command command)
{
    // A standard stream that was closed keeps its number, on a file that cannot be written:
    // else the next file opened (a style file, a descriptor of Qt's) would take it, and the
    // output would be written into that, or vanish without a word.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF)
            (void)::open("/dev/null", O_RDONLY | O_CLOEXEC);
    }
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << decodeFileName(argv[i]);  // every byte of a file name kept
    // Qt takes some arguments for itself (-qmljsdebugger=...) out of what it is given, even
    // after "--": it gets a copy, and the command parses the arguments as they were.
    std::vector<char *> forQt(argv, argv + argc + 1);
    int forQtCount = argc;
    QCoreApplication app(forQtCount, forQt.data());
    installTranslations();
    const int status = command(arguments, stdout, stderr, FileService());
    const bool reported = std::ferror(stdout) != 0;
    if (std::fclose(stdout) == 0 || reported)
        return status;
    const QByteArray line
        = lineFor(tool, standardOutput(), QString::fromLocal8Bit(std::strerror(errno)));
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    return status == 0 ? 1 : status;
}
