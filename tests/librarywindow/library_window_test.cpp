#include "librarywindow/library_window.h"
#include "window_harness.h"

#include <QScrollBar>
#include <atomic>

// Holds the library's model to Qt's rules, answers and signals, as long as the window lives.
static void checkModel(LibraryWindow &window)
{
    new QAbstractItemModelTester(
        static_cast<QSortFilterProxyModel *>(window.findChild<QTableView *>()->model())
            ->sourceModel(),
        QAbstractItemModelTester::FailureReportingMode::Fatal, &window);
}

static bool waitUntilCatalogued(LibraryWindow &window)
{
    QSignalSpy finished(&window, &LibraryWindow::catalogueFinished);
    return finished.count() > 0 || finished.wait(20000);
}

// The rows as shown, one a line, their cells joined with "|": all of them, or the one column named.
static QString shownRows(const LibraryWindow &window, int only = -1)
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

static QString statusLine(const LibraryWindow &w)
{
    return w.findChild<QLabel *>("status")->text();
}

// Types into the filter, as a user does, and waits for the pause after which it applies.
static void typeFilter(LibraryWindow &window, const QString &text)
{
    auto *filter = window.findChild<QLineEdit *>();
    filter->clear();
    QTest::keyClicks(filter, text);
    QTest::qWait(200);
}

