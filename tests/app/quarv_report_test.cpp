#include "load_harness.h"
#include "reports/export_info.h"
#include "style_file_builder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct ProcessRun {
    int exitCode = -1;
    QByteArray out;
    QStringList errLines;
};

ProcessRun quarvReport(const QStringList &arguments)
{
    QProcess process;
    // The same number format as the tests' own locale, whatever the machine's locale is.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUARV_REPORT_EXE), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    ProcessRun run{process.exitCode(), process.readAllStandardOutput(), {}};
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    run.errLines = err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}

// What "Export Info" writes for the file, through the same load.
QByteArray exportedBytes(const QString &path)
{
    LoadHarness h;
    h.loader.OpenStyleFile(path);
    QByteArray out;
    WriteTextReport(ReportSourceFor(h.file, FileInfoCaptionsFor(h.file)),
                    [&](const QByteArray &line) { out += line + "\r\n"; });
    return out;
}

} // namespace

class QuarvReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        pa = folder.write(QStringLiteral("PA.STY"),
                          PaFileBuilder().style("Pop", 2700).performance(300).style("Rock", 900).performance(80).build().bytes);
        iSeries = folder.write(QStringLiteral("I30.sty"), ISeriesFileBuilder("KORGI")
                                                              .slot(0)
                                                              .slot(3000, QByteArray("Na\0me\xe9    ", 11))
                                                              .slot(0)
                                                              .slot(500, "Ghost      ")
                                                              .build());
        unknown = folder.write(QStringLiteral("UNKNOWN.STY"), "NOT A STYLE FILE");
        damaged = folder.write(QStringLiteral("DAMAGED.STY"), PaFileBuilder().style("A", 500).build().bytes.left(400));
        refused = folder.write(QStringLiteral("notes.txt"), "x");
        missing = folder.path(QStringLiteral("MISSING.STY"));
    }
    TestFolder folder;
    QString pa, iSeries, unknown, damaged, refused, missing;
};

TEST_F(QuarvReport, WritesExactlyWhatExportWouldWrite)
{
    const ProcessRun run = quarvReport({pa, iSeries});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.errLines.isEmpty());
    EXPECT_EQ(run.out, exportedBytes(pa) + exportedBytes(iSeries));
    EXPECT_TRUE(run.out.contains("02 - Na\0me\xe9    -      3,000 bytes\r\n04 - Ghost       -        500 bytes - GHOST"));
}

TEST_F(QuarvReport, ProblemsGoToStderrOneLineEach)
{
    const ProcessRun run = quarvReport({refused, unknown, pa, damaged, missing});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines,
              (QStringList{QStringLiteral("quarv-report: %1: Unknown File Type!").arg(refused),
                           QStringLiteral("quarv-report: %1: Unknown file format!").arg(unknown),
                           QStringLiteral("quarv-report: %1: Damaged style file: DAMAGED.STY: the marker \"KBEG\" "
                                          "is not in the last 320 bytes.").arg(damaged),
                           QStringLiteral("quarv-report: %1: Cannot read %1: No such file or directory.").arg(missing)}));
    EXPECT_EQ(run.out, exportedBytes(pa)) << "only the file with styles is reported";
}

TEST_F(QuarvReport, UsageErrorsHelpAndVersion)
{
    EXPECT_EQ(quarvReport({}).exitCode, 2);
    const ProcessRun unknownOption = quarvReport({QStringLiteral("--frobnicate"), pa});
    EXPECT_EQ(unknownOption.exitCode, 2);
    EXPECT_EQ(unknownOption.errLines.value(0), QStringLiteral("quarv-report: unknown option --frobnicate"));
    EXPECT_TRUE(unknownOption.out.isEmpty());

    const ProcessRun help = quarvReport({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: quarv-report [--json] FILE..."));
    const ProcessRun version = quarvReport({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "quarv-report " QUARV_VERSION "\n");

    const QString dashed = folder.write(QStringLiteral("-dash.STY"), PaFileBuilder().style("A", 400).build().bytes);
    EXPECT_EQ(quarvReport({QStringLiteral("--"), dashed}).exitCode, 0);
}

TEST_F(QuarvReport, JsonDescribesEveryFile)
{
    const ProcessRun run = quarvReport({QStringLiteral("--json"), pa, iSeries, unknown, refused});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines.size(), 2);
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(run.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonArray files = doc.array();
    ASSERT_EQ(files.size(), 4);

    const QJsonObject paObject = files[0].toObject();
    EXPECT_EQ(paObject[QStringLiteral("path")].toString(), pa);
    EXPECT_EQ(paObject[QStringLiteral("name")].toString(), QStringLiteral("PA.STY"));
    EXPECT_EQ(paObject[QStringLiteral("size")].toInt(), QFileInfo(pa).size());
    EXPECT_EQ(paObject[QStringLiteral("modified")].toString(), QStringLiteral("2004-03-15T10:20:30"));
    EXPECT_EQ(paObject[QStringLiteral("tag")].toString(), QStringLiteral("KORF"));
    EXPECT_EQ(paObject[QStringLiteral("family")].toString(), QStringLiteral("Pa50/60/80 (KORF)"));
    EXPECT_EQ(paObject[QStringLiteral("pa1x")], QJsonValue(false));
    EXPECT_EQ(paObject[QStringLiteral("usable")].toInt(), 2);
    EXPECT_EQ(paObject[QStringLiteral("ghost")].toInt(), 0);
    EXPECT_TRUE(paObject[QStringLiteral("message")].isNull());
    const QJsonObject rock = paObject[QStringLiteral("styles")].toArray()[1].toObject();
    EXPECT_EQ(rock, (QJsonObject{{"number", 2}, {"slot", 3}, {"name", "Rock"}, {"size", 900},
                                 {"supplementarySize", 80}, {"ghost", false}}));

    const QJsonObject iObject = files[1].toObject();
    EXPECT_FALSE(iObject.contains(QStringLiteral("pa1x")));
    EXPECT_EQ(iObject[QStringLiteral("family")].toString(), QStringLiteral("i30 (KORGI)"));
    const QJsonArray iStyles = iObject[QStringLiteral("styles")].toArray();
    ASSERT_EQ(iStyles.size(), 2);
    EXPECT_EQ(iStyles[0].toObject()[QStringLiteral("number")].toInt(), 2);
    EXPECT_EQ(iStyles[0].toObject()[QStringLiteral("name")].toString(),
              QString::fromLatin1(QByteArray("Na\0me\xe9    ", 11)));
    EXPECT_EQ(iStyles[1].toObject()[QStringLiteral("slot")].toInt(), 4);
    EXPECT_EQ(iStyles[1].toObject()[QStringLiteral("ghost")], QJsonValue(true));

    const QJsonObject unknownObject = files[2].toObject();
    EXPECT_EQ(unknownObject[QStringLiteral("message")].toString(), QStringLiteral("Unknown file format!"));
    EXPECT_EQ(unknownObject[QStringLiteral("tag")].toString(), QStringLiteral("NOT A"));
    EXPECT_FALSE(unknownObject.contains(QStringLiteral("family")));
    EXPECT_TRUE(unknownObject[QStringLiteral("styles")].toArray().isEmpty());

    EXPECT_EQ(files[3].toObject(), (QJsonObject{{"path", refused}, {"message", "Unknown File Type!"}}));
}
