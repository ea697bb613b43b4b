#include "load_harness.h"
#include "style_file_builder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray korgFile() { return ISeriesFileBuilder("KORG9").slot(3000, "Usable    ").slot(500, "Ghost").build(); }

// Every message shown, as "title|icon and buttons|text" (a null title as "-").
QStringList shownMessages(const LoadHarness &h)
{
    QStringList out;
    for (const auto &m : h.dialogs.shown)
        out << QStringLiteral("%1|%2|%3").arg(m.title.isNull() ? QStringLiteral("-") : m.title).arg(m.style).arg(m.prompt);
    return out;
}

int openDescriptors() { return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size()); }

} // namespace

// Only names ending in ".STY", in any letter case, are loaded; nothing else changes otherwise.
TEST(OpenStyleFile, NamesDecideWhatIsLoaded)
{
    const struct {
        const char *name;
        const char *message;  // nullptr: loaded
    } cases[] = {
        {"upper.STY", nullptr},
        {"lower.sty", nullptr},
        {"mixed.Sty", nullptr},
        {"blank.STY ", "ZuvOzu|16|Unknown File Type!"},
        {"text.TXT", "ZuvOzu|16|Unknown File Type!"},
        {"STY", "ZuvOzu|16|Unknown File Type!"},
        {"perf.PRF", "-|0|In development"},
        {"perf.prf", "-|0|In development"},
    };
    for (const auto &c : cases) {
        LoadHarness h;
        h.loader.OpenStyleFile(h.folder.write(QString::fromLatin1(c.name), korgFile()));
        EXPECT_EQ(shownMessages(h), c.message ? QStringList{QString::fromLatin1(c.message)} : QStringList()) << c.name;
        EXPECT_EQ(h.fileInfoShown, c.message ? 0 : 1) << c.name;
    }
}

TEST(OpenStyleFile, AnEmptyPathAsksTheChooser)
{
    LoadHarness h;
    h.dialogs.choose(QString());
    h.loader.OpenStyleFile(QString());
    EXPECT_EQ(h.fileInfoShown, 0) << "a cancelled chooser loads nothing";
    h.dialogs.choose(h.folder.write(QStringLiteral("CHOSEN.STY"), korgFile()));
    h.loader.OpenStyleFile(QString());
    EXPECT_EQ(h.file.FileName, QStringLiteral("CHOSEN.STY"));
    EXPECT_EQ(h.dialogs.styleChooserCalls, 2);
}

// The tag is "KORF" when it stands at offset 23, else the first five bytes; the Pa1X flag is the
// byte at offset 34 of a "KORF" file, and is kept while files of other formats are loaded.
TEST(LoadStyleFile, TagsAndThePa1XFlag)
{
    const auto korfAt23 = [](int size, char at34 = 0) {
        QByteArray bytes = QByteArray("KORG9").leftJustified(size, 'x', true);
        bytes.replace(23, 4, QByteArray("KORF").left(size - 23));
        if (size > 34)
            bytes[34] = at34;
        return bytes;
    };
    const struct {
        const char *label;
        QByteArray bytes;
        QByteArray tag;
        bool pa1x;
        const char *message;
    } cases[] = {
        {"empty", QByteArray(), "", true, "Unknown file format!"},
        {"four bytes", "KORG", "KORG", true, "Unknown file format!"},
        {"lower case", "korg9xxxx", "korg9", true, "Unknown file format!"},
        {"other digit", "KORG6xxxx", "KORG6", true, "Unknown file format!"},
        {"KORF cut at 26", korfAt23(26), "KORG9", true, "Damaged style file: TEST.STY: the file is shorter than its 96-byte header."},
        {"KORF at 27", korfAt23(27), "KORF", false, "Damaged style file: TEST.STY: the file is shorter than 320 bytes."},
        {"no byte 34", korfAt23(34), "KORF", false, "Damaged style file: TEST.STY: the file is shorter than 320 bytes."},
        {"byte 34 is 6", korfAt23(35, 6), "KORF", true, "Damaged style file: TEST.STY: the file is shorter than 320 bytes."},
        {"byte 34 is 7", korfAt23(35, 7), "KORF", false, "Damaged style file: TEST.STY: the file is shorter than 320 bytes."},
    };
    for (const auto &c : cases) {
        LoadHarness h;
        h.file.Pa1XFlag = true;
        h.load(c.bytes);
        EXPECT_EQ(h.file.FormatTag, c.tag) << c.label;
        EXPECT_EQ(h.file.Pa1XFlag, c.pa1x) << c.label;
        EXPECT_EQ(h.summary(), QStringLiteral("0+0: ! ") + QString::fromLatin1(c.message)) << c.label;
        EXPECT_EQ(h.fileInfoShown, 1) << c.label;
    }
}

