#include "app/report_command.h"
#include "csv_reader.h"
#include "load_harness.h"
#include "platform/file_error.h"
#include "reports/export_report.h"
#include "style_file_builder.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>
#include <cstring>

namespace {

struct CommandRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// Runs quarv-report as a process in `folder`, in a fixed locale.
CommandRun quarvReport(const QStringList &arguments, const QString &folder = QString())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(QUARV_REPORT_EXE), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
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
    CommandRun run{exitCode, QByteArray(out, qsizetype(outSize)), QString::fromUtf8(err, qsizetype(errSize))};
    std::free(out);
    std::free(err);
    return run;
}

QByteArray exported(const QString &path)
{
    QByteArray out;
    const StyleFile file = *loadStyleFile(path, FileService()).file;
    writeTextReport(reportSource(file, fileInfoCaptions(file)), [&](QByteArrayView line) { out += line.toByteArray() + "\r\n"; });
    return out;
}

} // namespace

class QuarvReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        pa = folder.write(QStringLiteral("PA.STY"),
                          PaFileBuilder().style("Pop", 2700).performance(300).style("Rock", 900).performance(80).build().bytes);
        iSeries = folder.write(QStringLiteral("I30.sty"),
                               ISeriesFileBuilder("KORGI").slot(0).slot(3000, QByteArray("Na\0me\xe9     ", 11)).slot(500, "Ghost      ").build());
        unknown = folder.write(QStringLiteral("UNKNOWN.STY"), "NOT A STYLE FILE");
        damaged = folder.write(QStringLiteral("DAMAGED.STY"), PaFileBuilder().style("A", 500).build().bytes.left(400));
        refused = folder.write(QStringLiteral("notes.txt"), "x");
        missing = folder.path(QStringLiteral("MISSING.STY"));
    }
    TestFolder folder;
    QString pa, iSeries, unknown, damaged, refused, missing;
};

// Standard output is what "Export Info" writes for each file with styles, each report after a
// "==> path <==" line when there are several; every problem is one line on standard error, and
// the exit status says whether there was one.
TEST_F(QuarvReport, ReportsAndProblems)
{
    const CommandRun run = quarvReport({refused, unknown, pa, damaged, missing, iSeries});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("quarv-report: %1: Unknown File Type!\n"
                                      "quarv-report: %2: Unknown file format!\n"
                                      "quarv-report: %3: Damaged style file: DAMAGED.STY: the marker \"KBEG\" is not in the last 320 bytes.\n"
                                      "quarv-report: %4: Cannot read %4: No such file or directory.\n")
                           .arg(refused, unknown, damaged, missing));
    EXPECT_EQ(run.out, "==> " + pa.toUtf8() + " <==\r\n" + exported(pa) + "==> " + iSeries.toUtf8() + " <==\r\n" + exported(iSeries));
    EXPECT_EQ(quarvReport({pa}).out, exported(pa)) << "one file: exactly the export";
}

