#include "app/report_command.h"
#include "pa_style_music.h"
#include "quarv_version.h"
#include "test_support.h"

namespace {

struct CommandRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// Runs the command in this process, over `files`.
CommandRun runCommand(const QStringList &arguments, const FileService &files)
{
    std::FILE *out = std::tmpfile(), *err = std::tmpfile();
    const int exitCode = runReportCommand(arguments, out, err, files);
    const auto written = [](std::FILE *stream) {
        QFile file;
        return file.open(stream, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) && file.seek(0)
            ? file.readAll()
            : QByteArray();
    };
    return {exitCode, written(out), QString::fromUtf8(written(err))};
}

QByteArray paFile(const QByteArray &style) { return PaFileBuilder().style(style, 400).bytes(); }

}  // namespace

// A folder of style files and others to run quarv-report over.
class QuarvReport : public ::testing::Test {
protected:
    QuarvReport()
    {
        PaFileBuilder pa;
        pa.style("Pop", 2700).performance(300).style("Rock", 900).performance(80);
        folder.write("PA.STY", pa.bytes());
        ISeriesFileBuilder i30("KORGI");
        i30.slot(0).slot(3000, QByteArray("Na\0me\xe9\x7f\x9f   ", 11)).slot(500, "Ghost      ");
        folder.write("I30.sty", i30.build());
        folder.write("UNKNOWN.STY", "NOT A STYLE FILE");
        folder.write("DAMAGED.STY", PaFileBuilder().style("A", 500).bytes().left(400));
        folder.write("notes.txt", "x");
        QDir().mkpath(folder.path("empty.STY/inside"));
    }

    // Runs a shell command in the folder, in a fixed locale, in which "$0" is quarv-report: the
    // shell hands over names that are not UTF-8 as bytes.
    CommandRun run(const QString &command)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "C.UTF-8");
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder.path({}));
        process.start("/bin/sh", {"-c", command, QUARV_REPORT_EXE});
        EXPECT_TRUE(process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
    }
    QByteArray exported(const char *name)
    {
        return ::exported(*loadStyleFile(folder.path(name), FileService()).file);
    }

    TestFolder folder;
};

// Standard output is what "Export Info" writes for each file with styles, each report after a
// "==> path <==" line when there are several; every problem is one line on standard error, in
// the order of the arguments, and the exit status says whether there was one.
TEST_F(QuarvReport, ReportsAndProblems)
{
    const CommandRun all
        = run("exec \"$0\" notes.txt UNKNOWN.STY PA.STY DAMAGED.STY MISSING.STY empty.STY I30.sty");
    EXPECT_EQ(QString::number(all.exitCode) + ' ' + all.err,
        R"(1 quarv-report: notes.txt: Unknown File Type!
quarv-report: UNKNOWN.STY: Unknown file format!
quarv-report: DAMAGED.STY: Damaged style file: DAMAGED.STY: the marker "KBEG" is not in the last 320 bytes.
quarv-report: MISSING.STY: Cannot read MISSING.STY: No such file or directory.
quarv-report: empty.STY: no style file (.STY) in this folder or below it
)");
    EXPECT_EQ(all.out,
        "==> PA.STY <==\r\n" + exported("PA.STY") + "==> I30.sty <==\r\n" + exported("I30.sty"));
    EXPECT_EQ(run("exec \"$0\" PA.STY").out, exported("PA.STY")) << "one file: exactly the export";
}

// Usage errors exit with 2, a line saying what is wrong and the usage; the arguments are taken as
// they were given.
TEST_F(QuarvReport, UsageErrorsAndTheArgumentsAsGiven)
{
    folder.write("-dash.STY", paFile("A"));
    folder.write("-qmljsdebugger=x.STY", paFile("A"));
    const QString usage = "\nUsage: ";
    const struct {
        const char *arguments;
        int exitCode;
        QString outBegins;  // empty: nothing may be written
        QString errBegins;
    } cases[] = {
        {"", 2, "", "quarv-report: no FILE given" + usage},
        {"-", 2, "", "quarv-report: standard input is not read: name the style files" + usage},
        {"--json --csv PA.STY", 2, "", "quarv-report: --json and --csv exclude each other" + usage},
        {"--details PA.STY", 2, "", "quarv-report: --details needs --json or --csv" + usage},
        {"--csv --details PA.STY", 0,
            "path,file name,tag,family,number,slot,name,size,supplementary size,ghost,meter,tempo,"
            "damaged,elements\r\n",
            ""},
        // The arguments are parsed as given, also those that Qt would take for itself.
        {"PA.STY -qmljsdebugger PA.STY", 2, "", "quarv-report: Unknown options: q, m, l, j"},
        {"-- -qmljsdebugger=x.STY", 0, "Quarv - Brennix (3.00)\r\n", ""},
        {"--version", 0, "quarv-report " QUARV_VERSION "\n", ""},
        // After "--" a name that starts with a dash is a file; two files are told apart.
        {"-- -dash.STY -dash.STY", 0, "==> -dash.STY <==\r\nQuarv - Brennix (3.00)\r\n", ""},
    };
    const auto begins = [](const QString &text, const QString &start) {
        return start.isEmpty() ? text.isEmpty() : text.startsWith(start);
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.arguments);
        const CommandRun done = run("exec \"$0\" " + QString(row.arguments));
        EXPECT_EQ(done.exitCode, row.exitCode);
        EXPECT_TRUE(begins(QString::fromUtf8(done.out), row.outBegins)) << done.out.toStdString();
        EXPECT_TRUE(begins(done.err, row.errBegins)) << done.err.toStdString();
    }
}