// A file that cannot be read names itself and the reason, and the file shown before stays.
TEST(LoadStyleFile, UnreadableFilesLeaveTheLoadedFileAlone)
{
    LoadHarness h;
    const QString folder = h.folder.path(QStringLiteral("x.STY"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString fifo = h.folder.path(QStringLiteral("fifo.STY"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString loop = h.folder.path(QStringLiteral("loop.STY"));
    ASSERT_TRUE(QFile::link(loop, loop));
    const QString huge = h.folder.path(QStringLiteral("HUGE.STY"));
    QFile sparse(huge);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(1) << 31));
    sparse.close();
    const struct {
        QString path;
        const char *reason;
    } cases[] = {
        {h.folder.path(QStringLiteral("MISSING.STY")), "No such file or directory"},
        {folder, "this is a folder, not a file"},
        {fifo, "this is not a regular file"},
        {loop, "Too many levels of symbolic links"},
        {huge, "the file is larger than 2,147,483,647 bytes"},
    };
    h.load(korgFile(), QStringLiteral("FIRST.STY"));
    const QString shown = h.summary();
    for (const auto &c : cases) {
        h.dialogs.shown.clear();
        h.loader.OpenStyleFile(c.path);
        EXPECT_EQ(shownMessages(h), QStringList{QStringLiteral("Quarv|48|Cannot read %1: %2.").arg(c.path, QLatin1String(c.reason))});
        h.dialogs.shown.clear();
        EXPECT_EQ(h.summary(), shown);
        EXPECT_EQ(h.file.FileName, QStringLiteral("FIRST.STY"));
        EXPECT_EQ(h.fileInfoShown, 1);
    }
}

// Reads through the real service, but the file loses its second half between the size query and
// the read, as when another program rewrites it.
class ShrinkingFileService : public FileService {
public:
    std::unique_ptr<TextStream> OpenTextFile(const QString &path) const override
    {
        QFile file(path);
        EXPECT_TRUE(file.resize(file.size() / 2));
        return FileService::OpenTextFile(path);
    }
};

TEST(LoadStyleFile, AFileThatShrinksUnderTheLoadListsNothing)
{
    for (const QByteArray &bytes : {PaFileBuilder().style("A", 4000).performance(4000).build().bytes,
                                    ISeriesFileBuilder("KORG9").slot(3000, "A").slot(3000, "B").build()}) {
        LoadHarness h;
        h.file.FileService = std::make_unique<ShrinkingFileService>();
        // Written by hand: the folder would report the change this test makes on purpose.
        const QString path = h.folder.path(QStringLiteral("SHRINK.sty"));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        out.close();
        h.loader.OpenStyleFile(path);
        EXPECT_EQ(h.summary(), "0+0: ! Damaged style file: SHRINK.sty: the file changed while it was being read.");
        EXPECT_EQ(h.fileInfoShown, 1);
    }
}

// Every load closes what it opened, whatever its outcome: a report over thousands of files must
// not run out of file descriptors.
TEST(LoadStyleFile, ClosesTheFileWhateverTheOutcome)
{
    LoadHarness h;
    const int before = openDescriptors();
    for (const QByteArray &bytes : {korgFile(), korgFile().left(200), QByteArray("unknown")})
        h.load(bytes);
    EXPECT_EQ(openDescriptors(), before);
}
