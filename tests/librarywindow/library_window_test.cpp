#include "librarywindow/library_window.h"
#include "pa_style_chunks.h"
#include "platform/file_name.h"
#include "window_harness.h"

#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTableView>
#include <QThread>

#include <atomic>

namespace {

bool waitUntilCatalogued(LibraryWindow &window)
{
    QSignalSpy finished(&window, &LibraryWindow::catalogueFinished);
    return finished.count() > 0 || finished.wait(20000);
}

// The rows as shown, one a line, their cells joined with "|": all of them, or the one column named.
QString shownRows(const LibraryWindow &window, int only = -1)
{
    const QAbstractItemModel *model = window.findChild<QTableView *>()->model();
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = qMax(only, 0); column < (only < 0 ? model->columnCount() : only + 1);
             ++column)
            cells << model->index(row, column).data().toString();
        rows << cells.join('|');
    }
    return rows.join(only < 0 ? '\n' : ' ');
}

QString statusLine(const LibraryWindow &window)
{
    return window.findChild<QLabel *>(QStringLiteral("status"))->text();
}

// Types into the filter, as a user does, and waits for the pause after which it applies.
void typeFilter(LibraryWindow &window, const QString &text)
{
    auto *filter = window.findChild<QLineEdit *>();
    filter->clear();
    QTest::keyClicks(filter, text);
    QTest::qWait(200);
}

}  // namespace

