#include "print_report.h"

#include "platform/problem.h"

#include <QCoreApplication>

namespace {
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(PrintReport)
};
}  // namespace

void printReport(const ReportSource &source, const PrinterFactory &openPrinter, Dialogs &dialogs)
{
    if (!dialogs.askYesNo(
            Texts::tr("Confirm information data print to default printer?"), DefaultButton::No))
        return;
    try {
        const std::unique_ptr<Printer> printer = openPrinter(source.fileName);
        forEachReportLine(ReportForm::PrintedPage, source, [&](const ReportLine &line) {
            const QString text = QString::fromLatin1(line.text.data(), line.text.size());
            if (!line.isTitle) {
                printer->printLine(text);
                return;
            }
            printer->setFontName(QStringLiteral("SYSTEM"));
            printer->setFontSize(14);
            printer->printLine(text);
            printer->setFontSize(10);
        });
        printer->endDocument();
    } catch (const PrinterError &error) {
        dialogs.showMessage(Problem {Problem::Kind::CannotPrint, {}, error.problem()}.message());
        return;
    }
    dialogs.showMessage({Texts::tr("Done!"), QuarvTitle, MessageIcon::None});
}
