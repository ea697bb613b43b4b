#include "mainwindow/command_line.h"
#include "mainwindow/main_window.h"
#include "platform/file_name.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_printer.h"
#include "platform/translations.h"
#include "quarv_version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// --help and --version answer without a display: they are looked for before the windowing system
// is started.
bool asksForHelpOrVersion(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        if (argument == "--")
            return false;
        if (argument == "-h" || argument == "--help" || argument == "--help-all" || argument == "-?"
            || argument == "-v" || argument == "--version")
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char **argv)
{
    const bool helpOrVersion = asksForHelpOrVersion(argc, argv);
    // QApplication takes Qt's own options (-style, -stylesheet, -platform...) out of the
    // arguments it is given: only those before "--", after which every argument is a file name.
    const int beforeDashes = int(std::find_if(argv + 1, argv + argc, [](const char *a) {
        return qstrcmp(a, "--") == 0;
    }) - argv);
    std::vector<char *> forQt(argv, argv + beforeDashes);
    forQt.push_back(nullptr);
    int forQtCount = beforeDashes;
    const auto app = helpOrVersion ? std::make_unique<QCoreApplication>(forQtCount, forQt.data())
                                   : std::make_unique<QApplication>(forQtCount, forQt.data());
    installTranslations();
    QApplication::setOrganizationName(QStringLiteral("Quarv"));
    QApplication::setApplicationName(QStringLiteral("Quarv"));
    QApplication::setApplicationVersion(QStringLiteral(QUARV_VERSION));
    // The desktop entry's id: docks and task switchers match the windows to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.quarv.Quarv"));

    // Every byte of a file name kept, which QApplication::arguments() does not.
    QStringList arguments;
    for (int i = 0; i < forQtCount; ++i)
        arguments << decodeFileName(forQt[std::size_t(i)]);
    for (int i = beforeDashes; i < argc; ++i)
        arguments << decodeFileName(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "quarv", "Lists the styles in a Korg arranger keyboard style file (.STY)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
        QCoreApplication::translate(
            "quarv", "The style file to open. The arguments are taken as one path."),
        QCoreApplication::translate("quarv", "[FILE]"));
    if (helpOrVersion) {
        (void)parser.parse(arguments);  // Qt's own options are not known here: they make no error
        if (parser.isSet(QStringLiteral("help-all")))  // Qt's options too, which process() adds
            parser.process({arguments.constFirst(), QStringLiteral("--help-all")});
        parser.isSet(QStringLiteral("version")) ? parser.showVersion() : parser.showHelp();
    }
    parser.process(arguments);

    const FileService files;
    QtDialogs dialogs;
    QSettings settings;
    MainWindow window(files, dialogs, &QtPrinter::openDefault, settings);
    dialogs.setParentWindow(&window);
    const CommandLineFile named = commandLineFile(
        parser.positionalArguments(), [&](const QString &path) { return files.exists(path); });
    const bool folder = !named.path.isEmpty() && files.isFolder(named.path);
    if (!named.path.isEmpty() && !folder)
        window.openFile(named.path);  // any message comes before the window shows
    if (!named.unused.isEmpty())
        dialogs.showMessage(
            warning(QCoreApplication::translate(
                "quarv", "Quarv opens one style file at a time; these arguments were not used: %1")
                        .arg(displayFileName(named.unused.join(QLatin1Char(' '))))));
    window.show();
    if (folder)
        window.showLibrary(
            named.path);  // in front of the main window, as for a folder dropped on it
    // For start-up measurements: quit as soon as the window is shown.
    if (qEnvironmentVariableIsSet("QUARV_EXIT_WHEN_SHOWN"))
        QTimer::singleShot(0, app.get(), &QApplication::quit);
    return QApplication::exec();
}
