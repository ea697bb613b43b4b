#include "library/library_filter.h"
#include "library/library_scan.h"
#include "oc31_encoder.h"
#include "pa_style_chunks.h"
#include "test_support.h"

#include <QSignalSpy>
#include <QTest>

namespace {

bool runToEnd(LibraryScan &scan)
{
    QSignalSpy finished(&scan, &LibraryScan::finished);
    scan.start();
    return finished.wait(20000);
}

// The headings, with ">" after those of columns aligned right (numbers), then the rows, one a
// line, their cells joined with "|"; or only the one column named, the rows joined with " ".
QString rows(const QAbstractItemModel &model, int only = -1)
{
    QStringList lines;
    for (int row = only < 0 ? -1 : 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = qMax(only, 0); column < (only < 0 ? model.columnCount() : only + 1);
             ++column) {
            const bool right
                = model.index(0, column).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight;
            cells << (row < 0
                    ? model.headerData(column, Qt::Horizontal).toString() + (right ? ">" : "")
                    : model.index(row, column).data().toString());
        }
        lines << cells.join('|');
    }
    return lines.join(only < 0 ? '\n' : ' ');
}

// A library of every kind of bank: two backups of one i3 bank, whose Pop Ballads are duplicates
// and whose Discos look alike but differ in the blanks after the name (tabs, not spaces), which
// the names shown leave out; two styles of the same name and size that differ only in their
// performance data; banks whose meters and tempos are known, one with a damaged style; a folder
// that cannot be read, as for anyone but root.
class ScannedLibrary : public ::testing::Test {
protected:
    ScannedLibrary()
    {
        folder.write("lib/backup1/USER01.STY",
            ISeriesFileBuilder("KORG9").slot(2000, "Pop Ballad").slot(600, "Disco     ").build());
        folder.write("lib/backup2/USER01.STY",  // with a header of other bytes
            ISeriesFileBuilder("KORG9")
                .slot(2000, "Pop Ballad", "P")
                .slot(600, "Disco\t\t\t\t\t", "D")
                .build());
        const QByteArray samePart = fillerBytes(1, 90);
        folder.write("lib/pack/TWO.STY",
            PaFileBuilder()
                .record("Twin", 2, samePart)
                .record("Twin", 2, samePart)
                .record({}, 7, fillerBytes(2, 40))
                .record({}, 7, fillerBytes(3, 40))
                .bytes());
        folder.write("lib/pa700.STY", detailedBank());
        folder.write("lib/pa600.STY", pa600Bank());
        folder.write("lib/locked/HIDDEN.STY", korgmWithStyles(1));
        folder.write("lib/pack/DAMAGED.STY", PaFileBuilder().style("A", 500).bytes().left(400));
        files.beforeListing = [this](const QString &path) {
            if (path == folder.path("lib/locked"))
                throw FileError(path, "Permission denied");
        };
        sorted.setSourceModel(&scan.model());
        sorted.sort(LibraryModel::File);
    }

    TestFolder folder;
    HookedFileService files;
    LibraryScan scan {folder.path("lib"), files};
    LibraryFilter sorted;  // in the library's order: by file, then as the styles stand in it
};

}  // namespace

// Every style of every file below the folder, then the meter and tempo of those that keep them,
// then the duplicates, found by their bytes, both parts; the files and styles with problems, and
// the counts.
TEST_F(ScannedLibrary, ReadsTheStylesThenTheirDetailsThenTheDuplicates)
{
    QStringList progress;  // as each phase begins, and when all is done
    QObject::connect(&scan, &LibraryScan::phaseChanged, [&] { progress << scan.phaseText(); });
    QSignalSpy problems(&scan, &LibraryScan::problemsFound);
    ASSERT_TRUE(runToEnd(scan));
    EXPECT_EQ(rows(sorted).replace("i3,i2,i1,i4s (KORG9)", "K9"),
        R"(File|Format|#>|Name|Meter|Tempo>|Elements|Total>|Main>|Supplementary>|Ghost|Duplicate
backup1/USER01.STY|K9|01|Pop Ballad||||2,000|2,000|0||yes
backup1/USER01.STY|K9|02|Disco||||600|600|0|yes|
backup2/USER01.STY|K9|01|Pop Ballad||||2,000|2,000|0||yes
backup2/USER01.STY|K9|02|Disco||||600|600|0|yes|
pa600.STY|Pa-series (KORF)|01|Jig|3/8|30||346|213|133||
pa600.STY|Pa-series (KORF)|02|March|4/4|120||346|213|133||
pa700.STY|Pa-series (KORF)|01|Jig|6/8|100||342|213|129||
pa700.STY|Pa-series (KORF)|02|March|4/4|120||346|213|133||
pa700.STY|Pa-series (KORF)|03|Waltz|3/4|90||385|213|172||
pa700.STY|Pa-series (KORF)|04|broken||||213|213|0||
pack/TWO.STY|Pa50/60/80 (KORF)|01|Twin||||130|90|40||
pack/TWO.STY|Pa50/60/80 (KORF)|02|Twin||||130|90|40||)");
    EXPECT_EQ(scan.countsText(),
        "6 files, 12 styles, 2 ghost styles, 1 damaged style, "
        "2 duplicates, 1 file with problems");
    QStringList said;
    for (const QList<QVariant> &found : problems) {
        for (const Problem &problem : found.at(0).value<QList<Problem>>())
            said << pathBelow(scan.folder(), problem.path) + ": " + problem.text();
    }
    EXPECT_EQ(said,
        QStringList({"locked: Permission denied",
            "pack/DAMAGED.STY: Damaged style file: DAMAGED.STY: the marker \"KBEG\" is not in the "
            "last 320 bytes.",
            "pa700.STY: style 4: its data fails its check"}));
    EXPECT_EQ(progress,
        QStringList({"looking for style files", "meter and tempo: 0 of 2 files",
            "looking for duplicates", "checking duplicates: 0 of 8 styles", ""}));
    // The damaged style's sentence as the library keeps it for Export List.
    const int broken = sorted.mapToSource(sorted.index(9, 0)).row();
    EXPECT_EQ(damageMessage(scan.model().catalogue().details(broken), 4),
        "style 4: its data fails its check");
}

