#include "test_support.h"

// Each case: the bytes, the expected summary.
static void expectSummaries(const std::vector<std::pair<QByteArray, QString>> &cases)
{
    for (const auto &[bytes, expected] : cases)
        EXPECT_EQ(loadSummary(bytes), expected);
}

// A file with the given bytes in place of its newer-layout directory, and `chunks` chunks of 40
// bytes.
static QByteArray newerFileWithDirectory(const QByteArray &directory, int chunks)
{
    PaFileBuilder b;
    for (int i = 0; i < chunks; ++i)
        b.style("X", 40);
    const auto built = b.newerDirectory().build();
    const int length = built.chunkStarts.front() - 36;
    return QByteArray(built.bytes).replace(36, length, directory.leftJustified(length, '\0'));
}

static const QByteArray Identity("\x02\0\0", 3);  // a style's kind, bank and slot

// The worked example: 10,000 bytes, chunks at 300, 3000, 5000 and 8000, "KBEG" at 9879 and "KEND"
// at 9903; records 1 and 2 are styles, 3 and 4 their performance data. The last chunk ends just
// before "KBEG"; the 0xFE chunk header that the instruments write before "KBEG" is not part of
// the last style.
TEST(PaSeriesWalker, RecordsAndChunks)
{
    PaFileBuilder worked;
    worked.style("Pop", 2700).style("Rock", 2000).performance(3000).performance(1879);
    const auto example = worked.directoryPadding(264 - 4 * 24).trailingBytes(89).build();
    const auto header
        = PaFileBuilder().style("One", 441).performance(631).trailerChunkHeader().build();
    const auto empty
        = PaFileBuilder().style("One", 441).performance(0).trailerChunkHeader().build();
    const auto start = quint32(empty.kbeg - 4);  // the last chunk starts inside the trailer header
    PaFileBuilder odd;  // n = 7: four styles, then the performance data of styles 1 to 3
    for (const char *name : {"S1", "S2", "S3", "S4"})
        odd.style(name, 50);
    const QString most = loadSummary(paSeriesFile(4));  // 64 entries
    EXPECT_EQ(most.section(", ", 0, 1) + " ... " + most.section(", ", 31),
        R"(32+0: 1@1 "Style 0" 4+1, 2@3 "Style 1" 4+1 ... 32@63 "Style 31" 4+1)");
    // A decoy "KEND" and "KBEG" inside the last chunk come before the real trailer.
    const QByteArray decoy = QByteArray(60, 'x') + "KENDxxxxKBEGxxxx" + QByteArray(60, 'x');
    // Ten table bytes: n rounds to 2 (2.5 to even); the two extra bytes are not an entry.
    const auto pair = PaFileBuilder().style("A", 50).performance(50).build();
    // Records beyond the end of the directory are short or missing: styles with what is there.
    PaFileBuilder cut;
    cut.style("Full", 300).style("Short", 300).performance(300).cutDirectory(24 + 5);
    expectSummaries({
        {example.bytes, R"(2+0: 1@1 "Pop" 2700+3000, 2@2 "Rock" 2000+1879)"},
        {header.bytes, R"(1+0: 1@1 "One" 441+631)"},
        // "KBEG" as far back as it may stand, 320 bytes from the end, its chunk header before it.
        {PaFileBuilder()
                .style("One", 441)
                .performance(631)
                .trailerChunkHeader()
                .trailingBytes(296)
                .bytes(),
            R"(1+0: 1@1 "One" 441+631)"},
        // With another length it is no header: its 8 bytes belong to the last chunk.
        {QByteArray(header.bytes).replace(header.kbeg - 1, 1, "\x19"), R"(1+0: 1@1 "One" 441+639)"},
        {QByteArray(empty.bytes)
                .replace(empty.tableStart + 4, 4,
                    QByteArray::fromHex(QByteArray::number(start, 16).rightJustified(8, '0'))),
            damaged(QString("chunk 2 starts at offset %1, beyond the last chunk's end (%2)")
                        .arg(start)
                        .arg(empty.kbeg - 8))},
        {odd.performance(61).performance(62).performance(63).bytes(),
            R"(4+0: 1@1 "S1" 50+61, 2@2 "S2" 50+62, 3@3 "S3" 50+63, 4@4 "S4" 50+0)"},
        {PaFileBuilder().performance(10).style("A", 11).style("B", 12).bytes(),
            R"(2+0: 1@2 "A" 11+10, 2@3 "B" 12+0)"},
        {PaFileBuilder().style("A", 0).performance(0).style("B", 300).performance(0).bytes(),
            R"(2+0: 1@1 "A" 0+0, 2@3 "B" 300+0)"},
        {PaFileBuilder().style("Big", 17000000).performance(1000).bytes(),
            R"(1+0: 1@1 "Big" 17000000+1000)"},
        {PaFileBuilder().style("Only", 90).record(QByteArray(11, ' '), 7, decoy).bytes(),
            R"(1+0: 1@1 "Only" 90+136)"},
        {QByteArray(pair.bytes).insert(pair.kend, QByteArray(2, '\0')), R"(1+0: 1@1 "A" 50+50)"},
        {PaFileBuilder()
                .record(QByteArray("P\0o\0p", 5) + QByteArray(6, '\0'), 2, "aaaa")
                .record("  Bal lad  ", 2, "bbbb")
                .record(QByteArray(11, '\0'), 2, "cccc")
                .record(QByteArray(" \0\t\0 \0 \0 \0 ", 11), 2, "dddd")
                .record("Twelve chars", 2, "eeee")
                .bytes(),
            R"(5+0: 1@1 "Pop" 4+0, 2@2 "Bal lad" 4+0, 3@3 "" 4+0, 4@4 "\x09" 4+0, 5@5 "Twelve char" 4+0)"},
        {cut.bytes(), R"(3+0: 1@1 "Full" 300+0, 2@2 "Short" 300+0, 3@3 "" 300+0)"},
    });
}

