#include "platform/file_name.h"
#include "platform/translations.h"
#include "command_output.h"
#include "report_command.h"

#include <QCoreApplication>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

int main(int argc, char **argv)
{
    // A standard stream that was closed keeps its number, on a file that cannot be written:
    // else the next file opened (a style file, a descriptor of Qt's) would take it, and the
    // report would be written into that, or vanish without a word.
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
    return closeCommandOutput(
        "quarv-report", stdout, stderr, runReportCommand(arguments, stdout, stderr, FileService()));
}