// One document with an object of the same keys for every file and every problem of a folder,
// and with --details each style's meter, tempo and damage where the file's layout is known (null
// where not); a damaged style is a problem like any other. In a time zone half an hour off the
// hour and ten hours ahead, as the user's may be. Control characters, DEL and C1 included, are
// escaped; names that are not UTF-8 keep their bytes as "\xHH". Indented, an object a file.
TEST_F(QuarvReport, JsonDescribesEveryFileWithTheSameKeys)
{
    folder.write(decodeFileName("Caf\xe9\\.STY"), paFile("Pop"));
    folder.write("PA700.STY", detailedBank());
    const CommandRun json = run(
        R"sh(TZ=Australia/Adelaide exec "$0" --json --details PA.STY I30.sty notes.txt empty.STY )sh"
        R"sh(PA700.STY "$(printf 'Caf\351\\.STY')")sh");
    EXPECT_EQ(QString::number(json.exitCode) + ' ' + json.err,
        "1 quarv-report: notes.txt: Unknown File Type!\n"
        "quarv-report: empty.STY: no style file (.STY) in this folder or below it\n"
        "quarv-report: PA700.STY: style 4: its data fails its check\n");
    EXPECT_TRUE(json.out.startsWith("[\n    {\n        \"family\": ") && json.out.endsWith("}\n]\n")
        && !json.out.contains("\xc2\x9f") && !json.out.contains('\x7f')
        && json.out.contains("\"Na\\u0000me\xc3\xa9\\u007f\\u009f   \""))
        << json.out.toStdString();
    const QByteArray expected = QString::fromUtf8(R"json([
  {"path": "PA.STY", "message": null, "name": "PA.STY", "size": 4144, "modified": "%1", "tag": "KORF", "family": "Pa50/60/80 (KORF)", "pa1x": false,
   "usable": 2, "ghost": 0, "styles": [{"number": 1, "slot": 1, "name": "Pop", "size": 2700, "supplementarySize": 300, "ghost": false, "meter": null, "tempo": null, "damaged": null, "elements": null},
                                       {"number": 2, "slot": 3, "name": "Rock", "size": 900, "supplementarySize": 80, "ghost": false, "meter": null, "tempo": null, "damaged": null, "elements": null}]},
  {"path": "I30.sty", "message": null, "name": "I30.sty", "size": 3724, "modified": "%1", "tag": "KORGI", "family": "i30 (KORGI)", "pa1x": null,
   "usable": 1, "ghost": 1, "styles": [{"number": 2, "slot": 2, "name": "Na\u0000me\u00e9\u007f\u009f   ", "size": 3000, "supplementarySize": 0, "ghost": false, "meter": null, "tempo": null, "damaged": null, "elements": null},
                                       {"number": 3, "slot": 3, "name": "Ghost", "size": 500, "supplementarySize": 0, "ghost": true, "meter": null, "tempo": null, "damaged": null, "elements": null}]},
  {"path": "notes.txt", "message": "Unknown File Type!", "name": null, "size": null, "modified": null, "tag": null, "family": null, "pa1x": null, "usable": null, "ghost": null, "styles": null},
  {"path": "empty.STY", "message": "no style file (.STY) in this folder or below it", "name": null, "size": null, "modified": null, "tag": null, "family": null, "pa1x": null, "usable": null, "ghost": null, "styles": null},
  {"path": "PA700.STY", "message": null, "name": "PA700.STY", "size": 1525, "modified": "%1", "tag": "KORF", "family": "Pa-series (KORF)", "pa1x": false,
   "usable": 4, "ghost": 0, "styles": [{"number": 1, "slot": 1, "name": "Jig", "size": 213, "supplementarySize": 129, "ghost": false, "meter": "6/8", "tempo": 100, "damaged": null, "elements": null},
                                       {"number": 2, "slot": 2, "name": "March", "size": 213, "supplementarySize": 133, "ghost": false, "meter": "4/4", "tempo": 120, "damaged": null, "elements": null},
                                       {"number": 3, "slot": 3, "name": "Waltz", "size": 213, "supplementarySize": 172, "ghost": false, "meter": "3/4", "tempo": 90, "damaged": null, "elements": null},
                                       {"number": 4, "slot": 4, "name": "broken", "size": 213, "supplementarySize": 0, "ghost": false, "meter": null, "tempo": null, "damaged": "style 4: its data fails its check", "elements": null}]},
  {"path": "Caf\\xe9\\\\.STY", "message": null, "name": "Caf\\xe9\\\\.STY", "size": 480, "modified": "%1", "tag": "KORF", "family": "Pa50/60/80 (KORF)", "pa1x": false,
   "usable": 1, "ghost": 0, "styles": [{"number": 1, "slot": 1, "name": "Pop", "size": 400, "supplementarySize": 0, "ghost": false, "meter": null, "tempo": null, "damaged": null, "elements": null}]}
])json")
                                    .arg(fixedModificationTime()
                                             .toTimeZone(QTimeZone("Australia/Adelaide"))
                                             .toString(Qt::ISODate))
                                    .toUtf8();
    EXPECT_EQ(QJsonDocument::fromJson(json.out), QJsonDocument::fromJson(expected))
        << json.out.toStdString();
}

