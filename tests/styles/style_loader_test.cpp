#include "load_harness.h"
#include "platform/file_error.h"
#include "style_file_builder.h"
#include "styles/style_bytes.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray korgFile() { return ISeriesFileBuilder("KORG9").slot(3000, "Usable    ").slot(500, "Ghost").build(); }

// The message as "<icon> <title>: <text>", a null title as "-".
QString messageOf(const LoadResult &result)
{
    if (!result.message)
        return {};
    const char *const icons[] = {"none", "warning", "critical"};
    const Message &m = *result.message;
    return QStringLiteral("%1 %2: %3").arg(QLatin1String(icons[int(m.icon)]), m.title.isNull() ? QStringLiteral("-") : m.title, m.text);
}

int openDescriptors() { return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size()); }

} // namespace

// Only names ending in ".STY", in any letter case, are loaded.
TEST(LoadStyleFile, NamesDecideWhatIsLoaded)
{
    const struct {
        const char *name;
        const char *message;  // nullptr: loaded
    } cases[] = {
        {"upper.STY", nullptr},
        {"lower.sty", nullptr},
        {"mixed.Sty", nullptr},
        {"blank.STY ", "critical ZuvOzu: Unknown File Type!"},
        {"text.TXT", "critical ZuvOzu: Unknown File Type!"},
        {"STY", "critical ZuvOzu: Unknown File Type!"},
        {"perf.PRF", "none -: In development"},
        {"perf.prf", "none -: In development"},
    };
    for (const auto &c : cases) {
        TestFolder folder;
        const LoadResult result = loadBytes(folder, korgFile(), QString::fromLatin1(c.name));
        EXPECT_EQ(messageOf(result), QString::fromLatin1(c.message)) << c.name;
        EXPECT_EQ(result.file.has_value(), c.message == nullptr) << c.name;
    }
}

// The tag is "KORF" when it stands at offset 23, else the first five bytes; the Pa1X flag is the
// byte at offset 34 of a "KORF" file.
TEST(LoadStyleFile, TagsAndThePa1XFlag)
{
    const auto korfAt23 = [](int size, char at34 = 0) {
        QByteArray bytes = QByteArray("KORG9").leftJustified(size, 'x', true);
        bytes.replace(23, 4, QByteArray("KORF").left(size - 23));
        if (size > 34)
            bytes[34] = at34;
        return bytes;
    };
    const QString paShort = QStringLiteral("0+0: ! Damaged style file: TEST.STY: the file is shorter than 320 bytes.");
    const struct {
        const char *label;
        QByteArray bytes;
        QByteArray tag;
        bool pa1x;
        QString summary;
    } cases[] = {
        {"empty", QByteArray(), "", false, "0+0: ! Unknown file format!"},
        {"four bytes", "KORG", "KORG", false, "0+0: ! Unknown file format!"},
        {"lower case", "korg9xxxx", "korg9", false, "0+0: ! Unknown file format!"},
        {"other digit", "KORG6xxxx", "KORG6", false, "0+0: ! Unknown file format!"},
        {"KORF cut at 26", korfAt23(26), "KORG9", false, "0+0: ! Damaged style file: TEST.STY: the file is shorter than its 96-byte header."},
        {"KORF at 27", korfAt23(27), "KORF", false, paShort},
        {"no byte 34", korfAt23(34), "KORF", false, paShort},
        {"byte 34 is 6", korfAt23(35, 6), "KORF", true, paShort},
        {"byte 34 is 7", korfAt23(35, 7), "KORF", false, paShort},
    };
    for (const auto &c : cases) {
        TestFolder folder;
        const LoadResult result = loadBytes(folder, c.bytes);
        ASSERT_TRUE(result.file) << c.label;
        EXPECT_EQ(result.file->tag, c.tag) << c.label;
        EXPECT_EQ(result.file->pa1x, c.pa1x) << c.label;
        EXPECT_EQ(summary(result), c.summary) << c.label;
        EXPECT_EQ(messageOf(result).left(13), QStringLiteral("warning Quarv")) << c.label;
    }
}

// A file that cannot be read at all gives no file to show, only the reason.
TEST(LoadStyleFile, UnreadableFiles)
{
    TestFolder folder;
    const QString directory = folder.path(QStringLiteral("x.STY"));
    ASSERT_TRUE(QDir().mkdir(directory));
    const QString fifo = folder.path(QStringLiteral("fifo.STY"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString loop = folder.path(QStringLiteral("loop.STY"));
    ASSERT_TRUE(QFile::link(loop, loop));
    const QString huge = folder.path(QStringLiteral("HUGE.STY"));
    QFile sparse(huge);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(1) << 31));
    sparse.close();
    const struct {
        QString path;
        const char *reason;
    } cases[] = {
        {folder.path(QStringLiteral("MISSING.STY")), "No such file or directory"},
        {directory, "this is a folder, not a file"},
        {fifo, "this is not a regular file"},
        {loop, "Too many levels of symbolic links"},
        {huge, "the file is larger than 2,147,483,647 bytes"},
    };
    for (const auto &c : cases) {
        const LoadResult result = loadStyleFile(c.path, FileService());
        EXPECT_EQ(messageOf(result), QStringLiteral("warning Quarv: Cannot read %1: %2.").arg(c.path, QLatin1String(c.reason)));
        EXPECT_FALSE(result.file);
    }
}