// Every style of every file below the folder, sorted (numbers as numbers), filtered once typing
// pauses, and chosen as the user asks; ghost rows in the main window's light red; duplicates
// found by their bytes, both parts; the files with problems below, the status line, and the
// shown rows exported.
TEST(LibraryWindow, ListsFiltersSortsAndExportsEveryStyle)
{
    // Two backups of one bank (their styles are duplicates), a pack with a Pa-series bank and a
    // look-alike of the bank (same name and size, other bytes), two Pa-series styles that differ
    // only in their performance data, a damaged file and another file.
    TestFolder folder;
    const QByteArray bank
        = ISeriesFileBuilder("KORG9").slot(2000, "Pop Ballad").slot(600, "Disco     ").build();
    folder.write(QStringLiteral("lib/backup1/USER01.STY"), bank);
    folder.write(QStringLiteral("lib/backup2/USER01.STY"), bank);
    folder.write(QStringLiteral("lib/pack/deep/PA.STY"),
        PaFileBuilder()
            .style("Slow Rock", 3000)
            .performance(1000)
            .style("alpha", 10000)
            .build()
            .bytes);
    folder.write(QStringLiteral("lib/pack/LOOKALIKE.sty"),
        ISeriesFileBuilder("KORG9").slot(0).slot(2000, "Pop Ballad").build());
    const QByteArray samePart = fillerBytes(1, 90);
    folder.write(QStringLiteral("lib/pack/TWO.STY"),
        PaFileBuilder()
            .record("Twin", 2, samePart)
            .record("Twin", 2, samePart)
            .record({}, 7, fillerBytes(2, 40))
            .record({}, 7, fillerBytes(3, 40))
            .build()
            .bytes);
    folder.write(
        QStringLiteral("lib/DAMAGED.STY"), PaFileBuilder().style("A", 500).build().bytes.left(400));
    folder.write(QStringLiteral("lib/notes.txt"), "x");
    folder.write(QStringLiteral("lib/locked/HIDDEN.STY"), bank);
    const QString lib = folder.path(QStringLiteral("lib"));
    HookedFileService files;  // with a folder that cannot be read, as for anyone but root
    files.beforeListing = [&](const QString &path) {
        if (path.endsWith(QLatin1String("locked")))
            throw FileError(path, QStringLiteral("Permission denied"));
    };
    ScriptedDialogs dialogs;
    LibraryWindow window(lib, files, dialogs);
    window.show();
    ASSERT_TRUE(waitUntilCatalogued(window));
    EXPECT_EQ(shownRows(window).replace(QLatin1String("i3,i2,i1,i4s (KORG9)"), QLatin1String("K9")),
        QStringLiteral(R"(backup1/USER01.STY|K9|01|Pop Ballad|||2,000|2,000|0||yes
backup1/USER01.STY|K9|02|Disco|||600|600|0|yes|yes
backup2/USER01.STY|K9|01|Pop Ballad|||2,000|2,000|0||yes
backup2/USER01.STY|K9|02|Disco|||600|600|0|yes|yes
pack/deep/PA.STY|Pa50/60/80 (KORF)|01|Slow Rock|||4,000|3,000|1,000||
pack/deep/PA.STY|Pa50/60/80 (KORF)|02|alpha|||10,000|10,000|0||
pack/LOOKALIKE.sty|K9|02|Pop Ballad|||2,000|2,000|0||
pack/TWO.STY|Pa50/60/80 (KORF)|01|Twin|||130|90|40||
pack/TWO.STY|Pa50/60/80 (KORF)|02|Twin|||130|90|40||)"));
    const QListWidget *problems = window.findChild<QListWidget *>();
    EXPECT_EQ(
        statusLine(window) + '\n' + problems->item(0)->text() + '\n' + problems->item(1)->text(),
        "6 files, 9 styles, 2 ghost styles, 0 damaged styles, 4 duplicates, 1 files with problems\n"
        "locked: Permission denied\nDAMAGED.STY: Damaged style file: DAMAGED.STY: the marker "
        "\"KBEG\" is not in the last 320 bytes.");
    auto *table = window.findChild<QTableView *>();
    const QImage drawn = table->viewport()->grab().toImage();
    const QRect ghostName = table->visualRect(table->model()->index(1, LibraryModel::Name));
    EXPECT_EQ(
        drawn.pixelColor(ghostName.right() - 2, ghostName.center().y()), QColor(255, 192, 192));

    // Numbers sort as numbers, names in any letter case; the filter finds names and files.
    QHeaderView *header = table->horizontalHeader();
    auto *show = window.findChild<QComboBox *>();
    const auto sortBy = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 5, 5));
    };
    const std::tuple<std::function<void()>, int, const char *> steps[] = {
        {[&] { sortBy(LibraryModel::Main); }, LibraryModel::Main,
            "90 90 600 600 2,000 2,000 2,000 3,000 10,000"},
        {[&] { sortBy(LibraryModel::Supplementary); }, LibraryModel::Supplementary,
            "0 0 0 0 0 0 40 40 1,000"},
        {[&] { sortBy(LibraryModel::Name); }, LibraryModel::Name,
            "alpha Disco Disco Pop Ballad Pop Ballad Pop Ballad Slow Rock Twin Twin"},
        {[&] { typeFilter(window, QStringLiteral("BACKUP2")); }, LibraryModel::File,
            "backup2/USER01.STY backup2/USER01.STY"},
        {[&] { typeFilter(window, QStringLiteral("o")); }, LibraryModel::Name,
            "Disco Disco Pop Ballad Pop Ballad Pop Ballad Slow Rock Twin Twin"},
        {[&] { typeFilter(window, {}), show->setCurrentIndex(1); }, LibraryModel::Name,
            "Disco Disco"},
        {[&] { show->setCurrentIndex(2); }, LibraryModel::Name,
            "Disco Disco Pop Ballad Pop Ballad"},
    };
    for (const auto &[step, column, shown] : steps) {
        step();
        EXPECT_EQ(shownRows(window, column), QLatin1String(shown));
    }

    // Export List writes the rows as shown, with the columns of quarv-report --csv --details,
    // its chooser over this window.
    dialogs.choose(folder.path(QStringLiteral("list.csv")));
    clickButton(window, QStringLiteral("&Export List..."));
    EXPECT_EQ(dialogs.shown,
        QStringList {QStringLiteral("list chooser offering %1/STYLES.CSV").arg(lib)});
    EXPECT_EQ(dialogs.listChooserOver, &window);
    QString expected
        = QStringLiteral("path,file name,tag,family,number,slot,name,size,supplementary "
                         "size,ghost,meter,tempo,damaged\r\n");
    for (const char *row : {"1/USER01.STY,2,2,Disco,600,0,yes", "2/USER01.STY,2,2,Disco,600,0,yes",
             "1/USER01.STY,1,1,Pop Ballad,2000,0,no", "2/USER01.STY,1,1,Pop Ballad,2000,0,no"})
        expected += QStringLiteral("%1/backup%2,,,\r\n")
                        .arg(lib, QLatin1String(row))
                        .replace(QLatin1String("STY,"),
                            QLatin1String("STY,USER01.STY,KORG9,\"i3,i2,i1,i4s (KORG9)\","));
    EXPECT_EQ(QString::fromUtf8(readBytes(folder.path(QStringLiteral("list.csv")))), expected);
}

