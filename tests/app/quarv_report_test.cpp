#include "app/report_command.h"
#include "platform/file_name.h"
#include "quarv_version.h"
#include "pa_style_chunks.h"
#include "test_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
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
    const QString &command = QStringLiteral("exec \"$0\" \"$@\""))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral("/bin/sh"),
        QStringList {QStringLiteral("-c"), command, QStringLiteral(QUARV_REPORT_EXE)} + arguments);
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

// The records of RFC 4180 text: fields separated by commas, in double quotes (doubled inside) where
// they hold one; reading stops at the first field that does not follow these rules.
QList<QStringList> readCsv(const QByteArray &csv)
{
    static const QRegularExpression field(
        QStringLiteral(R"re(\G(?:"((?:[^"]|"")*)"|([^,\r\n"]*))(,|\r\n))re"));
    QList<QStringList> records {{}};
    for (const QRegularExpressionMatch &match : field.globalMatch(QString::fromUtf8(csv))) {
        records.last() << (match.capturedStart(1) >= 0
                ? match.captured(1).replace(QLatin1String("\"\""), QLatin1String("\""))
                : match.captured(2));
        if (match.captured(3) != QLatin1String(","))
            records << QStringList();
    }
    return records.mid(0, records.size() - 1);
}

QByteArray paFile(const QByteArray &style)
{
    return PaFileBuilder().style(style, 400).build().bytes;
}

}  // namespace

class QuarvReport : public ::testing::Test {
protected:
    TestFolder folder;
    QString pa = folder.write(QStringLiteral("PA.STY"),
        PaFileBuilder()
            .style("Pop", 2700)
            .performance(300)
            .style("Rock", 900)
            .performance(80)
            .build()
            .bytes);
    QString iSeries = folder.write(QStringLiteral("I30.sty"),
        ISeriesFileBuilder("KORGI")
            .slot(0)
            .slot(3000, QByteArray("Na\0me\xe9\x7f\x9b   ", 11))
            .slot(500, "Ghost      ")
            .build());
    QString unknown = folder.write(QStringLiteral("UNKNOWN.STY"), "NOT A STYLE FILE");
    QString damaged = folder.write(
        QStringLiteral("DAMAGED.STY"), PaFileBuilder().style("A", 500).build().bytes.left(400));
    QString refused = folder.write(QStringLiteral("notes.txt"), "x");
    QString missing = folder.path(QStringLiteral("MISSING.STY"));
    QString empty = [this] {
        QDir().mkpath(folder.path(QStringLiteral("empty.STY/inside")));
        return folder.path(QStringLiteral("empty.STY"));
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
        QStringLiteral("quarv-report: %1: Unknown File Type!\n"
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

// Usage errors exit with 2, a line saying what is wrong and the usage. The arguments are parsed
// as given, those that Qt would take for itself included.
TEST_F(QuarvReport, Options)
{
    folder.write(QStringLiteral("-dash.STY"), paFile("A"));
    folder.write(QStringLiteral("-qmljsdebugger=x.STY"), paFile("A"));
    const std::pair<QStringList, const char *> cases[] = {
        {{}, "2||quarv-report: no FILE given\nUsage: "},
        {{"--frobnicate", "PA.STY"}, "2||quarv-report: Unknown option 'frobnicate'.\nUsage: "},
        {{"PA.STY", "-qmljsdebugger", "PA.STY"}, "2||quarv-report: Unknown options: q, m, l, j"},
        {{"-"}, "2||quarv-report: standard input is not read: name the style files\nUsage: "},
        {{"--json", "--csv", "PA.STY"},
            "2||quarv-report: --json and --csv exclude each other\nUsage: "},
        {{"--details", "PA.STY"}, "2||quarv-report: --details needs --json or --csv\nUsage: "},
        {{"--help"}, "0|Usage: |"},
        {{"--version"}, "0|quarv-report " QUARV_VERSION "\n|"},
        // After "--" a name that starts with a dash is a file, here one in the working folder; two
        // files are told apart.
        {{"--", "-dash.STY", "-dash.STY"}, "0|==> -dash.STY <==\r\nQuarv - Brennix (3.00)\r\n|"},
        {{"--", "-qmljsdebugger=x.STY"}, "0|Quarv - Brennix (3.00)\r\n|"},
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
    EXPECT_TRUE(
        quarvReport({QStringLiteral("--help")})
            .out.contains(" [options] FILE...\nWrites the information report of each style file"));
}

// One document with an object of the same keys for every file and every problem of a folder. In
// a time zone half an hour off the hour and ten hours ahead, as the user's may be; and in UTC.
// Control characters, DEL and C1 included, are escaped; names that are not UTF-8 keep their bytes
// as "\xHH".
TEST_F(QuarvReport, JsonDescribesEveryFileWithTheSameKeys)
{
    folder.write(decodeFileName("Caf\xe9\\.STY"), paFile("Pop"));
    const CommandRun run = quarvReport({QStringLiteral("--json"), pa, iSeries, refused, empty},
        folder.path(QString()),
        QStringLiteral(R"sh(TZ=Australia/Adelaide exec "$0" "$@" "$(printf 'Caf\351\\.STY')")sh"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(!run.out.contains("\xc2\x9b") && !run.out.contains('\x7f')
        && run.out.contains(R"("Na\u0000me)"
                            "\xc3\xa9"
                            R"(\u007f\u009b   ")"))
        << run.out.toStdString();
    const QString modified
        = fixedModificationTime().toTimeZone(QTimeZone("Australia/Adelaide")).toString(Qt::ISODate);
    EXPECT_TRUE(
        quarvReport({QStringLiteral("--json"), pa}, {}, QStringLiteral("TZ=UTC exec \"$0\" \"$@\""))
            .out.contains("\"modified\": \""
                + fixedModificationTime().toUTC().toString(Qt::ISODate).chopped(1).toUtf8()
                + "+00:00\""));
    const QString none
        = QStringLiteral(R"("name": null, "size": null, "modified": null, "tag": null,
        "family": null, "pa1x": null, "usable": null, "ghost": null, "styles": null)");
    const QByteArray expected = QString::fromUtf8(R"json([
  {"path": "%1", "message": null, "name": "PA.STY", "size": %2, "modified": "%6", "tag": "KORF", "family": "Pa50/60/80 (KORF)", "pa1x": false,
   "usable": 2, "ghost": 0, "styles": [{"number": 1, "slot": 1, "name": "Pop", "size": 2700, "supplementarySize": 300, "ghost": false},
                                       {"number": 2, "slot": 3, "name": "Rock", "size": 900, "supplementarySize": 80, "ghost": false}]},
  {"path": "%3", "message": null, "name": "I30.sty", "size": %4, "modified": "%6", "tag": "KORGI", "family": "i30 (KORGI)", "pa1x": null,
   "usable": 1, "ghost": 1, "styles": [{"number": 2, "slot": 2, "name": "Na\u0000me\u00e9\u007f\u009b   ", "size": 3000, "supplementarySize": 0, "ghost": false},
                                       {"number": 3, "slot": 3, "name": "Ghost", "size": 500, "supplementarySize": 0, "ghost": true}]},
  {"path": "%5", "message": "Unknown File Type!", %8},
  {"path": "%7", "message": "no style file (.STY) in this folder or below it", %8},
  {"path": "Caf\\xe9\\\\.STY", "message": null, "name": "Caf\\xe9\\\\.STY", "size": %9, "modified": "%6", "tag": "KORF", "family": "Pa50/60/80 (KORF)", "pa1x": false,
   "usable": 1, "ghost": 0, "styles": [{"number": 1, "slot": 1, "name": "Pop", "size": 400, "supplementarySize": 0, "ghost": false}]}
])json")
                                    .arg(pa)
                                    .arg(QFileInfo(pa).size())
                                    .arg(iSeries)
                                    .arg(QFileInfo(iSeries).size())
                                    .arg(refused, modified, empty, none)
                                    .arg(paFile("Pop").size())
                                    .toUtf8();
    EXPECT_FALSE(QJsonDocument::fromJson(expected).isNull());
    EXPECT_EQ(QJsonDocument::fromJson(run.out), QJsonDocument::fromJson(expected))
        << run.out.toStdString();
}

// Each FILE is taken byte for byte as given. Names that are not UTF-8 keep their bytes in the
// "==>" lines; no name can forge such a line; names reach a terminal without control characters;
// every message stays one line.
TEST_F(QuarvReport, NamesAsGivenAndShownSafely)
{
    folder.write(QStringLiteral("a\"b.STY"), paFile("Quoted"));
    folder.write(QStringLiteral("esc.STY"), paFile("Red\x1b[31m\x7f"));
    folder.write(decodeFileName("bad\xff\xfe.STY"), paFile("Bytes"));
    folder.write(QStringLiteral("x\r\n==> FAKE.STY <==\r\n.STY"), paFile("Forged"));
    const CommandRun run = quarvReport({}, folder.path(QString()),
        QStringLiteral(R"sh(exec "$0" 'a"b.STY' "$(printf 'bad\377\376.STY')" )sh"
                       R"sh("$(printf 'no\033[31m\r\nfile.STY')" esc.STY x*)sh"));
    EXPECT_EQ(run.err,
        QStringLiteral("quarv-report: no\\x1b[31m\\r\\nfile.STY: Cannot read "
                       "no\\x1b[31m\\r\\nfile.STY: No such file or directory.\n"));
    for (const QByteArray &part : {QByteArray("File Name........: a\"b.STY\r\n"),
             QByteArray("01 - Quoted      -"), QByteArray("File Name........: bad??.STY\r\n"),
             QByteArray("\r\n==> bad\\xff\\xfe.STY <==\r\n"), QByteArray("01 - Bytes       -"),
             QByteArray("01 - Red\x1b[31m\x7f   -"),
             QByteArray("\r\nFile Name........: x\\r\\n==> FAKE.STY <==\\r\\n.STY\r\n")})
        EXPECT_TRUE(run.out.contains(part)) << part.toStdString();
    EXPECT_FALSE(run.out.contains("\n==> FAKE.STY <==\r\n")) << run.out.toStdString();
    // On a terminal (script(1) gives it one) the escape sequence becomes harmless.
    const QByteArray onTerminal = quarvReport({}, folder.path(QString()),
        QStringLiteral(R"sh(exec script -qec "$0 esc.STY" /dev/null)sh"))
                                      .out;
    EXPECT_TRUE(onTerminal.contains("01 - Red?[31m?   -") && !onTerminal.contains('\x1b'))
        << onTerminal.toStdString();
}

// With --details, each style's meter, tempo and damage where the file's layout is known: in the
// JSON as keys (null where not known), in the CSV as three more columns; a damaged style is a
// problem like any other.
TEST_F(QuarvReport, DetailsOfEachStyle)
{
    QByteArray broken = paStyleChunk(4, 4);
    broken[broken.size() - 1] = char(broken[broken.size() - 1] ^ 1);  // the check byte
    const QString pa700 = folder.write(QStringLiteral("PA700.STY"),
        PaFileBuilder()
            .newerDirectory()
            .record("Waltz", 2, paStyleChunk(3, 4))
            .record("Jive", 2, broken)
            .record("Slow", 2, paStyleChunk(6, 8))
            .record({}, 7, paPerformanceChunk(TempoLayout::Version21, 90))
            .record({}, 7, paPerformanceChunk(TempoLayout::Version10, 160))
            .build()
            .bytes);
    const CommandRun json
        = quarvReport({QStringLiteral("--json"), QStringLiteral("--details"), pa700, iSeries});
    const CommandRun csv
        = quarvReport({QStringLiteral("--csv"), QStringLiteral("--details"), pa700, iSeries});
    const QString damage
        = QStringLiteral("quarv-report: %1: style 2: its data fails its check\n").arg(pa700);
    EXPECT_EQ(QString::number(json.exitCode) + json.err + csv.err, "1" + damage + damage);
    QStringList described;
    for (const QJsonValue file : QJsonDocument::fromJson(json.out).array()) {
        for (const QJsonValue style : file[QLatin1String("styles")].toArray())
            described << QString::fromUtf8(QJsonDocument(
                QJsonObject {{"m", style["meter"]}, {"t", style["tempo"]},
                    {"d", style["damaged"]}}).toJson(QJsonDocument::Compact));
    }
    EXPECT_EQ(described,
        (QStringList {R"({"d":null,"m":"3/4","t":90})",
            R"({"d":"style 2: its data fails its check","m":null,"t":null})",
            R"({"d":null,"m":"6/8","t":null})", R"({"d":null,"m":null,"t":null})",
            R"({"d":null,"m":null,"t":null})"}));
    QStringList rows;
    for (const QStringList &row : readCsv(csv.out))
        rows << row.mid(10).join('|');
    EXPECT_EQ(rows,
        (QStringList {"meter|tempo|damaged", "3/4|90|", "||style 2: its data fails its check",
            "6/8||", "||", "||"}));
}

// What could not be written is never success: a full disk, a closed standard output, a pipe whose
// reader went (with SIGPIPE ignored) each give one line and exit status 1.
TEST_F(QuarvReport, WriteFailuresAreErrors)
{
    for (int k = 0; k < 12; ++k)
        folder.write(QStringLiteral("big/%1.STY").arg(k), korgmWithStyles(48));
    const QString full = QStringLiteral("exec \"$0\" \"$@\" >/dev/full");
    const QString lost = QStringLiteral(
        "trap '' PIPE; { \"$0\" \"$@\"; echo \"exit $?\" >&2; } | head -c 1 >/dev/null");
    const std::tuple<QStringList, QString, const char *> cases[] = {
        {{pa}, full, "No space left on device\n"},
        {{"--json", pa}, full, "No space left on device\n"},
        {{"--csv", pa}, full, "No space left on device\n"},
        {{"--version"}, full, "No space left on device\n"},
        {{pa}, QStringLiteral("exec \"$0\" \"$@\" >&-"), "Bad file descriptor\n"},
        {{"--json", folder.path(QStringLiteral("big"))}, lost, "Broken pipe\nexit 1\n"},
    };
    for (const auto &[arguments, command, reason] : cases) {
        const CommandRun run = quarvReport(arguments, {}, command);
        EXPECT_EQ(QString::number(run.exitCode) + ' ' + run.err,
            (command == lost ? QStringLiteral("0 ") : QStringLiteral("1 "))
                + QStringLiteral("quarv-report: standard output: ") + QLatin1String(reason))
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
    const QString root = folder.path(QStringLiteral("library"));
    for (const char *name : {"elsewhere/USER01.STY", "library/a/deep/x.sty", "library/Z.Sty",
             "library/locked/HIDDEN.STY", "library/real/R.STY"})
        folder.write(
            QLatin1String(name), ISeriesFileBuilder("KORG9").slot(2000, "Pop Ballad").build());
    folder.write(QStringLiteral("library/=1+2.STY"),
        PaFileBuilder()
            .style("=HYPERLINK(", 2700)
            .performance(300)
            .style("+SUM(1+1)", 9)
            .build()
            .bytes);
    folder.write(QStringLiteral("library/\t=3+4.STY"),
        PaFileBuilder().style("-2+3", 9).style("@SUM(A1)", 9).style("\\n\x9b", 9).build().bytes);
    folder.write(QStringLiteral("library/a/I3, \"live\".STY"),
        ISeriesFileBuilder("KORG9")
            .slot(1500, QByteArray("Tab\tNul\0 \n", 10))
            .slot(600, "Ghost     ")
            .build());
    folder.write(decodeFileName("library/Caf\xe9.STY"), paFile("E9"));
    folder.write(decodeFileName("library/Caf\xe8\x1b]0;T\a.STY"), paFile("E8"));
    folder.write(QStringLiteral("library/notes.txt"), "x");
    folder.write(QStringLiteral("library/a/STY"), "x");
    ASSERT_TRUE(QFile::link(root, root + QStringLiteral("/a/loop"))
        && QFile::link(folder.path(QStringLiteral("elsewhere")), root + QStringLiteral("/b"))
        && QFile::link(root + QStringLiteral("/real"), root + QStringLiteral("/link"))
        && QDir().mkpath(folder.path(QStringLiteral("empty/inside"))));
    HookedFileService files;  // with a folder that cannot be read, as for anyone but root
    files.beforeListing = [&](const QString &path) {
        if (path == root + QStringLiteral("/locked"))
            throw FileError(path, QStringLiteral("Permission denied"));
    };
    files.descending = true;
    // A folder without problems (a/deep) is no reason for a message.
    const QStringList arguments {
        root, folder.path(QStringLiteral("empty")), root + QStringLiteral("/a/deep")};
    const CommandRun run = runCommand(QStringList {QStringLiteral("--csv")} + arguments, files);
    EXPECT_EQ(QString::number(run.exitCode) + ' ' + run.err,
        QStringLiteral("1 quarv-report: %1/locked: Permission denied\n"
                       "quarv-report: %2: no style file (.STY) in this folder or below it\n")
            .arg(root, folder.path(QStringLiteral("empty"))));
    const auto row = [&](const QString &path, const char *family, const QString &style) {
        const QString tag = QString::fromLatin1(family).section('(', 1).chopped(1);
        return QStringList {root + '/' + path, path.section('/', -1), tag, QLatin1String(family)}
        + style.split('|');
    };
    const char *const korg9 = "i3,i2,i1,i4s (KORG9)";
    const char *const pa = "Pa50/60/80 (KORF)";
    EXPECT_EQ(readCsv(run.out),
        (QList<QStringList> {{"path", "file name", "tag", "family", "number", "slot", "name",
                                 "size", "supplementary size", "ghost"},
            row("\\t=3+4.STY", pa, "1|1|'-2+3|9|0|no"),
            row("\\t=3+4.STY", pa, "2|2|'@SUM(A1)|9|0|no"),
            row("\\t=3+4.STY", pa, "3|3|\\\\n\\x9b|9|0|no"),
            {root + "/=1+2.STY", "'=1+2.STY", "KORF", pa, "1", "1", "'=HYPERLINK(", "2700", "300",
                "no"},
            {root + "/=1+2.STY", "'=1+2.STY", "KORF", pa, "2", "3", "'+SUM(1+1)", "9", "0", "no"},
            row("Caf\\xe8\\x1b]0;T\\x07.STY", pa, "1|1|E8|400|0|no"),
            row("Caf\\xe9.STY", pa, "1|1|E9|400|0|no"),
            row("Z.Sty", korg9, "1|1|Pop Ballad|2000|0|no"),
            row("a/I3, \"live\".STY", korg9, "1|1|Tab\\tNul\\x00 \\n|1500|0|no"),
            row("a/I3, \"live\".STY", korg9, "2|2|Ghost|600|0|yes"),
            row("a/deep/x.sty", korg9, "1|1|Pop Ballad|2000|0|no"),
            row("b/USER01.STY", korg9, "1|1|Pop Ballad|2000|0|no"),
            row("link/R.STY", korg9, "1|1|Pop Ballad|2000|0|no"),
            row("a/deep/x.sty", korg9, "1|1|Pop Ballad|2000|0|no")}));
    // The same walk as JSON: a folder that could not be read is an object of every key.
    const QJsonArray described = QJsonDocument::fromJson(
        runCommand(QStringList {QStringLiteral("--json")} + arguments, files).out)
                                     .array();
    QJsonObject locked;
    for (const QJsonValue &object : described) {
        if (object[QLatin1String("path")] == root + QStringLiteral("/locked"))
            locked = object.toObject();
    }
    EXPECT_EQ(locked,
        QJsonDocument::fromJson(
            QStringLiteral(R"({"path": "%1/locked", "message": "Permission denied", "name": null,
            "size": null, "modified": null, "tag": null, "family": null, "pa1x": null,
            "usable": null, "ghost": null, "styles": null})")
                .arg(root)
                .toUtf8())
            .object());
}