// Every style of every file below the folder, sorted (numbers as numbers, a meter by its value,
// then its denominator), filtered once typing pauses, and chosen as the user asks; ghost rows in
// the main window's light red; duplicates found by their bytes, both parts; meter and tempo,
// which come in after the rows; the files with problems and the damaged styles below, the status
// line, and the shown rows exported.
TEST(LibraryWindow, ListsFiltersSortsAndExportsEveryStyle)
{
    // Two backups of one bank: the Pop Ballads are duplicates; the Discos look alike but differ in
    // the blanks after the name (tabs, not spaces), which the names shown leave out. Two styles of
    // the same name and size that differ only in their performance data, and a bank whose meters
    // and tempos are known.
    TestFolder folder;
    const QByteArray bank
        = ISeriesFileBuilder("KORG9").slot(2000, "Pop Ballad").slot(600, "Disco     ").build();
    folder.write("lib/backup1/USER01.STY", bank);
    folder.write("lib/backup2/USER01.STY",  // with a header of other bytes
        ISeriesFileBuilder("KORG9")
            .slot(2000, "Pop Ballad", "P")
            .slot(600, "Disco\t\t\t\t\t", "D")
            .build());
    const QByteArray samePart = fillerBytes(1, 90);
    PaFileBuilder two;
    two.record("Twin", 2, samePart).record("Twin", 2, samePart);
    folder.write("lib/pack/TWO.STY",
        two.record({}, 7, fillerBytes(2, 40)).record({}, 7, fillerBytes(3, 40)).bytes());
    folder.write("lib/pa700.STY", detailedBank());  // in byte order after the backups
    folder.write("lib/pa600.STY", pa600Bank());
    folder.write("lib/locked/HIDDEN.STY", bank);
    const QString lib = folder.path("lib");
    HookedFileService files;  // with a folder that cannot be read, as for anyone but root
    files.beforeListing = [&](const QString &path) {
        if (path.endsWith(QLatin1String("locked")))
            throw FileError(path, "Permission denied");
    };
    files.afterOpening = [](const QString &path) {  // the first backup is read last
        if (path.contains("backup1"))
            QThread::msleep(100);
    };
    ScriptedDialogs dialogs;
    LibraryWindow window(lib, files, dialogs);
    checkModel(window);
    auto *show = window.findChild<QComboBox *>();
    show->setCurrentIndex(2);  // the duplicates, before they are known
    window.show();
    ASSERT_TRUE(waitUntilCatalogued(window));
    EXPECT_EQ(shownRows(window, LibraryModel::Name), "Pop Ballad Pop Ballad");
    show->setCurrentIndex(0);
    EXPECT_EQ(shownRows(window).replace(QLatin1String("i3,i2,i1,i4s (KORG9)"), QLatin1String("K9")),
        QString(R"(backup1/USER01.STY|K9|01|Pop Ballad|||2,000|2,000|0||yes
backup1/USER01.STY|K9|02|Disco|||600|600|0|yes|
backup2/USER01.STY|K9|01|Pop Ballad|||2,000|2,000|0||yes
backup2/USER01.STY|K9|02|Disco|||600|600|0|yes|
pa600.STY|Pa-series (KORF)|01|Jig|3/8|30|346|213|133||
pa600.STY|Pa-series (KORF)|02|March|4/4|120|346|213|133||
pa700.STY|Pa-series (KORF)|01|Jig|6/8|100|342|213|129||
pa700.STY|Pa-series (KORF)|02|March|4/4|120|346|213|133||
pa700.STY|Pa-series (KORF)|03|Waltz|3/4|90|385|213|172||
pa700.STY|Pa-series (KORF)|04|broken|||213|213|0||
pack/TWO.STY|Pa50/60/80 (KORF)|01|Twin|||130|90|40||
pack/TWO.STY|Pa50/60/80 (KORF)|02|Twin|||130|90|40||)"));
    const QListWidget *problems = window.findChild<QListWidget *>();
    EXPECT_EQ(
        statusLine(window) + '|' + problems->item(0)->text() + '|' + problems->item(1)->text(),
        "5 files, 12 styles, 2 ghost styles, 1 damaged styles, 2 duplicates, 0 files with problems|"
        "locked: Permission denied|pa700.STY: style 4: its data fails its check");
    auto *table = window.findChild<QTableView *>();
    const QImage drawn = table->viewport()->grab().toImage();
    const QRect ghostName = table->visualRect(table->model()->index(1, LibraryModel::Name));
    EXPECT_EQ(
        drawn.pixelColor(ghostName.right() - 2, ghostName.center().y()), QColor(255, 192, 192));

    // Numbers sort as numbers, names in any letter case, equal rows (here those without a tempo)
    // in the library's order whichever way; the filter finds files, names and meters; then the
    // ghosts, the duplicates and the damaged styles are chosen.
    QStringList seen;
    for (const int column : {LibraryModel::Total, LibraryModel::Supplementary, LibraryModel::Meter,
             LibraryModel::Name}) {
        QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
            QPoint(table->horizontalHeader()->sectionViewportPosition(column) + 5, 5));
        seen << shownRows(window, column);
    }
    table->sortByColumn(LibraryModel::Tempo, Qt::DescendingOrder);
    seen << shownRows(window, LibraryModel::Name) << shownRows(window, LibraryModel::Tempo);
    for (const char *text : {"BACKUP2", "o", "3/4", ""}) {
        typeFilter(window, text);
        seen << shownRows(window, LibraryModel::Name);
    }
    for (int choice = 1; choice <= 3; ++choice) {
        show->setCurrentIndex(choice);
        seen << shownRows(window, LibraryModel::Name);
    }
    EXPECT_EQ(seen.join("|\n") + '|', R"(130 130 213 342 346 346 346 385 600 600 2,000 2,000|
0 0 0 0 0 40 40 129 133 133 133 172|
       3/8 3/4 6/8 4/4 4/4|
broken Disco Disco Jig Jig March March Pop Ballad Pop Ballad Twin Twin Waltz|
March March Jig Waltz Jig Pop Ballad Disco Pop Ballad Disco broken Twin Twin|
120 120 100 90 30       |
Pop Ballad Disco|
Pop Ballad Disco Pop Ballad Disco broken Twin Twin|
Waltz|
March March Jig Waltz Jig Pop Ballad Disco Pop Ballad Disco broken Twin Twin|
Disco Disco|
Pop Ballad Pop Ballad|
broken|)");

    // Export List writes the rows as shown, with the columns of quarv-report --csv --details,
    // its chooser over this window.
    dialogs.choose(folder.path("list.csv"));
    window.findChild<QPushButton *>("exportButton")->click();
    EXPECT_EQ(dialogs.shown, QStringList {QString("list chooser offering %1/STYLES.CSV").arg(lib)});
    EXPECT_EQ(dialogs.listChooserOver, &window);
    EXPECT_EQ(QString::fromUtf8(readBytes(folder.path("list.csv"))),
        QString(
            R"csv(path,file name,tag,family,number,slot,name,size,supplementary size,ghost,meter,tempo,damaged
%1/pa700.STY,pa700.STY,KORF,Pa-series (KORF),4,4,broken,213,0,no,,,style 4: its data fails its check
)csv")
            .arg(lib)
            .replace('\n', QLatin1String("\r\n")));
}

