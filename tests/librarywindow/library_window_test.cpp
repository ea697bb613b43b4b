#include "librarywindow/library_window.h"
#include "librarywindow/pattern_view.h"
#include "mainwindow/style_list.h"
#include "pa_style_music.h"
#include "window_harness.h"

#include <QScrollBar>

static bool waitUntilCatalogued(LibraryWindow &window)
{
    QSignalSpy finished(&window, &LibraryWindow::catalogueFinished);
    return window.scan().isFinished() || finished.wait(20000);
}

// The names in the table, in its order.
static QString shownNames(const LibraryWindow &window)
{
    const QAbstractItemModel *model = window.findChild<QTableView *>()->model();
    QStringList names;
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, LibraryModel::Name).data().toString();
    return names.join(' ');
}

// The table shows the scan's rows sorted by file, ghost rows in the main window's light red; the
// status line its counts, the list below the files and styles with problems; the filter follows
// what is typed once typing pauses; the progress and Cancel go once all is done.
TEST(LibraryWindow, ShowsTheLibraryAsItIsRead)
{
    TestFolder folder;
    folder.write("lib/B.STY",
        ISeriesFileBuilder("KORG9").slot(2000, "Pop Ballad").slot(600, "Disco     ").build());
    folder.write("lib/A.STY", detailedBank());
    folder.write("lib/C.STY", "NOT A STYLE FILE");
    const FileService files;
    ScriptedDialogs dialogs;
    LibraryWindow window(folder.path("lib"), files, dialogs);
    // Holds the library's model to Qt's rules, answers and signals, as long as the window lives.
    new QAbstractItemModelTester(
        static_cast<QSortFilterProxyModel *>(window.findChild<QTableView *>()->model())
            ->sourceModel(),
        QAbstractItemModelTester::FailureReportingMode::Fatal, &window);
    window.show();
    ASSERT_TRUE(waitUntilCatalogued(window));
    EXPECT_EQ(shownNames(window), "Jig March Waltz broken Pop Ballad Disco");
    EXPECT_EQ(window.findChild<QLabel *>("status")->text(),
        "3 files, 6 styles, 1 ghost style, 1 damaged style, 0 duplicates, "
        "1 file with problems");
    QStringList problems;
    for (const QListWidgetItem *item :
        window.findChild<QListWidget *>()->findItems("*", Qt::MatchWildcard))
        problems << item->text();
    EXPECT_EQ(problems,
        QStringList({"C.STY: Unknown file format!", "A.STY: style 4: its data fails its check"}));
    EXPECT_FALSE(window.findChild<QProgressBar *>()->isVisible()
        || window.findChild<QPushButton *>("cancelButton")->isVisible());

    auto *table = window.findChild<QTableView *>();
    const QImage drawn = table->viewport()->grab().toImage();
    const QRect ghostName = table->visualRect(table->model()->index(5, LibraryModel::Name));
    EXPECT_EQ(
        drawn.pixelColor(ghostName.right() - 2, ghostName.center().y()), QColor(255, 192, 192));

    QTest::keyClicks(window.findChild<QLineEdit *>(), "ALTZ");
    EXPECT_EQ(shownNames(window), "Jig March Waltz broken Pop Ballad Disco") << "not at each key";
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownNames(window) == "Waltz"; }));
}

