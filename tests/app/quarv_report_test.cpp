#include "app/report_command.h"
#include "platform/file_name.h"
#include "quarv_version.h"
#include "test_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimeZone>

namespace {

struct CommandRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// Runs quarv-report as a process in `folder`, in a fixed locale, through a shell command in which
// "$0" is the program and "$@" the arguments: the shell hands over names that are not UTF-8 as
// bytes.
CommandRun quarvReport(const QStringList &arguments, const QString &folder = {},
    const QString &command = QString("exec \"$0\" \"$@\""))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString("LC_ALL"), "C.UTF-8");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QString("/bin/sh"),
        QStringList {QString("-c"), command, QString(QUARV_REPORT_EXE)} + arguments);
    EXPECT_TRUE(process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(),
        QString::fromUtf8(process.readAllStandardError())};
}

// Runs the command in this process, over `files`.
CommandRun runCommand(const QStringList &arguments, const FileService &files)
{
    char *out = nullptr;
    char *err = nullptr;
    std::size_t outSize = 0;
    std::size_t errSize = 0;
    std::FILE *outStream = open_memstream(&out, &outSize);
    std::FILE *errStream = open_memstream(&err, &errSize);
    const int exitCode = runReportCommand(arguments, outStream, errStream, files);
    std::fclose(outStream);
    std::fclose(errStream);
    CommandRun run {
        exitCode, QByteArray(out, qsizetype(outSize)), QString::fromUtf8(err, qsizetype(errSize))};
    std::free(out);
    std::free(err);
    return run;
}

QByteArray exported(const QString &path)
{
    return exported(*loadStyleFile(path, FileService()).file);
}

QByteArray paFile(const QByteArray &style) { return PaFileBuilder().style(style, 400).bytes(); }

}  // namespace

class QuarvReport : public ::testing::Test {
protected:
    TestFolder folder;
    QString pa = folder.write("PA.STY",
        PaFileBuilder()
            .style("Pop", 2700)
            .performance(300)
            .style("Rock", 900)
            .performance(80)
            .bytes());
    QString iSeries = folder.write("I30.sty",
        ISeriesFileBuilder("KORGI")
            .slot(0)
            .slot(3000, QByteArray("Na\0me\xe9\x7f\x9b   ", 11))
            .slot(500, "Ghost      ")
            .build());
    QString unknown = folder.write("UNKNOWN.STY", "NOT A STYLE FILE");
    QString damaged
        = folder.write(QString("DAMAGED.STY"), PaFileBuilder().style("A", 500).bytes().left(400));
    QString refused = folder.write("notes.txt", "x");
    QString missing = folder.path("MISSING.STY");
    QString empty = [this] {
        QDir().mkpath(folder.path("empty.STY/inside"));
        return folder.path("empty.STY");
    }();
};

// Standard output is what "Export Info" writes for each file with styles, each report after a
// "==> path <==" line when there are several; every problem is one line on standard error, in
// the order of the arguments, and the exit status says whether there was one.
TEST_F(QuarvReport, ReportsAndProblems)
{
    const CommandRun run = quarvReport({refused, unknown, pa, damaged, missing, empty, iSeries});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
        QString("quarv-report: %1: Unknown File Type!\n"
                "quarv-report: %2: Unknown file format!\n"
                "quarv-report: %3: Damaged style file: DAMAGED.STY: the marker \"KBEG\" is "
                "not in the last 320 bytes.\n"
                "quarv-report: %4: Cannot read %4: No such file or directory.\n"
                "quarv-report: %5: no style file (.STY) in this folder or below it\n")
            .arg(refused, unknown, damaged, missing, empty));
    EXPECT_EQ(run.out,
        "==> " + pa.toUtf8() + " <==\r\n" + exported(pa) + "==> " + iSeries.toUtf8() + " <==\r\n"
            + exported(iSeries));
    EXPECT_EQ(quarvReport({pa}).out, exported(pa)) << "one file: exactly the export";
}

