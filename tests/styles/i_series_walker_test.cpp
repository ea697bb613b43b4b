#include "load_harness.h"
#include "style_file_builder.h"
#include "styles/shown_rows.h"

#include <gtest/gtest.h>

namespace {

std::vector<QByteArray> names(const CurrentFile &file)
{
    std::vector<QByteArray> out;
    for (const auto &s : *file.StyleList)
        out.push_back(s->StyleName());
    return out;
}

} // namespace

TEST(ISeriesWalker, EmptySlotsKeepTheirRecordsAndAreSkippedInTheRows)
{
    LoadHarness h;
    const QByteArray bytes = ISeriesFileBuilder("KORG9")
                                 .slot(0, {}, "Header 1")
                                 .slot(3000, "First     ", "Header 2")
                                 .slot(0, {}, "Header 3")
                                 .slot(500, "Second    ", "Header 4")
                                 .build();
    h.load(bytes);
    EXPECT_TRUE(h.messages().isEmpty());
    ASSERT_EQ(h.file.StyleList->Count(), 4);
    EXPECT_EQ(names(h.file), (std::vector<QByteArray>{"Header 1  ", "First     ", "Header 3  ", "Second"}));
    EXPECT_EQ(h.file.UsableCount, 1);
    EXPECT_EQ(h.file.GhostCount, 1);
    const auto *list = h.file.StyleList.get();
    EXPECT_EQ(list->Item(2)->StyleContent(), bytes.mid(96, 3000));
    EXPECT_EQ(list->Item(4)->StyleContent(), bytes.mid(96 + 3000, 500));
    EXPECT_EQ(list->Item(4)->StyleGhost(), "S");
    EXPECT_EQ(list->Item(1)->StyleGhost(), "N");
    EXPECT_EQ(list->Item(3)->StylePos(), 3);

    const auto rows = ShownRows(h.file);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].number, 2);
    EXPECT_EQ(rows[1].number, 4);
    EXPECT_TRUE(rows[1].style->isGhost());
}

TEST(ISeriesWalker, GhostBoundaryIs1176Bytes)
{
    LoadHarness h;
    h.load(ISeriesFileBuilder("KORG<").slot(1176, "Ghost").slot(1177, "Usable").build());
    EXPECT_EQ(h.file.StyleList->Item(1)->StyleGhost(), "S");
    EXPECT_EQ(h.file.StyleList->Item(1)->StyleSize(), 1176);
    EXPECT_EQ(h.file.StyleList->Item(2)->StyleGhost(), "N");
    EXPECT_EQ(h.file.UsableCount, 1);
    EXPECT_EQ(h.file.GhostCount, 1);
}

TEST(ISeriesWalker, SizeEntriesAreLittleEndian)
{
    // The 1176 of a ghost style is high byte 4, low byte 152.
    QByteArray bytes = ISeriesFileBuilder("KORGM").slot(1176, "Ghost").build();
    EXPECT_EQ(quint8(bytes[24]), 152);
    EXPECT_EQ(quint8(bytes[25]), 4);
    bytes[26] = char(0xFF);  // entry offsets 2 and 3 are not read
    bytes[27] = char(0xFF);
    LoadHarness h;
    h.load(bytes);
    EXPECT_EQ(h.file.StyleList->Item(1)->StyleSize(), 1176);
}

TEST(ISeriesWalker, GhostNamesLoseTrailingControlsAndBlanks)
{
    struct Case {
        QByteArray area;
        QByteArray name;
    };
    const std::vector<Case> cases = {
        {QByteArray("ABC\0\0\0\0\0\0\0", 10), "ABC"},
        {QByteArray(10, ' '), QByteArray(10, ' ')},
        {"A B       ", "A B"},
        {QByteArray(" \0 \0 \0\0\0\0\0", 10), ""},
        {QByteArray("\tTab\x01\x1f \x7f", 9) + QByteArray(1, '\0'), "\tTab\x01\x1f \x7f"},
    };
    for (const Case &c : cases) {
        LoadHarness h;
        h.load(ISeriesFileBuilder("KORG9").slot(200, c.area).build());
        EXPECT_EQ(h.file.StyleList->Item(1)->StyleName(), c.name) << c.area.toHex().data();
    }
}

TEST(ISeriesWalker, UsableNamesStayRaw)
{
    LoadHarness h;
    const QByteArray raw("Raw \0 name ", 11);
    h.load(ISeriesFileBuilder("KORGI").slot(2000, raw).build());
    EXPECT_EQ(h.file.StyleList->Item(1)->StyleName(), raw);
}

TEST(ISeriesWalker, TinyGhostBlockGivesAShortName)
{
    LoadHarness h;
    h.load(ISeriesFileBuilder("KORGM").slot(0).slot(3, "Hi ").build());
    EXPECT_EQ(h.file.StyleList->Item(2)->StyleName(), "Hi");
    EXPECT_EQ(h.file.GhostCount, 1);
}