// Rows come in as the files are read, not once the last is. Cancel stops the phase under way
// where it is: what was read, detailed or confirmed stays, and what was left is counted. A library
// of twelve banks of one style each, three copies each of A, B, C and D; the C and D banks are held
// once the phase begins, so that two threads wait.
TEST(LibraryScan, CancelKeepsWhatEachPhaseDid)
{
    TestFolder folder;
    for (const char letter : {'a', 'b', 'c', 'd'}) {
        const QByteArray bank = PaFileBuilder()
                                    .newerDirectory()
                                    .record(QByteArray(1, char(letter - 32)), 2, paStyleChunk(4, 4))
                                    .record({}, 7, paPerformanceChunk(TempoLayout::Version20, 120))
                                    .bytes();
        for (int copy = 1; copy <= 3; ++copy)
            folder.write(QString("lib/%1%2.STY").arg(letter).arg(copy), bank);
    }
    const struct {
        const char *name;
        LibraryScan::Phase heldFrom;
        int rowsWhileHeld;
        int filesRead, duplicates;
        const char *left;
    } cases[] = {
        {"while reading", LibraryScan::Phase::Reading, 6, 8, 0, "stopped: 4 files not read"},
        {"while reading details", LibraryScan::Phase::Details, 12, 12, 0,
            "stopped: meter and tempo of 6 files not read"},
        {"while checking duplicates", LibraryScan::Phase::Duplicates, 12, 12, 6,
            "stopped: 6 styles not checked for duplicates"},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        HookedFileService files;
        std::atomic<bool> holding = false;
        std::atomic<int> waiting = 0;
        QSemaphore gate;
        files.afterOpening = [&](const QString &path) {
            const QChar letter = path.section('/', -1).at(0);
            if (holding && (letter == 'c' || letter == 'd')) {
                ++waiting;
                gate.acquire();
            }
        };
        LibraryScan scan(folder.path("lib"), files);
        const auto hold = [&] { holding = holding || scan.phase() == row.heldFrom; };
        hold();
        QObject::connect(&scan, &LibraryScan::phaseChanged, hold);
        QSignalSpy finished(&scan, &LibraryScan::finished);
        scan.start();
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return waiting == QThread::idealThreadCount()
                && scan.model().rowCount() == row.rowsWhileHeld;
        }));
        scan.cancel();
        gate.release(1000);
        ASSERT_TRUE(finished.count() > 0 || finished.wait(20000));
        EXPECT_EQ(scan.countsText(),
            QString("%1 files, %1 styles, 0 ghost styles, 0 damaged styles, %2 duplicates, 0 files "
                    "with problems")
                .arg(row.filesRead)
                .arg(row.duplicates));
        EXPECT_EQ(scan.phaseText(), row.left);
    }
}

// A scan that goes away, as its window closes, stops at once even in the middle of styles that
// declare 16 MiB each (their data is zeros that make two million empty chunks): what it was
// working on is left as not known.
TEST(LibraryScan, GoingAwayDuringLargeDetailsTakesAMoment)
{
    TestFolder folder;
    PaFileBuilder bank;
    bank.newerDirectory();
    for (int style = 0; style < 8; ++style)
        bank.record("Zeros", 2, paChunk(0x06010020, oc31Zeros(Oc31MaxLength)));
    for (int copy = 0; copy < 10; ++copy)
        folder.write(QString("lib/%1.STY").arg(copy), bank.bytes());
    HookedFileService files;
    std::atomic<int> opened = 0;  // ten to load them, then one a bank for its details
    files.afterOpening = [&](const QString &) { ++opened; };
    auto scan = std::make_unique<LibraryScan>(folder.path("lib"), files);
    scan->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened == 12; }));
    const QDeadlineTimer aTenthOfASecond(100);
    scan.reset();
    EXPECT_FALSE(aTenthOfASecond.hasExpired());
}

