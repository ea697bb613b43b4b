#include "platform/file_name.h"
#include "report_command.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << decodeFileName(argv[i]);  // every byte of a file name kept
    return runReportCommand(arguments, stdout, stderr, FileService());
}
