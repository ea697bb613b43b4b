#include "load_harness.h"
#include "style_file_builder.h"
#include "styles/shown_rows.h"

#include <gtest/gtest.h>

namespace {

struct Walked {
    QStringList messages;
    qint16 usable = -1;
    qint16 ghost = -1;
    std::vector<Pa80Styles::Ref> styles;
};

Walked walk(const QByteArray &bytes)
{
    LoadHarness h;
    h.load(bytes);
    Walked w{h.messages(), h.file.UsableCount, h.file.GhostCount, {}};
    for (const auto &s : *h.file.StyleList)
        w.styles.push_back(s);
    EXPECT_EQ(h.file.UsableCount + h.file.GhostCount > 0, h.reportCommandsEnabled);
    return w;
}

// The damaged-file message for a file loaded as TEST.STY.
QStringList damaged(const QString &problem)
{
    return {QStringLiteral("Damaged style file: TEST.STY: %1.").arg(problem)};
}

void expectRefused(const QByteArray &bytes, const QString &problem)
{
    const Walked w = walk(bytes);
    EXPECT_EQ(w.messages, damaged(problem));
    EXPECT_TRUE(w.styles.empty());
    EXPECT_EQ(w.usable, 0);
    EXPECT_EQ(w.ghost, 0);
}

// The file of the worked example: 10,000 bytes, chunks at 300, 3000, 5000 and 8000, "KBEG" at
// 9879 and "KEND" at 9903; records 1 and 2 are styles, 3 and 4 their performance data.
PaFileBuilder::Built workedExample()
{
    return PaFileBuilder()
        .style("Pop", 2700)
        .style("Rock", 2000)
        .performance(3000)
        .performance(1879)
        .directoryPadding(264 - 4 * 24)
        .trailingBytes(89)
        .build();
}

} // namespace

TEST(PaSeriesWalker, WorkedExampleEndsTheLastChunkBeforeKbeg)
{
    const auto built = workedExample();
    ASSERT_EQ(built.bytes.size(), 10000);
    ASSERT_EQ(built.kbeg, 9879);
    ASSERT_EQ(built.kend, 9903);
    ASSERT_EQ(built.chunkStarts, (std::vector<qint32>{300, 3000, 5000, 8000}));

    const Walked w = walk(built.bytes);
    EXPECT_TRUE(w.messages.isEmpty());
    ASSERT_EQ(w.styles.size(), 2u);
    EXPECT_EQ(w.usable, 2);
    EXPECT_EQ(w.ghost, 0);
    EXPECT_EQ(w.styles[0]->StyleName(), "Pop");
    EXPECT_EQ(w.styles[0]->StylePos(), 1);
    EXPECT_EQ(w.styles[0]->StyleSize(), 2700);
    EXPECT_EQ(w.styles[0]->StyleSizeSupp(), 3000);
    EXPECT_EQ(w.styles[0]->StyleContent(), built.bytes.mid(300, 2700));
    EXPECT_EQ(w.styles[0]->StyleContentSupp(), built.bytes.mid(5000, 3000));
    EXPECT_EQ(w.styles[1]->StyleSize() + w.styles[1]->StyleSizeSupp(), 3879);
    EXPECT_EQ(w.styles[1]->StyleContentSupp(), built.bytes.mid(8000, 1879));
    EXPECT_EQ(w.styles[1]->StyleGhost(), "N");
}

TEST(PaSeriesWalker, InterleavedRecordsPairEachStyleWithItsOwnPerformance)
{
    const auto built = PaFileBuilder().style("A", 100).performance(200).style("B", 300).performance(400).build();
    const Walked w = walk(built.bytes);
    ASSERT_EQ(w.styles.size(), 2u);
    EXPECT_EQ(w.styles[0]->StylePos(), 1);
    EXPECT_EQ(w.styles[0]->StyleSize(), 100);
    EXPECT_EQ(w.styles[0]->StyleSizeSupp(), 200);
    EXPECT_EQ(w.styles[1]->StylePos(), 3);
    EXPECT_EQ(w.styles[1]->StyleSize(), 300);
    EXPECT_EQ(w.styles[1]->StyleSizeSupp(), 400);
    EXPECT_EQ(w.styles[1]->StyleContent(), built.bytes.mid(built.chunkStarts[2], 300));
}