// Export MIDI writes the music of the chosen rows, or of every row shown, below a chosen folder
// as quarv-midi does, and says in the end what it wrote and what it could not. The pattern pane
// follows the current row: what its style plays, with a summary for screen readers, one element
// and chord variation at a time, or why nothing can be shown; its picture saves as SVG.
TEST(LibraryWindow, TheMusicOfTheRows)
{
    TestFolder folder;
    folder.write("lib/GROOVE.STY",
        PaFileBuilder()
            .newerDirectory()
            .record("Jig", 2, grooveStyleChunk(6, 8))
            .record("Rock", 2, grooveStyleChunk(4, 4, 1))
            .bytes());
    folder.write("lib/I3.STY", ISeriesFileBuilder("KORG9").slot(2000, "Pop Ballad").build());
    const FileService files;
    ScriptedDialogs dialogs;
    LibraryWindow window(folder.path("lib"), files, dialogs);
    window.show();
    ASSERT_TRUE(waitUntilCatalogued(window));
    auto *table = window.findChild<QTableView *>();
    table->selectRow(1);  // GROOVE.STY's Rock
    EXPECT_EQ(table->model()->index(1, LibraryModel::Elements).data(), "V1 V2 IN1 FI1 EN1");
    dialogs.choose(folder.path("out"));
    window.findChild<QPushButton *>("exportMusicButton")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.shown.size() == 2; }));
    table->clearSelection();
    dialogs.choose(folder.path("all"));
    window.findChild<QPushButton *>("exportMusicButton")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.shown.size() == 4; }));
    EXPECT_EQ(dialogs.shown,
        QStringList({"folder chooser in " + folder.path("lib"),
            "none Quarv: 7 MIDI files written, 0 styles without known music, 0 problems.",
            "folder chooser in " + folder.path("lib"),
            "none Quarv: 14 MIDI files written, 1 style without known music, 0 problems."}));
    EXPECT_EQ(QDir(folder.path("out/GROOVE.STY/02 Rock")).entryList(QDir::Files),
        QStringList({"EN1-CV1.MID", "FI1-CV1.MID", "IN1-CV1.MID", "V1-CV1.MID", "V1-CV2.MID",
            "V2-CV1.MID", "V2-CV2.MID"}));

    const auto *pattern = window.findChild<PatternView *>();
    QStringList seen;
    for (const int row : {0, 2}) {
        table->setCurrentIndex(table->model()->index(row, 0));
        seen << (pattern->isVisible() ? pattern->accessibleDescription()
                                      : window.findChild<QLabel *>("patternWhy")->text());
    }
    table->setCurrentIndex(table->model()->index(1, 0));
    window.findChildren<QComboBox *>().at(1)->setCurrentIndex(3);  // the element chooser
    seen << pattern->accessibleDescription();
    EXPECT_EQ(seen,
        QStringList({"Variation 1, chord variation 1: 2 bars of 6/8; Drum 28 notes, "
                     "Bass 12 notes, Acc1 6 notes",
            "The music of i-series styles is not known.",
            "Fill 1, chord variation 1: 2 bars of 4/4; Drum 20 notes, Acc1 6 notes"}));
    dialogs.choose(folder.path("groove.svg"));
    window.findChild<QPushButton *>("savePictureButton")->click();
    EXPECT_TRUE(readBytes(folder.path("groove.svg")).contains("<svg"));
}

