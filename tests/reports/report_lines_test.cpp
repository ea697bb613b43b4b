#include "load_harness.h"
#include "recording_printer.h"
#include "reports/export_info.h"
#include "reports/print_info.h"
#include "style_file_builder.h"

#include <QLocale>

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>

namespace {

// The text-file report of a loaded file, with the panel's captions as the window shows them.
QByteArray exported(const LoadHarness &h)
{
    QByteArray out;
    WriteTextReport(ReportSourceFor(h.file, FileInfoCaptionsFor(h.file)), [&](const QByteArray &line) { out += line + "\r\n"; });
    return out;
}

QByteArray crlf(QByteArray text) { return text.replace("\n", "\r\n"); }

QByteArray iSeriesSet()
{
    return ISeriesFileBuilder("KORGI").slot(12345, "Pop Ballad ").slot(1024, "Disco      ").slot(0).slot(10240, "Swing      ").build();
}

} // namespace

TEST(ReportStyleRow, Columns)
{
    const struct {
        qint64 index;
        QByteArray name;
        qint64 size;
        bool ghost;
        QByteArray row;
    } cases[] = {
        {1, "Pop Ballad", 12345, false, "01 - Pop Ballad  -     12,345 bytes"},
        {2, "Disco", 1024, true, "02 - Disco       -      1,024 bytes - GHOST"},
        {3, "Exactly11ch", 5, false, "03 - Exactly11ch -          5 bytes"},
        {4, "Twelve chars", 5, false, "04 - Twelve char -          5 bytes"},
        {5, "", 0, false, "05 -             -            bytes"},
        {100, "X", 999, false, "100 - X           -        999 bytes"},
        // A number wider than its column is written whole rather than losing its leading digits.
        {6, "Huge", 1234567890, false, "06 - Huge        - 1,234,567,890 bytes"},
        {7, QByteArray("N\xe9\0x", 4), 1, false, QByteArray("07 - N\xe9\0x        -          1 bytes", 35)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReportStyleRow(c.index, c.name, c.size, c.ghost), c.row) << c.index;
}

TEST(TextReport, WholeReports)
{
    LoadHarness i30;
    i30.load(iSeriesSet(), QStringLiteral("MYSET.STY"));
    EXPECT_EQ(exported(i30), crlf("Quarv - Brennix (3.00)\n"
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

    // No ghost line without ghosts; a Pa-series row shows the main part only; the file name keeps
    // its blanks; characters outside Latin-1 become "?".
    LoadHarness pa;
    pa.load(PaFileBuilder().style("Pop", 2700).style("Rock", 2000).performance(3000).performance(1879).build().bytes,
            QStringLiteral(" Ünï €.sty"));
    EXPECT_EQ(exported(pa), crlf("Quarv - Brennix (3.00)\n"
                                 "^^^^^^^^^^^^^^^^^^^^^^\n"
                                 "\n"
                                 "File Name........:  \xDCn\xEF ?.sty\n"
                                 "File Size........: 9,743 bytes\n"
                                 "File Last Updated: 15/03/2004\n"
                                 "Style made for...: Pa50/60/80 (KORF)\n"
                                 "Usable styles....: 2\n"
                                 "\n"
                                 "01 - Pop         -      2,700 bytes\n"
                                 "02 - Rock        -      2,000 bytes\n"
                                 "\n"));
}

// Sizes are grouped with the user's separator; one outside Latin-1 becomes a no-break space.
TEST(TextReport, GroupSeparatorsOfTheLocale)
{
    LoadHarness h;
    h.load(iSeriesSet());
    const struct {
        QLocale::Language language;
        QByteArray size;
    } cases[] = {{QLocale::German, "23.833"}, {QLocale::French, "23\xA0" "833"}, {QLocale::English, "23,833"}};
    for (const auto &c : cases) {
        QLocale::setDefault(QLocale(c.language));
        const QByteArray report = exported(h);
        EXPECT_TRUE(report.contains("File Size........: " + c.size + " bytes\r\n")) << c.size.toHex().data();
        EXPECT_TRUE(report.contains("01 - Pop Ballad  -     12" + c.size.mid(2, 1) + "345 bytes")) << c.size.toHex().data();
    }
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
    // Exports through the save chooser, answering the questions with `answers`; returns the messages.
    QStringList exportTo(const QString &chosen, std::initializer_list<int> answers = {})
    {
        h.dialogs.shown.clear();
        for (int answer : answers)
            h.dialogs.answer(answer);
        h.dialogs.choose(chosen);
        ExportInfo(QString(), source, *h.file.FileService, h.dialogs);
        QStringList out;
        for (const auto &m : h.dialogs.shown)
            out << QStringLiteral("%1|%2").arg(m.style).arg(m.prompt);
        return out;
    }
    LoadHarness h;
    ReportSource source;
};

TEST_F(ExportTest, WritesWhereTheUserChoseAfterAskingToOverwrite)
{
    const QString target = h.folder.path(QStringLiteral("out.txt"));
    EXPECT_EQ(exportTo(target), QStringList()) << "success is silent";
    EXPECT_EQ(h.dialogs.suggestedNames, QStringList{QStringLiteral("MYSET.TXT")});
    EXPECT_EQ(ReadBytes(target), exported(h));

    const QString old = h.folder.write(QStringLiteral("old.txt"), "old bytes");
    const QString question = QStringLiteral("292|File %1 already exists: confirm overwrite?").arg(old);
    EXPECT_EQ(exportTo(old, {AnswerNo}), QStringList{question});
    EXPECT_EQ(ReadBytes(old), "old bytes");
    EXPECT_EQ(exportTo(old, {AnswerYes}), QStringList{question});
    EXPECT_EQ(ReadBytes(old), exported(h));

    EXPECT_EQ(exportTo(QString()), QStringList()) << "a cancelled chooser writes nothing";
    EXPECT_EQ(QDir(h.folder.path(QString())).entryList(QDir::Files).size(), 3);
}

// A failure names the file and the reason, keeps the old file and leaves no temporary file.
TEST_F(ExportTest, FailuresKeepTheOldFileAndSayWhy)
{
    const QString readOnly = h.folder.write(QStringLiteral("locked.txt"), "keep me");
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));
    const QString noFolder = h.folder.path(QStringLiteral("missing/out.txt"));
    const QString full = h.folder.write(QStringLiteral("full.txt"), "keep me too");

    EXPECT_EQ(exportTo(readOnly, {AnswerYes}).value(1), QStringLiteral("16|Cannot write %1: the file is read-only.").arg(readOnly));
    EXPECT_EQ(exportTo(noFolder), QStringList{QStringLiteral("16|Cannot write %1: No such file or directory.").arg(noFolder)});

    // A disk that fills up: files of this process may not grow beyond 16 bytes.
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{16, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const QStringList messages = exportTo(full, {AnswerYes});
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(messages.value(1), QStringLiteral("16|Cannot write %1: File too large.").arg(full));

    EXPECT_EQ(ReadBytes(readOnly), "keep me");
    EXPECT_EQ(ReadBytes(full), "keep me too");
    EXPECT_EQ(QDir(h.folder.path(QString())).entryList(QDir::Files).size(), 3) << "no temporary file is left";
}

class PrintTest : public ExportTest {
protected:
    QStringList print(int answer, const PrinterFactory &printers)
    {
        h.dialogs.shown.clear();
        h.dialogs.answer(answer);
        PrintInfo(source, printers, h.dialogs);
        QStringList out;
        for (const auto &m : h.dialogs.shown)
            out << QStringLiteral("%1|%2").arg(m.style).arg(m.prompt);
        return out;
    }
    QStringList calls;
};

TEST_F(PrintTest, PrintsThePageFormThenSaysDone)
{
    const QString confirm = QStringLiteral("292|Confirm information data print to default printer?");
    EXPECT_EQ(print(AnswerYes, RecordingPrinter::factory(calls)), (QStringList{confirm, "0|Done!"}));
    EXPECT_EQ(calls, (QStringList{"line:", "font:SYSTEM", "size:14", "line:Quarv - Brennix (3.00)", "size:10", "line:",
                                  "line:File Name........: MySet.sty", "line:File Size........: 2,096 bytes",
                                  "line:File Last Updated: 15/03/2004", "line:Style made for...: i3,i2,i1,i4s (KORG9)",
                                  "line:Usable styles....: 1", "line:Ghost styles.....: 0", "line:",
                                  "line:01 - Rock        -      2,000 bytes", "end"}));

    calls.clear();
    EXPECT_EQ(print(AnswerNo, RecordingPrinter::factory(calls)), QStringList{confirm});
    EXPECT_TRUE(calls.isEmpty());

    EXPECT_EQ(print(AnswerYes, RecordingPrinter::factory(calls, 5)),
              (QStringList{confirm, "48|Cannot print: the printer is out of paper."}));
    EXPECT_EQ(calls.size(), 5);
    EXPECT_EQ(print(AnswerYes, []() -> std::unique_ptr<Printer> { throw PrinterError(QStringLiteral("no default printer is installed")); }),
              (QStringList{confirm, "48|Cannot print: no default printer is installed."}));
}

TEST(FileInfoCaptions, FamilyOfEveryFormat)
{
    const struct {
        QByteArray bytes;
        const char *family;
    } cases[] = {
        {PaFileBuilder().style("A", 400).build().bytes, " Pa50/60/80 (KORF)"},
        {PaFileBuilder().pa1x().style("A", 400).build().bytes, " Pa1X/Pro (KORF)"},
        {PaFileBuilder().newerDirectory().pa1x().style("A", 400).build().bytes, " Pa-series (KORF)"},
        {ISeriesFileBuilder("KORGI").slot(1300).build(), " i30 (KORGI)"},
        {ISeriesFileBuilder("KORGM").slot(1300).build(), " iS40,iS50 (KORGM)"},
        {ISeriesFileBuilder("KORG9").slot(1300).build(), " i3,i2,i1,i4s (KORG9)"},
        {ISeriesFileBuilder("KORG<").slot(1300).build(), " i5 (KORG<)"},
        {"KORG6 is no style file", " Unknown format"},
    };
    for (const auto &c : cases) {
        LoadHarness h;
        h.load(c.bytes);
        EXPECT_EQ(FileInfoCaptionsFor(h.file)[3], QLatin1String(c.family));
    }
}
