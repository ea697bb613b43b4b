#include "platform/qt_printer.h"
#include "reports/print_report.h"
#include "window_harness.h"

#include <QProcess>
#include <QRegularExpression>

// On a PDF printer: the job carries the style file's name, a long list goes on to more pages
// without a heading, and the values start in one column (the missing "SYSTEM" becomes a
// fixed-pitch font, so that every label is as wide as the others).
TEST(QtPrinter, PagesTitleAndColumns)
{
    ReportSource source {QStringLiteral("LONG.STY"),
        {" LONG.STY", "1,234 ", "15/03/2004 ", " i30 (KORGI)", "150 ", "0 "}, 0, {}};
    for (int i = 1; i <= 150; ++i)
        source.styles.append({i, i, "Style " + QByteArray::number(i), 1000 + i});
    TestFolder folder;
    const QString pdf = folder.path(QStringLiteral("report.pdf"));
    ScriptedDialogs dialogs;
    dialogs.answer(true);
    printReport(
        source, [&](const QString &name) { return QtPrinter::openPdf(pdf, name); }, dialogs);
    EXPECT_EQ(dialogs.shown.value(1), QStringLiteral("none Quarv: Done!"));

    // pdfinfo and pdftotext come with poppler-utils, which scripts/setup installs.
    const auto run = [](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0)
            << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    EXPECT_TRUE(run(QStringLiteral("pdfinfo"), {pdf})
                    .contains(QRegularExpression(QStringLiteral("^Title: +LONG.STY$"),
                        QRegularExpression::MultilineOption)));
    const QStringList pages
        = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
              .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    EXPECT_TRUE(pages.size() >= 2
        && pages.constFirst().contains(QStringLiteral("Ghost styles.....: 0"))
        && pages.constLast().contains(QStringLiteral("150 - Style 150"))
        && !pages.constLast().contains(QStringLiteral("Quarv - Brennix")))
        << "no heading is repeated";
    // Where the word after each label ("...: ") begins on the first page.
    QStringList valueColumns;
    bool afterLabel = false;
    const QString words = run(QStringLiteral("pdftotext"),
        {QStringLiteral("-bbox"), QStringLiteral("-l"), QStringLiteral("1"), pdf,
            QStringLiteral("-")});
    for (const auto &match :
        QRegularExpression(QStringLiteral(R"re(<word xMin="([0-9.]+)"[^>]*>([^<]*)</word>)re"))
            .globalMatch(words)) {
        if (afterLabel)
            valueColumns << match.captured(1);
        afterLabel = match.captured(2).endsWith(':');
    }
    EXPECT_EQ(valueColumns.size() - valueColumns.removeDuplicates(), 1)
        << valueColumns.join(' ').toStdString();
}
