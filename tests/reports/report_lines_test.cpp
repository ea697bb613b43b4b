#include "test_support.h"
#include "recording_printer.h"
#include "reports/export_report.h"
#include "reports/json_description.h"
#include "reports/print_report.h"

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>

static StyleFile loaded(const QByteArray &bytes, const QString &name = "TEST.STY")
{
    TestFolder folder;
    return *loadStyleFile(folder.write(name, bytes), FileService()).file;
}

// A whole report; without ghosts there is no ghost line, a Pa-series row shows the main part only
// (a size of ten characters fills its column, one of 0 leaves it blank), a name longer than its
// eleven columns is cut, the file name keeps its blanks and characters outside Latin-1 become "?".
TEST(TextReport, WholeReports)
{
    ISeriesFileBuilder set("KORGI");
    set.slot(12345, "Pop Ballad ").slot(1000, "Disco      ").slot(0).slot(10240, "Swing      ");
    EXPECT_EQ(exported(loaded(set.build(), "MYSET.STY")),
        QByteArray(R"(Quarv - Brennix (3.00)
^^^^^^^^^^^^^^^^^^^^^^

File Name........: MYSET.STY
File Size........: 23,809 bytes
File Last Updated: 15/03/2004
Style made for...: i30 (KORGI)
Usable styles....: 2
Ghost styles.....: 1

01 - Pop Ballad  -     12,345 bytes
02 - Disco       -      1,000 bytes - GHOST
04 - Swing       -     10,240 bytes

)")
            .replace("\n", "\r\n"));
    PaFileBuilder pa;
    pa.newerDirectory().style("Pop", 12345678).style("Rock and Roll", 0).performance(3000);
    EXPECT_EQ(exported(loaded(pa.bytes(), " Ünï €ÿĀ.sty")),
        QByteArray("Quarv - Brennix (3.00)\n^^^^^^^^^^^^^^^^^^^^^^\n\n"
                   "File Name........:  \xDCn\xEF ?\xFF?.sty\n"
                   R"(File Size........: 12,348,818 bytes
File Last Updated: 15/03/2004
Style made for...: Pa-series (KORF)
Usable styles....: 2

01 - Pop         - 12,345,678 bytes
02 - Rock and Ro -            bytes

)")
            .replace("\n", "\r\n"));
}

