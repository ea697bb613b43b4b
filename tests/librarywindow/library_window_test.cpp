#include "csv_reader.h"
#include "librarywindow/library_window.h"
#include "window_harness.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A library: two backups of one bank (their styles are duplicates), a pack with a Pa-series bank
// and a look-alike of the bank (same name and size, other bytes), a damaged file and other files.
void writeLibrary(TestFolder &folder)
{
    const QByteArray bank = ISeriesFileBuilder("KORG9").slot(2000, "Pop Ballad").slot(600, "Disco     ").build();
    folder.write(QStringLiteral("lib/backup1/USER01.STY"), bank);
    folder.write(QStringLiteral("lib/backup2/USER01.STY"), bank);
    folder.write(QStringLiteral("lib/pack/deep/PA.STY"),
                 PaFileBuilder().style("Slow Rock", 3000).performance(500).style("alpha", 10000).build().bytes);
    folder.write(QStringLiteral("lib/pack/LOOKALIKE.sty"), ISeriesFileBuilder("KORG9").slot(0).slot(2000, "Pop Ballad").build());
    folder.write(QStringLiteral("lib/DAMAGED.STY"), PaFileBuilder().style("A", 500).build().bytes.left(400));
    folder.write(QStringLiteral("lib/notes.txt"), "x");
}

bool waitUntilCatalogued(LibraryWindow &window)
{
    QSignalSpy finished(&window, &LibraryWindow::catalogueFinished);
    return finished.count() > 0 || finished.wait(20000);
}

// What the table shows, row by row, its cells joined with "|".
QStringList shownRows(const LibraryWindow &window)
{
    const QAbstractItemModel *shown = window.findChild<QTableView *>()->model();
    QStringList rows;
    for (int row = 0; row < shown->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < shown->columnCount(); ++column)
            cells << shown->index(row, column).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QString statusLine(const LibraryWindow &window)
{
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        if (label->accessibleName() == QLatin1String("Status"))
            return label->text();
    }
    return {};
}

} // namespace

// Every style of every file below the folder, sorted, filtered and chosen as the user asks; the
// files with problems below, and the status line.
TEST(LibraryWindow, ListsFiltersAndSortsEveryStyle)
{
    TestFolder folder;
    writeLibrary(folder);
    FileService files;
    ScriptedDialogs dialogs;
    LibraryWindow window(folder.path(QStringLiteral("lib")), files, dialogs);
    window.show();
    ASSERT_TRUE(waitUntilCatalogued(window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quarv library - ") + folder.path(QStringLiteral("lib")));
    const QString korg9 = QStringLiteral("i3,i2,i1,i4s (KORG9)");
    EXPECT_EQ(shownRows(window), (QStringList{
                                     "backup1/USER01.STY|" + korg9 + "|01|Pop Ballad|2,000|0||yes",
                                     "backup1/USER01.STY|" + korg9 + "|02|Disco|600|0|yes|yes",
                                     "backup2/USER01.STY|" + korg9 + "|01|Pop Ballad|2,000|0||yes",
                                     "backup2/USER01.STY|" + korg9 + "|02|Disco|600|0|yes|yes",
                                     "pack/deep/PA.STY|Pa50/60/80 (KORF)|01|Slow Rock|3,000|500||",
                                     "pack/deep/PA.STY|Pa50/60/80 (KORF)|02|alpha|10,000|0||",
                                     "pack/LOOKALIKE.sty|" + korg9 + "|02|Pop Ballad|2,000|0||",
                                 }));
    EXPECT_EQ(statusLine(window), QStringLiteral("5 files, 7 styles, 2 ghost styles, 4 duplicates, 1 files with problems"));
    auto *problems = window.findChild<QListWidget *>();
    ASSERT_EQ(problems->count(), 1);
    EXPECT_EQ(problems->item(0)->text(),
              QStringLiteral("DAMAGED.STY: Damaged style file: DAMAGED.STY: the marker \"KBEG\" is not in the last 320 bytes."));

    const auto column = [&](int c) {
        QStringList values;
        for (const QString &row : shownRows(window))
            values << row.section(QLatin1Char('|'), c, c);
        return values.join(QLatin1Char(' '));
    };
    QHeaderView *header = window.findChild<QTableView *>()->horizontalHeader();
    const auto clickHeading = [&](int c) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(c) + 5, 5));
    };
    clickHeading(LibraryModel::Size);
    EXPECT_EQ(column(LibraryModel::Size), QStringLiteral("600 600 2,000 2,000 2,000 3,000 10,000")) << "numbers as numbers";
    clickHeading(LibraryModel::Name);
    EXPECT_EQ(column(LibraryModel::Name), QStringLiteral("alpha Disco Disco Pop Ballad Pop Ballad Pop Ballad Slow Rock"))
        << "names in any letter case";
    QTest::keyClicks(window.findChild<QLineEdit *>(), QStringLiteral("BACKUP2"));
    EXPECT_EQ(column(LibraryModel::File), QStringLiteral("backup2/USER01.STY backup2/USER01.STY"));
    window.findChild<QLineEdit *>()->setText(QStringLiteral("o"));  // in names and in files
    EXPECT_EQ(column(LibraryModel::Name), QStringLiteral("Disco Disco Pop Ballad Pop Ballad Pop Ballad Slow Rock"));
    window.findChild<QLineEdit *>()->clear();
    auto *show = window.findChild<QComboBox *>();
    EXPECT_EQ(show->count(), 3);
    show->setCurrentIndex(1);
    EXPECT_EQ(column(LibraryModel::Name), QStringLiteral("Disco Disco")) << "ghosts";
    show->setCurrentIndex(2);
    EXPECT_EQ(column(LibraryModel::Name), QStringLiteral("Disco Disco Pop Ballad Pop Ballad")) << "duplicates";

    // Export List writes the rows as shown, with the columns of quarv-report --csv.
    const QString csv = folder.path(QStringLiteral("list.csv"));
    dialogs.choose(csv);
    for (QPushButton *button : window.findChildren<QPushButton *>()) {
        if (button->text() == QLatin1String("&Export List..."))
            button->click();
    }
    EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("list chooser offering %1/STYLES.CSV").arg(folder.path(QStringLiteral("lib")))});
    const QList<QStringList> records = readCsv(readBytes(csv));
    QStringList exported;
    for (const QStringList &record : records)
        exported << QFileInfo(record.value(0)).fileName() + QLatin1Char('|') + record.value(6) + QLatin1Char('|') + record.value(9);
    EXPECT_EQ(exported, (QStringList{"path|name|ghost", "USER01.STY|Disco|yes", "USER01.STY|Disco|yes", "USER01.STY|Pop Ballad|no",
                                     "USER01.STY|Pop Ballad|no"}));
}

