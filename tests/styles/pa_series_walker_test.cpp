#include "load_harness.h"
#include "style_file_builder.h"

#include <gtest/gtest.h>

namespace {

struct WalkCase {
    const char *label;
    QByteArray bytes;
    QString expected;  // LoadHarness::summary()
};

void expectSummaries(const std::vector<WalkCase> &cases)
{
    for (const WalkCase &c : cases)
        EXPECT_EQ(loadSummary(c.bytes), c.expected) << c.label;
}

QString damaged(const QString &problem) { return QStringLiteral("0+0: ! Damaged style file: TEST.STY: %1.").arg(problem); }

// A file with the given bytes in place of its newer-layout directory, and `chunks` chunks of 40 bytes.
QByteArray newerFileWithDirectory(const QByteArray &directory, int chunks)
{
    PaFileBuilder b;
    b.newerDirectory();
    for (int i = 0; i < chunks; ++i)
        b.style("X", 40);
    QByteArray bytes = b.build().bytes;
    const int directoryLength = b.build().chunkStarts.front() - 36;
    EXPECT_LE(directory.size(), directoryLength);
    return bytes.replace(36, directoryLength, directory.leftJustified(directoryLength, '\0'));
}

QByteArray identity(char kind) { return QByteArray(1, kind) + QByteArray(2, '\0'); }

} // namespace

// The worked example: 10,000 bytes, chunks at 300, 3000, 5000 and 8000, "KBEG" at 9879 and "KEND"
// at 9903; records 1 and 2 are styles, 3 and 4 their performance data. The last chunk counts the
// "K" of "KBEG" in the old reading; we end it before the marker.
TEST(PaSeriesWalker, WorkedExample)
{
    const auto built = PaFileBuilder()
                           .style("Pop", 2700)
                           .style("Rock", 2000)
                           .performance(3000)
                           .performance(1879)
                           .directoryPadding(264 - 4 * 24)
                           .trailingBytes(89)
                           .build();
    ASSERT_EQ(built.bytes.size(), 10000);
    ASSERT_EQ(std::make_pair(built.kbeg, built.kend), std::make_pair(qsizetype(9879), qsizetype(9903)));
    ASSERT_EQ(built.chunkStarts, (std::vector<qint32>{300, 3000, 5000, 8000}));
    EXPECT_EQ(loadSummary(built.bytes), R"(2+0: 1@1 "Pop" 2700+3000, 2@2 "Rock" 2000+1879)");
}