// Meter and Tempo come in after the rows; the meter sorts by its value, then its denominator,
// the tempo as a number; "3/4" in the filter keeps the waltzes; Damaged shows the damaged styles,
// which are listed with the files' problems; Export List writes the three details.
TEST(LibraryWindow, MeterTempoAndDamage)
{
    TestFolder folder;
    QByteArray broken = paStyleChunk(4, 4);
    broken[broken.size() - 1] = char(broken[broken.size() - 1] ^ 1);
    folder.write(QStringLiteral("lib/PA700.STY"),
        PaFileBuilder()
            .newerDirectory()
            .record("Waltz", 2, paStyleChunk(3, 4))
            .record("March", 2, paStyleChunk(2, 4))
            .record("Jig", 2, paStyleChunk(6, 8))
            .record("Ballad", 2, paStyleChunk(4, 4))
            .record("Broken", 2, broken)
            .record({}, 7, paPerformanceChunk(TempoLayout::Version21, 90))
            .record({}, 7, paPerformanceChunk(TempoLayout::Version10, 120))
            .record({}, 7, paPerformanceChunk(TempoLayout::Version20, 100))
            .record({}, 7, paPerformanceChunk(TempoLayout::Version21, 72))
            .build()
            .bytes);
    folder.write(
        QStringLiteral("lib/I3.STY"), ISeriesFileBuilder("KORG9").slot(2000, "Pop Ballad").build());
    ScriptedDialogs dialogs;
    const FileService files;
    LibraryWindow window(folder.path(QStringLiteral("lib")), files, dialogs);
    ASSERT_TRUE(waitUntilCatalogued(window));
    auto *table = window.findChild<QTableView *>();
    table->sortByColumn(LibraryModel::Meter, Qt::AscendingOrder);
    EXPECT_EQ(shownRows(window, LibraryModel::Name) + '|' + shownRows(window, LibraryModel::Meter),
        QStringLiteral("Pop Ballad Broken March Waltz Jig Ballad|  2/4 3/4 6/8 4/4"));
    table->sortByColumn(LibraryModel::Tempo, Qt::DescendingOrder);
    EXPECT_EQ(shownRows(window, LibraryModel::Name) + '|' + shownRows(window, LibraryModel::Tempo),
        QStringLiteral("March Jig Waltz Ballad Pop Ballad Broken|120 100 90 72  "))
        << "equal rows in the library's order, whichever way";
    typeFilter(window, QStringLiteral("3/4"));
    EXPECT_EQ(shownRows(window, LibraryModel::Name), QStringLiteral("Waltz"));
    typeFilter(window, {});
    window.findChild<QComboBox *>()->setCurrentIndex(3);
    EXPECT_EQ(shownRows(window, LibraryModel::Name), QStringLiteral("Broken"));
    EXPECT_EQ(window.findChild<QListWidget *>()->item(0)->text(),
        QStringLiteral("PA700.STY: style 5: its data fails its check"));
    dialogs.choose(folder.path(QStringLiteral("list.csv")));
    clickButton(window, QStringLiteral("&Export List..."));
    EXPECT_TRUE(readBytes(folder.path(QStringLiteral("list.csv")))
                    .endsWith(",5,5,Broken," + QByteArray::number(broken.size())
                        + ",0,no,,,style 5: its data fails its check\r\n"));
}

