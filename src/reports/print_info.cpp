#include "print_info.h"

namespace {
const QString Title = QStringLiteral("Quarv");
}

void PrintInfo(const ReportSource &source, const PrinterFactory &openPrinter, Dialogs &dialogs)
{
    if (dialogs.MsgBox(QStringLiteral("Confirm information data print to default printer?"), MbYesNoQuestion,
                       Title) != AnswerYes)
        return;
    try {
        const std::unique_ptr<Printer> printer = openPrinter();
        ForEachReportLine(ReportForm::PrintedPage, source, [&](const ReportLine &line) {
            const QString text = QString::fromLatin1(line.text);
            if (!line.isTitle) {
                printer->PrintLine(text);
                return;
            }
            printer->SetFontName(QStringLiteral("SYSTEM"));
            printer->SetFontSize(14);
            printer->PrintLine(text);
            printer->SetFontSize(10);
        });
        printer->EndDoc();
    } catch (const PrinterError &error) {
        dialogs.MsgBox(QStringLiteral("Cannot print: %1.").arg(error.problem()), MbExclamation, Title);
        return;
    }
    dialogs.MsgBox(QStringLiteral("Done!"), MbOkOnly, Title);
}
