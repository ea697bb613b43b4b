#include "quarv_main.h"

#include "command_line.h"
#include "frm_main.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_printer.h"

#include <QApplication>
#include <QTimer>

int Main(int argc, char **argv)
{
    const QString commandLine = CommandLineText(argc, argv);  // before Qt takes its own options
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarv"));
    QApplication::setApplicationVersion(QStringLiteral(QUARV_VERSION));

    CurrentFile file = CurrentFile::withServices();
    QtDialogs dialogs;
    frmMain window(file, dialogs, &QtPrinter::openDefault);
    dialogs.setParentWindow(&window);
    window.Form_Load(commandLine);
    window.show();
    // For start-up measurements: quit as soon as the window is shown.
    if (qEnvironmentVariableIsSet("QUARV_EXIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    return QApplication::exec();
}

void ReleaseServices(CurrentFile &file)
{
    file.StyleList.reset();
    file.FileService.reset();
}