// Usage errors exit with 2, a line saying what is wrong and the usage.
TEST_F(QuarvReport, Options)
{
    folder.write("-dash.STY", paFile("A"));
    const std::pair<QStringList, const char *> cases[] = {
        {{}, "2||quarv-report: no FILE given\nUsage: "},
        {{"--frobnicate", "PA.STY"}, "2||quarv-report: Unknown option 'frobnicate'.\nUsage: "},
        {{"-"}, "2||quarv-report: standard input is not read: name the style files\nUsage: "},
        {{"--json", "--csv", "PA.STY"},
            "2||quarv-report: --json and --csv exclude each other\nUsage: "},
        {{"--details", "PA.STY"}, "2||quarv-report: --details needs --json or --csv\nUsage: "},
        {{"--help"}, "0|Usage: |"},
        {{"--version"}, "0|quarv-report " QUARV_VERSION "\n|"},
        // After "--" a name that starts with a dash is a file, here one in the working folder; two
        // files are told apart.
        {{"--", "-dash.STY", "-dash.STY"}, "0|==> -dash.STY <==\r\nQuarv - Brennix (3.00)\r\n|"},
    };
    for (const auto &[arguments, expected] : cases) {
        // The exit status, and how standard output and error start ("" where nothing may be
        // written).
        const CommandRun run = quarvReport(arguments, folder.path(QString()));
        const QStringList starts = QString::fromUtf8(expected).split('|');
        const auto start = [](const QString &text, const QString &begins) {
            return begins.isEmpty() && !text.isEmpty() ? "more" : text.left(begins.size());
        };
        EXPECT_EQ(QStringList({QString::number(run.exitCode),
                      start(QString::fromUtf8(run.out), starts[1]), start(run.err, starts[2])}),
            starts);
    }
}