TEST(PaSeriesWalker, DamagedTrailersListNothing)
{
    const auto built
        = PaFileBuilder().style("A", 100).performance(100).style("B", 100).performance(100).build();
    const auto with = [&](qsizetype offset, const QByteArray &bytes) {
        return QByteArray(built.bytes).replace(offset, bytes.size(), bytes);
    };
    const auto entry = [&](int c, const char *hex) {
        return with(built.tableStart + 4 * c, QByteArray::fromHex(hex));
    };
    PaFileBuilder tooMany;
    for (int i = 0; i < 65; ++i)
        tooMany.style("S", 4);
    const QString beyond
        = QString("chunk 4 starts at offset %2, beyond the last chunk's end (%1)").arg(built.kbeg);
    expectSummaries({
        {built.bytes.left(319), damaged("the file is shorter than 320 bytes")},
        {with(built.kbeg, "KBEX"), damaged(R"(the marker "KBEG" is not in the last 320 bytes)")},
        {with(built.kend, "KENX"), damaged(R"(the marker "KEND" is not in the last 320 bytes)")},
        {with(built.kend, "KENX").replace(built.kbeg + 4, 4, "KEND"),
            damaged(R"(the marker "KEND" stands less than 8 bytes after "KBEG")")},
        // "KEND" moved 6 bytes on: 22 table bytes round (half to even) to 6 entries, the sixth
        // incomplete.
        {with(built.kend, QByteArray(4, '\0')).replace(built.kend + 6, 4, "KEND"),
            damaged("the chunk table ends with an incomplete entry")},
        {tooMany.bytes(), damaged("the chunk table holds more than 64 entries")},
        {entry(0, "00000023"), damaged("chunk 1 starts at offset 35, inside the file header")},
        {entry(2, "000000E7"), damaged("chunk 3 starts at offset 231, before chunk 2")},
        {entry(3, "00FFFFFF"), damaged(beyond.arg(16777215))},
        // All four bytes of an offset count: this one lies 16 MiB further on than its low three
        // say.
        {entry(3, "01000064"), damaged(beyond.arg(16777316))},
        {PaFileBuilder().style("A", 10).performance(10).performance(10).bytes(),
            damaged(
                "directory record 3 holds performance data for a style the file does not have")},
    });
}

TEST(PaSeriesWalker, NewerDirectory)
{
    PaFileBuilder newer;
    newer.newerDirectory();
    const QByteArray good = PaFileBuilder::newerRecord({{0, Identity}, {2, "A"}});
    QByteArray noChecksum = PaFileBuilder::newerRecord({{0, Identity}});
    noChecksum.chop(4);
    noChecksum[1] = char(noChecksum[1] - 4);
    const QByteArray nulInside
        = PaFileBuilder::newerRecord({{2, QByteArray("Jazz\0junk", 9)}, {0, Identity}});
    const QByteArray nonLatin1 = PaFileBuilder::newerRecord(
        {{0, Identity}, {9, "unknown"}, {9, ""}, {2, "Caf\xC3\xA9 \xE2\x82\xAC"}});
    expectSummaries({
        {newer.style("1/4", 355).performance(1030).style("2/4", 348).performance(1030).bytes(),
            R"(2+0: 1@1 "1/4" 355+1030, 2@3 "2/4" 348+1030)"},
        {newerFileWithDirectory(nulInside + nonLatin1, 2),
            R"(2+0: 1@1 "Jazz" 40+0, 2@2 "Caf\xc3\xa9 \xe2\x82\xac" 40+0)"},
        // The record claims more bytes than the directory has.
        {newerFileWithDirectory(QByteArray(good).replace(0, 1, "\x7f"), 2),
            damaged("directory record 1 runs past the end of the directory (offset 180)")},
        {newerFileWithDirectory(QByteArray(good).replace(7, 1, "\x40"), 2),
            damaged("property 1 of directory record 1 runs past the end of the directory record 1 "
                    "(offset 20)")},
        {newerFileWithDirectory(noChecksum, 1),
            damaged("directory record 1's checksum runs past the end of the directory record 1 "
                    "(offset 11)")},
        {newerFileWithDirectory(PaFileBuilder::newerRecord({{0, "\x02"}}), 2),
            damaged("property 1 of directory record 1 is shorter than 3 bytes")},
        // After one good record, a record of one byte: too short for its property count.
        {newerFileWithDirectory(good + QByteArray("\0\1\0", 3), 2),
            damaged("directory record 2's property count runs past the end of the directory record "
                    "2 (offset 23)")},
        {PaFileBuilder().newerDirectory().style("A", 300).style("B", 300).cutDirectory(21).bytes(),
            damaged("the directory holds 1 record for 2 chunks")},
        // Record 2 one byte longer than what is left of the directory.
        {PaFileBuilder().newerDirectory().style("A", 300).style("B", 300).cutDirectory(41).bytes(),
            damaged("directory record 2 runs past the end of the directory (offset 41)")},
    });
}