// A bank of the Pa600 generation (the first models' header, its styles compressed) keeps its
// meters and tempos in the lists; a style's elements that hold music are named in the
// instrument's order.
TEST_F(QuarvReport, Pa600DetailsAndElementsInTheLists)
{
    folder.write("PA600.STY", pa600Bank());
    folder.write("MUSIC.STY",
        PaFileBuilder().newerDirectory().record("Groove", 2, grooveStyleChunk(4, 4)).bytes());
    EXPECT_TRUE(
        run("exec \"$0\" --csv --details MUSIC.STY").out.endsWith(",4/4,,,V1 V2 IN1 FI1 EN1\r\n"));
    const QJsonDocument music
        = QJsonDocument::fromJson(run("TZ=UTC exec \"$0\" --json --details MUSIC.STY").out);
    EXPECT_EQ(music[0]["styles"][0]["elements"], QJsonArray({"V1", "V2", "IN1", "FI1", "EN1"}));
    EXPECT_TRUE(music[0]["modified"].toString().endsWith(":30+00:00")) << "an offset on the hour";
    EXPECT_EQ(run("exec \"$0\" --csv --details PA600.STY").out,
        "path,file name,tag,family,number,slot,name,size,supplementary size,ghost,meter,tempo,"
        "damaged,elements\r\n"
        "PA600.STY,PA600.STY,KORF,Pa-series (KORF),1,1,Jig,213,133,no,3/8,30,,\r\n"
        "PA600.STY,PA600.STY,KORF,Pa-series (KORF),2,2,March,213,133,no,4/4,120,,\r\n");
}

// Each FILE is taken byte for byte as given. Names that are not UTF-8 keep their bytes in the
// "==>" lines; no name can forge such a line; names reach a terminal without control characters;
// every message stays one line.
TEST_F(QuarvReport, NamesAsGivenAndShownSafely)
{
    // Bytes that are not UTF-8, an encoded surrogate, and U+10080 followed by a stray byte.
    for (const char *name :
        {"bad\xff\xfe.STY", "half\xed\xa0\x80.STY", "pair\xf0\x90\x82\x80\x80.STY"})
        folder.write(decodeFileName(name), paFile("Bytes"));
    folder.write("esc.STY", paFile("Red\x1b[31m\x7f"));
    folder.write("x\r\n==> FAKE.STY <==\r\n.STY", paFile("Forged"));
    const CommandRun names = run(
        R"sh(exec "$0" "$(printf 'bad\377\376.STY')" )sh"
        R"sh("$(printf 'half\355\240\200.STY')" "$(printf 'pair\360\220\202\200\200.STY')" )sh"
        R"sh("$(printf 'no\033[31m\007\t\r\nfile.STY')" esc.STY x*)sh");
    EXPECT_EQ(names.err,
        "quarv-report: no\\x1b[31m\\x07\\t\\r\\nfile.STY: Cannot read "
        "no\\x1b[31m\\x07\\t\\r\\nfile.STY: No such file or directory.\n");
    for (const char *part : {"File Name........: bad??.STY\r\n", "==> bad\\xff\\xfe.STY <==\r\n",
             "01 - Bytes       -", "==> half\\xed\\xa0\\x80.STY <==",
             "==> pair\xf0\x90\x82\x80\\x80.STY <==", "01 - Red\x1b[31m\x7f   -",
             "\r\nFile Name........: x\\r\\n==> FAKE.STY <==\\r\\n.STY\r\n"})
        EXPECT_TRUE(names.out.contains(part)) << part;
    EXPECT_FALSE(names.out.contains("\n==> FAKE.STY <==\r\n")) << names.out.toStdString();
    // On a terminal (script(1) gives it one) the escape sequence becomes harmless.
    const QByteArray onTerminal = run(R"sh(exec script -qec "$0 esc.STY" /dev/null)sh").out;
    EXPECT_TRUE(onTerminal.contains("01 - Red?[31m?   -") && !onTerminal.contains('\x1b'))
        << onTerminal.toStdString();
}