// Opens through the real service, then rewrites the file in place as another program might:
// cut to half its size, or the same size with other bytes.
class RewritingFileService : public FileService {
public:
    explicit RewritingFileService(bool shrink) : mShrink(shrink) {}
    std::unique_ptr<ReadOnlyFile> openForReading(const QString &path) const override
    {
        auto file = FileService::openForReading(path);
        QFile rewrite(path);
        EXPECT_TRUE(rewrite.open(QIODevice::ReadWrite));
        EXPECT_TRUE(mShrink ? rewrite.resize(rewrite.size() / 2) : rewrite.write(QByteArray(int(rewrite.size()), 'x')) > 0);
        return file;
    }

private:
    bool mShrink;
};

// Nothing of a file that changed while it was read is shown: it could mix old and new bytes.
TEST(LoadStyleFile, AFileRewrittenDuringTheLoadShowsNothing)
{
    for (const bool shrink : {true, false}) {
        for (const QByteArray &bytes : {PaFileBuilder().style("A", 4000).performance(4000).build().bytes,
                                        ISeriesFileBuilder("KORG9").slot(3000, "A").slot(3000, "B").build()}) {
            // Written by hand: the folder would report the change this test makes on purpose.
            TestFolder folder;
            const QString path = folder.path(QStringLiteral("CHANGE.sty"));
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.setFileTime(fixedModificationTime(), QFileDevice::FileModificationTime));
            out.close();
            EXPECT_EQ(summary(loadStyleFile(path, RewritingFileService(shrink))),
                      "no file ! Damaged style file: CHANGE.sty: the file changed while it was being read.");
        }
    }
}

// Every load closes what it opened, whatever its outcome: a report over thousands of files must
// not run out of file descriptors.
TEST(LoadStyleFile, ClosesTheFileWhateverTheOutcome)
{
    TestFolder folder;
    const int before = openDescriptors();
    for (const QByteArray &bytes : {korgFile(), korgFile().left(200), QByteArray("unknown")})
        (void)loadBytes(folder, bytes);
    EXPECT_EQ(openDescriptors(), before);
}

// A load reads the file's first 8 KiB (the header sample, the i-series header and the Pa-series
// directory lie in them), the Pa-series trailer (328 bytes) and the names beyond, never a style's
// own bytes: large styles cost what small ones cost, or less.
TEST(LoadStyleFile, ReadsOnlyWhatItShows)
{
    const auto pa = [](qint32 size) {
        PaFileBuilder builder;
        for (int k = 0; k < 32; ++k)
            builder.style("Style " + QByteArray::number(k), size).performance(size / 4);
        return builder.trailerChunkHeader().build().bytes;
    };
    const auto korgm = [](qint32 size) {
        ISeriesFileBuilder builder("KORGM");
        for (int k = 0; k < 48; ++k)
            builder.slot(size, "Style " + QByteArray::number(k));
        return builder.build();
    };
    const auto bytesRead = [](const QByteArray &bytes) {
        TestFolder folder;
        const FileService files;
        const LoadResult result = loadStyleFile(folder.write(QStringLiteral("COST.STY"), bytes), files);
        EXPECT_FALSE(result.message);
        return files.bytesRead();
    };
    EXPECT_EQ(std::make_pair(bytesRead(pa(1000)), bytesRead(pa(200000))), std::make_pair(qint64(8192 + 328), qint64(8192 + 328)));
    EXPECT_EQ(bytesRead(korgm(65535)), 8192 + 47 * 11);
    EXPECT_EQ(bytesRead(korgm(1300)), 8192 + 41 * 11) << "the names of the first seven blocks lie in the first 8 KiB";
}

// A style's bytes are read when asked for, from the file as it was loaded.
TEST(ReadStyleBytes, ReadsFromTheFileAsItWasLoaded)
{
    TestFolder folder;
    const FileService files;
    const auto built = PaFileBuilder().style("A", 300).performance(200).build();
    const QString path = folder.write(QStringLiteral("ON DEMAND.STY"), built.bytes);
    const StyleFile file = *loadStyleFile(path, files).file;
    EXPECT_EQ(readStyleBytes(file, file.styles[0], StylePart::Main, files), built.bytes.mid(built.chunkStarts[0], 300));
    EXPECT_EQ(readStyleBytes(file, file.styles[0], StylePart::Supplementary, files), built.bytes.mid(built.chunkStarts[1], 200));
    folder.write(QStringLiteral("ON DEMAND.STY"), built.bytes + "more");
    try {
        (void)readStyleBytes(file, file.styles[0], StylePart::Main, files);
        ADD_FAILURE() << "a changed file was read";
    } catch (const FileError &error) {
        EXPECT_EQ(error.message(QStringLiteral("Cannot read")), QStringLiteral("Cannot read %1: the file changed since it was loaded.").arg(path));
    }
}
