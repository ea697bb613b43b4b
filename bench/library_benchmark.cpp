// Opens the library window offscreen on a folder, as a running program would, and prints when it
// is done: the styles listed, the milliseconds until every file was read, until the details were
// read and until the duplicates were checked, the longest the window went without answering
// (while its details came in, and while keys were typed), and the bytes the program holds once
// done (the heap in use, so that what reading needed only for a while does not count):
// library_benchmark <folder> [keys], where keys are typed into the filter, one every 100 ms, as
// soon as the first rows are listed; or library_benchmark <folder> --export-midi, which exports
// the music of every style into a temporary folder once all is read, and prints how long that
// took and the longest the window went without answering meanwhile.
#include "bench_files.h"
#include "librarywindow/library_window.h"
#include "platform/qt_dialogs.h"
#include "platform/translations.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <malloc.h>

namespace {
// The real dialogs, but for the export's: its folder chooser answers at once, its closing message
// is written down.
struct ExportDialogs : QtDialogs {
    QString chooseFolder(const QString &) override { return folder; }
    void showMessage(const Message &message) override { said(message.text); }
    QString folder;
    std::function<void(const QString &)> said = [](const QString &) {};
};
}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installTranslations();
    if (argc < 2)
        return 2;
    const bool exportMidi = argc > 2 && QByteArray(argv[2]) == "--export-midi";
    const QString keys = argc > 2 && !exportMidi ? QString::fromLocal8Bit(argv[2]) : QString();
    const FileService files;
    ExportDialogs dialogs;
    // In memory where there is a tmpfs, as bench/run writes quarv-midi's files.
    QTemporaryDir exports(QDir(QStringLiteral("/dev/shm")).exists()
            ? QStringLiteral("/dev/shm/quarv-export-XXXXXX")
            : QDir::tempPath() + QStringLiteral("/quarv-export-XXXXXX"));
    dialogs.folder = exports.path();
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

    // The phases, as the scan begins each.
    qint64 allRead = -1;
    qint64 detailsRead = -1;
    QObject::connect(&window.scan(), &LibraryScan::phaseChanged, [&] {
        const LibraryScan::Phase phase = window.scan().phase();
        if (allRead < 0 && phase == LibraryScan::Phase::Details)
            allRead = clock.elapsed();
        if (detailsRead < 0 && phase == LibraryScan::Phase::Duplicates)
            detailsRead = clock.elapsed();
    });

    // The window answers as long as its event loop turns: the longest gap between two turns,
    // from the first (the first paint, fonts and all, is the start of any program); apart, the
    // longest while the details came in and while keys were typed (until the filter applied).
    qint64 last = -1;
    qint64 longestStall = 0;
    qint64 detailsStall = 0;
    qint64 typingStall = 0;
    qint64 typingFrom = -1;
    qint64 typingTo = -1;
    qint64 exportFrom = -1;
    qint64 exportStall = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (last >= 0) {
            longestStall = qMax(longestStall, now - last);
            if (allRead >= 0 && detailsRead < 0)
                detailsStall = qMax(detailsStall, now - last);
            if (typingFrom >= 0 && last >= typingFrom && (typingTo < 0 || last <= typingTo))
                typingStall = qMax(typingStall, now - last);
            if (exportFrom >= 0)
                exportStall = qMax(exportStall, now - last);
        }
        last = now;
    });
    tick.start(5);

    auto *filter = window.findChild<QLineEdit *>();
    QTimer typing;
    int typed = 0;
    QObject::connect(&typing, &QTimer::timeout, [&] {
        if (typed == 0 && window.findChild<QTableView *>()->model()->rowCount() == 0)
            return;
        if (typed == 0)
            typingFrom = clock.elapsed();
        filter->setText(keys.left(++typed));
        if (typed == keys.size()) {
            typing.stop();
            typingTo = clock.elapsed() + 400;  // the pause, and the filter applied
        }
    });
    if (!keys.isEmpty())
        typing.start(100);

    dialogs.said = [&](const QString &text) {
        std::printf("%s exported in %lld ms, longest the window went without answering while "
                    "exporting %lld ms\n",
            qPrintable(text), clock.elapsed() - exportFrom, exportStall);
        QApplication::quit();
    };
    QObject::connect(&window, &LibraryWindow::catalogueFinished, [&] {
        if (exportMidi) {
            if (exportFrom < 0) {
                exportFrom = clock.elapsed();
                window.findChild<QPushButton *>(QStringLiteral("exportMusicButton"))->click();
            }
            return;
        }
        const qint64 done = clock.elapsed();
        // Long enough for typing that is still going on.
        const qint64 typingLeft
            = typing.isActive() ? 100 * (keys.size() - typed) + 400 : typingTo - done;
        QTimer::singleShot(qMax<qint64>(0, typingLeft), [&, done] {
            std::printf("%d styles, all files read %lld ms, details read %lld ms, duplicates "
                        "checked %lld ms, "
                        "longest stall %lld ms, while details came in %lld ms, while typing %lld "
                        "ms, held %zu bytes\n",
                window.findChild<QTableView *>()->model()->rowCount(), allRead, detailsRead, done,
                longestStall, detailsStall, typingStall, mallinfo2().uordblks);
            QApplication::quit();
        });
    });
    return QApplication::exec();
}