// A file service whose files open one permit at a time, so that a test can stop a catalogue midway.
class GatedFileService : public FileService {
public:
    std::unique_ptr<ReadOnlyFile> openForReading(const QString &path) const override
    {
        gate.acquire();
        return FileService::openForReading(path);
    }
    mutable QSemaphore gate;
};

TEST(LibraryWindow, CancelStopsMidway)
{
    TestFolder folder;
    for (int i = 0; i < 12; ++i)
        folder.write(QStringLiteral("lib/F%1.STY").arg(i, 2, 10, QLatin1Char('0')), korgmWithStyles(2));
    GatedFileService files;
    ScriptedDialogs dialogs;
    LibraryWindow window(folder.path(QStringLiteral("lib")), files, dialogs);
    files.gate.release(3);
    QTRY_VERIFY(statusLine(window).startsWith(QLatin1String("3 files")));
    for (QPushButton *button : window.findChildren<QPushButton *>()) {
        if (button->text() == QLatin1String("&Cancel"))
            button->click();
    }
    files.gate.release(100);
    ASSERT_TRUE(waitUntilCatalogued(window));
    const int read = statusLine(window).section(QLatin1Char(' '), 0, 0).toInt();
    EXPECT_LT(read, 12);
    EXPECT_EQ(statusLine(window), QStringLiteral("%1 files, %2 styles, 0 ghost styles, 0 duplicates, 0 files with problems (stopped: %3 "
                                                 "files not read)").arg(read).arg(2 * read).arg(12 - read));
}

// File > Open Folder opens a library window, one per folder; Return on a row shows its style in
// the main window, on the page that holds it.
TEST(LibraryWindow, OpensFromTheMainWindowAndShowsAStyleThere)
{
    WindowHarness h;
    h.folder.write(QStringLiteral("lib/BIG.STY"), korgmWithStyles(40));
    const QString lib = h.folder.path(QStringLiteral("lib"));
    h.dialogs.choose(lib);
    h.trigger("openFolderAction");
    h.dialogs.choose(lib);
    h.trigger("openFolderAction");
    const QList<LibraryWindow *> libraries = h.window.findChildren<LibraryWindow *>();
    ASSERT_EQ(libraries.size(), 1) << "the same folder again raises its window";
    LibraryWindow &library = *libraries.constFirst();
    ASSERT_TRUE(waitUntilCatalogued(library));
    auto *table = library.findChild<QTableView *>();
    library.findChild<QLineEdit *>()->setText(QStringLiteral("Style 30"));
    ASSERT_EQ(table->model()->rowCount(), 1);
    table->setCurrentIndex(table->model()->index(0, 0));
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(h.label(QStringLiteral("fileName"))->text(), QStringLiteral(" BIG.STY"));
    EXPECT_EQ(h.label(QStringLiteral("name5"))->text(), QStringLiteral(" Style 30   ")) << "on the last page, 25 to 40";
    EXPECT_EQ(h.dialogs.shown, (QStringList{QStringLiteral("folder chooser in "), QStringLiteral("folder chooser in ") + lib}));
}