// Cancel stops the walk of the folders, the reading of the files, or the search for duplicates,
// where it is, and the status line says what was left undone; closing the window ends the walk
// at once, however slow the folders are to list (a network share), and the readers with it.
TEST(LibraryWindow, CancelAndClosingStopMidway)
{
    TestFolder folder;
    for (int i = 0; i < 12; ++i)
        folder.write(QString("lib/F%1.STY").arg(i), korgmWithStyles(2));
    for (int i = 0; i < 100; ++i)
        folder.write(QString("deep/%1/F.STY").arg(i), korgmWithStyles(2));
    ScriptedDialogs dialogs;
    // Folders are listed, or files opened, one permit at a time, so that the test can stop midway;
    // a file is opened to load it, and again to hash it.
    for (const auto &[name, listing, first] : {std::tuple("deep", true, 3),
             std::tuple("lib", false, 3), std::tuple("lib", false, 12 + 3)}) {
        QSemaphore gate;
        std::atomic<int> passed {0};
        HookedFileService files;
        (listing ? files.beforeListing : files.afterOpening) = [&](const QString &) {
            gate.acquire();
            ++passed;
        };
        LibraryWindow window(folder.path(QLatin1String(name)), files, dialogs);
        checkModel(window);
        gate.release(first);
        // The bar follows the reading, then the search for duplicates.
        const auto *bar = window.findChild<QProgressBar *>();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return passed == first && (listing || bar->value() > 0); }));
        window.findChild<QPushButton *>("cancelButton")->click();
        gate.release(1000);
        ASSERT_TRUE(waitUntilCatalogued(window));
        const QRegularExpressionMatch stopped = QRegularExpression(
            QString(R"(^(\d+) files,.*\(stopped: (\d+) )"
                    R"((files not read|styles not checked for duplicates)\)$)"))
                                                    .match(statusLine(window));
        const int read = stopped.captured(1).toInt(), left = stopped.captured(2).toInt();
        EXPECT_TRUE(listing ? passed <= first + 1  // the listing under way when Cancel came
                            : left > 0
                    && (first < 12
                            ? read + left == 12
                            : read == 12 && left == 24 && stopped.captured(3).startsWith('s')))
            << statusLine(window).toStdString();
    }
    HookedFileService slow;
    slow.beforeListing = [](const QString &) { QThread::msleep(20); };
    for (int closing = 0; closing < 10; ++closing) {
        auto window = std::make_unique<LibraryWindow>(folder.path("deep"), slow, dialogs);
        QTest::qWait(closing * 5);
        const QDeadlineTimer halfASecond(500);
        window.reset();
        EXPECT_FALSE(halfASecond.hasExpired()) << "a walk of 2 s would hold the window";
    }
}