TEST(PaSeriesWalker, OddCountMakesTheLastStyleWithoutPerformance)
{
    // n = 7: four styles first, then the performance data of styles 1 to 3.
    PaFileBuilder b;
    for (const char *name : {"S1", "S2", "S3", "S4"})
        b.style(name, 50);
    b.performance(61).performance(62).performance(63);
    const Walked w = walk(b.build().bytes);
    ASSERT_EQ(w.styles.size(), 4u);
    EXPECT_EQ(w.usable, 4);
    EXPECT_EQ(w.styles[2]->StyleSizeSupp(), 63);
    EXPECT_EQ(w.styles[3]->StyleSizeSupp(), 0);
}

TEST(PaSeriesWalker, TrailerChunkHeaderIsNotCountedIntoTheLastStyle)
{
    const auto built = PaFileBuilder().style("One", 441).performance(631).trailerChunkHeader().build();
    ASSERT_EQ(built.bytes.size(), 1188);
    ASSERT_EQ(built.kbeg, 1164);
    ASSERT_EQ(built.kend, 1180);
    ASSERT_EQ(built.bytes.mid(1156, 8), QByteArray::fromHex("FE00001800000018"));
    const Walked w = walk(built.bytes);
    ASSERT_EQ(w.styles.size(), 1u);
    EXPECT_EQ(w.styles[0]->StyleSize(), 441);
    EXPECT_EQ(w.styles[0]->StyleSizeSupp(), 631);
    EXPECT_EQ(w.styles[0]->StyleContentSupp(), built.bytes.mid(525, 631));

    // The same file without the header: the last chunk ends at "KBEG".
    const Walked plain = walk(PaFileBuilder().style("One", 441).performance(631).build().bytes);
    EXPECT_EQ(plain.styles[0]->StyleSizeSupp(), 631);

    // 0xFE with a length that does not match is no header: those 8 bytes belong to the last chunk.
    QByteArray wrongLength = built.bytes;
    wrongLength[1163] = 0x19;
    EXPECT_EQ(walk(wrongLength).styles[0]->StyleSizeSupp(), 639);
}

TEST(PaSeriesWalker, TrailerHeaderThatWouldMakeTheLastChunkNegativeIsDamage)
{
    // The last chunk starts 4 bytes before "KBEG", inside the 8-byte trailer header.
    auto built = PaFileBuilder().style("One", 441).performance(0).trailerChunkHeader().build();
    QByteArray bytes = built.bytes;
    const quint32 start = quint32(built.kbeg - 4);
    bytes[built.tableStart + 4 + 1] = char(start >> 16);
    bytes[built.tableStart + 4 + 2] = char(start >> 8);
    bytes[built.tableStart + 4 + 3] = char(start);
    expectRefused(bytes, QStringLiteral("chunk 2 starts at offset %1, beyond the last chunk's end (%2)")
                             .arg(start).arg(built.kbeg - 8));
}

TEST(PaSeriesWalker, TheLastMarkersOfTheTailCount)
{
    // A decoy "KEND" and "KBEG" inside the last chunk come before the real trailer.
    const QByteArray decoy = QByteArray(60, 'x') + "KENDxxxxKBEGxxxx" + QByteArray(60, 'x');
    const auto built = PaFileBuilder().style("Only", 90).record(QByteArray(11, ' '), 7, decoy).build();
    const Walked w = walk(built.bytes);
    ASSERT_EQ(w.styles.size(), 1u);
    EXPECT_EQ(w.styles[0]->StyleSizeSupp(), decoy.size());
}

TEST(PaSeriesWalker, EmptyTableListsNothingWithoutMessage)
{
    const Walked w = walk(PaFileBuilder().build().bytes);
    EXPECT_TRUE(w.messages.isEmpty());
    EXPECT_TRUE(w.styles.empty());
    EXPECT_EQ(w.usable, 0);
}

TEST(PaSeriesWalker, NamesLoseNulsAndOuterBlanks)
{
    const Walked w = walk(PaFileBuilder()
                              .record(QByteArray("P\0o\0p", 5) + QByteArray(6, '\0'), 2, QByteArray(10, 'a'))
                              .record("  Bal lad  ", 2, QByteArray(10, 'b'))
                              .record(QByteArray(11, '\0'), 2, QByteArray(10, 'c'))
                              .record(QByteArray(" \0 \0 \0 \0 \0 ", 11), 2, QByteArray(10, 'd'))
                              .build()
                              .bytes);
    ASSERT_EQ(w.styles.size(), 4u);
    EXPECT_EQ(w.styles[0]->StyleName(), "Pop");
    EXPECT_EQ(w.styles[1]->StyleName(), "Bal lad");
    EXPECT_EQ(w.styles[2]->StyleName(), "");
    EXPECT_EQ(w.styles[3]->StyleName(), "");
}