// Names that differ only in what the outputs escape stay apart, as a script reading them back
// must find them: a name that starts with a byte-order mark is its own file; U+0085 is not the
// lone byte 0x85; "=x" is not "'=x"; newer-layout names keep every UTF-8 character.
TEST_F(QuarvReport, NamesThatLookAlikeStayApart)
{
    const QByteArray bank = ISeriesFileBuilder("KORG9").slot(2000, "Pop Ballad").build();
    for (const char *name : {"Lead.STY", "x\x85.STY", "x\xc2\x85.STY", "=x.STY", "'=x.STY"})
        folder.write(decodeFileName(QByteArray("apart/") + name), bank);
    folder.write(decodeFileName("apart/\xef\xbb\xbfLead.STY"), korgmWithStyles(1));
    folder.write("apart/euro.STY",
        PaFileBuilder().newerDirectory().style("\xe2\x82\xacuro", 300).style("?uro", 300).bytes());
    const CommandRun csv = run("cd apart && exec \"$0\" --csv .");
    EXPECT_EQ(csv.exitCode, 0);
    const QString k9 = R"k(KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Pop Ballad,2000,0,no)k";
    EXPECT_EQ(QString::fromUtf8(csv.out).split("\r\n").mid(1),
        QStringList({"./'=x.STY,\\x27=x.STY," + k9, "./=x.STY,'=x.STY," + k9,
            "./Lead.STY,Lead.STY," + k9,
            "./euro.STY,euro.STY,KORF,Pa-series (KORF),1,1,\u20acuro,300,0,no",
            "./euro.STY,euro.STY,KORF,Pa-series (KORF),2,2,?uro,300,0,no",
            "./x\\x85.STY,x\\x85.STY," + k9, "./x\\u0085.STY,x\\u0085.STY," + k9,
            "./\ufeffLead.STY,\ufeffLead.STY,KORGM,\"iS40,iS50 (KORGM)\",1,1,Style 1    ,1201,0,no",
            ""}));
    const QByteArray reports = run("cd apart && exec \"$0\" x*").out;
    EXPECT_TRUE(reports.contains("==> x\\x85.STY <==") && reports.contains("==> x\\u0085.STY <=="))
        << reports.toStdString();
}

// What could not be written is never success: a full disk, a closed standard output, a pipe whose
// reader went (with SIGPIPE ignored) each give one line and exit status 1.
TEST_F(QuarvReport, WriteFailuresAreErrors)
{
    for (int k = 0; k < 12; ++k)
        folder.write(QString("big/%1.STY").arg(k), korgmWithStyles(48));
    const std::pair<const char *, const char *> cases[] = {
        {"exec \"$0\" PA.STY >/dev/full", "1 No space left on device\n"},
        {"exec \"$0\" --json PA.STY >/dev/full", "1 No space left on device\n"},
        {"exec \"$0\" --csv PA.STY >/dev/full", "1 No space left on device\n"},
        {"exec \"$0\" --version >/dev/full", "1 No space left on device\n"},
        {"exec \"$0\" PA.STY >&-", "1 Bad file descriptor\n"},
        {"trap '' PIPE; { \"$0\" --json big; echo \"exit $?\" >&2; } | head -c 1 >/dev/null",
            "0 Broken pipe\nexit 1\n"},
    };
    for (const auto &[command, failure] : cases) {
        const CommandRun done = run(command);
        EXPECT_EQ(QString::number(done.exitCode) + ' ' + done.err,
            QString(failure).insert(2, "quarv-report: standard output: "))
            << command;
    }
}