// File > Open Folder opens a library window over the main window, as wide as the columns its rows
// widen, one per folder (also for folders whose names differ only in bytes that are not UTF-8)
// and where it was last; Return on a row shows its style in the main window, on the page that
// holds it; Export List writes the rows shown, with the columns of quarv-report --csv --details,
// into a folder whose name is not UTF-8, its chooser over its window. Tab leaves the table; F1
// asks for the help; Esc and Ctrl+W close the window, Ctrl+Q all of them. A screen reader meets a
// window and a status line that says its counts.
TEST(LibraryWindow, AWindowOfTheDesktop)
{
    WindowHarness h;
    h.folder.write("lib/BIG.STY", korgmWithStyles(40));
    for (int i = 0; i < 30; ++i)  // enough rows for a scroll bar
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
    // Every button, the filter's clear button and the size grip included, has a name (the
    // table's corner button is not shown); each Alt+letter reaches one control.
    QStringList mnemonics;
    for (QWidget *control : library.findChildren<QWidget *>()) {
        const bool named
            = !QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty();
        const auto *button = qobject_cast<QAbstractButton *>(control);
        EXPECT_TRUE(
            named || !(button || qobject_cast<QSizeGrip *>(control)) || control->parent() == table)
            << control->metaObject()->className();
        const auto *label = qobject_cast<QLabel *>(control);
        mnemonics << QKeySequence::mnemonic(label ? label->text()
                : button                          ? button->text()
                                                  : "")
                         .toString();
    }
    mnemonics.removeAll(QString());
    EXPECT_EQ(QSet<QString>(mnemonics.begin(), mnemonics.end()).size(), mnemonics.size())
        << mnemonics.join(' ').toStdString();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(library.findChild<QLabel *>("status"))
                  ->text(QAccessible::Name),
        library.findChild<QLabel *>("status")->text());
    QTest::keyClicks(library.findChild<QLineEdit *>(), "Style 30");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownNames(library).trimmed() == "Style 30"; }));
    table->setCurrentIndex(table->model()->index(0, 0));
    QTest::keyClick(table, Qt::Key_Return);
    // On the last page, 25 to 40, and the current style.
    EXPECT_EQ(h.label("fileName")->text() + h.label("name5")->text(), " BIG.STY Style 30   ");
    EXPECT_EQ(h.window.findChild<StyleList *>()->currentStyle(), 29);

    library.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&library));
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_FALSE(table->hasFocus());
    QString help;  // the page shown, over this window
    QTimer::singleShot(0, [&] {
        QWidget *page = QApplication::activeModalWidget();
        help
            = page->parentWidget() == &library ? page->findChild<QLabel *>("helpText")->text() : "";
        page->close();
    });
    QTest::keyClick(&library, Qt::Key_F1);
    EXPECT_TRUE(help.startsWith("\r\nHow to use the library window\r\n")) << help.toStdString();
    library.activateWindow();  // the help's window gave the keys back to its owner
    ASSERT_TRUE(QTest::qWaitForWindowActive(&library));
    library.resize(700, 500);
    // Esc clears the filter first.
    QTest::keyClick(&library, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(&library, Qt::Key_Escape);
    EXPECT_TRUE(library.isVisible() && library.findChild<QLineEdit *>()->text().isEmpty());
    QTest::keyClick(&library, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(h.window.findChildren<LibraryWindow *>().size(), 0);

    for (const char *name : {"Caf\xe9/A.STY", "Caf\xe8/B.STY"}) {
        h.dialogs.choose(
            h.folder.write(decodeFileName(name), korgmWithStyles(2, {1})).section('/', 0, -2));
        h.trigger("openFolderAction");
    }
    const QList<QPointer<LibraryWindow>> all {h.window.findChildren<LibraryWindow *>().value(0),
        h.window.findChildren<LibraryWindow *>().value(1)};
    ASSERT_TRUE(all[0] && all[1]);
    EXPECT_EQ(all[0]->size(), QSize(700, 500)) << "as large as the last one closed";
    EXPECT_NE(all[0]->pos(), all[1]->pos()) << "one does not hide the other";
    const QString list = h.folder.path(decodeFileName("Caf\xe9/STYLES.CSV"));
    h.dialogs.choose(displayFileName(list));  // as a chooser gives it back
    ASSERT_TRUE(waitUntilCatalogued(*all[0]));
    all[0]->findChild<QComboBox *>()->setCurrentIndex(1);  // the ghosts
    const qsizetype openFiles = QDir("/proc/self/fd").count();
    all[0]->findChild<QPushButton *>("exportButton")->click();
    EXPECT_EQ(QDir("/proc/self/fd").count(), openFiles) << "the folder is closed after the export";
    EXPECT_EQ(readBytes(list),
        "path,file name,tag,family,number,slot,name,size,supplementary size,ghost,meter,tempo,"
        "damaged,elements\r\n"
            + encodeFileName(h.folder.path({}))
            + "/Caf\\xe9/A.STY,A.STY,KORGM,\"iS40,iS50 (KORGM)\",1,1,Style 1,500,0,yes,,,,\r\n");
    EXPECT_EQ(h.dialogs.listChooserOver, all[0]);
    for (const auto &[window, key] : {std::pair(all[1], Qt::Key_W), std::pair(all[0], Qt::Key_Q)}) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, key, Qt::ControlModifier);
    }
    // Ctrl+Q closes every window.
    EXPECT_FALSE(h.window.isVisible() || (all[0] && all[0]->isVisible()));
    const QString cafe = h.folder.path(decodeFileName("Caf\xe9"));
    EXPECT_EQ(h.dialogs.shown,
        QStringList(
            {"folder chooser in ", "folder chooser in " + lib, "folder chooser in " + lib + "/.",
                "folder chooser in " + cafe, "list chooser offering " + list}));
    EXPECT_EQ(h.dialogs.filters,
        QStringList {"Style lists (*.csv *.csV *.cSv *.cSV *.Csv *.CsV *.CSv *.CSV)"});
}