TEST(PaSeriesWalker, RecordsAndChunks)
{
    PaFileBuilder odd;  // n = 7: four styles, then the performance data of styles 1 to 3
    for (const char *name : {"S1", "S2", "S3", "S4"})
        odd.style(name, 50);
    odd.performance(61).performance(62).performance(63);
    PaFileBuilder most;
    for (int i = 0; i < 32; ++i)
        most.style(QByteArray::number(i), 4).performance(5);
    QByteArray mostExpected = "32+0:";
    for (int i = 0; i < 32; ++i)
        mostExpected += (i ? ", " : " ") + QByteArray::number(i + 1) + '@' + QByteArray::number(2 * i + 1) + " \""
            + QByteArray::number(i) + "\" 4+5";
    // A decoy "KEND" and "KBEG" inside the last chunk come before the real trailer.
    const QByteArray decoy = QByteArray(60, 'x') + "KENDxxxxKBEGxxxx" + QByteArray(60, 'x');
    // Ten table bytes: n rounds to 2 (2.5 to even); the two extra bytes are not an entry.
    const auto pair = PaFileBuilder().style("A", 50).performance(50).build();
    const QByteArray tenTableBytes = QByteArray(pair.bytes).insert(pair.kend, QByteArray(2, '\0'));

    expectSummaries({
        {"interleaved", PaFileBuilder().style("A", 100).performance(200).style("B", 300).performance(400).build().bytes,
         R"(2+0: 1@1 "A" 100+200, 2@3 "B" 300+400)"},
        {"odd count", odd.build().bytes, R"(4+0: 1@1 "S1" 50+61, 2@2 "S2" 50+62, 3@3 "S3" 50+63, 4@4 "S4" 50+0)"},
        {"performance first", PaFileBuilder().performance(10).style("A", 11).style("B", 12).build().bytes,
         R"(2+0: 1@2 "A" 11+10, 2@3 "B" 12+0)"},
        {"64 entries", most.build().bytes, QString::fromLatin1(mostExpected)},
        {"no entries", PaFileBuilder().build().bytes, "0+0:"},
        {"empty chunks", PaFileBuilder().style("A", 0).performance(0).style("B", 300).performance(0).build().bytes,
         R"(2+0: 1@1 "A" 0+0, 2@3 "B" 300+0)"},
        {"over 16 MiB", PaFileBuilder().style("Big", 17000000).performance(1000).build().bytes, R"(1+0: 1@1 "Big" 17000000+1000)"},
        {"last markers count", PaFileBuilder().style("Only", 90).record(QByteArray(11, ' '), 7, decoy).build().bytes,
         R"(1+0: 1@1 "Only" 90+136)"},
        {"half to even", tenTableBytes, R"(1+0: 1@1 "A" 50+50)"},
        {"names", PaFileBuilder()
                      .record(QByteArray("P\0o\0p", 5) + QByteArray(6, '\0'), 2, "aaaa")
                      .record("  Bal lad  ", 2, "bbbb")
                      .record(QByteArray(11, '\0'), 2, "cccc")
                      .record(QByteArray(" \0\t\0 \0 \0 \0 ", 11), 2, "dddd")
                      .record("Twelve chars", 2, "eeee")
                      .build()
                      .bytes,
         R"(5+0: 1@1 "Pop" 4+0, 2@2 "Bal lad" 4+0, 3@3 "" 4+0, 4@4 "\x09" 4+0, 5@5 "Twelve char" 4+0)"},
        // Records beyond the end of the directory are short or missing: styles with what is there.
        {"cut directory", PaFileBuilder().style("Full", 300).style("Short", 300).performance(300)
                              .cutDirectory(24 + 5).build().bytes,
         R"(3+0: 1@1 "Full" 300+0, 2@2 "Short" 300+0, 3@3 "" 300+0)"},
    });
}

// The 0xFE chunk header that the instruments write before "KBEG" is not part of the last style.
TEST(PaSeriesWalker, TrailerChunkHeader)
{
    const auto built = PaFileBuilder().style("One", 441).performance(631).trailerChunkHeader().build();
    ASSERT_EQ(built.bytes.size(), 1188);
    ASSERT_EQ(built.bytes.mid(1156, 8), QByteArray::fromHex("FE00001800000018"));
    QByteArray wrongLength = built.bytes;
    wrongLength[1163] = 0x19;  // then it is no header: its 8 bytes belong to the last chunk
    const auto empty = PaFileBuilder().style("One", 441).performance(0).trailerChunkHeader().build();
    const auto start = quint32(empty.kbeg - 4);  // the last chunk starts inside the trailer header
    const QByteArray inHeader = QByteArray(empty.bytes).replace(empty.tableStart + 4, 4,
                                                               QByteArray::fromHex(QByteArray::number(start, 16).rightJustified(8, '0')));

    expectSummaries({
        {"header", built.bytes, R"(1+0: 1@1 "One" 441+631)"},
        {"no header", PaFileBuilder().style("One", 441).performance(631).build().bytes, R"(1+0: 1@1 "One" 441+631)"},
        {"wrong length", wrongLength, R"(1+0: 1@1 "One" 441+639)"},
        {"negative last chunk", inHeader,
         damaged(QStringLiteral("chunk 2 starts at offset %1, beyond the last chunk's end (%2)").arg(start).arg(empty.kbeg - 8))},
    });
}

