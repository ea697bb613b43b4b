#include "pa_style_chunks.h"
#include "test_support.h"
#include "styles/damaged_file.h"
#include "styles/style_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>

static QByteArray korgFile()
{
    return ISeriesFileBuilder("KORG9").slot(3000, "Usable    ").slot(500, "Ghost").build();
}

// Only names ending in ".STY", in any letter case, are loaded. The tag is "KORF" when it stands at
// offset 23, else the first five bytes; byte 34 of a "KORF" file tells a Pa1X/Pro's (6), and a
// first models' header before a compressed first style a bank of the Pa600 generation.
TEST(LoadStyleFile, NamesTagsAndThePa1XFlag)
{
    const char *const loaded = R"(1+1: 1@1 "Usable    " 3000+0, 2@2 "GhostMNOPQ" 500+0 ghost)";
    const char *const refused = "no file ! critical ZuvOzu: Unknown File Type!";
    const std::pair<const char *, const char *> names[] = {{"upper.STY", loaded},
        {"lower.sty", loaded}, {"mixed.Sty", loaded}, {"blank.STY ", refused},
        {"text.TXT", refused}, {"perf.prf", "no file ! none -: In development"}};
    for (const auto &[name, expected] : names)
        EXPECT_EQ(loadSummary(korgFile(), name), expected) << name;

    const auto korfAt23 = [](int size, char at34 = 0) {
        QByteArray bytes = QByteArray("KORG9")
                               .leftJustified(size, 'x', true)
                               .replace(23, 4, QByteArray("KORF").left(size - 23));
        return size > 34 ? bytes.replace(34, 1, QByteArray(1, at34)) : bytes;
    };
    const QString unknown = " 0+0: ! warning Quarv: Unknown file format!";
    const QString paShort = ' ' + damaged("the file is shorter than 320 bytes");
    // The first models' header also stands before banks of the Pa600 generation, whose style
    // chunks are compressed: the first style's chunk tells them apart.
    PaFileBuilder emptyFirst;
    emptyFirst.pa600Header().record("Empty", 2, {}).record("Jig", 2, paStyleChunk(3, 8));
    const std::pair<QByteArray, QString> cases[] = {
        {QByteArray(), unknown},
        {"korg9xxxx", "korg9" + unknown},
        {korfAt23(26),
            "i3,i2,i1,i4s (KORG9) " + damaged("the file is shorter than its 96-byte header")},
        {korfAt23(27), "Pa50/60/80 (KORF)" + paShort},
        {korfAt23(34), "Pa50/60/80 (KORF)" + paShort},
        {korfAt23(35, 6), "Pa1X/Pro (KORF) pa1x" + paShort},
        {korfAt23(35, 7), "Pa50/60/80 (KORF)" + paShort},
        {pa600Bank(), R"(Pa-series (KORF) 2+0: 1@1 "Jig" 213+133, 2@2 "March" 213+133)"},
        {PaFileBuilder().pa600Header().style("Plain", 400).bytes(),
            R"(Pa50/60/80 (KORF) 1+0: 1@1 "Plain" 400+0)"},
        {emptyFirst.bytes(), R"(Pa50/60/80 (KORF) 2+0: 1@1 "Empty" 0+0, 2@2 "Jig" 213+0)"},
        {PaFileBuilder().newerDirectory().style("Plain", 400).bytes(),
            R"(Pa-series (KORF) 1+0: 1@1 "Plain" 400+0)"},
    };
    for (const auto &[bytes, expected] : cases) {
        TestFolder folder;
        const LoadResult result = loadStyleFile(folder.write("TEST.STY", bytes), FileService());
        const StyleHeader &header = result.file->header;
        EXPECT_EQ((header.format ? header.format->caption() : QString::fromLatin1(header.tag))
                + (header.pa1x ? " pa1x" : "") + ' ' + summary(result),
            expected);
    }
}

