#include "load_harness.h"
#include "style_file_builder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray korgFile() { return ISeriesFileBuilder("KORG9").slot(3000, "Usable    ").slot(500, "Ghost").build(); }

// A loaded file with styles, for tests of what a later failure may and may not change.
void loadStylesFirst(LoadHarness &h)
{
    h.load(korgFile(), QStringLiteral("FIRST.STY"));
    ASSERT_EQ(h.file.UsableCount, 1);
    ASSERT_EQ(h.file.GhostCount, 1);
    h.dialogs.shown.clear();
}

} // namespace

struct ExtensionCase {
    const char *name;
    const char *expectedMessage;  // nullptr: loaded
};

class ExtensionTest : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtensionTest, OnlyStyNamesAreLoaded)
{
    LoadHarness h;
    const QString path = h.folder.write(QString::fromLatin1(GetParam().name), korgFile());
    h.loader.OpenStyleFile(path);
    EXPECT_EQ(h.file.SelectedPath, path);
    if (GetParam().expectedMessage == nullptr) {
        EXPECT_TRUE(h.messages().isEmpty());
        EXPECT_EQ(h.fileInfoShown, 1);
        EXPECT_EQ(h.file.FormatTag, "KORG9");
    } else {
        EXPECT_EQ(h.messages(), QStringList{QString::fromLatin1(GetParam().expectedMessage)});
        EXPECT_EQ(h.fileInfoShown, 0);
        EXPECT_TRUE(h.file.FormatTag.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExtensionTest,
    ::testing::Values(ExtensionCase{"upper.STY", nullptr}, ExtensionCase{"lower.sty", nullptr},
                      ExtensionCase{"mixed.Sty", nullptr}, ExtensionCase{"blank.STY ", "Unknown File Type!"},
                      ExtensionCase{"text.TXT", "Unknown File Type!"}, ExtensionCase{"STY", "Unknown File Type!"},
                      ExtensionCase{"perf.PRF", "In development"}, ExtensionCase{"perf.prf", "In development"}));

TEST(OpenStyleFile, ShortNamesAreUnknownTypes)
{
    LoadHarness h;
    h.loader.OpenStyleFile(QStringLiteral("STY"));
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(h.dialogs.shown[0].title, QStringLiteral("ZuvOzu"));
    EXPECT_EQ(h.dialogs.shown[0].style, MbStop);
}

TEST(OpenStyleFile, InDevelopmentHasNoTitleAndNoIcon)
{
    LoadHarness h;
    h.loader.OpenStyleFile(QStringLiteral("/x/a.PRF"));
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].title.isNull());
    EXPECT_EQ(h.dialogs.shown[0].style, MbOkOnly);
}

TEST(OpenStyleFile, EmptyPathAsksTheChooserAndCancelChangesNothing)
{
    LoadHarness h;
    loadStylesFirst(h);
    h.dialogs.choose(QString());
    h.loader.OpenStyleFile(QString());
    EXPECT_EQ(h.dialogs.styleChooserCalls, 1);
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_EQ(h.file.FileName, QStringLiteral("FIRST.STY"));
    EXPECT_EQ(h.file.StyleList->Count(), 4);

    const QString second = h.folder.write(QStringLiteral("SECOND.sty"), korgFile());
    h.dialogs.choose(second);
    h.loader.OpenStyleFile(QString());
    EXPECT_EQ(h.file.FileName, QStringLiteral("SECOND.sty"));
}

TEST(LoadStyleFile, RecordsTheFileFacts)
{
    LoadHarness h;
    const QByteArray bytes = korgFile();
    h.load(bytes, QStringLiteral("MySet.sty"));
    EXPECT_EQ(h.file.FileName, QStringLiteral("MySet.sty"));
    EXPECT_EQ(h.file.FileSize, bytes.size());
    EXPECT_EQ(h.file.FileDate, QStringLiteral("15/03/2004"));
    EXPECT_TRUE(h.reportCommandsEnabled);
}

struct TagCase {
    const char *label;
    QByteArray bytes;
    QByteArray tag;
    bool pa1x;
};

class TagTest : public ::testing::TestWithParam<TagCase> {};

TEST_P(TagTest, TagAndPa1XFlagFollowTheHeaderSample)
{
    LoadHarness h;
    h.file.Pa1XFlag = true;  // must be rewritten for "KORF" files, kept for others
    h.load(GetParam().bytes);
    EXPECT_EQ(h.file.FormatTag, GetParam().tag);
    EXPECT_EQ(h.file.Pa1XFlag, GetParam().pa1x);
}

namespace {
QByteArray withKorfAt23(int size, char at34 = 0)
{
    QByteArray bytes(size, 'x');
    bytes.replace(0, 5, "KORG9");
    if (size >= 27)
        bytes.replace(23, 4, "KORF");
    else
        bytes.replace(23, size - 23, QByteArray("KORF").left(size - 23));
    if (size > 34)
        bytes[34] = at34;
    return bytes;
}
} // namespace