// Over an owner at the screen's edge, with a long style name, the window stays on the screen; a
// name cut by its column can be read whole in its tooltip. Reopened at its remembered size, the
// progress text has its room, and the counts theirs beside it; Cancel stops the scan, and the
// status line says its counts and, below them, what was left, nothing cut.
TEST(LibraryWindow, NothingCutAndNothingOffTheScreen)
{
    TestFolder folder;
    const QByteArray longName = "A style name of forty-nine characters, too long!!";
    folder.write("lib/LONG.STY", PaFileBuilder().newerDirectory().style(longName, 300).bytes());
    for (int i = 0; i < 6; ++i)
        folder.write(QString("lib/F%1.STY").arg(i), korgmWithStyles(2));
    QSettings settings(folder.path("quarv.conf"), QSettings::IniFormat);
    const FileService files;
    ScriptedDialogs dialogs;
    QWidget owner;
    const QRect screen = owner.screen()->availableGeometry();
    owner.setGeometry(screen.right() - 200, screen.top() + 50, 200, 200);
    {
        LibraryWindow first(folder.path("lib"), files, dialogs, &owner, &settings);
        first.show();
        ASSERT_TRUE(waitUntilCatalogued(first));
        EXPECT_TRUE(screen.contains(first.frameGeometry()));
        auto *table = first.findChild<QTableView *>();
        table->setColumnWidth(LibraryModel::Name, 60);
        const QModelIndex cell = table->model()->index(12, LibraryModel::Name);  // LONG.STY's
        const QPoint at = table->visualRect(cell).center();
        QHelpEvent hover(QEvent::ToolTip, at, table->viewport()->mapToGlobal(at));
        QApplication::sendEvent(table->viewport(), &hover);
        EXPECT_EQ(QToolTip::text(), QString(longName));
        first.resize(640, 400);
        first.close();
    }
    HookedFileService held;
    QSemaphore gate;
    held.afterOpening = [&](const QString &) { gate.acquire(); };
    LibraryWindow window(folder.path("lib"), held, dialogs, nullptr, &settings);
    window.show();
    auto *bar = window.findChild<QProgressBar *>();
    const QLabel *status = window.findChild<QLabel *>("status");
    const auto whole = [&] {  // as the label lays its text out
        const int flags = int(status->alignment()) | (status->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect room = status->contentsRect();
        return room.contains(status->fontMetrics().boundingRect(room, flags, status->text()));
    };
    gate.release(3);  // counts of three files beside the bar and Cancel
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.scan().filesRead() == 3; }));
    EXPECT_GE(bar->width(), bar->fontMetrics().horizontalAdvance(bar->text()));
    EXPECT_TRUE(QTest::qWaitFor(whole)) << status->text().toStdString();
    window.findChild<QPushButton *>("cancelButton")->click();
    gate.release(1000);
    ASSERT_TRUE(waitUntilCatalogued(window));
    EXPECT_TRUE(QTest::qWaitFor([&] { return status->text().count('\n') == 1 && whole(); }))
        << status->text().toStdString();
    EXPECT_EQ(status->text().section('\n', 1), window.scan().phaseText());
    EXPECT_TRUE(window.scan().phaseText().startsWith("stopped: "));
}
