#include "oc31_encoder.h"
#include "pa_style_chunks.h"
#include "styles/style_details.h"
#include "test_support.h"

#include <QtEndian>

// What decompressOc31 makes of a payload: its bytes, or the problem's number.
static QByteArray decoded(const QByteArray &payload)
{
    QByteArray out;
    const Oc31Problem problem = decompressOc31(payload, out);
    return problem == Oc31Problem::None ? out : "problem " + QByteArray::number(int(problem));
}

static QByteArray problem(Oc31Problem p) { return "problem " + QByteArray::number(int(p)); }

// What a compressed chunk holds.
static QByteArray contentsOf(const QByteArray &chunk)
{
    QByteArray contents;
    EXPECT_EQ(decompressOc31(QByteArrayView(chunk).sliced(8), contents), Oc31Problem::None);
    return contents;
}

// A style's details in one line: meter, tempo ("-" where not known) and integrity.
static QString described(const StyleDetails &details)
{
    if (details.integrity == Integrity::Damaged)
        return damageMessage(details, 1);
    return (details.meter ? details.meter->text() : "-") + ' '
        + (details.tempo ? QString::number(*details.tempo) : "-")
        + (details.integrity == Integrity::Intact ? " intact" : " not known");
}

// The format note's three known answers; what the encoder writes, in every block form, comes
// back; a damaged or hostile payload is named, never read or written out of bounds.
TEST(Oc31, KnownAnswersRoundTripsAndDamage)
{
    const QByteArray first = QByteArray::fromHex("4f4333310a0000000241424344600e5859010000"
                                                 "01");
    const QByteArray second = QByteArray::fromHex(
        "4f 43 33 31 6b 00 00 00 00 02 30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66 67 68 69 6a"
        " 20 00 00 04 25 00 d5 21 21 00 28 00 f4 01 00 05 56 57 58 59 5a 01 00 00 4f");
    QByteArray sevens(16400, '\0');  // byte i is (7i + 3) mod 256
    for (int i = 0; i < sevens.size(); ++i)
        sevens[i] = char((7 * i + 3) % 256);
    const QByteArray third = "OC31" + QByteArray::fromHex("16400000") + "\x01\x40\x10" + sevens
        + QByteArray::fromHex("14003c01000079");
    QByteArray ten = "0123456789abcdefghij" + QByteArray("ij").repeated(17) + "0123456!";
    ten += ten.left(40) + "VWXYZ";
    // 40,000 bytes that do not repeat, then pieces of them from 16 KiB and 32 KiB back and more,
    // long and short, each followed by one to three bytes of its own (the far copies and their
    // literals), then track data (every other form).
    QByteArray far;
    quint32 seed = 1;
    for (int i = 0; i < 40000; ++i)
        far += char((seed = seed * 1103515245 + 12345) >> 24);
    far += far.left(9000) + "a" + far.mid(30000, 3000) + "bb" + far.mid(5000, 7) + "ccc"
        + far.mid(25000, 120) + "d" + far.mid(34000, 6) + "e" + far.mid(20000, 200)
        + paStyleChunk(3, 4);
    const auto withLength = [&](QByteArray payload, quint32 length) {
        qToLittleEndian(length, payload.data() + 4);
        return payload;
    };
    const std::pair<QByteArray, QByteArray> cases[] = {
        {first, "ABCDABCDXY"},
        {second, ten},
        {third, sevens + QByteArray::fromHex("030a11181f26")},
        {oc31Compressed(far), far},
        {"OC3", problem(Oc31Problem::NotOc31)},
        {QByteArray(first).replace(3, 1, "2"), problem(Oc31Problem::NotOc31)},
        // Over 16 MiB from a payload that 256 times would allow, and 16 MiB itself.
        {withLength(first + QByteArray(70000, 0), 0x1000001), problem(Oc31Problem::TooLarge)},
        {withLength(first + QByteArray(70000, 0), 0x1000000), problem(Oc31Problem::CutShort)},
        {withLength(first, 256 * 21 + 1), problem(Oc31Problem::TooLarge)},
        {withLength(first, 256 * 21), problem(Oc31Problem::CutShort)},
        {first.left(12), problem(Oc31Problem::CutShort)},
        {QByteArray("OC31\x0a\0\0\0\x60\x0e", 10), problem(Oc31Problem::BeforeStart)},
        {withLength(first, 9), problem(Oc31Problem::PastLength)},
        {withLength(first, 11), problem(Oc31Problem::CutShort)},
        {first + '\0', problem(Oc31Problem::BadEnding)},
        {QByteArray(first).replace(18, 1, "\x01"), problem(Oc31Problem::BadEnding)},
        {QByteArray(first).replace(20, 1, "\x02"), problem(Oc31Problem::FailsCheck)},
    };
    for (const auto &[payload, expected] : cases)
        EXPECT_EQ(decoded(payload), expected) << payload.toHex().left(80).toStdString();
}

