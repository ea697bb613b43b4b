#include "mainwindow/command_line.h"
#include "mainwindow/main_window.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_printer.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char **argv)
{
    const QString commandLine = commandLineText(argc, argv);  // before Qt takes its own options
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarv"));
    QApplication::setApplicationVersion(QStringLiteral(QUARV_VERSION));

    const FileService files;
    QtDialogs dialogs;
    MainWindow window(files, dialogs, &QtPrinter::openDefault);
    dialogs.setParentWindow(&window);
    if (!commandLine.isEmpty())
        window.openFile(commandLine);  // any message comes before the window shows
    window.show();
    // For start-up measurements: quit as soon as the window is shown.
    if (qEnvironmentVariableIsSet("QUARV_EXIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    return QApplication::exec();
}