INSTANTIATE_TEST_SUITE_P(
    Boundaries, TagTest,
    ::testing::Values(TagCase{"empty", QByteArray(), "", true}, TagCase{"four", "KORG", "KORG", true},
                      TagCase{"five", "KORGM", "KORGM", true},
                      TagCase{"korf_cut_at_26", withKorfAt23(26), "KORG9", true},
                      TagCase{"korf_at_27", withKorfAt23(27), "KORF", false},
                      TagCase{"no_byte_34", withKorfAt23(34), "KORF", false},
                      TagCase{"byte_34_is_6", withKorfAt23(35, 6), "KORF", true},
                      TagCase{"byte_34_is_7", withKorfAt23(35, 7), "KORF", false}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(LoadStyleFile, RefusedTagsAreUnknownFormatsAndKeepTheLastParameters)
{
    for (const QByteArray &tag : {QByteArray("korg9"), QByteArray("KORG"), QByteArray("KORG6"), QByteArray()}) {
        LoadHarness h;
        loadStylesFirst(h);
        const FormatParameters kept = h.file.FormatParameters;
        h.load(tag + QByteArray(200, ' '), QStringLiteral("OTHER.STY"));
        EXPECT_EQ(h.messages(), QStringList{QStringLiteral("Unknown file format!")}) << tag.data();
        EXPECT_EQ(h.dialogs.shown[0].style, MbExclamation);
        EXPECT_EQ(h.dialogs.shown[0].title, QStringLiteral("Quarv"));
        EXPECT_EQ(h.file.FormatParameters, kept);
        EXPECT_EQ(h.file.FileName, QStringLiteral("OTHER.STY"));
        EXPECT_EQ(h.file.StyleList->Count(), 0);
        EXPECT_EQ(h.file.UsableCount + h.file.GhostCount, 0);
        EXPECT_FALSE(h.reportCommandsEnabled);
        EXPECT_EQ(h.fileInfoShown, 2);
    }
}

// A file that cannot be read names itself and leaves the loaded file as it was.
class UnreadableTest : public ::testing::Test {
protected:
    void expectRefused(const QString &path, const QString &reason)
    {
        loadStylesFirst(h);
        h.loader.OpenStyleFile(path);
        ASSERT_EQ(h.dialogs.shown.size(), 1);
        EXPECT_EQ(h.dialogs.shown[0].prompt,
                  QStringLiteral("Cannot read %1: %2.").arg(QDir::toNativeSeparators(path), reason));
        EXPECT_EQ(h.dialogs.shown[0].style, MbExclamation);
        EXPECT_EQ(h.dialogs.shown[0].title, QStringLiteral("Quarv"));
        EXPECT_EQ(h.file.FileName, QStringLiteral("FIRST.STY"));
        EXPECT_EQ(h.file.StyleList->Count(), 4);
        EXPECT_EQ(h.file.UsableCount, 1);
        EXPECT_TRUE(h.reportCommandsEnabled);
        EXPECT_EQ(h.fileInfoShown, 1);
    }
    LoadHarness h;
};

TEST_F(UnreadableTest, MissingFile)
{
    expectRefused(h.folder.path(QStringLiteral("MISSING.STY")), QStringLiteral("No such file or directory"));
}

TEST_F(UnreadableTest, Folder)
{
    const QString path = h.folder.path(QStringLiteral("x.STY"));
    ASSERT_TRUE(QDir().mkdir(path));
    expectRefused(path, QStringLiteral("this is a folder, not a file"));
}

TEST_F(UnreadableTest, FifoDoesNotBlock)
{
    const QString path = h.folder.path(QStringLiteral("fifo.STY"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    expectRefused(path, QStringLiteral("this is not a regular file"));
}

TEST_F(UnreadableTest, SymlinkLoop)
{
    const QString path = h.folder.path(QStringLiteral("loop.STY"));
    ASSERT_TRUE(QFile::link(path, path));
    expectRefused(path, QStringLiteral("Too many levels of symbolic links"));
}

TEST_F(UnreadableTest, SizeBeyondSigned32Bit)
{
    const QString path = h.folder.path(QStringLiteral("HUGE.STY"));
    QFile sparse(path);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize(qint64(1) << 31));
    sparse.close();
    expectRefused(path, QStringLiteral("the file is larger than 2,147,483,647 bytes"));
}

TEST(LoadStyleFile, NonAsciiAndNonUtf8NamesLoad)
{
    LoadHarness h;
    h.load(korgFile(), QStringLiteral("Café ÄÖ.STY"));
    EXPECT_EQ(h.file.FileName, QStringLiteral("Café ÄÖ.STY"));
    EXPECT_EQ(h.file.UsableCount, 1);

    const QByteArray rawName = h.folder.path(QStringLiteral("bad")).toLocal8Bit() + "\xff\xfe.STY";
    QFile out(QFile::decodeName(rawName));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(korgFile());
    out.close();
    h.loader.OpenStyleFile(QFile::decodeName(rawName));
    EXPECT_EQ(h.file.UsableCount, 1) << "a name that is not UTF-8 still opens";
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

TEST(LoadStyleFile, AFileThatShrinksUnderTheLoadStopsCleanly)
{
    for (const QByteArray &bytes : {PaFileBuilder().style("A", 4000).performance(4000).build().bytes,
                                    ISeriesFileBuilder("KORG9").slot(3000, "A").slot(3000, "B").build()}) {
        LoadHarness h;
        h.file.FileService = std::make_unique<ShrinkingFileService>();
        const QString path = h.folder.path(QStringLiteral("SHRINK.STY"));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        h.loader.OpenStyleFile(path);
        EXPECT_EQ(h.messages(),
                  QStringList{QStringLiteral("Damaged style file: SHRINK.STY: the file changed while it was being read.")});
        EXPECT_EQ(h.file.UsableCount + h.file.GhostCount, 0);
        EXPECT_FALSE(h.reportCommandsEnabled);
        EXPECT_EQ(h.fileInfoShown, 1);
    }
}

TEST(LoadStyleFile, UnreadableFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    LoadHarness h;
    const QString path = h.folder.path(QStringLiteral("SECRET.STY"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.close();
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    h.loader.OpenStyleFile(path);
    EXPECT_EQ(h.messages(), QStringList{QStringLiteral("Cannot read %1: Permission denied.").arg(path)});
}