TEST(PaSeriesWalker, PerformanceRecordsCountInTheNumbering)
{
    const Walked w = walk(PaFileBuilder().performance(10).style("A", 10).style("B", 10).build().bytes);
    ASSERT_EQ(w.styles.size(), 2u);
    EXPECT_EQ(w.styles[0]->StylePos(), 2);
    EXPECT_EQ(w.styles[1]->StylePos(), 3);
    EXPECT_EQ(w.styles[0]->StyleSizeSupp(), 10) << "the first performance record belongs to the first style";
}

TEST(PaSeriesWalker, NewerDirectoryExample)
{
    LoadHarness h;
    h.load(PaFileBuilder()
               .newerDirectory()
               .style("1/4", 355)
               .performance(1030)
               .style("2/4", 348)
               .performance(1030)
               .build()
               .bytes);
    EXPECT_TRUE(h.messages().isEmpty());
    const auto rows = ShownRows(h.file);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].number, 1);
    EXPECT_EQ(rows[0].style->StyleName(), "1/4");
    EXPECT_EQ(rows[0].style->StyleSize() + rows[0].style->StyleSizeSupp(), 1385);
    EXPECT_EQ(rows[1].style->StyleName(), "2/4");
    EXPECT_EQ(rows[1].style->StyleSize(), 348);
    EXPECT_EQ(rows[1].style->StyleSize() + rows[1].style->StyleSizeSupp(), 1378);
    EXPECT_TRUE(h.file.NewerPaDirectory);
}

namespace {
QByteArray newerFileWithRecords(const QByteArray &directory, int chunks)
{
    // Chunks need records only to exist; the directory is replaced by the given bytes.
    PaFileBuilder b;
    b.newerDirectory();
    for (int i = 0; i < chunks; ++i)
        b.style("X", 40);
    auto built = b.build();
    QByteArray bytes = built.bytes;
    const int directoryLength = built.chunkStarts.front() - 36;
    EXPECT_LE(directory.size(), directoryLength);
    bytes.replace(36, directory.size(), directory);
    bytes.replace(36 + directory.size(), directoryLength - directory.size(),
                  QByteArray(directoryLength - directory.size(), '\0'));
    return bytes;
}
using P = PaFileBuilder::Property;
} // namespace

TEST(PaSeriesWalker, NewerDirectoryNames)
{
    const QByteArray nulInside = PaFileBuilder::newerRecord({{2, QByteArray("Jazz\0junk", 9)}, {0, QByteArray("\x02\x00\x00", 3)}});
    const QByteArray nonLatin1 = PaFileBuilder::newerRecord({{0, QByteArray("\x02\x00\x01", 3)}, {9, "unknown"}, {2, "Caf\xC3\xA9 \xE2\x82\xAC"}});
    LoadHarness h;
    h.load(newerFileWithRecords(nulInside + nonLatin1 + QByteArray(64, '\0'), 2));
    EXPECT_TRUE(h.messages().isEmpty());
    ASSERT_EQ(h.file.StyleList->Count(), 2);
    EXPECT_EQ(h.file.StyleList->Item(1)->StyleName(), "Jazz");
    EXPECT_EQ(h.file.StyleList->Item(2)->StyleName(), "Caf\xE9 ?");
}

