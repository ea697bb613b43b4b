#include "platform/qt_printer.h"
#include "reports/print_report.h"
#include "window_harness.h"

// On a PDF printer: a long list goes on to more pages without a heading, and the values start in
// one column (the missing "SYSTEM" becomes a fixed-pitch font, so that every label is as wide as
// the others).
TEST(QtPrinter, PagesAndColumns)
{
    ReportSource source {
        "LONG.STY", {"LONG.STY", "1,234", "15/03/2004", "i30 (KORGI)", "150", "0"}, 0, {}};
    for (int i = 1; i <= 150; ++i)
        source.styles.append({i, i, "Style " + QByteArray::number(i), 1000 + i});
    TestFolder folder;
    const QString pdf = folder.path("report.pdf");
    ScriptedDialogs dialogs;
    dialogs.answer(true);
    printReport(
        source, [&](const QString &name) { return QtPrinter::openPdf(pdf, name); }, dialogs);
    EXPECT_EQ(dialogs.shown.value(1), "none Quarv: Done!");

    // pdftotext comes with poppler-utils, which scripts/setup installs.
    const auto run = [](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0)
            << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QStringList pages
        = run("pdftotext", {"-layout", pdf, "-"}).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    // No heading is repeated.
    EXPECT_TRUE(pages.size() >= 2 && pages.constFirst().contains("Ghost styles.....: 0")
        && pages.constLast().contains("150 - Style 150")
        && !pages.constLast().contains("Quarv - Brennix"));
    // Where the word after each label ("...: ") begins on the first page.
    QSet<QString> valueColumns;
    QString previous;
    for (const auto &word : QRegularExpression(R"re(<word xMin="([0-9.]+)"[^>]*>([^<]*)</word>)re")
                                .globalMatch(run("pdftotext", {"-bbox", "-l", "1", pdf, "-"}))) {
        if (previous.endsWith(':'))
            valueColumns << word.captured(1);
        previous = word.captured(2);
    }
    EXPECT_EQ(valueColumns.size(), 1) << valueColumns.values().join(' ').toStdString();
}