TEST_F(QuarvReport, Options)
{
    folder.write(QStringLiteral("-dash.STY"), PaFileBuilder().style("A", 400).build().bytes);
    const struct {
        QStringList arguments;
        int exitCode;
        const char *outStart;
        const char *errStart;
    } cases[] = {
        {{}, 2, "", "quarv-report: no FILE given\nUsage: "},
        {{"--frobnicate", "PA.STY"}, 2, "", "quarv-report: Unknown option 'frobnicate'.\nUsage: "},
        {{"-dash.STY"}, 2, "", "quarv-report: Unknown options: d, a, s, ., S, T, Y.\nUsage: "},
        {{"", "PA.STY"}, 2, "", "quarv-report: empty file name\nUsage: "},
        {{"-"}, 2, "", "quarv-report: standard input is not read: name the style files\nUsage: "},
        {{"--json", "--csv", "PA.STY"}, 2, "", "quarv-report: --json and --csv exclude each other\nUsage: "},
        {{"--help"}, 0, "Usage: ", ""},
        {{"-v"}, 0, "quarv-report " QUARV_VERSION "\n", ""},
        // After "--" a name that starts with a dash is a file, here one in the working folder.
        {{"--", "-dash.STY"}, 0, "Quarv - Brennix (3.00)\r\n", ""},
    };
    for (const auto &c : cases) {
        const CommandRun run = quarvReport(c.arguments, folder.path(QString()));
        const std::string label = c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << label;
        EXPECT_EQ(run.out.left(qsizetype(std::strlen(c.outStart))) + (run.out.size() > 0 && !*c.outStart ? "+more" : ""), c.outStart) << label;
        EXPECT_EQ(run.err.left(qsizetype(std::strlen(c.errStart))) + (run.err.size() > 0 && !*c.errStart ? "+more" : ""), c.errStart) << label;
    }
    const QString help = QString::fromUtf8(quarvReport({QStringLiteral("-h")}).out);
    for (const char *option : {"-h, --help", "-v, --version", "--json", "--csv", "FILE"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
}

TEST_F(QuarvReport, JsonDescribesEveryFileWithTheSameKeys)
{
    const CommandRun run = quarvReport({QStringLiteral("--json"), pa, iSeries, unknown, refused});
    EXPECT_EQ(run.exitCode, 1);
    const QString modified = fixedModificationTime().toOffsetFromUtc(fixedModificationTime().offsetFromUtc()).toString(Qt::ISODate)
                                 .replace(QLatin1Char('Z'), QLatin1String("+00:00"));
    const QByteArray expected = QString::fromUtf8(R"json([
  {"path": "%1", "message": null, "name": "PA.STY", "size": %2, "modified": "%7", "tag": "KORF",
   "family": "Pa50/60/80 (KORF)", "pa1x": false, "usable": 2, "ghost": 0, "styles": [
     {"number": 1, "slot": 1, "name": "Pop", "size": 2700, "supplementarySize": 300, "ghost": false},
     {"number": 2, "slot": 3, "name": "Rock", "size": 900, "supplementarySize": 80, "ghost": false}]},
  {"path": "%3", "message": null, "name": "I30.sty", "size": %4, "modified": "%7", "tag": "KORGI",
   "family": "i30 (KORGI)", "pa1x": null, "usable": 1, "ghost": 1, "styles": [
     {"number": 2, "slot": 2, "name": "Na\u0000me\u00e9     ", "size": 3000, "supplementarySize": 0, "ghost": false},
     {"number": 3, "slot": 3, "name": "Ghost", "size": 500, "supplementarySize": 0, "ghost": true}]},
  {"path": "%5", "message": "Unknown file format!", "name": "UNKNOWN.STY", "size": 16, "modified": "%7",
   "tag": "NOT A", "family": null, "pa1x": null, "usable": 0, "ghost": 0, "styles": []},
  {"path": "%6", "message": "Unknown File Type!", "name": null, "size": null, "modified": null, "tag": null,
   "family": null, "pa1x": null, "usable": null, "ghost": null, "styles": null}
])json").arg(pa).arg(QFileInfo(pa).size()).arg(iSeries).arg(QFileInfo(iSeries).size()).arg(unknown, refused, modified).toUtf8();
    EXPECT_FALSE(QJsonDocument::fromJson(expected).isNull());
    EXPECT_EQ(QJsonDocument::fromJson(run.out), QJsonDocument::fromJson(expected)) << run.out.toStdString();
}

// Each FILE is taken byte for byte as given; names reach a terminal without control characters,
// and every message stays one line.
TEST_F(QuarvReport, NamesAsGivenAndShownSafely)
{
    const auto pa = [](const QByteArray &style) { return PaFileBuilder().style(style, 400).build().bytes; };
    folder.write(QStringLiteral("ab.STY"), pa("Plain"));
    folder.write(QStringLiteral("a\"b.STY"), pa("Quoted"));
    folder.write(QStringLiteral("esc.STY"), pa("Red\x1b[31m"));
    const QByteArray rawPath = QFile::encodeName(folder.path(QString())) + "/bad\xff\xfe.STY";
    std::FILE *file = std::fopen(rawPath.constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(pa("Bytes").constData(), 1, size_t(pa("Bytes").size()), file);
    std::fclose(file);

    // The shell hands over names that are not UTF-8, or hold control characters, as bytes.
    const auto run = [&](const QString &command) {
        QProcess process;
        process.setWorkingDirectory(folder.path(QString()));
        process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command, QStringLiteral(QUARV_REPORT_EXE)});
        EXPECT_TRUE(process.waitForFinished(30000));
        return std::make_pair(process.readAllStandardOutput(), process.readAllStandardError());
    };
    const auto [out, err] = run(QStringLiteral(R"sh(exec "$0" 'a"b.STY' "$(printf 'bad\377\376.STY')" "$(printf 'no\033[31m\nfile.STY')" esc.STY)sh"));
    EXPECT_EQ(err, QByteArray("quarv-report: no\\x1b[31m\\nfile.STY: Cannot read no\\x1b[31m\\nfile.STY: No such file or directory.\n"));
    EXPECT_TRUE(out.contains("File Name........: a\"b.STY\r\n") && out.contains("01 - Quoted      -") && out.contains("File Name........: bad??.STY\r\n")
                && out.contains("==> bad\xef\xbf\xbd\xef\xbf\xbd.STY <==") && out.contains("01 - Bytes       -")
                && out.contains("01 - Red\x1b[31m    -"))
        << out.toStdString();
    // On a terminal (script(1) gives it one) the escape sequence becomes harmless.
    const auto [onTerminal, none] = run(QStringLiteral(R"sh(exec script -qec "$0 esc.STY" /dev/null)sh"));
    EXPECT_TRUE(onTerminal.contains("01 - Red?[31m    -") && !onTerminal.contains('\x1b')) << onTerminal.toStdString();
}

// A file service on which one folder cannot be read, as a folder without permission would be
// for anyone but root.
class UnreadableFolderService : public FileService {
public:
    explicit UnreadableFolderService(QString folder) : mFolder(std::move(folder)) {}
    std::vector<FolderEntry> listFolder(const QString &path, QString *identity) const override
    {
        if (path == mFolder)
            throw FileError(path, QStringLiteral("Permission denied"));
        return FileService::listFolder(path, identity);
    }

private:
    QString mFolder;
};

// A folder stands for every .STY file below it, in the byte order of their paths; links to folders
// are followed without looping, other files passed over, an unreadable folder named.
TEST(QuarvReportFolders, EveryStyleFileBelowAFolder)
{
    TestFolder folder;
    const QString root = folder.path(QStringLiteral("library"));
    const QByteArray style = ISeriesFileBuilder("KORG9").slot(2000, "Pop, \"live\"").build();
    for (const char *name : {"library/b/USER01.STY", "library/a/USER01.STY", "library/a/deep/x.sty", "library/Z.Sty",
                             "library/a.STY", "library/locked/HIDDEN.STY"})
        folder.write(QString::fromLatin1(name), style);
    folder.write(QStringLiteral("library/notes.txt"), "x");
    folder.write(QStringLiteral("library/a/STY"), "x");
    ASSERT_TRUE(QFile::link(root, root + QStringLiteral("/a/loop")));
    ASSERT_TRUE(QDir().mkpath(folder.path(QStringLiteral("empty/inside"))));

    const CommandRun run = runCommand({QStringLiteral("--csv"), root, folder.path(QStringLiteral("empty"))},
                               UnreadableFolderService(root + QStringLiteral("/locked")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("quarv-report: %1/locked: Permission denied\n"
                                      "quarv-report: %2: no style file (.STY) in this folder or below it\n")
                           .arg(root, folder.path(QStringLiteral("empty"))));
    QStringList paths;
    const QList<QStringList> records = readCsv(run.out);
    for (const QStringList &record : records)
        paths << record.value(0).mid(root.size() + 1) + QLatin1Char('|') + record.value(1) + QLatin1Char('|') + record.value(6);
    EXPECT_EQ(paths, (QStringList{"|file name|name", "Z.Sty|Z.Sty|Pop, \"live", "a.STY|a.STY|Pop, \"live", "a/USER01.STY|USER01.STY|Pop, \"live",
                                  "a/deep/x.sty|x.sty|Pop, \"live", "b/USER01.STY|USER01.STY|Pop, \"live"}));
    EXPECT_EQ(records.value(1), (QStringList{root + QStringLiteral("/Z.Sty"), "Z.Sty", "KORG9", "i3,i2,i1,i4s (KORG9)", "1", "1",
                                             "Pop, \"live", "2000", "0", "no"}));
}

// One CSV row per listed style: every column, quoting where needed, control bytes as in the JSON.
TEST(QuarvReportCsv, OneRowPerStyle)
{
    TestFolder folder;
    const QString pa = folder.write(QStringLiteral("PA.STY"), PaFileBuilder().style("Pop", 2700).performance(300).build().bytes);
    const QString i3 = folder.write(QStringLiteral("I3, \"live\".STY"),
                                    ISeriesFileBuilder("KORG9").slot(1500, QByteArray("Tab\tNul\0 \n", 10)).slot(600, "Ghost     ").build());
    const CommandRun run = runCommand({QStringLiteral("--csv"), pa, i3, folder.path(QStringLiteral("MISSING.STY"))}, FileService());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(readCsv(run.out), (QList<QStringList>{
                                    {"path", "file name", "tag", "family", "number", "slot", "name", "size", "supplementary size", "ghost"},
                                    {pa, "PA.STY", "KORF", "Pa50/60/80 (KORF)", "1", "1", "Pop", "2700", "300", "no"},
                                    {i3, "I3, \"live\".STY", "KORG9", "i3,i2,i1,i4s (KORG9)", "1", "1", "Tab\\tNul\\u0000 \\n", "1500", "0", "no"},
                                    {i3, "I3, \"live\".STY", "KORG9", "i3,i2,i1,i4s (KORG9)", "2", "2", "Ghost", "600", "0", "yes"},
                                }));
    EXPECT_TRUE(run.out.startsWith("path,file name,tag,family,number,slot,name,size,supplementary size,ghost\r\n" + pa.toUtf8()
                                   + ",PA.STY,KORF,Pa50/60/80 (KORF),1,1,Pop,2700,300,no\r\n\""))
        << run.out.toStdString();
}
