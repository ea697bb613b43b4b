#include "load_harness.h"
#include "recording_printer.h"
#include "reports/export_report.h"
#include "reports/print_report.h"
#include "scripted_dialogs.h"
#include "style_file_builder.h"

#include <QLocale>

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>

namespace {

StyleFile loaded(const QByteArray &bytes, const QString &name = QStringLiteral("TEST.STY"))
{
    TestFolder folder;
    return *loadBytes(folder, bytes, name).file;
}

// The text-file report of a loaded file, with the panel's captions as the window shows them.
QByteArray exported(const StyleFile &file)
{
    QByteArray out;
    writeTextReport(reportSource(file, fileInfoCaptions(file)), [&](QByteArrayView line) { out += line.toByteArray() + "\r\n"; });
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
        EXPECT_EQ(reportStyleRow(c.index, c.name, c.size, c.ghost), c.row) << c.index;
}

TEST(TextReport, WholeReports)
{
    EXPECT_EQ(exported(loaded(iSeriesSet(), QStringLiteral("MYSET.STY"))), crlf("Quarv - Brennix (3.00)\n"
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
    const QByteArray pa = PaFileBuilder().style("Pop", 2700).style("Rock", 2000).performance(3000).performance(1879).build().bytes;
    EXPECT_EQ(exported(loaded(pa, QStringLiteral(" Ünï €.sty"))), crlf("Quarv - Brennix (3.00)\n"
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
// Sizes are grouped with the user's separator (one outside Latin-1 becomes a no-break space), and
// the date takes the locale's separator where it is ".", "-" or "/", keeping day, month, year.
TEST(TextReport, SeparatorsOfTheLocale)
{
    const StyleFile file = loaded(iSeriesSet());
    const struct {
        const char *locale;
        QByteArray size;
        QByteArray date;
    } cases[] = {
        {"de_DE", "23.833", "15.03.2004"}, {"nl_NL", "23.833", "15-03-2004"}, {"fr_FR", "23\xA0" "833", "15/03/2004"},
        {"C", "23,833", "15/03/2004"},     {"en_US", "23,833", "15/03/2004"},
    };
    for (const auto &c : cases) {
        QLocale::setDefault(QLocale(QLatin1String(c.locale)));
        const QByteArray report = exported(file);
        EXPECT_TRUE(report.contains("File Size........: " + c.size + " bytes\r\nFile Last Updated: " + c.date + "\r\n")) << c.locale;
        EXPECT_TRUE(report.contains("01 - Pop Ballad  -     12" + c.size.mid(2, 1) + "345 bytes")) << c.locale;
    }
}

TEST(DefaultReportName, OnlyAFinalStyIsReplaced)
{
    EXPECT_EQ(defaultReportName(QStringLiteral("MySet.sty")), QStringLiteral("MYSET.TXT"));
    EXPECT_EQ(defaultReportName(QStringLiteral("SET.STYLE.STY")), QStringLiteral("SET.STYLE.TXT"));
    EXPECT_EQ(defaultReportName(QStringLiteral("plain")), QStringLiteral("PLAIN"));
}

class ExportTest : public ::testing::Test {
protected:
    // Exports through the save chooser, which offers the default name in the style file's folder,
    // answering the questions with `answers`; returns the dialogs shown after the chooser.
    QStringList exportTo(const QString &chosen, std::initializer_list<bool> answers = {})
    {
        dialogs.shown.clear();
        for (bool answer : answers)
            dialogs.answer(answer);
        dialogs.choose(chosen);
        exportReport(source, QStringLiteral("/styles"), FileService(), dialogs);
        EXPECT_EQ(dialogs.shown.value(0), QStringLiteral("save chooser offering /styles/MYSET.TXT"));
        return dialogs.shown.mid(1);
    }
    TestFolder folder;
    StyleFile file = loaded(ISeriesFileBuilder("KORG9").slot(2000, "Rock      ").build(), QStringLiteral("MySet.sty"));
    ReportSource source = reportSource(file, fileInfoCaptions(file));
    ScriptedDialogs dialogs;
};

TEST_F(ExportTest, WritesWhereTheUserChoseAfterAskingToOverwrite)
{
    const QString target = folder.path(QStringLiteral("out.txt"));
    EXPECT_EQ(exportTo(target), QStringList()) << "success is silent";
    EXPECT_EQ(readBytes(target), exported(file));

    const QString old = folder.write(QStringLiteral("old.txt"), "old bytes");
    const QString question = QStringLiteral("question No: File %1 already exists: confirm overwrite?").arg(old);
    EXPECT_EQ(exportTo(old, {false}), QStringList{question});
    EXPECT_EQ(readBytes(old), "old bytes");
    EXPECT_EQ(exportTo(old, {true}), QStringList{question});
    EXPECT_EQ(readBytes(old), exported(file));

    EXPECT_EQ(exportTo(QString()), QStringList()) << "a cancelled chooser writes nothing";
    EXPECT_EQ(QDir(folder.path(QString())).entryList(QDir::Files).size(), 2);
}

// A failure names the file and the reason, keeps the old file and leaves no temporary file.
TEST_F(ExportTest, FailuresKeepTheOldFileAndSayWhy)
{
    const QString readOnly = folder.write(QStringLiteral("locked.txt"), "keep me");
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));
    const QString noFolder = folder.path(QStringLiteral("missing/out.txt"));
    const QString full = folder.write(QStringLiteral("full.txt"), "keep me too");

    EXPECT_EQ(exportTo(readOnly, {true}).value(1), QStringLiteral("critical Quarv: Cannot write %1: the file is read-only.").arg(readOnly));
    EXPECT_EQ(exportTo(noFolder), QStringList{QStringLiteral("critical Quarv: Cannot write %1: No such file or directory.").arg(noFolder)});

    // A disk that fills up: files of this process may not grow beyond 16 bytes.
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{16, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const QStringList messages = exportTo(full, {true});
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(messages.value(1), QStringLiteral("critical Quarv: Cannot write %1: File too large.").arg(full));

    EXPECT_EQ(readBytes(readOnly), "keep me");
    EXPECT_EQ(readBytes(full), "keep me too");
    EXPECT_EQ(QDir(folder.path(QString())).entryList(QDir::Files).size(), 2) << "no temporary file is left";
}

class PrintTest : public ExportTest {
protected:
    QStringList print(bool answer, const PrinterFactory &printers)
    {
        dialogs.shown.clear();
        dialogs.answer(answer);
        printReport(source, printers, dialogs);
        return dialogs.shown;
    }
    QStringList calls;
};

TEST_F(PrintTest, PrintsThePageFormThenSaysDone)
{
    const QString confirm = QStringLiteral("question No: Confirm information data print to default printer?");
    EXPECT_EQ(print(true, RecordingPrinter::factory(calls)), (QStringList{confirm, "none Quarv: Done!"}));
    EXPECT_EQ(calls, (QStringList{"document:MySet.sty", "line:", "font:SYSTEM", "size:14", "line:Quarv - Brennix (3.00)", "size:10", "line:",
                                  "line:File Name........: MySet.sty", "line:File Size........: 2,096 bytes",
                                  "line:File Last Updated: 15/03/2004", "line:Style made for...: i3,i2,i1,i4s (KORG9)",
                                  "line:Usable styles....: 1", "line:Ghost styles.....: 0", "line:",
                                  "line:01 - Rock        -      2,000 bytes", "end"}));

    calls.clear();
    EXPECT_EQ(print(false, RecordingPrinter::factory(calls)), QStringList{confirm});
    EXPECT_TRUE(calls.isEmpty());

    EXPECT_EQ(print(true, RecordingPrinter::factory(calls, 5)),
              (QStringList{confirm, "warning Quarv: Cannot print: the printer is out of paper."}));
    EXPECT_EQ(calls.size(), 5);
    EXPECT_EQ(print(true, [](const QString &) -> std::unique_ptr<Printer> { throw PrinterError(QStringLiteral("no default printer is installed")); }),
              (QStringList{confirm, "warning Quarv: Cannot print: no default printer is installed."}));
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
    for (const auto &c : cases)
        EXPECT_EQ(fileInfoCaptions(loaded(c.bytes))[3], QLatin1String(c.family));
}
