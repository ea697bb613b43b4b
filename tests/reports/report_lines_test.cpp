#include "load_harness.h"
#include "recording_printer.h"
#include "reports/export_info.h"
#include "reports/print_info.h"
#include "style_file_builder.h"

#include <gtest/gtest.h>

namespace {

// The text-file report of a loaded file, with the panel's captions as the window shows them.
QByteArray exported(const LoadHarness &h)
{
    QByteArray out;
    WriteTextReport(ReportSourceFor(h.file, FileInfoCaptionsFor(h.file)),
                    [&](const QByteArray &line) { out += line + "\r\n"; });
    return out;
}

QByteArray crlf(const char *text) { return QByteArray(text).replace("\n", "\r\n"); }

} // namespace

TEST(ReportStyleRow, Columns)
{
    EXPECT_EQ(ReportStyleRow(1, "Pop Ballad", 12345, false), "01 - Pop Ballad  -     12,345 bytes");
    EXPECT_EQ(ReportStyleRow(2, "Disco", 1024, true), "02 - Disco       -      1,024 bytes - GHOST");
    EXPECT_EQ(ReportStyleRow(3, "Exactly11ch", 5, false), "03 - Exactly11ch -          5 bytes");
    EXPECT_EQ(ReportStyleRow(4, "Twelve chars", 5, false), "04 - Twelve char -          5 bytes");
    EXPECT_EQ(ReportStyleRow(5, "", 0, false), "05 -             -            bytes");
    EXPECT_EQ(ReportStyleRow(100, "X", 999, false), "100 - X           -        999 bytes");
    // A number wider than its column is written whole rather than losing its leading digits.
    EXPECT_EQ(ReportStyleRow(6, "Huge", 1234567890, false), "06 - Huge        - 1,234,567,890 bytes");
    EXPECT_EQ(ReportStyleRow(7, QByteArray("N\xe9\0x", 4), 1, false),
              QByteArray("07 - N\xe9\0x        -          1 bytes", 35));
}

TEST(TextReport, ISeriesWithAGhostAndAnEmptySlot)
{
    LoadHarness h;
    h.load(ISeriesFileBuilder("KORGI")
               .slot(12345, "Pop Ballad ")
               .slot(1024, "Disco      ")
               .slot(0)
               .slot(10240, "Swing      ")
               .build(),
           QStringLiteral("MYSET.STY"));
    EXPECT_EQ(exported(h), crlf("Quarv - Brennix (3.00)\n"
                                "^^^^^^^^^^^^^^^^^^^^^^\n"
                                "\n"
                                "File Name........: MYSET.STY\n"
                                "File Size........: 23,833 bytes\n"
                                "File Last Updated: 15/03/2004\n"
                                "Style made for...: i30 (KORGI)\n"
                                "Usable styles....: 2\n"
                                "Ghost styles.....: 1\n"
                                "\n"
                                "01 - Pop Ballad  -     12,345 bytes\n"
                                "02 - Disco       -      1,024 bytes - GHOST\n"
                                "04 - Swing       -     10,240 bytes\n"
                                "\n"));
}

TEST(TextReport, PaSeriesHasNoGhostLineAndShowsMainPartsOnly)
{
    LoadHarness h;
    h.load(PaFileBuilder().style("Pop", 2700).style("Rock", 2000).performance(3000).performance(1879).build().bytes,
           QStringLiteral("pa.sty"));
    const QByteArray report = exported(h);
    EXPECT_FALSE(report.contains("Ghost styles"));
    EXPECT_TRUE(report.contains("Usable styles....: 2\r\n\r\n01 - Pop         -      2,700 bytes\r\n"
                                "02 - Rock        -      2,000 bytes\r\n\r\n"));
    EXPECT_TRUE(report.endsWith("\r\n\r\n"));
    EXPECT_TRUE(report.contains("Style made for...: Pa50/60/80 (KORF)\r\n"));
}

TEST(TextReport, FileNameKeepsItsBlanksAndCaptionsAreTrimmed)
{
    LoadHarness h;
    h.load(ISeriesFileBuilder("KORG9").slot(2000, "A").build(), QStringLiteral(" spaced .STY"));
    const QByteArray report = exported(h);
    EXPECT_TRUE(report.contains("File Name........:  spaced .STY\r\n"));
    EXPECT_TRUE(report.contains("Usable styles....: 1\r\n"));
}

TEST(DefaultReportName, OnlyAFinalStyIsReplaced)
{
    EXPECT_EQ(DefaultReportName(QStringLiteral("MySet.sty")), QStringLiteral("MYSET.TXT"));
    EXPECT_EQ(DefaultReportName(QStringLiteral("SET.STYLE.STY")), QStringLiteral("SET.STYLE.TXT"));
    EXPECT_EQ(DefaultReportName(QStringLiteral("plain")), QStringLiteral("PLAIN"));
}

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.load(ISeriesFileBuilder("KORG9").slot(2000, "Rock      ").build(), QStringLiteral("MySet.sty"));
        source = ReportSourceFor(h.file, FileInfoCaptionsFor(h.file));
    }
    void exportTo(const QString &chosen)
    {
        h.dialogs.choose(chosen);
        ExportInfo(QString(), source, *h.file.FileService, h.dialogs);
    }
    LoadHarness h;
    ReportSource source;
};

