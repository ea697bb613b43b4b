#pragma once

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "report_lines.h"

// Prints the report on the default printer after asking, and says "Done!" only when the
// document was handed to the printer; a printer problem is shown instead.
void printReport(const ReportSource &source, const PrinterFactory &openPrinter, Dialogs &dialogs);