// Cancel stops the reading of the files, or the search for duplicates, where it is, and the
// status line says what was left undone.
TEST(LibraryWindow, CancelStopsMidway)
{
    TestFolder folder;
    for (int i = 0; i < 12; ++i)
        folder.write(
            QStringLiteral("lib/F%1.STY").arg(i, 2, 10, QLatin1Char('0')), korgmWithStyles(2));
    for (const int readFirst : {3, 12 + 3}) {  // a file is opened to load it, and again to hash it
        QSemaphore gate;  // files are opened one permit at a time, so that the test can stop midway
        std::atomic<int> opened {0};
        HookedFileService files;
        files.afterOpening = [&](const QString &) {
            gate.acquire();
            ++opened;
        };
        ScriptedDialogs dialogs;
        LibraryWindow window(folder.path(QStringLiteral("lib")), files, dialogs);
        gate.release(readFirst);
        QTRY_COMPARE(opened.load(), readFirst);
        clickButton(window, QStringLiteral("&Cancel"));
        gate.release(100);
        ASSERT_TRUE(waitUntilCatalogued(window));
        const int read = statusLine(window).section(' ', 0, 0).toInt();
        const QString left = statusLine(window).section('(', 1);
        const QRegularExpression stopped(readFirst < 12
                ? QStringLiteral("stopped: (\\d+) files not read\\)")
                : QStringLiteral("stopped: (\\d+) styles not checked for duplicates\\)"));
        const QRegularExpressionMatch match = stopped.match(left);
        EXPECT_TRUE(match.hasMatch() && match.captured(1).toInt() > 0)
            << statusLine(window).toStdString();
        EXPECT_TRUE(readFirst < 12 ? read + match.captured(1).toInt() == 12 : read == 12)
            << statusLine(window).toStdString();
    }
}

// Cancel and closing the window end the walk of the folders at once, however slow the folders
// are to list (a network share), and the readers with it.
TEST(LibraryWindow, CancelAndClosingEndTheWalk)
{
    TestFolder folder;
    for (int i = 0; i < 100; ++i)
        folder.write(QStringLiteral("lib/%1/F.STY").arg(i), korgmWithStyles(2));
    const QString lib = folder.path(QStringLiteral("lib"));
    QSemaphore gate;
    std::atomic<int> listed {0};
    HookedFileService files;
    files.beforeListing = [&](const QString &) {
        gate.acquire();
        ++listed;
    };
    ScriptedDialogs dialogs;
    {
        LibraryWindow window(lib, files, dialogs);
        gate.release(3);
        QTRY_COMPARE(listed.load(), 3);
        clickButton(window, QStringLiteral("&Cancel"));
        gate.release(1000);
        ASSERT_TRUE(waitUntilCatalogued(window));
        EXPECT_LE(listed.load(), 4) << "one listing under way when Cancel came, no more";
    }
    files.beforeListing = [](const QString &) { QThread::msleep(20); };
    for (int closing = 0; closing < 10; ++closing) {
        auto window = std::make_unique<LibraryWindow>(lib, files, dialogs);
        QTest::qWait(closing * 5);
        QElapsedTimer clock;
        clock.start();
        window.reset();
        EXPECT_LT(clock.elapsed(), 500) << "a walk of 2 s would hold the window";
    }
}