TEST(ISeriesWalker, AllZeroSizeTableListsEmptySlotsOnly)
{
    LoadHarness h;
    h.load(ISeriesFileBuilder("KORGM").trailingBytes("ignored").build());
    EXPECT_TRUE(h.messages().isEmpty());
    ASSERT_EQ(h.file.StyleList->Count(), 48);
    for (const auto &s : *h.file.StyleList) {
        EXPECT_TRUE(s->StyleName().isEmpty());
        EXPECT_EQ(s->StyleSize(), 0);
        EXPECT_EQ(s->StyleGhost(), "N");
        EXPECT_TRUE(s->StyleContent().isEmpty());
    }
    EXPECT_EQ(h.file.UsableCount + h.file.GhostCount, 0);
    EXPECT_FALSE(h.reportCommandsEnabled);
    EXPECT_TRUE(ShownRows(h.file).isEmpty());
}

TEST(ISeriesWalker, FortyEightSlotsAllFilled)
{
    ISeriesFileBuilder b("KORGM");
    for (int k = 1; k <= 48; ++k)
        b.slot(k % 2 ? 2000 : 600, QByteArray::number(k));
    LoadHarness h;
    h.load(b.build());
    EXPECT_EQ(h.file.UsableCount, 24);
    EXPECT_EQ(h.file.GhostCount, 24);
    EXPECT_EQ(ShownRows(h.file).size(), 48);
}

TEST(ISeriesWalker, BytesAfterTheLastBlockChangeNothing)
{
    const ISeriesFileBuilder b = ISeriesFileBuilder("KORG9").slot(1500, "A").slot(40, "B");
    LoadHarness plain;
    plain.load(b.build());
    ISeriesFileBuilder withTail = b;
    LoadHarness tail;
    tail.load(withTail.trailingBytes(QByteArray(5000, 'z')).build());
    EXPECT_TRUE(tail.messages().isEmpty());
    EXPECT_EQ(names(tail.file), names(plain.file));
    EXPECT_EQ(tail.file.StyleList->Item(2)->StyleContent(), plain.file.StyleList->Item(2)->StyleContent());
}

TEST(ISeriesWalker, FileShorterThanItsHeaderListsNothing)
{
    for (const QByteArray &tag : {QByteArray("KORG9"), QByteArray("KORGI")}) {
        const QByteArray bytes = ISeriesFileBuilder(tag).slot(1500, "A").build();
        const int header = tag == "KORG9" ? 96 : 224;
        LoadHarness h;
        h.load(bytes.left(header - 1));
        EXPECT_EQ(h.messages(), QStringList{QStringLiteral("Damaged style file: TEST.STY: the file is shorter "
                                                           "than its %1-byte header.").arg(header)});
        EXPECT_EQ(h.file.StyleList->Count(), 0);
        EXPECT_EQ(h.file.UsableCount + h.file.GhostCount, 0);
        EXPECT_FALSE(h.reportCommandsEnabled);
        EXPECT_EQ(h.fileInfoShown, 1);
    }
}

TEST(ISeriesWalker, TruncationKeepsTheWholeBlocksBeforeIt)
{
    // Slots: 2000 (usable), 0, 700 (ghost), 1800 (usable). Cut the file at every offset.
    const QByteArray bytes = ISeriesFileBuilder("KORG9").slot(2000, "A").slot(0).slot(700, "B").slot(1800, "C").build();
    const int ends[] = {96 + 2000, 96 + 2700, 96 + 4500};
    for (int size = 96; size < bytes.size(); size += 37) {
        LoadHarness h;
        h.load(bytes.left(size));
        const int whole = int(std::count_if(std::begin(ends), std::end(ends), [&](int end) { return end <= size; }));
        const int cutSlot = whole == 0 ? 1 : whole == 1 ? 3 : 4;
        const int cutLength = cutSlot == 1 ? 2000 : cutSlot == 3 ? 700 : 1800;
        EXPECT_EQ(h.messages(), QStringList{QStringLiteral("Damaged style file: TEST.STY: the %1-byte block of "
                                                           "slot %2 is cut short by the end of the file.")
                                                .arg(cutLength).arg(cutSlot)})
            << size;
        EXPECT_EQ(h.file.UsableCount, whole >= 1 ? 1 : 0) << size;
        EXPECT_EQ(h.file.GhostCount, whole >= 2 ? 1 : 0) << size;
        EXPECT_EQ(ShownRows(h.file).size(), whole) << size;
        EXPECT_EQ(h.file.StyleList->Count(), 4);
        EXPECT_EQ(h.reportCommandsEnabled, whole > 0);
    }
}