// File > Open Folder opens a library window over the main window, as wide as the columns its rows
// widen, one per folder (also for folders whose names differ only in bytes that are not UTF-8)
// and where it was last; Return on a row shows its style in the main window, on the page that
// holds it; Export List writes into a folder whose name is not UTF-8. Tab leaves the table; F1
// asks for the help; Esc and Ctrl+W close the window, Ctrl+Q all of them. A screen reader meets a
// window and a status line that says its counts.
TEST(LibraryWindow, AWindowOfTheDesktop)
{
    WindowHarness h;
    h.folder.write("lib/BIG.STY", korgmWithStyles(40));
    for (int i = 0; i < 1000; ++i)  // more than the window takes at once and can keep waiting
        h.folder.write(QString("lib/A BANK WITH A LONGER NAME %1.STY").arg(i), korgmWithStyles(1));
    const QString lib = h.folder.path("lib");
    h.window.show();
    for (int twice = 0; twice < 2; ++twice) {
        h.dialogs.choose(twice ? lib + "/." : lib);
        h.trigger("openFolderAction");
    }
    // The same folder again, by another path, raises its window.
    ASSERT_EQ(h.window.findChildren<LibraryWindow *>().size(), 1);
    LibraryWindow &library = *h.window.findChild<LibraryWindow *>();
    // The window busy, once the files are being read, while the readers fill their queue.
    ASSERT_TRUE(QTest::qWaitFor([&] { return library.findChild<QProgressBar *>()->value() > 0; }));
    QThread::msleep(300);
    ASSERT_TRUE(waitUntilCatalogued(library));
    auto *table = library.findChild<QTableView *>();
    // Measured once the rows have brought the scroll bar, which narrows the table.
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->verticalScrollBar()->isVisible(); }));
    const bool allInView = table->horizontalHeader()->length() <= table->viewport()->width();
    // Over the main window, every column in view or as wide as most of the screen.
    EXPECT_TRUE(library.geometry().contains(h.window.geometry().center())
        && (allInView
            || library.width() == library.screen()->availableGeometry().width() * 9 / 10));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&library)->role(), QAccessible::Window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(library.findChild<QLabel *>("status"))
                  ->text(QAccessible::Name),
        statusLine(library));
    typeFilter(library, "Style 30");
    table->setCurrentIndex(table->model()->index(0, 0));
    QTest::keyClick(table, Qt::Key_Return);
    // On the last page, 25 to 40.
    EXPECT_EQ(h.label("fileName")->text() + h.label("name5")->text(), " BIG.STY Style 30   ");

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
            h.folder.write(decodeFileName(name), korgmWithStyles(1, {1})).section('/', 0, -2));
        h.trigger("openFolderAction");
    }
    const QList<QPointer<LibraryWindow>> all {h.window.findChildren<LibraryWindow *>().value(0),
        h.window.findChildren<LibraryWindow *>().value(1)};
    ASSERT_TRUE(all[0] && all[1]);
    EXPECT_EQ(all[0]->size(), QSize(700, 500)) << "where and as large as the last one closed";
    const QString list = h.folder.path(decodeFileName("Caf\xe9/STYLES.CSV"));
    h.dialogs.choose(displayFileName(list));  // as a chooser gives it back
    ASSERT_TRUE(waitUntilCatalogued(*all[0]));
    const qsizetype openFiles = QDir("/proc/self/fd").count();
    all[0]->findChild<QPushButton *>("exportButton")->click();
    EXPECT_EQ(QDir("/proc/self/fd").count(), openFiles) << "the folder is closed after the export";
    EXPECT_TRUE(readBytes(list).endsWith(
        "Caf\\xe9/A.STY,A.STY,KORGM,\"iS40,iS50 (KORGM)\",1,1,Style 1,500,0,yes,,,\r\n"))
        << readBytes(list).toStdString();
    for (const auto &[window, key] : {std::pair(all[1], Qt::Key_W), std::pair(all[0], Qt::Key_Q)}) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, key, Qt::ControlModifier);
    }
    // Ctrl+Q closes every window.
    EXPECT_FALSE(h.window.isVisible() || (all[0] && all[0]->isVisible()));
    EXPECT_EQ(h.dialogs.shown.mid(0, 2),
        (QStringList {"folder chooser in ", "folder chooser in " + lib}));
}
