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
    // All 48 slots of a large header, every other one a ghost.
    ISeriesFileBuilder all("KORGM");
    for (int k = 1; k <= 48; ++k)
        all.slot(k % 2 ? 2000 : 600, "S" + QByteArray::number(k).rightJustified(10, '.'));
    const QString allSummary = loadSummary(all.build());
    EXPECT_EQ(allSummary.section(", ", 0, 1) + " ... " + allSummary.section(", ", 47),
        R"(24+24: 1@1 "S.........1" 2000+0, 2@2 "S.........2" 600+0 ghost ... 48@48 "S........48" 600+0 ghost)");
    // A block cut short by the end of the file: the whole blocks before it stay listed and counted.
    ISeriesFileBuilder cutBank("KORG9");
    cutBank.slot(2000, "Apple     ").slot(0).slot(700, "Bee       ").slot(1800, "C");
    const QByteArray cut = cutBank.build();
    const QString cutShort("the %1-byte block of slot %2 is cut short by the end of the file");
    const QString apple = R"(1+0: 1@1 "Apple     " 2000+0)";
    const QString appleBee = R"(1+1: 1@1 "Apple     " 2000+0, 3@3 "Bee" 700+0 ghost)";
    // Empty slots are skipped; a header's own names are not the styles'.
    ISeriesFileBuilder headerNames("KORG9");
    headerNames.slot(0, {}, "Header 1").slot(3000, "First     ", "Header 2");
    headerNames.slot(0, {}, "Header 3").slot(500, "Second    ", "Header 4");
    const std::pair<QByteArray, QString> cases[] = {
        {headerNames.build(), R"(1+1: 2@2 "First     " 3000+0, 4@4 "Second" 500+0 ghost)"},
        // A ghost is up to 1176 bytes; the size entry's bytes 2 and 3 are not read.
        {ISeriesFileBuilder("KORG<").slot(1176, "Ghost     ").slot(1177, "Usable    ").build(),
            R"(1+1: 1@1 "Ghost" 1176+0 ghost, 2@2 "Usable    " 1177+0)"},
        {ISeriesFileBuilder("KORGM").slot(1176, "Ghost      ").build().replace(26, 2, "\xff\xff"),
            R"(0+1: 1@1 "Ghost" 1176+0 ghost)"},
        {ghostNames.build(),
            R"(0+4: 1@1 "ABC" 200+0 ghost, 2@2 "          " 200+0 ghost, 3@3 " A B \x00 \x00 \x7f" 200+0 ghost, 4@4 "" 200+0 ghost)"},
        // A usable style's name stays as it is.
        {ISeriesFileBuilder("KORGI").slot(2000, QByteArray("Raw \0 name\x01", 11)).build(),
            R"(1+0: 1@1 "Raw \x00 name\x01" 2000+0)"},
        {ISeriesFileBuilder("KORGM").slot(0).slot(3, "Hi ").build(), R"(0+1: 2@2 "Hi" 3+0 ghost)"},
        {ISeriesFileBuilder("KORG9").slot(1500, "A").trailingBytes(QByteArray(5000, 'z')).build(),
            R"(1+0: 1@1 "ABCDEFGHIJ" 1500+0)"},
        {ISeriesFileBuilder("KORG9").slot(1500, "A").build().left(95),
            damaged("the file is shorter than its 96-byte header")},
        {ISeriesFileBuilder("KORGI").slot(1500, "A").build().left(223),
            damaged("the file is shorter than its 224-byte header")},
        {cut.left(96 + 1999), damaged(cutShort.arg(2000).arg(1))},
        {cut.left(96 + 2000), damaged(cutShort.arg(700).arg(3), apple)},
        {cut.left(96 + 2700), damaged(cutShort.arg(1800).arg(4), appleBee)},
    };
    for (const auto &[bytes, expected] : cases)
        EXPECT_EQ(loadSummary(bytes), expected);
}
