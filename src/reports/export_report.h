#pragma once

#include "platform/dialogs.h"
#include "platform/file_service.h"
#include "report_lines.h"

// The suggested report name: the style file's name in upper case, a final ".STY" made ".TXT".
[[nodiscard]] QString defaultReportName(const QString &fileName);

// Writes the text-file report where the user chooses, the save chooser offering the default name
// in `folder`. An existing target is replaced only after the user agrees, and only once the whole
// report has been written. A failure is shown with the file and the reason.
void exportReport(
    const ReportSource &source, const QString &folder, const FileService &files, Dialogs &dialogs);

// The report's lines, each to be followed by CR LF, handed on one at a time.
void writeTextReport(
    const ReportSource &source, const std::function<void(QByteArrayView)> &writeLine);
// The whole text-file report, every line ended with CR LF.
[[nodiscard]] QByteArray textReport(const ReportSource &source);