// One document with an object of the same keys for every file and every problem of a folder,
// and with --details each style's meter, tempo and damage where the file's layout is known (null
// where not); a damaged style is a problem like any other. In a time zone half an hour off the
// hour and ten hours ahead, as the user's may be; and in UTC. Control characters, DEL and C1
// included, are escaped; names that are not UTF-8 keep their bytes as "\xHH".
TEST_F(QuarvReport, JsonDescribesEveryFileWithTheSameKeys)
{
    folder.write(decodeFileName("Caf\xe9\\.STY"), paFile("Pop"));
    folder.write("PA700.STY", detailedBank());
    const CommandRun run = quarvReport({}, folder.path(QString()),
        R"sh(TZ=Australia/Adelaide exec "$0" --json --details PA.STY I30.sty notes.txt empty.STY )sh"
        R"sh(PA700.STY "$(printf 'Caf\351\\.STY')")sh");
    EXPECT_EQ(QString::number(run.exitCode) + ' ' + run.err,
        "1 quarv-report: notes.txt: Unknown File Type!\n"
        "quarv-report: empty.STY: no style file (.STY) in this folder or below it\n"
        "quarv-report: PA700.STY: style 4: its data fails its check\n");
    EXPECT_TRUE(!run.out.contains("\xc2\x9b") && !run.out.contains('\x7f')
        && run.out.contains(R"("Na\u0000me)"
                            "\xc3\xa9"
                            R"(\u007f\u009b   ")"))
        << run.out.toStdString();
    EXPECT_TRUE(quarvReport({"--json", pa}, {}, "TZ=UTC exec \"$0\" \"$@\"")
                    .out.contains("\"modified\": \""
                        + fixedModificationTime().toUTC().toString(Qt::ISODate).chopped(1).toUtf8()
                        + "+00:00\""));
    const QByteArray expected = QString::fromUtf8(R"json([
  {"path": "PA.STY", "message": null, "name": "PA.STY", "size": 4144, "modified": "%1", "tag": "KORF", "family": "Pa50/60/80 (KORF)", "pa1x": false,
   "usable": 2, "ghost": 0, "styles": [{"number": 1, "slot": 1, "name": "Pop", "size": 2700, "supplementarySize": 300, "ghost": false, "meter": null, "tempo": null, "damaged": null},
                                       {"number": 2, "slot": 3, "name": "Rock", "size": 900, "supplementarySize": 80, "ghost": false, "meter": null, "tempo": null, "damaged": null}]},
  {"path": "I30.sty", "message": null, "name": "I30.sty", "size": 3724, "modified": "%1", "tag": "KORGI", "family": "i30 (KORGI)", "pa1x": null,
   "usable": 1, "ghost": 1, "styles": [{"number": 2, "slot": 2, "name": "Na\u0000me\u00e9\u007f\u009b   ", "size": 3000, "supplementarySize": 0, "ghost": false, "meter": null, "tempo": null, "damaged": null},
                                       {"number": 3, "slot": 3, "name": "Ghost", "size": 500, "supplementarySize": 0, "ghost": true, "meter": null, "tempo": null, "damaged": null}]},
  {"path": "notes.txt", "message": "Unknown File Type!", "name": null, "size": null, "modified": null, "tag": null, "family": null, "pa1x": null, "usable": null, "ghost": null, "styles": null},
  {"path": "empty.STY", "message": "no style file (.STY) in this folder or below it", "name": null, "size": null, "modified": null, "tag": null, "family": null, "pa1x": null, "usable": null, "ghost": null, "styles": null},
  {"path": "PA700.STY", "message": null, "name": "PA700.STY", "size": 1525, "modified": "%1", "tag": "KORF", "family": "Pa-series (KORF)", "pa1x": false,
   "usable": 4, "ghost": 0, "styles": [{"number": 1, "slot": 1, "name": "Jig", "size": 213, "supplementarySize": 129, "ghost": false, "meter": "6/8", "tempo": 100, "damaged": null},
                                       {"number": 2, "slot": 2, "name": "March", "size": 213, "supplementarySize": 133, "ghost": false, "meter": "4/4", "tempo": 120, "damaged": null},
                                       {"number": 3, "slot": 3, "name": "Waltz", "size": 213, "supplementarySize": 172, "ghost": false, "meter": "3/4", "tempo": 90, "damaged": null},
                                       {"number": 4, "slot": 4, "name": "Broken", "size": 213, "supplementarySize": 0, "ghost": false, "meter": null, "tempo": null, "damaged": "style 4: its data fails its check"}]},
  {"path": "Caf\\xe9\\\\.STY", "message": null, "name": "Caf\\xe9\\\\.STY", "size": 480, "modified": "%1", "tag": "KORF", "family": "Pa50/60/80 (KORF)", "pa1x": false,
   "usable": 1, "ghost": 0, "styles": [{"number": 1, "slot": 1, "name": "Pop", "size": 400, "supplementarySize": 0, "ghost": false, "meter": null, "tempo": null, "damaged": null}]}
])json")
                                    .arg(fixedModificationTime()
                                             .toTimeZone(QTimeZone("Australia/Adelaide"))
                                             .toString(Qt::ISODate))
                                    .toUtf8();
    EXPECT_EQ(QJsonDocument::fromJson(run.out), QJsonDocument::fromJson(expected))
        << run.out.toStdString();
}

