#include "platform/qt_dialogs.h"
#include "platform/qt_printer.h"
#include "qt_printers.h"
#include "reports/print_report.h"
#include "scripted_dialogs.h"
#include "style_files_on_disk.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

TEST(StyleChooser, ShowsStyFilesInAnyLetterCase)
{
    TestFolder folder;
    for (const char *name : {"a.sty", "B.STY", "c.Sty", "notes.txt"})
        folder.write(QString::fromLatin1(name), "x");
    QFileDialog dialog;
    configureStyleChooser(dialog, folder.path(QString()));
    EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("Styles (*.STY)")});

    auto *model = dialog.findChild<QFileSystemModel *>();
    ASSERT_NE(model, nullptr);
    const QModelIndex root = model->index(folder.path(QString()));
    QDeadlineTimer deadline(10000);
    while (model->rowCount(root) < 3 && !deadline.hasExpired())
        QTest::qWait(20);
    QStringList shown;
    for (int row = 0; row < model->rowCount(root); ++row) {
        const QModelIndex index = model->index(row, 0, root);
        if (model->flags(index) & Qt::ItemIsEnabled)
            shown << index.data().toString();
    }
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"B.STY", "a.sty", "c.Sty"}));
}

TEST(ReportChooser, OffersTheSuggestedNameWithoutFolder)
{
    QFileDialog dialog;
    configureReportChooser(dialog, QStringLiteral("MYSET.TXT"));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("Styles (*.TXT)")});
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(dialog.selectedFiles().constFirst().endsWith(QStringLiteral("/MYSET.TXT")));
}

// On a PDF printer: the job carries the style file's name, a long list goes on to more pages
// without a heading, and the values start in one column (the missing "SYSTEM" becomes a
// fixed-pitch font).
TEST(QtPrinter, PagesTitleAndColumns)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) << "scripts/setup installs poppler-utils";
    ReportSource source{QStringLiteral("LONG.STY"), {" LONG.STY", "1,234 ", "15/03/2004 ", " i30 (KORGI)", "150 ", "0 "}, 0, {}};
    for (int i = 1; i <= 150; ++i) {
        StyleEntry style;
        style.number = i;
        style.name = "Style " + QByteArray::number(i);
        style.size = 1000 + i;
        source.styles.append(style);
    }
    TestFolder folder;
    const QString pdf = folder.path(QStringLiteral("report.pdf"));
    ScriptedDialogs dialogs;
    dialogs.answer(true);
    printReport(source, [&](const QString &name) { return QtPrinter::openPdf(pdf, name); }, dialogs);
    EXPECT_EQ(dialogs.shown.value(1), QStringLiteral("none Quarv: Done!"));

    const auto run = [](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    EXPECT_TRUE(run(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("^Title: +LONG.STY$"),
                                                                                QRegularExpression::MultilineOption)));
    const QStringList pages = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                                  .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    EXPECT_GE(pages.size(), 2);
    EXPECT_TRUE(pages.constFirst().contains(QStringLiteral("Ghost styles.....: 0")));
    EXPECT_TRUE(pages.constLast().contains(QStringLiteral("150 - Style 150")));
    EXPECT_FALSE(pages.constLast().contains(QStringLiteral("Quarv - Brennix"))) << "no heading is repeated";
    // Where the word after each label ("...: ") begins.
    QStringList valueColumns;
    const QRegularExpression word(QStringLiteral(R"re(<word xMin="([0-9.]+)"[^>]*>([^<]*)</word>)re"));
    bool afterLabel = false;
    for (const auto &match : word.globalMatch(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")}))) {
        if (afterLabel)
            valueColumns << match.captured(1);
        afterLabel = match.captured(2).endsWith(QLatin1Char(':'));
    }
    ASSERT_EQ(valueColumns.size(), 6);
    EXPECT_EQ(valueColumns.removeDuplicates(), 5) << valueColumns.join(QLatin1Char(' ')).toStdString();
}
