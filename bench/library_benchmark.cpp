// Opens the library window offscreen on a folder, as a running program would, and prints when it
// is done: the styles listed, the milliseconds until every file was read and until the duplicates
// were checked, the longest the window went without answering, and the bytes the program holds
// once done (the heap in use, so that what reading needed only for a while does not count):
// library_benchmark <folder>.
#include "bench_files.h"
#include "librarywindow/library_window.h"
#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QProgressBar>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <malloc.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const FileService files;
    QtDialogs dialogs;
    // As from a running program: a library of one file shown first, so that fonts, glyphs and
    // styles are loaded, as they are once any window has been painted.
    QTemporaryDir warmUp;
    QFile bank(warmUp.filePath(QStringLiteral("BANK.STY")));
    if (!bank.open(QIODevice::WriteOnly) || bank.write(typicalSmallFile(0)) < 0)
        return 1;
    bank.close();
    {
        LibraryWindow first(warmUp.path(), files, dialogs);
        first.show();
        QEventLoop wait;
        QObject::connect(&first, &LibraryWindow::catalogueFinished, &wait, &QEventLoop::quit);
        wait.exec();
        for (int turn = 0; turn < 20; ++turn)
            QApplication::processEvents();
    }
    QElapsedTimer clock;
    clock.start();
    LibraryWindow window(QString::fromLocal8Bit(argv[1]), files, dialogs);
    window.show();

    qint64 allRead = -1;
    auto *progress = window.findChild<QProgressBar *>();
    QObject::connect(progress, &QProgressBar::valueChanged, [&](int value) {
        if (allRead < 0 && value == progress->maximum())
            allRead = clock.elapsed();
    });
    // The window answers as long as its event loop turns: the longest gap between two turns,
    // from the first (the first paint, fonts and all, is the start of any program).
    qint64 last = -1;
    qint64 longestStall = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (last >= 0)
            longestStall = qMax(longestStall, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(5);
    QObject::connect(&window, &LibraryWindow::catalogueFinished, [&] {
        std::printf("%d styles, all files read %lld ms, duplicates checked %lld ms, longest stall "
                    "%lld ms, held %zu bytes\n",
            window.findChild<QTableView *>()->model()->rowCount(), allRead, clock.elapsed(),
            longestStall, mallinfo2().uordblks);
        QApplication::quit();
    });
    return QApplication::exec();
}
