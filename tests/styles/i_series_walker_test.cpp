#include "test_support.h"

// Slots, their sizes and names, and files cut short.
TEST(ISeriesWalker, SlotsNamesAndTruncatedFiles)
{
    // A ghost style's name loses its trailing control characters and blanks, unless it is blanks
    // only.
    ISeriesFileBuilder ghostNames("KORG9");
    for (const QByteArray &area : {QByteArray("ABC\0\0\0\0\0\0\0", 10), QByteArray(10, ' '),
             QByteArray(" A B \0 \0 \x7f", 10), QByteArray(" \0 \0\t\0\0\0\0\x1f", 10)})
        ghostNames.slot(200, area);
    // The size entry's bytes 2 and 3 are not read; its low byte comes first.
    QByteArray littleEndian = ISeriesFileBuilder("KORGM").slot(1176, "Ghost      ").build();
    ASSERT_EQ(littleEndian.mid(24, 2), QByteArray::fromHex("9804"));
    // All 48 slots of a large header, every other one a ghost.
    ISeriesFileBuilder all("KORGM");
    for (int k = 1; k <= 48; ++k)
        all.slot(k % 2 ? 2000 : 600, "S" + QByteArray::number(k).rightJustified(10, '.'));
    const QString allSummary = loadSummary(all.build());
    EXPECT_TRUE(allSummary.startsWith(
                    R"(24+24: 1@1 "S.........1" 2000+0, 2@2 "S.........2" 600+0 ghost, 3@3)")
        && allSummary.endsWith(R"(, 48@48 "S........48" 600+0 ghost)"))
        << allSummary.toStdString();
    const std::tuple<const char *, QByteArray, QString> cases[] = {
        {"empty slots are skipped",
            ISeriesFileBuilder("KORG9")
                .slot(0, {}, "Header 1")
                .slot(3000, "First     ", "Header 2")
                .slot(0, {}, "Header 3")
                .slot(500, "Second    ", "Header 4")
                .build(),
            R"(1+1: 2@2 "First     " 3000+0, 4@4 "Second" 500+0 ghost)"},
        {"ghost up to 1176 bytes",
            ISeriesFileBuilder("KORG<").slot(1176, "Ghost     ").slot(1177, "Usable    ").build(),
            R"(1+1: 1@1 "Ghost" 1176+0 ghost, 2@2 "Usable    " 1177+0)"},
        {"little-endian sizes", littleEndian.replace(26, 2, "\xff\xff"),
            R"(0+1: 1@1 "Ghost" 1176+0 ghost)"},
        {"ghost names", ghostNames.build(),
            R"(0+4: 1@1 "ABC" 200+0 ghost, 2@2 "          " 200+0 ghost, 3@3 " A B \x00 \x00 \x7f" 200+0 ghost, 4@4 "" 200+0 ghost)"},
        {"usable names stay raw",
            ISeriesFileBuilder("KORGI").slot(2000, QByteArray("Raw \0 name\x01", 11)).build(),
            R"(1+0: 1@1 "Raw \x00 name\x01" 2000+0)"},
        {"tiny ghost", ISeriesFileBuilder("KORGM").slot(0).slot(3, "Hi ").build(),
            R"(0+1: 2@2 "Hi" 3+0 ghost)"},
        {"all slots empty", ISeriesFileBuilder("KORGM").trailingBytes("ignored").build(), "0+0:"},
        {"bytes after the last block",
            ISeriesFileBuilder("KORG9")
                .slot(1500, "Apple Pie ")
                .slot(40, "Bee       ")
                .trailingBytes(QByteArray(5000, 'z'))
                .build(),
            R"(1+1: 1@1 "Apple Pie " 1500+0, 2@2 "Bee" 40+0 ghost)"},
        {"shorter than the small header",
            ISeriesFileBuilder("KORG9").slot(1500, "A").build().left(95),
            damaged("the file is shorter than its 96-byte header")},
        {"shorter than the large header",
            ISeriesFileBuilder("KORGI").slot(1500, "A").build().left(223),
            damaged("the file is shorter than its 224-byte header")},
    };
    for (const auto &[label, bytes, expected] : cases)
        EXPECT_EQ(loadSummary(bytes), expected) << label;

    // A block cut short by the end of the file: the whole blocks before it stay listed and counted.
    const QByteArray bytes = ISeriesFileBuilder("KORG9")
                                 .slot(2000, "Apple     ")
                                 .slot(0)
                                 .slot(700, "Bee       ")
                                 .slot(1800, "C")
                                 .build();
    const QString a = R"(1+0: 1@1 "Apple     " 2000+0)";
    const QString ab = R"(1+1: 1@1 "Apple     " 2000+0, 3@3 "Bee" 700+0 ghost)";
    const QString cut
        = QStringLiteral("the %1-byte block of slot %2 is cut short by the end of the file");
    const std::pair<int, QString> truncated[] = {
        {96, damaged(cut.arg(2000).arg(1))},
        {96 + 1999, damaged(cut.arg(2000).arg(1))},
        {96 + 2000, damaged(cut.arg(700).arg(3), a)},
        {96 + 2699, damaged(cut.arg(700).arg(3), a)},
        {96 + 2700, damaged(cut.arg(1800).arg(4), ab)},
        {int(bytes.size()) - 1, damaged(cut.arg(1800).arg(4), ab)},
    };
    for (const auto &[size, expected] : truncated)
        EXPECT_EQ(loadSummary(bytes.left(size)), expected) << size;
}