// Styles of one name and equal sizes are duplicates only when their bytes are equal, whatever the
// fast hash says: made to give every style the same hash, it only sends them to be compared.
TEST(Duplicates, EqualHashesAreConfirmedByteForByte)
{
    TestFolder folder;
    QByteArray other = fillerBytes(1, 3000);
    other[2999] = '!';
    LookAlikeGroup group;
    for (const QByteArray &bytes : {fillerBytes(1, 3000), fillerBytes(1, 3000), other}) {
        const QString path = folder.write(
            QString("%1.STY").arg(group.size()), PaFileBuilder().record("Same", 2, bytes).bytes());
        const StyleFile file = *loadStyleFile(path, FileService()).file;
        group.append({int(group.size()) + 10, file, file.styles[0]});
    }
    const std::pair<const char *, StyleHasher> hashers[] = {{"the fast hash", fastHash},
        {"every hash equal", [](const StylePieces &) { return StyleHash {}; }}};
    for (const auto &[name, hash] : hashers) {
        const GroupResult result = duplicatesIn(group, FileService(), nullptr, hash);
        EXPECT_EQ(result.duplicates, QSet<int>({10, 11})) << name;
    }
}

// Numbers sort as numbers, names in any letter case, meters by their value (those not known
// first), equal rows (here of one tempo, or none) in the library's order whichever way; the filter
// keeps the rows whose name, file or meter holds the text, in any letter case; Show keeps the
// ghosts, the duplicates or the damaged styles.
TEST_F(ScannedLibrary, SortsAndFilters)
{
    ASSERT_TRUE(runToEnd(scan));
    using Show = LibraryFilter::Show;
    using M = LibraryModel;
    const struct {
        const char *name;
        int column;
        Qt::SortOrder order;
        const char *text;
        Show show;
        int shown;  // the column compared
        const char *rows;
    } cases[] = {
        {"totals as numbers", M::Total, Qt::AscendingOrder, "", Show::All, M::Total,
            "130 130 213 342 346 346 346 385 600 600 2,000 2,000"},
        {"names in any letter case", M::Name, Qt::AscendingOrder, "", Show::All, M::Name,
            "broken Disco Disco Jig Jig March March Pop Ballad Pop Ballad Twin Twin Waltz"},
        {"meters by their value", M::Meter, Qt::AscendingOrder, "", Show::All, M::Meter,
            "       3/8 3/4 6/8 4/4 4/4"},
        {"equal tempos in the library's order", M::Tempo, Qt::DescendingOrder, "", Show::All,
            M::File,
            "pa600.STY pa700.STY pa700.STY pa700.STY pa600.STY backup1/USER01.STY "
            "backup1/USER01.STY backup2/USER01.STY backup2/USER01.STY pa700.STY pack/TWO.STY "
            "pack/TWO.STY"},
        {"a file", M::File, Qt::AscendingOrder, "BACKUP2", Show::All, M::Name, "Pop Ballad Disco"},
        {"a letter of names and files", M::File, Qt::AscendingOrder, "o", Show::All, M::Name,
            "Pop Ballad Disco Pop Ballad Disco broken Twin Twin"},
        {"a meter", M::File, Qt::AscendingOrder, "3/4", Show::All, M::Name, "Waltz"},
        {"ghosts", M::File, Qt::AscendingOrder, "", Show::Ghosts, M::Name, "Disco Disco"},
        {"duplicates", M::File, Qt::AscendingOrder, "", Show::Duplicates, M::Name,
            "Pop Ballad Pop Ballad"},
        {"damaged styles", M::File, Qt::AscendingOrder, "", Show::Damaged, M::Name, "broken"},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        sorted.sort(row.column, row.order);
        sorted.setText(row.text);
        sorted.setShow(row.show);
        EXPECT_EQ(rows(sorted, row.shown), row.rows);
    }
}

// Readers wait while the files read pile up unseen (here, the event loop does not turn), and go
// on once they are taken: every file is read in the end.
TEST(LibraryScan, ReadersWaitForTheWindowAndGoOn)
{
    TestFolder folder;
    for (int i = 0; i < 1000; ++i)
        folder.write(QString("lib/BANK %1.STY").arg(i), korgmWithStyles(1));
    HookedFileService files;
    std::atomic<int> opened = 0;
    files.afterOpening = [&](const QString &) { ++opened; };
    LibraryScan scan(folder.path("lib"), files);
    QSignalSpy finished(&scan, &LibraryScan::finished);
    scan.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened > 0; }));
    // Beyond those taken, 512 waiting to be taken, and one more read by each reader, which then
    // waits.
    const int waiting = scan.filesRead() + 512 + QThread::idealThreadCount();
    const QDeadlineTimer deadline(20000);
    while (opened < waiting && !deadline.hasExpired())
        QThread::yieldCurrentThread();
    EXPECT_EQ(opened, waiting);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(scan.filesRead(), 1000);
}
