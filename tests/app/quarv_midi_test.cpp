#include "pa_style_music.h"
#include "test_support.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

// quarv-midi as a process in a folder of the test's, its standard output and error, its status;
// the files it writes may be held below `fileSizeLimit` bytes, as on a disk that is full.
static std::tuple<int, QString, QString> quarvMidi(
    const QString &folder, const QStringList &arguments, rlim_t fileSizeLimit = RLIM_INFINITY)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setChildProcessModifier([fileSizeLimit] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {fileSizeLimit, fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(QUARV_MIDI_EXE, arguments);
    EXPECT_TRUE(process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

// One file for each chord variation that holds music, in the tree the instrument's names make,
// names escaped for the file system ("/" as \x2f, written \\x2f on the terminal); a style whose
// music is not known is a line, no error, a damaged style or chord variation an error; nothing is
// written twice unless --force; a folder that cannot be made is an error.
TEST(QuarvMidi, WritesATreeOfNamesAndNothingTwice)
{
    TestFolder folder;
    const QList<StreamTrack> tracks = {{0, 96, {{0, 0x01, "\x40\x43"}, {48, 0x00, "\x40\x40"}}}};
    const QByteArray music = paMusicStyleChunk(
        tracks, {{0, 4, 4, {}, {{96, {{0, 1}}}, {96, {}}}}, {6, 4, 4, {}, {{96, {{1, 1}}}}}});
    QByteArray broken = paStyleChunk(4, 4);
    broken.back() ^= 1;  // the check byte
    folder.write("BANK.STY",
        PaFileBuilder()
            .newerDirectory()
            .record("Pop/Rock  ", 2, music)
            .record("Short", 2, paMusicStyleChunk(tracks, {{0, 4, 4, {}, {{5, {{0, 1}}}}}}))
            .record("Broken", 2, broken)
            .record({}, 7, paPerformanceChunk(TempoLayout::Version20, 120))
            .bytes());
    folder.write("I3.STY", ISeriesFileBuilder("KORG9").slot(2000, "Pop Ballad").build());
    const QString written = "out/BANK.STY/01 Pop\\\\x2fRock/V1-CV1.MID\n"
                            "out/BANK.STY/01 Pop\\\\x2fRock/FI1-CV1.MID\n";
    const QString problems
        = "quarv-midi: BANK.STY: style 2, V1 chord variation 1: its music plays past its end\n"
          "quarv-midi: BANK.STY: style 3: its data fails its check\n"
          "quarv-midi: I3.STY: style 1: its music is not known\n";
    EXPECT_EQ(quarvMidi(folder.path({}), {"-o", "out", "BANK.STY", "I3.STY"}),
        std::make_tuple(1, written, problems));
    EXPECT_TRUE(
        readBytes(folder.path("out/BANK.STY/01 Pop\\x2fRock/FI1-CV1.MID")).startsWith("MThd"));
    const QString there
        = "quarv-midi: BANK.STY: Cannot write out/BANK.STY/01 Pop\\x2fRock/%1-CV1.MID: "
          "the file is already there.\n";
    EXPECT_EQ(quarvMidi(folder.path({}), {"-o", "out", "--style", "1", "BANK.STY"}),
        std::make_tuple(1, QString(), there.arg("V1") + there.arg("FI1")));
    EXPECT_EQ(quarvMidi(folder.path({}), {"-o", "out", "--style", "1", "--force", "BANK.STY"}),
        std::make_tuple(0, written, QString()));
    const auto [status, out, err] = quarvMidi(folder.path({}), {"-o", "I3.STY/out", "BANK.STY"});
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(err.startsWith(
        "quarv-midi: BANK.STY: Cannot write I3.STY/out/BANK.STY/01 Pop\\x2fRock: Not a directory."))
        << err.toStdString();
}

// --force puts each new file whole in place of the old one (a link, not what it links to),
// keeping its permissions, but not over a read-only file or a folder. A file that cannot be written
// whole is not there at all, and nothing of the writing is left behind.
TEST(QuarvMidi, ReplacesWholeOrNotAtAll)
{
    TestFolder folder;
    folder.write("BANK.STY",
        PaFileBuilder()
            .newerDirectory()
            .record("Groove", 2, grooveStyleChunk(4, 4))
            .record({}, 7, paPerformanceChunk(TempoLayout::Version20, 120))
            .bytes());
    const QString style = folder.path("out/BANK.STY/01 Groove/");
    ASSERT_EQ(std::get<0>(quarvMidi(folder.path({}), {"-o", "out", "BANK.STY"})), 0);
    const QStringList files = QDir(style).entryList(QDir::Files);
    const QByteArray variation1 = readBytes(style + "V1-CV1.MID");
    folder.write("out/BANK.STY/01 Groove/V1-CV1.MID", "old");
    ::chmod(QFile::encodeName(style + "V1-CV1.MID"), 0666);
    folder.write("out/BANK.STY/01 Groove/V2-CV1.MID", "read-only");
    ::chmod(QFile::encodeName(style + "V2-CV1.MID"), 0444);
    folder.remove("out/BANK.STY/01 Groove/FI1-CV1.MID");
    QFile::link("V2-CV2.MID", style + "FI1-CV1.MID");
    folder.remove("out/BANK.STY/01 Groove/EN1-CV1.MID");
    QDir(style).mkdir("EN1-CV1.MID");
    const auto [status, out, err]
        = quarvMidi(folder.path({}), {"-o", "out", "--force", "BANK.STY"});
    const QString cannot = "quarv-midi: BANK.STY: Cannot write out/BANK.STY/01 Groove/%1: %2.\n";
    EXPECT_EQ(QString::number(status) + ' ' + err,
        "1 " + cannot.arg("V2-CV1.MID", "the file is read-only")
            + cannot.arg("EN1-CV1.MID", "this is a folder, not a file"));
    struct stat replaced { };
    ::stat(QFile::encodeName(style + "V1-CV1.MID"), &replaced);
    EXPECT_EQ(readBytes(style + "V1-CV1.MID"), variation1);
    EXPECT_EQ(replaced.st_mode & 0777, 0666);
    ::lstat(QFile::encodeName(style + "FI1-CV1.MID"), &replaced);
    EXPECT_TRUE(S_ISREG(replaced.st_mode) && (replaced.st_mode & 0600) == 0600);

    folder.remove("out/BANK.STY/01 Groove/V1-CV2.MID");
    const auto [full, nothing, tooLarge]
        = quarvMidi(folder.path({}), {"-o", "out", "--force", "BANK.STY"}, 100);
    EXPECT_EQ(full, 1);
    EXPECT_EQ(tooLarge.count("File too large"), 5) << tooLarge.toStdString();
    EXPECT_EQ(readBytes(style + "V1-CV1.MID"), variation1);
    EXPECT_EQ(QDir(style).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList(files).filter(QRegularExpression("^(?!V1-CV2)")));
}