TEST(PaSeriesWalker, NewerDirectoryOverrunsAreDamage)
{
    const QByteArray good = PaFileBuilder::newerRecord({{0, QByteArray("\x02\x00\x00", 3)}, {2, "A"}});
    struct Case {
        QByteArray directory;
        QString problem;
    };
    QByteArray longLength = good;
    longLength[0] = char(0x7F);  // the record claims more bytes than the directory has
    QByteArray propertyPast = good;
    propertyPast[2 + 2 + 2 + 1] = char(0x40);  // first property's size runs past its record
    QByteArray shortIdentity = PaFileBuilder::newerRecord({{0, QByteArray("\x02")}});
    const std::vector<Case> cases = {
        {longLength, QStringLiteral("directory record 1 runs past the end of the directory")},
        {propertyPast, QStringLiteral("property 1 of directory record 1 runs past the end of the directory record 1")},
        {shortIdentity, QStringLiteral("property 1 of directory record 1 is shorter than 3 bytes")},
        // After one good record the zero bytes read as a record of length 0, too short for anything.
        {good, QStringLiteral("directory record 2's property count runs past the end of the directory record 2")},
    };
    for (const Case &c : cases) {
        const Walked w = walk(newerFileWithRecords(c.directory, 2));
        ASSERT_EQ(w.messages.size(), 1);
        EXPECT_TRUE(w.messages[0].startsWith(QStringLiteral("Damaged style file: TEST.STY: ") + c.problem))
            << w.messages[0].toStdString();
        EXPECT_TRUE(w.styles.empty());
    }
}

TEST(PaSeriesWalker, PerformanceWithoutAStyleIsDamage)
{
    expectRefused(PaFileBuilder().style("A", 10).performance(10).performance(10).build().bytes,
                  QStringLiteral("directory record 3 holds performance data for a style the file does not have"));
}

TEST(PaSeriesWalker, DamagedTrailersAreRefusedCleanly)
{
    const auto built = PaFileBuilder().style("A", 100).performance(100).style("B", 100).performance(100).build();
    const QByteArray good = built.bytes;
    const auto at = [&](qsizetype offset, const QByteArray &with) {
        QByteArray bytes = good;
        bytes.replace(offset, with.size(), with);
        return bytes;
    };
    const auto entry = [&](int c) { return built.tableStart + 4 * c; };
    ASSERT_EQ(built.chunkStarts[1], 232);

    expectRefused(good.left(319), QStringLiteral("the file is shorter than 320 bytes"));
    expectRefused(at(built.kbeg, "KBEX"), QStringLiteral("the marker \"KBEG\" is not in the last 320 bytes"));
    expectRefused(at(built.kend, "KENX"), QStringLiteral("the marker \"KEND\" is not in the last 320 bytes"));
    QByteArray closeKend = at(built.kend, "KENX");
    closeKend.replace(built.kbeg + 4, 4, "KEND");
    expectRefused(closeKend,
                  QStringLiteral("the marker \"KEND\" stands less than 8 bytes after \"KBEG\""));
    expectRefused(at(entry(0), QByteArray::fromHex("00000023")),
                  QStringLiteral("chunk 1 starts at offset 35, inside the file header"));
    expectRefused(at(entry(2), QByteArray::fromHex("000000E8")),
                  QStringLiteral("chunk 3 starts at offset 232, not after chunk 2"));
    expectRefused(at(entry(3), QByteArray::fromHex("00FFFFFF")),
                  QStringLiteral("chunk 4 starts at offset 16777215, beyond the last chunk's end (%1)").arg(built.kbeg));
    // "KEND" moved 3 bytes on: 19 table bytes round to 5 entries, the fifth incomplete.
    QByteArray incomplete = good;
    incomplete.replace(built.kend, 4, "\0\0\0\0");
    incomplete.replace(built.kend + 3, 4, "KEND");
    expectRefused(incomplete, QStringLiteral("the chunk table ends with an incomplete entry"));
}

TEST(PaSeriesWalker, MoreThan64EntriesAreRefused)
{
    PaFileBuilder b;
    for (int i = 0; i < 65; ++i)
        b.style("S", 4);
    expectRefused(b.build().bytes, QStringLiteral("the chunk table holds more than 64 entries"));

    PaFileBuilder most;
    for (int i = 0; i < 32; ++i)
        most.style("S", 4).performance(4);
    EXPECT_EQ(walk(most.build().bytes).usable, 32);
}

TEST(PaSeriesWalker, TableLengthRoundsHalfToEven)
{
    // Ten table bytes: n rounds to 2 (2.5 to even); the two extra bytes are not an entry.
    auto built = PaFileBuilder().style("A", 50).performance(50).build();
    QByteArray bytes = built.bytes;
    bytes.insert(built.kend, QByteArray(2, '\0'));
    const Walked w = walk(bytes);
    EXPECT_TRUE(w.messages.isEmpty());
    ASSERT_EQ(w.styles.size(), 1u);
    EXPECT_EQ(w.styles[0]->StyleSizeSupp(), 50);
}
