// Opens the library window offscreen on a folder, as a running program would, and prints when it
// is done: the styles listed, the milliseconds until every file was read, until the details were
// read and until the duplicates were checked, the longest the window went without answering
// (while its details came in, and while keys were typed), and the bytes the program holds once
// done (the heap in use, so that what reading needed only for a while does not count):
// library_benchmark <folder> [keys], where keys are typed into the filter, one every 100 ms, as
// soon as the first rows are listed; or library_benchmark <folder> --export-midi, which exports
// the music of every style into a temporary folder once all is read, and prints how long that
// took and the longest the window went without answering meanwhile; or library_benchmark
// <folder> --pattern <busy file>, which moves the current row down 100 rows with the pattern pane
// open, one every 20 ms, and prints the longest a row took to show its pattern, the longest the
// window went without answering, and the median time to paint the busy file's first pattern.
#include "bench_files.h"
#include "librarywindow/library_window.h"
#include "librarywindow/pattern_view.h"
#include "styles/style_details.h"
#include "styles/style_loader.h"
#include "platform/qt_dialogs.h"
#include "platform/translations.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <malloc.h>

namespace {

// The median of 21 paintings of a file's first style's Variation 1 into a picture of 1200 x 400.
double paintTime(const QString &path)
{
    const FileService files;
    const StyleFile file = *loadStyleFile(path, files).file;
    const StyleReading style = readStyleMusic(file, files).styles.value(0);
    const ElementMusic element = style.music.value_or(StyleMusic()).elements.value(0);
    PatternView view;
    view.resize(1200, 400);
    view.showPattern(layoutPattern(element, element.variations.value(0)), {});
    QImage picture(view.size(), QImage::Format_ARGB32);
    std::vector<double> times;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer clock;
        clock.start();
        QPainter painter(&picture);
        view.paintPattern(painter, view.rect());
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

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
    const bool pattern = argc > 3 && QByteArray(argv[2]) == "--pattern";
    const QString keys
        = argc > 2 && !exportMidi && !pattern ? QString::fromLocal8Bit(argv[2]) : QString();
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
    QTimer moving;
    int moved = 0;
    qint64 slowestRow = 0;
    qint64 movingStall = 0;
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
            if (moving.isActive())
                movingStall = qMax(movingStall, now - last);
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
    auto *table = window.findChild<QTableView *>();
    QObject::connect(&moving, &QTimer::timeout, [&] {
        QElapsedTimer shown;
        shown.start();
        table->setCurrentIndex(table->model()->index(moved++, 0));
        window.findChild<PatternView *>()->repaint();
        slowestRow = qMax(slowestRow, shown.elapsed());
        if (moved < 100)
            return;
        moving.stop();
        std::printf("longest a row took to show its pattern %lld ms, longest the window went "
                    "without answering while moving %lld ms, painting 2,000 notes %.1f ms\n",
            slowestRow, movingStall, paintTime(QString::fromLocal8Bit(argv[3])));
        QApplication::quit();
    });
    QObject::connect(&window, &LibraryWindow::catalogueFinished, [&] {
        if (pattern) {
            moving.start(20);
            return;
        }
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
