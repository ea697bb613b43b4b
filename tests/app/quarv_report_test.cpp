#include "load_harness.h"
#include "reports/export_report.h"
#include "style_file_builder.h"

#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct ProcessRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// Runs quarv-report in `folder`, in a fixed locale.
ProcessRun quarvReport(const QStringList &arguments, const QString &folder = QString())
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

// Standard output is what "Export Info" writes, for each file with styles; every problem is one
// line on standard error, and the exit status says whether there was one.
TEST_F(QuarvReport, ReportsAndProblems)
{
    const ProcessRun run = quarvReport({refused, unknown, pa, damaged, missing, iSeries});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("quarv-report: %1: Unknown File Type!\n"
                                      "quarv-report: %2: Unknown file format!\n"
                                      "quarv-report: %3: Damaged style file: DAMAGED.STY: the marker \"KBEG\" is not in the last 320 bytes.\n"
                                      "quarv-report: %4: Cannot read %4: No such file or directory.\n")
                           .arg(refused, unknown, damaged, missing));
    QByteArray expected;
    for (const QString &path : {pa, iSeries}) {
        const StyleFile file = *loadStyleFile(path, FileService()).file;
        writeTextReport(reportSource(file, fileInfoCaptions(file)), [&](const QByteArray &line) { expected += line + "\r\n"; });
    }
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(quarvReport({pa}).exitCode, 0);
}

TEST_F(QuarvReport, Options)
{
    const QString usage = QStringLiteral("Usage: quarv-report [--json] FILE...\n");
    const struct {
        QStringList arguments;
        int exitCode;
        QString outStart;
        QString errStart;
    } cases[] = {
        {{}, 2, {}, usage},
        {{QStringLiteral("--frobnicate"), pa}, 2, {}, QStringLiteral("quarv-report: unknown option --frobnicate\n") + usage},
        {{QString(), pa}, 2, {}, QStringLiteral("quarv-report: empty file name\n") + usage},
        {{QStringLiteral("--help")}, 0, usage, {}},
        {{QStringLiteral("--version")}, 0, QStringLiteral("quarv-report " QUARV_VERSION "\n"), {}},
        // After "--" a name that starts with a dash is a file, here one in the working folder.
        {{QStringLiteral("--"), QStringLiteral("-dash.STY")}, 0, QStringLiteral("Quarv - Brennix (3.00)\r\n"), {}},
        {{QStringLiteral("-dash.STY")}, 2, {}, QStringLiteral("quarv-report: unknown option -dash.STY\n") + usage},
    };
    folder.write(QStringLiteral("-dash.STY"), PaFileBuilder().style("A", 400).build().bytes);
    for (const auto &c : cases) {
        const ProcessRun run = quarvReport(c.arguments, folder.path(QString()));
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(QString::fromLatin1(run.out.left(c.outStart.size())), c.outStart) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.err.left(c.errStart.size()), c.errStart) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.out.isEmpty(), c.outStart.isEmpty());
        EXPECT_EQ(run.err.isEmpty(), c.errStart.isEmpty());
    }
}

TEST_F(QuarvReport, JsonDescribesEveryFile)
{
    const ProcessRun run = quarvReport({QStringLiteral("--json"), pa, iSeries, unknown, refused});
    EXPECT_EQ(run.exitCode, 1);
    const QByteArray expected = QString::fromUtf8(R"json([
  {"path": "%1", "message": null, "name": "PA.STY", "size": %2, "modified": "2004-03-15T10:20:30", "tag": "KORF",
   "family": "Pa50/60/80 (KORF)", "pa1x": false, "usable": 2, "ghost": 0, "styles": [
     {"number": 1, "slot": 1, "name": "Pop", "size": 2700, "supplementarySize": 300, "ghost": false},
     {"number": 2, "slot": 3, "name": "Rock", "size": 900, "supplementarySize": 80, "ghost": false}]},
  {"path": "%3", "message": null, "name": "I30.sty", "size": %4, "modified": "2004-03-15T10:20:30", "tag": "KORGI",
   "family": "i30 (KORGI)", "usable": 1, "ghost": 1, "styles": [
     {"number": 2, "slot": 2, "name": "Na\u0000me\u00e9     ", "size": 3000, "supplementarySize": 0, "ghost": false},
     {"number": 3, "slot": 3, "name": "Ghost", "size": 500, "supplementarySize": 0, "ghost": true}]},
  {"path": "%5", "message": "Unknown file format!", "name": "UNKNOWN.STY", "size": 16, "modified": "2004-03-15T10:20:30",
   "tag": "NOT A", "usable": 0, "ghost": 0, "styles": []},
  {"path": "%6", "message": "Unknown File Type!"}
])json").arg(pa).arg(QFileInfo(pa).size()).arg(iSeries).arg(QFileInfo(iSeries).size()).arg(unknown, refused).toUtf8();
    EXPECT_EQ(QJsonDocument::fromJson(run.out), QJsonDocument::fromJson(expected)) << run.out.toStdString();
    EXPECT_FALSE(QJsonDocument::fromJson(expected).isNull());
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
    FILE *file = std::fopen(rawPath.constData(), "wb");
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
                && out.contains("01 - Bytes       -") && out.contains("01 - Red\x1b[31m    -"))
        << out.toStdString();
    // On a terminal (script(1) gives it one) the escape sequence becomes harmless.
    const auto [onTerminal, none] = run(QStringLiteral(R"sh(exec script -qec "$0 esc.STY" /dev/null)sh"));
    EXPECT_TRUE(onTerminal.contains("01 - Red?[31m    -") && !onTerminal.contains('\x1b')) << onTerminal.toStdString();
}