// Each FILE is taken byte for byte as given. Names that are not UTF-8 keep their bytes in the
// "==>" lines; no name can forge such a line; names reach a terminal without control characters;
// every message stays one line.
TEST_F(QuarvReport, NamesAsGivenAndShownSafely)
{
    folder.write("a\"b.STY", paFile("Quoted"));
    folder.write("esc.STY", paFile("Red\x1b[31m\x7f"));
    folder.write(decodeFileName("bad\xff\xfe.STY"), paFile("Bytes"));
    folder.write("x\r\n==> FAKE.STY <==\r\n.STY", paFile("Forged"));
    const CommandRun run = quarvReport({}, folder.path(QString()),
        QString(R"sh(exec "$0" 'a"b.STY' "$(printf 'bad\377\376.STY')" )sh"
                R"sh("$(printf 'no\033[31m\r\nfile.STY')" esc.STY x*)sh"));
    EXPECT_EQ(run.err,
        "quarv-report: no\\x1b[31m\\r\\nfile.STY: Cannot read "
        "no\\x1b[31m\\r\\nfile.STY: No such file or directory.\n");
    for (const QByteArray &part : {QByteArray("File Name........: a\"b.STY\r\n"),
             QByteArray("01 - Quoted      -"), QByteArray("File Name........: bad??.STY\r\n"),
             QByteArray("\r\n==> bad\\xff\\xfe.STY <==\r\n"), QByteArray("01 - Bytes       -"),
             QByteArray("01 - Red\x1b[31m\x7f   -"),
             QByteArray("\r\nFile Name........: x\\r\\n==> FAKE.STY <==\\r\\n.STY\r\n")})
        EXPECT_TRUE(run.out.contains(part)) << part.toStdString();
    EXPECT_FALSE(run.out.contains("\n==> FAKE.STY <==\r\n")) << run.out.toStdString();
    // On a terminal (script(1) gives it one) the escape sequence becomes harmless.
    const QByteArray onTerminal = quarvReport(
        {}, folder.path(QString()), QString(R"sh(exec script -qec "$0 esc.STY" /dev/null)sh"))
                                      .out;
    EXPECT_TRUE(onTerminal.contains("01 - Red?[31m?   -") && !onTerminal.contains('\x1b'))
        << onTerminal.toStdString();
}

// What could not be written is never success: a full disk, a closed standard output, a pipe whose
// reader went (with SIGPIPE ignored) each give one line and exit status 1.
TEST_F(QuarvReport, WriteFailuresAreErrors)
{
    for (int k = 0; k < 12; ++k)
        folder.write(QString("big/%1.STY").arg(k), korgmWithStyles(48));
    const QString full = QString("exec \"$0\" \"$@\" >/dev/full");
    const QString lost
        = QString("trap '' PIPE; { \"$0\" \"$@\"; echo \"exit $?\" >&2; } | head -c 1 >/dev/null");
    const std::tuple<QStringList, QString, const char *> cases[] = {
        {{pa}, full, "No space left on device\n"},
        {{"--json", pa}, full, "No space left on device\n"},
        {{"--csv", pa}, full, "No space left on device\n"},
        {{"--version"}, full, "No space left on device\n"},
        {{pa}, QString("exec \"$0\" \"$@\" >&-"), "Bad file descriptor\n"},
        {{"--json", folder.path("big")}, lost, "Broken pipe\nexit 1\n"},
    };
    for (const auto &[arguments, command, reason] : cases) {
        const CommandRun run = quarvReport(arguments, {}, command);
        EXPECT_EQ(QString::number(run.exitCode) + ' ' + run.err,
            (command == lost ? QString("0 ") : QString("1 "))
                + QString("quarv-report: standard output: ") + QLatin1String(reason))
            << arguments.join(' ').toStdString();
    }
}