// A file that cannot be read at all gives no file to show, only the reason; nor does one that
// changed while it was read: it could mix old and new bytes. Every load closes what it opened,
// whatever its outcome: a report over thousands of files must not run out of file descriptors.
TEST(LoadStyleFile, FilesThatCannotBeReadShowNothingAndEveryLoadCloses)
{
    TestFolder folder;
    const auto path = [&](const char *name) { return folder.path(QLatin1String(name)); };
    QFile sparse(path("HUGE.STY"));
    ASSERT_TRUE(QDir().mkdir(path("x.STY"))
        && ::mkfifo(QFile::encodeName(path("fifo.STY")).constData(), 0600) == 0
        && QFile::link(path("loop.STY"), path("loop.STY")) && sparse.open(QIODevice::WriteOnly)
        && sparse.resize(qint64(1) << 31));
    for (const auto &[name, reason] : {std::pair("MISSING.STY", "No such file or directory"),
             std::pair("x.STY", "this is a folder, not a file"),
             std::pair("fifo.STY", "this is not a regular file"),
             std::pair("loop.STY", "Too many levels of symbolic links"),
             std::pair("HUGE.STY", "the file is larger than 2,147,483,647 bytes")})
        EXPECT_EQ(summary(loadStyleFile(path(name), FileService())),
            QString("no file ! warning Quarv: Cannot read %1: %2.").arg(path(name), reason));
    // A read the system refuses, as a failing disk does, is an error, never a file cut short.
    struct stat dir { };
    const int fd = ::open(QFile::encodeName(path("x.STY")).constData(), O_RDONLY);
    ASSERT_EQ(::fstat(fd, &dir), 0);
    const ReadOnlyFile unreadable(fd, dir, "x.STY", std::make_shared<std::atomic<qint64>>());
    EXPECT_THROW((void)unreadable.readAt(0, 1), FileError);
    const auto openFiles = [] {
        return QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size();
    };
    const auto before = openFiles();
    // After the file is opened, another program rewrites it in place: cut to half its size, or the
    // same size with other bytes.
    for (const bool shrink : {true, false}) {
        HookedFileService files;
        files.afterOpening = [shrink](const QString &path) {
            QFile rewrite(path);
            EXPECT_TRUE(rewrite.open(QIODevice::ReadWrite)
                && (shrink ? rewrite.resize(rewrite.size() / 2)
                           : rewrite.write(QByteArray(int(rewrite.size()), 'x')) > 0));
        };
        // The test folder's old time stamp: the rewrite changes it, however coarse the clock.
        for (const QByteArray &bytes : {paSeriesFile(4000), korgFile()}) {
            EXPECT_EQ(summary(loadStyleFile(folder.write("CHANGE.sty", bytes), files)),
                "no file ! warning Quarv: Damaged style file: CHANGE.sty: the file changed while "
                "it was being read.");
            folder.remove("CHANGE.sty");  // changed on purpose
        }
    }
    for (const QByteArray &bytes : {korgFile(), korgFile().left(200), QByteArray("unknown")})
        (void)loadSummary(bytes);
    EXPECT_EQ(openFiles(), before);
}

// A load reads a file of up to 64 KiB whole, in one read; of a larger one only its tables and
// names, never a style's own bytes: what it reads does not grow with the styles, and stays within
// 64 KiB. A style's bytes are read when asked for, from the file as it was loaded.
TEST(LoadStyleFile, ReadsOnlyWhatItShowsAndStylesOnDemand)
{
    TestFolder folder;
    const FileService files;
    const auto bytesRead = [&](const QByteArray &bytes) {
        const qint64 before = files.bytesRead();
        EXPECT_FALSE(loadStyleFile(folder.write("COST.STY", bytes), files).problem);
        const qint64 read = files.bytesRead() - before;
        return bytes.size() <= 65536 ? read - bytes.size() : read;  // 0: read whole, once
    };
    const qint64 large = bytesRead(paSeriesFile(200000));
    EXPECT_EQ(QList<qint64>({bytesRead(paSeriesFile(1000)), bytesRead(korgmFile(1000))}),
        QList<qint64>({0, 0}));
    EXPECT_EQ(bytesRead(paSeriesFile(2500)), large) << "the same for styles 80 times larger";
    EXPECT_LE(std::max({large, bytesRead(korgmFile(1400)), bytesRead(korgmFile(65535))}), 65536);

    const auto built = PaFileBuilder().style("A", 300).performance(200).build();
    const QString path = folder.write("ON DEMAND.STY", built.bytes);
    const StyleFile file = *loadStyleFile(path, files).file;
    const auto readStyle = [&](const FileService &service) {
        try {
            const StyleBytes bytes(file, service);
            QByteArray main;  // in pieces, as the duplicate check reads a style
            bytes.readInPieces(
                file.styles[0], StylePart::Main, 128, [&](QByteArrayView piece) { main += piece; });
            return main + bytes.read(file.styles[0], StylePart::Supplementary);
        } catch (const FileError &error) {
            return error.readProblem().text().toUtf8();
        }
    };
    EXPECT_EQ(readStyle(files),
        built.bytes.mid(built.chunkStarts[0], 300) + built.bytes.mid(built.chunkStarts[1], 200));
    // Another program changes the file once the read has opened it, or before.
    HookedFileService changing;
    changing.afterOpening
        = [&](const QString &) { folder.write("ON DEMAND.STY", built.bytes + "+"); };
    const QByteArray changed
        = "Cannot read " + path.toUtf8() + ": the file changed since it was loaded.";
    EXPECT_EQ(readStyle(changing), changed);
    EXPECT_EQ(readStyle(files), changed);
}

// A read outside the bytes, or one that comes back short because the file changed, is damage,
// never bytes from elsewhere.
TEST(ByteSource, ReadsOnlyWhatItHasAndAllOfIt)
{
    struct Shrunk : MemoryByteSource {  // one byte fewer than it said it had
        using MemoryByteSource::MemoryByteSource;
        qint64 size() const override { return MemoryByteSource::size() + 1; }
    };
    MemoryByteSource four("ABCD");
    Shrunk shrunk("ABCD");
    const auto read = [](ByteSource &source, qint64 offset, qint64 length) {
        try {
            return QString::fromLatin1(source.read(offset, length));
        } catch (const DamagedFile &damage) {
            return damage.problem();
        }
    };
    EXPECT_EQ(QStringList({read(four, 1, 3), read(four, 2, 3), read(four, -1, 1), read(four, 0, -1),
                  read(shrunk, 2, 3)}),
        QStringList({"BCD", "a read from offset 2 of 3 bytes lies outside the file",
            "a read from offset -1 of 1 byte lies outside the file",
            "a read from offset 0 of -1 bytes lies outside the file",
            "the file changed while it was being read"}));
}