TEST_F(ExportTest, WritesTheReportWhereTheUserChose)
{
    const QString target = h.folder.path(QStringLiteral("out.txt"));
    exportTo(target);
    EXPECT_EQ(h.dialogs.suggestedNames, QStringList{QStringLiteral("MYSET.TXT")});
    EXPECT_TRUE(h.dialogs.shown.isEmpty()) << "success is silent";
    EXPECT_EQ(ReadBytes(target), exported(h));
}

TEST_F(ExportTest, CancelledChooserWritesNothing)
{
    exportTo(QString());
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(h.folder.path(QStringLiteral("MYSET.TXT"))));
}

TEST_F(ExportTest, OverwriteAsksQuotingThePath)
{
    const QString target = h.folder.write(QStringLiteral("old.txt"), "old bytes");
    h.dialogs.answer(AnswerNo);
    exportTo(target);
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(h.dialogs.shown[0].prompt, QStringLiteral("File %1 already exists: confirm overwrite?").arg(target));
    EXPECT_EQ(h.dialogs.shown[0].style, 292);
    EXPECT_EQ(ReadBytes(target), "old bytes");

    h.dialogs.answer(AnswerYes);
    exportTo(target);
    EXPECT_EQ(ReadBytes(target), exported(h));
}

TEST_F(ExportTest, FailuresKeepTheOldFileAndSayWhy)
{
    const QString readOnly = h.folder.write(QStringLiteral("locked.txt"), "keep me");
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));
    h.dialogs.answer(AnswerYes);
    exportTo(readOnly);
    EXPECT_EQ(ReadBytes(readOnly), "keep me");
    ASSERT_EQ(h.dialogs.shown.size(), 2);
    EXPECT_EQ(h.dialogs.shown[1].prompt, QStringLiteral("Cannot write %1: the file is read-only.").arg(readOnly));
    EXPECT_EQ(h.dialogs.shown[1].style, MbStop);
    EXPECT_EQ(h.dialogs.shown[1].title, QStringLiteral("Quarv"));

    h.dialogs.shown.clear();
    const QString noFolder = h.folder.path(QStringLiteral("missing/out.txt"));
    exportTo(noFolder);
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].prompt.startsWith(QStringLiteral("Cannot write %1: ").arg(noFolder)));
    EXPECT_FALSE(QFile::exists(noFolder));
    EXPECT_EQ(QDir(h.folder.path(QString())).entryList(QDir::Files).size(), 2) << "no temporary file is left";
}

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.load(ISeriesFileBuilder("KORG9").slot(2000, "Rock      ").build(), QStringLiteral("MySet.sty"));
        source = ReportSourceFor(h.file, FileInfoCaptionsFor(h.file));
    }
    LoadHarness h;
    ReportSource source;
    QStringList calls;
};

TEST_F(PrintTest, PrintsThePageFormInOrderThenSaysDone)
{
    h.dialogs.answer(AnswerYes);
    PrintInfo(source, RecordingPrinter::factory(calls), h.dialogs);
    EXPECT_EQ(calls, (QStringList{"line:", "font:SYSTEM", "size:14", "line:Quarv - Brennix (3.00)", "size:10",
                                  "line:", "line:File Name........: MySet.sty",
                                  "line:File Size........: 2,096 bytes", "line:File Last Updated: 15/03/2004",
                                  "line:Style made for...: i3,i2,i1,i4s (KORG9)", "line:Usable styles....: 1",
                                  "line:Ghost styles.....: 0", "line:", "line:01 - Rock        -      2,000 bytes",
                                  "end"}));
    ASSERT_EQ(h.dialogs.shown.size(), 2);
    EXPECT_EQ(h.dialogs.shown[0].prompt, QStringLiteral("Confirm information data print to default printer?"));
    EXPECT_EQ(h.dialogs.shown[1].prompt, QStringLiteral("Done!"));
    EXPECT_EQ(h.dialogs.shown[1].style, MbOkOnly);
}

TEST_F(PrintTest, NoPrintsNothing)
{
    h.dialogs.answer(AnswerNo);
    PrintInfo(source, RecordingPrinter::factory(calls), h.dialogs);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(h.dialogs.shown.size(), 1);
}

TEST_F(PrintTest, APrinterFailureIsShownInsteadOfDone)
{
    h.dialogs.answer(AnswerYes);
    PrintInfo(source, RecordingPrinter::factory(calls, 5), h.dialogs);
    EXPECT_EQ(calls.size(), 5);
    ASSERT_EQ(h.dialogs.shown.size(), 2);
    EXPECT_EQ(h.dialogs.shown[1].prompt, QStringLiteral("Cannot print: the printer is out of paper."));
    EXPECT_EQ(h.dialogs.shown[1].style, MbExclamation);

    h.dialogs.answer(AnswerYes);
    PrintInfo(source, [] () -> std::unique_ptr<Printer> { throw PrinterError(QStringLiteral("no default printer is installed")); },
              h.dialogs);
    EXPECT_EQ(h.dialogs.shown.back().prompt, QStringLiteral("Cannot print: no default printer is installed."));
}