// A folder stands for every .STY file below it, in the byte order of their paths; links to folders
// are followed without looping (a folder reached twice counts under its first path in byte
// order, however the file system lists it), other files passed over, an unreadable folder named.
// The CSV has a row for each style, with every column, quoting where needed, every text escaped
// one way, and no cell that a spreadsheet would take for a formula.
TEST(QuarvReportFolders, EveryStyleFileBelowAFolderAsCsvAndJson)
{
    TestFolder folder;
    const QString root = folder.path("library");
    for (const char *name : {"elsewhere/USER01.STY", "library/a/deep/x.sty", "library/Z.Sty",
             "library/locked/HIDDEN.STY", "library/real/R.STY"})
        folder.write(
            QLatin1String(name), ISeriesFileBuilder("KORG9").slot(2000, "Pop Ballad").build());
    folder.write("library/=1+2.STY",
        PaFileBuilder().style("=HYPERLINK(", 2700).performance(300).style("+SUM(1+1)", 9).bytes());
    folder.write("library/\t=3+4.STY",
        PaFileBuilder().style("-2+3", 9).style("@SUM(A1)", 9).style("\\n\x9b", 9).bytes());
    folder.write("library/a/I3, \"live\".STY",
        ISeriesFileBuilder("KORG9")
            .slot(1500, QByteArray("Tab\tNul\0 \n", 10))
            .slot(600, "Ghost     ")
            .build());
    folder.write(decodeFileName("library/Caf\xe9.STY"), paFile("E9"));
    folder.write(decodeFileName("library/Caf\xe8\x1b]0;T\a.STY"), paFile("E8"));
    folder.write("library/notes.txt", "x");
    folder.write("library/a/STY", "x");
    ASSERT_TRUE(QFile::link(root, root + QString("/a/loop"))
        && QFile::link(folder.path("elsewhere"), root + QString("/b"))
        && QFile::link(root + QString("/real"), root + QString("/link"))
        && QDir().mkpath(folder.path("empty/inside")));
    HookedFileService files;  // with a folder that cannot be read, as for anyone but root
    files.beforeListing = [&](const QString &path) {
        if (path == root + QString("/locked"))
            throw FileError(path, "Permission denied");
    };
    files.descending = true;
    // A folder without problems (a/deep) is no reason for a message.
    const QStringList arguments {root, folder.path("empty"), root + QString("/a/deep")};
    const CommandRun run = runCommand(QStringList {QString("--csv")} + arguments, files);
    EXPECT_EQ(QString::number(run.exitCode) + ' ' + run.err,
        QString("1 quarv-report: %1/locked: Permission denied\n"
                "quarv-report: %2: no style file (.STY) in this folder or below it\n")
            .arg(root, folder.path("empty")));
    EXPECT_EQ(QString::fromUtf8(run.out),
        QString(
            R"csv(path,file name,tag,family,number,slot,name,size,supplementary size,ghost
%1/\t=3+4.STY,\t=3+4.STY,KORF,Pa50/60/80 (KORF),1,1,'-2+3,9,0,no
%1/\t=3+4.STY,\t=3+4.STY,KORF,Pa50/60/80 (KORF),2,2,'@SUM(A1),9,0,no
%1/\t=3+4.STY,\t=3+4.STY,KORF,Pa50/60/80 (KORF),3,3,\\n\x9b,9,0,no
%1/=1+2.STY,'=1+2.STY,KORF,Pa50/60/80 (KORF),1,1,'=HYPERLINK(,2700,300,no
%1/=1+2.STY,'=1+2.STY,KORF,Pa50/60/80 (KORF),2,3,'+SUM(1+1),9,0,no
%1/Caf\xe8\x1b]0;T\x07.STY,Caf\xe8\x1b]0;T\x07.STY,KORF,Pa50/60/80 (KORF),1,1,E8,400,0,no
%1/Caf\xe9.STY,Caf\xe9.STY,KORF,Pa50/60/80 (KORF),1,1,E9,400,0,no
%1/Z.Sty,Z.Sty,KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Pop Ballad,2000,0,no
"%1/a/I3, ""live"".STY","I3, ""live"".STY",KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Tab\tNul\x00 \n,1500,0,no
"%1/a/I3, ""live"".STY","I3, ""live"".STY",KORG9,"i3,i2,i1,i4s (KORG9)",2,2,Ghost,600,0,yes
%1/a/deep/x.sty,x.sty,KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Pop Ballad,2000,0,no
%1/b/USER01.STY,USER01.STY,KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Pop Ballad,2000,0,no
%1/link/R.STY,R.STY,KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Pop Ballad,2000,0,no
%1/a/deep/x.sty,x.sty,KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Pop Ballad,2000,0,no
)csv")
            .arg(root)
            .replace('\n', QLatin1String("\r\n")));
}