// Meter and tempo as the style and the performance chunks keep them, in both tempo layouts, and
// nothing where a layout or a value is not known.
TEST(StyleDetails, MeterTempoAndWhatIsNotKnown)
{
    const QByteArray waltz = paStyleChunk(3, 4);
    const QByteArray tempo = paPerformanceChunk(TempoLayout::Version21, 90);
    const std::tuple<QByteArray, QByteArray, const char *> cases[] = {
        {waltz, paPerformanceChunk(TempoLayout::Version10, 72), "3/4 72 intact"},
        {waltz, paPerformanceChunk(TempoLayout::Version10, 72, -1, 15), "3/4 72 intact"},
        {waltz, paPerformanceChunk(TempoLayout::Version10, 72, -1, 16), "3/4 - intact"},
        {waltz, paPerformanceChunk(TempoLayout::Version10, 72, -1, 0, 0x04000008), "3/4 - intact"},
        {paStyleChunk(6, 8), paPerformanceChunk(TempoLayout::Version20, 120), "6/8 120 intact"},
        {paStyleChunk(16, 16), paPerformanceChunk(TempoLayout::Version21, 250), "16/16 250 intact"},
        {paStyleChunk(1, 4), paPerformanceChunk(TempoLayout::Version21, 30), "1/4 30 intact"},
        {paStyleChunk(5, 2), paPerformanceChunk(TempoLayout::Version21, 251), "- - intact"},
        {paStyleChunk(17, 8), paPerformanceChunk(TempoLayout::Version10, 29), "- - intact"},
        {paStyleChunk(7, 32), paPerformanceChunk(TempoLayout::Version21, 90, 91), "- - intact"},
        {waltz, {}, "3/4 - intact"},
        {paChunk(0x06010060, waltz.mid(8)), tempo, "- 90 not known"},
        {paChunk(0x06010000, paChunk(0x01050000, {})), tempo, "- 90 not known"},
        {waltz, paChunk(0x08020120, tempo.mid(8)), "3/4 - not known"},
        // Element infos of version 0: the note knows no meter in them.
        {paChunk(0x06010020,
             oc31Compressed(contentsOf(waltz).replace(
                 QByteArray::fromHex("01010108"), QByteArray::fromHex("01000108")))),
            {}, "- - intact"},
        {{}, {}, "- - not known"},
        {waltz.left(5), tempo, "style 1: its data is cut short"},
        {paChunk(0x06010020, {}), {}, "style 1: its data is not compressed as its header says"},
        {waltz, tempo.left(tempo.size() - 1), "style 1: its performance data is cut short"},
        {paChunk(qFromBigEndian<quint32>(waltz.data()), oc31Compressed("no chunk")), {},
            "style 1: its data does not hold its chunks as it should"},
        // A chunk may be empty, the last one too, and a style may hold thousands.
        {paChunk(0x06010020,
             oc31Compressed(contentsOf(waltz) + paChunk(0x0A000008, {}).repeated(5000))),
            {}, "3/4 - intact"},
        // Whole, but holding no style: nothing at all, or two million empty chunks.
        {paChunk(0x06010020, QByteArray("OC31\0\0\0\0\x01\0\0\0", 12)), {},
            "style 1: its data does not hold its chunks as it should"},
        {paChunk(0x06010020, oc31Zeros(Oc31MaxLength)), {},
            "style 1: its data does not hold its chunks as it should"},
    };
    for (const auto &[style, performance, expected] : cases)
        EXPECT_EQ(described(readStyle(style, performance).details), QLatin1String(expected))
            << expected;
}

// A flipped byte anywhere in a compressed chunk is found: every position of a small one, flipped
// in turn, but those the format cannot tell. Bytes 0 to 3 are the chunk's id: flipped, it is
// another kind of chunk (or version) and nothing is said of it. Bytes 55-57, 73, 80 and 89 are
// literals of the mixer's data that the stream repeats to an even count: flipped in every copy,
// they leave the XOR check as it was, and data chunks hold no chunks to check.
TEST(StyleDetails, EveryFlippedByteIsFound)
{
    const QByteArray chunk = paPerformanceChunk(TempoLayout::Version20, 100);
    QList<qsizetype> unseen;
    for (qsizetype at = 0; at < chunk.size(); ++at) {
        QByteArray flipped = chunk;
        flipped[at] = char(~flipped[at]);
        if (readStyle(paStyleChunk(4, 4), flipped).details.integrity != Integrity::Damaged)
            unseen << at;
    }
    EXPECT_EQ(unseen, (QList<qsizetype> {0, 1, 2, 3, 55, 56, 57, 73, 80, 89}));
}

// A style's details cost its chunk's bytes, never its place's: in a newer-layout bank of
// 2,147,483,647 bytes (sparse: nothing stands between the last style and the trailer, which the
// style's place reaches), the compressed style's chunk is all that is read, and of an
// uncompressed one, whose layout is not known, its header.
TEST(StyleDetails, ReadOnlyWhatTheChunksDeclare)
{
    const auto built = PaFileBuilder()
                           .newerDirectory()
                           .record("Plain", 2, paChunk(0x06010000, QByteArray(100, 'x')))
                           .record("Vast", 2, paStyleChunk(3, 4))
                           .build();
    const QByteArray trailer = built.bytes.mid(built.kbeg);
    TestFolder folder;
    QFile bank(folder.path("VAST.STY"));
    ASSERT_TRUE(bank.open(QIODevice::WriteOnly) && bank.write(built.bytes.left(built.kbeg)) > 0
        && bank.resize(2147483647 - trailer.size()) && bank.seek(bank.size())
        && bank.write(trailer) == trailer.size());
    bank.close();
    const FileService files;
    const StyleFile vast = *loadStyleFile(bank.fileName(), files).file;
    const qint64 before = files.bytesRead();
    const FileStyleDetails details = readStyleDetails(vast, files);
    EXPECT_EQ(files.bytesRead() - before, 8 + 213);
    EXPECT_EQ(described(details.styles.value(1)), "3/4 - intact");
}