// A folder stands for every .STY file below it, in the byte order of their paths; links to folders
// are followed without looping (a folder reached twice counts under its first path in byte
// order, however the file system lists it), other files passed over, a folder that cannot be
// listed named.
// The CSV has a row for each style, with every column, quoting where needed, every text escaped
// one way, and no cell that a spreadsheet would take for a formula.
TEST(QuarvReportFolders, EveryStyleFileBelowAFolderAsCsv)
{
    TestFolder folder;
    const QString root = folder.path("library");
    for (const char *name :
        {"elsewhere/USER01.STY", "library/a/deep/x.sty", "library/Z\xff.Sty", "library/real/R.STY"})
        folder.write(
            decodeFileName(name), ISeriesFileBuilder("KORG9").slot(2000, "Pop Ballad").build());
    folder.write("library/=1+2.STY",
        PaFileBuilder().style("=HYPERLINK(", 2700).performance(300).style("+SUM(1+1)", 9).bytes());
    folder.write("library/\t=3+4.STY",
        PaFileBuilder().style("-2+3", 9).style("@SUM(A1)", 9).style("\\n\x9f", 9).bytes());
    ISeriesFileBuilder live("KORG9");
    live.slot(1500, QByteArray("Tab\tNul\0 \n", 10)).slot(600, "Ghost     ");
    folder.write("library/a/I3, \"live\".STY", live.build());
    folder.write(decodeFileName("library/Caf\xe8\x1b]0;T\a.STY"), paFile("E8"));
    folder.write("library/notes.txt", "x");
    ASSERT_TRUE(QFile::link(root, root + "/a/loop")
        && QFile::link(folder.path("elsewhere"), root + "/b")
        && QFile::link(root + "/real", root + "/real-link") && QDir().mkpath(root + "/locked")
        && QDir().mkpath(folder.path("empty/inside")));
    HookedFileService files;  // with a folder that goes away once the walk has found it
    files.beforeListing = [&](const QString &path) {
        if (path == root + "/locked")
            QDir().rmdir(path);
    };
    files.descending = true;
    // A folder without problems (a/deep) is no reason for a message.
    const QStringList arguments {root, folder.path("empty"), root + "/a/deep"};
    const CommandRun run = runCommand(QStringList {"--csv"} + arguments, files);
    EXPECT_EQ(QString::number(run.exitCode) + ' ' + run.err,
        QString("1 quarv-report: %1/locked: No such file or directory\n"
                "quarv-report: %2: no style file (.STY) in this folder or below it\n")
            .arg(root, folder.path("empty")));
    EXPECT_EQ(QString::fromUtf8(run.out),
        QString(
            R"csv(path,file name,tag,family,number,slot,name,size,supplementary size,ghost
%1/\t=3+4.STY,\t=3+4.STY,KORF,Pa50/60/80 (KORF),1,1,'-2+3,9,0,no
%1/\t=3+4.STY,\t=3+4.STY,KORF,Pa50/60/80 (KORF),2,2,'@SUM(A1),9,0,no
%1/\t=3+4.STY,\t=3+4.STY,KORF,Pa50/60/80 (KORF),3,3,\\n\u009f,9,0,no
%1/=1+2.STY,'=1+2.STY,KORF,Pa50/60/80 (KORF),1,1,'=HYPERLINK(,2700,300,no
%1/=1+2.STY,'=1+2.STY,KORF,Pa50/60/80 (KORF),2,3,'+SUM(1+1),9,0,no
%1/Caf\xe8\x1b]0;T\x07.STY,Caf\xe8\x1b]0;T\x07.STY,KORF,Pa50/60/80 (KORF),1,1,E8,400,0,no
%1/Z\xff.Sty,Z\xff.Sty,KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Pop Ballad,2000,0,no
"%1/a/I3, ""live"".STY","I3, ""live"".STY",KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Tab\tNul\x00 \n,1500,0,no
"%1/a/I3, ""live"".STY","I3, ""live"".STY",KORG9,"i3,i2,i1,i4s (KORG9)",2,2,Ghost,600,0,yes
%1/a/deep/x.sty,x.sty,KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Pop Ballad,2000,0,no
%1/b/USER01.STY,USER01.STY,KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Pop Ballad,2000,0,no
%1/real-link/R.STY,R.STY,KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Pop Ballad,2000,0,no
%1/a/deep/x.sty,x.sty,KORG9,"i3,i2,i1,i4s (KORG9)",1,1,Pop Ballad,2000,0,no
)csv")
            .arg(root)
            .replace('\n', QLatin1String("\r\n")));
}