// File > Open Folder opens a library window over the main window, as wide as its columns, one per
// folder (also for folders whose names differ only in bytes that are not UTF-8) and where it
// was last; Return on a row shows its style in the main window, on the page that holds it;
// Export List writes into a folder whose name is not UTF-8. Tab leaves the table; F1 asks for
// the help; Esc and Ctrl+W close the window, Ctrl+Q all of them. A screen reader meets a window
// and a status line that says its counts.
TEST(LibraryWindow, AWindowOfTheDesktop)
{
    WindowHarness h;
    h.folder.write(QStringLiteral("lib/BIG.STY"), korgmWithStyles(40));
    const QString lib = h.folder.path(QStringLiteral("lib"));
    h.window.show();
    for (int twice = 0; twice < 2; ++twice) {
        h.dialogs.choose(lib);
        h.trigger("openFolderAction");
    }
    ASSERT_EQ(h.window.findChildren<LibraryWindow *>().size(), 1)
        << "the same folder again raises its window";
    LibraryWindow &library = *h.window.findChild<LibraryWindow *>();
    ASSERT_TRUE(waitUntilCatalogued(library));
    auto *table = library.findChild<QTableView *>();
    const QHeaderView *columns = table->horizontalHeader();
    const bool allInView = columns->sectionViewportPosition(LibraryModel::Duplicate)
            + columns->sectionSize(LibraryModel::Duplicate)
        <= table->viewport()->width();
    EXPECT_TRUE(library.geometry().contains(h.window.geometry().center())
        && (allInView || library.width() == library.screen()->availableGeometry().width() * 9 / 10))
        << "over the main window, every column in view or as wide as most of the screen";
    QAccessibleInterface *said = QAccessible::queryAccessibleInterface(&library);
    EXPECT_EQ(said->role(), QAccessible::Window);
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(library.findChild<QLabel *>(QStringLiteral("status")))
            ->text(QAccessible::Name),
        statusLine(library));
    typeFilter(library, QStringLiteral("Style 30"));
    table->setCurrentIndex(table->model()->index(0, 0));
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(
        h.label(QStringLiteral("fileName"))->text() + h.label(QStringLiteral("name5"))->text(),
        QStringLiteral(" BIG.STY Style 30   "))
        << "on the last page, 25 to 40";

    library.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&library));
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_FALSE(table->hasFocus());
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    QSignalSpy help(&library, &LibraryWindow::helpRequested);
    QTest::keyClick(&library, Qt::Key_F1);
    library.activateWindow();  // the help's window gave the keys back to its owner
    ASSERT_TRUE(QTest::qWaitForWindowActive(&library));
    library.resize(700, 500);
    QTest::keyClick(&library, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(h.window.findChildren<LibraryWindow *>().size(), 0);
    EXPECT_EQ(help.count(), 1);

    for (const char *name : {"Caf\xe9/A.STY", "Caf\xe8/B.STY"}) {
        h.dialogs.choose(
            h.folder.write(decodeFileName(name), korgmWithStyles(1)).section('/', 0, -2));
        h.trigger("openFolderAction");
    }
    const QList<QPointer<LibraryWindow>> all {h.window.findChildren<LibraryWindow *>().value(0),
        h.window.findChildren<LibraryWindow *>().value(1)};
    ASSERT_TRUE(all[0] && all[1]);
    EXPECT_EQ(all[0]->size(), QSize(700, 500)) << "where and as large as the last one closed";
    const QString list = h.folder.path(decodeFileName("Caf\xe9/STYLES.CSV"));
    h.dialogs.choose(displayFileName(list));  // as a chooser gives it back
    ASSERT_TRUE(waitUntilCatalogued(*all[0]));
    clickButton(*all[0], QStringLiteral("&Export List..."));
    EXPECT_TRUE(readBytes(list).endsWith(
        "Caf\\xe9/A.STY,A.STY,KORGM,\"iS40,iS50 (KORGM)\",1,1,Style 1    ,1201,0,no,,,\r\n"))
        << readBytes(list).toStdString();
    for (const auto &[window, key] : {std::pair(all[1], Qt::Key_W), std::pair(all[0], Qt::Key_Q)}) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, key, Qt::ControlModifier);
    }
    EXPECT_FALSE(h.window.isVisible() || (all[0] && all[0]->isVisible()))
        << "Ctrl+Q closes every window";
    EXPECT_EQ(h.dialogs.shown.mid(0, 2),
        (QStringList {
            QStringLiteral("folder chooser in "), QStringLiteral("folder chooser in ") + lib}));
}