// Sizes are grouped with the user's separator (one outside Latin-1 becomes a no-break space), and
// the date takes the locale's separator where it is ".", "-" or "/", keeping day, month, year.
TEST(TextReport, SeparatorsOfTheLocale)
{
    const StyleFile file = loaded(korgmWithStyles(1));
    for (const auto &[locale, size, date] :
        {std::tuple("de_DE", QByteArray("1.425"), QByteArray("15.03.2004")),
            std::tuple("nl_NL", QByteArray("1.425"), QByteArray("15-03-2004")),
            std::tuple("fr_FR", QByteArray("1\xA0") + "425", QByteArray("15/03/2004"))}) {
        QLocale::setDefault(QLocale(QLatin1String(locale)));
        const QByteArray report = exported(file);
        EXPECT_TRUE(report.contains(
            "File Size........: " + size + " bytes\r\nFile Last Updated: " + date + "\r\n"))
            << locale;
        EXPECT_TRUE(report.contains("01 - Style 1     -      1" + size.mid(1, 1) + "201 bytes"))
            << locale;
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// A modification time further off than QDateTime holds is not known, and the report and the JSON
// say nothing rather than a wrong date; years before 1 and after 9999 are as ISO 8601 counts and
// writes them (year 0 is 1 BC). At noon, so that the date is the same in every time zone.
TEST(Dates, FarOffTimesAreNotKnownAndFarYearsAreSigned)
{
    const struct {
        const char *name;
        qint64 secondsSince1970;
        const char *reported;
        const char *modified;  // how the JSON's "modified" begins; null: not known
    } times[] = {
        {"year 2147483647", 2147483647LL * 31556952, "", nullptr},
        {"year 10000", 253402344000LL, "01/01/10000", "+10000-01-01T"},
        {"year 0", -62167176000LL, "01/01/0000", "0000-01-01T"},
    };
    for (const auto &time : times) {
        SCOPED_TRACE(time.name);
        struct stat status { };
        status.st_mtim.tv_sec = time.secondsSince1970;
        const ReadOnlyFile file(::open("/dev/null", O_RDONLY), status, "X.STY", nullptr);
        StyleFile facts;
        facts.path = "X.STY";
        facts.modified = file.facts().modified;
        EXPECT_TRUE(
            exported(facts).contains(QByteArray("File Last Updated: ") + time.reported + "\r\n"));
        const QJsonValue modified
            = describeStyleFile(facts.path, {facts, std::nullopt})["modified"];
        EXPECT_TRUE(
            time.modified ? modified.toString().startsWith(time.modified) : modified.isNull())
            << modified.toString().toStdString();
    }
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
        exportReport(source, "/styles", FileService(), dialogs);
        EXPECT_EQ(dialogs.shown.value(0), "save chooser offering /styles/MYSET.TXT");
        return dialogs.shown.mid(1);
    }

    TestFolder folder;
    StyleFile file
        = loaded(ISeriesFileBuilder("KORG9").slot(2000, "Rock      ").build(), "MySet.sty");
    ReportSource source = reportSource(file);
    ScriptedDialogs dialogs;
};

// Writes where the user chose, asking before replacing a file; a cancelled chooser writes nothing.
// A failure names the file and the reason, and keeps the old file.
TEST_F(ExportTest, WritesWhereTheUserChoseOrSaysWhyNot)
{
    const QString old = folder.write("old.txt", "old bytes");
    const QString question
        = QString("question No: File %1 already exists: confirm overwrite?").arg(old);
    // Success is silent.
    EXPECT_EQ(exportTo(QString()) + exportTo(old, {false}) + exportTo(folder.path("new.txt")),
        QStringList {question});
    EXPECT_EQ(readBytes(old) + readBytes(folder.path("new.txt")), "old bytes" + exported(file));

    const QString readOnly = folder.write("locked.txt", "keep me");
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));
    const QString noFolder = folder.path("missing/out.txt");
    QStringList messages = exportTo(readOnly, {true}).mid(1) + exportTo(noFolder)
        + exportTo(folder.path("."), {true}).mid(1);
    // A disk that fills up: files of this process may not grow beyond 16 bytes.
    rlimit limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small {16, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    messages += exportTo(old, {true}).mid(1);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(messages,
        (QStringList {
            QString("critical Quarv: Cannot write %1: the file is read-only.").arg(readOnly),
            QString("critical Quarv: Cannot write %1: No such file or directory.").arg(noFolder),
            QString("critical Quarv: Cannot write %1: this is a folder, not a file.")
                .arg(folder.path(".")),
            QString("critical Quarv: Cannot write %1: File too large.").arg(old)}));
    EXPECT_EQ(readBytes(readOnly) + readBytes(old), "keep meold bytes");
    EXPECT_EQ(exportTo(old, {true}), QStringList {question});
    EXPECT_EQ(readBytes(old), exported(file));
}

// Prints the page form after asking, then says it is done; a refused question prints nothing, and
// a printer that fails is named with its reason.
TEST_F(ExportTest, PrintsThePageFormThenSaysDone)
{
    QStringList calls;
    const auto print = [&](bool answer, const PrinterFactory &printers) {
        dialogs.shown.clear();
        dialogs.answer(answer);
        printReport(source, printers, dialogs);
        return dialogs.shown.mid(1).join(QLatin1Char('|'));
    };
    EXPECT_EQ(print(true, recordingPrinters(calls)), "none Quarv: Done!");
    EXPECT_EQ(calls,
        (QStringList {"document:MySet.sty", "line:", "font:SYSTEM", "size:14",
            "line:Quarv - Brennix (3.00)", "size:10", "line:", "line:File Name........: MySet.sty",
            "line:File Size........: 2,096 bytes", "line:File Last Updated: 15/03/2004",
            "line:Style made for...: i3,i2,i1,i4s (KORG9)", "line:Usable styles....: 1",
            "line:Ghost styles.....: 0", "line:", "line:01 - Rock        -      2,000 bytes",
            "end"}));
    calls.clear();
    EXPECT_EQ(print(false, recordingPrinters(calls)) + calls.join('|'), QString());
    EXPECT_EQ(dialogs.shown,
        QStringList {"question No: Confirm information data print to default printer?"});
    EXPECT_EQ(print(true,
                  [](const QString &) -> std::unique_ptr<Printer> {
                      throw PrinterError("no default printer is installed");
                  }),
        "warning Quarv: Cannot print: no default printer is installed.");
}