TEST(PaSeriesWalker, DamagedTrailersListNothing)
{
    const auto built = PaFileBuilder().style("A", 100).performance(100).style("B", 100).performance(100).build();
    ASSERT_EQ(built.chunkStarts[1], 232);
    const auto with = [&](qsizetype offset, const QByteArray &bytes) { return QByteArray(built.bytes).replace(offset, bytes.size(), bytes); };
    const auto entry = [&](int c) { return built.tableStart + 4 * c; };
    QByteArray closeKend = with(built.kend, "KENX").replace(built.kbeg + 4, 4, "KEND");
    // "KEND" moved 3 bytes on: 19 table bytes round to 5 entries, the fifth incomplete.
    QByteArray incomplete = with(built.kend, QByteArray(4, '\0')).replace(built.kend + 3, 4, "KEND");
    PaFileBuilder tooMany;
    for (int i = 0; i < 65; ++i)
        tooMany.style("S", 4);

    expectSummaries({
        {"short", built.bytes.left(319), damaged("the file is shorter than 320 bytes")},
        {"no KBEG", with(built.kbeg, "KBEX"), damaged(R"(the marker "KBEG" is not in the last 320 bytes)")},
        {"no KEND", with(built.kend, "KENX"), damaged(R"(the marker "KEND" is not in the last 320 bytes)")},
        {"close KEND", closeKend, damaged(R"(the marker "KEND" stands less than 8 bytes after "KBEG")")},
        {"incomplete entry", incomplete, damaged("the chunk table ends with an incomplete entry")},
        {"65 entries", tooMany.build().bytes, damaged("the chunk table holds more than 64 entries")},
        {"in header", with(entry(0), QByteArray::fromHex("00000023")), damaged("chunk 1 starts at offset 35, inside the file header")},
        {"falling", with(entry(2), QByteArray::fromHex("000000E7")), damaged("chunk 3 starts at offset 231, before chunk 2")},
        {"beyond the end", with(entry(3), QByteArray::fromHex("00FFFFFF")),
         damaged(QStringLiteral("chunk 4 starts at offset 16777215, beyond the last chunk's end (%1)").arg(built.kbeg))},
        // All four bytes of an offset count: this one lies 16 MiB further on than its low three say.
        {"high byte", with(entry(3), QByteArray::fromHex("01000064")),
         damaged(QStringLiteral("chunk 4 starts at offset 16777316, beyond the last chunk's end (%1)").arg(built.kbeg))},
        {"performance without style", PaFileBuilder().style("A", 10).performance(10).performance(10).build().bytes,
         damaged("directory record 3 holds performance data for a style the file does not have")},
    });
}

TEST(PaSeriesWalker, NewerDirectory)
{
    const QByteArray good = PaFileBuilder::newerRecord({{0, identity(2)}, {2, "A"}});
    QByteArray longLength = good;
    longLength[0] = char(0x7F);  // the record claims more bytes than the directory has
    QByteArray propertyPast = good;
    propertyPast[2 + 2 + 2 + 1] = char(0x40);  // the first property's size runs past its record
    QByteArray noChecksum = PaFileBuilder::newerRecord({{0, identity(2)}});
    noChecksum.chop(4);
    noChecksum[1] = char(noChecksum[1] - 4);
    const QByteArray nulInside = PaFileBuilder::newerRecord({{2, QByteArray("Jazz\0junk", 9)}, {0, identity(2)}});
    const QByteArray nonLatin1 = PaFileBuilder::newerRecord({{0, identity(2)}, {9, "unknown"}, {2, "Caf\xC3\xA9 \xE2\x82\xAC"}});

    expectSummaries({
        {"example", PaFileBuilder().newerDirectory().style("1/4", 355).performance(1030).style("2/4", 348)
                        .performance(1030).build().bytes,
         R"(2+0: 1@1 "1/4" 355+1030, 2@3 "2/4" 348+1030)"},
        {"names", newerFileWithDirectory(nulInside + nonLatin1, 2), R"(2+0: 1@1 "Jazz" 40+0, 2@2 "Caf\xe9 ?" 40+0)"},
        {"long record", newerFileWithDirectory(longLength, 2),
         damaged("directory record 1 runs past the end of the directory (offset 180)")},
        {"property past its record", newerFileWithDirectory(propertyPast, 2),
         damaged("property 1 of directory record 1 runs past the end of the directory record 1 (offset 20)")},
        {"no checksum", newerFileWithDirectory(noChecksum, 1),
         damaged("directory record 1's checksum runs past the end of the directory record 1 (offset 11)")},
        {"short identity", newerFileWithDirectory(PaFileBuilder::newerRecord({{0, "\x02"}}), 2),
         damaged("property 1 of directory record 1 is shorter than 3 bytes")},
        // After one good record the zero bytes read as a record of length 0, too short for anything.
        {"second record empty", newerFileWithDirectory(good, 2),
         damaged("directory record 2's property count runs past the end of the directory record 2 (offset 22)")},
        {"fewer records than chunks", PaFileBuilder().newerDirectory().style("A", 300).style("B", 300)
                                          .cutDirectory(21).build().bytes,
         damaged("the directory holds 1 records for 2 chunks")},
    });
}
