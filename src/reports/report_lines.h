#pragma once

#include "file_info_captions.h"
#include "styles/shown_rows.h"

#include <QByteArray>

#include <functional>

// Everything a report says, read from the loaded file and the panel as it is shown.
struct ReportSource {
    QString fileName;
    FileInfoCaptions captions;  // as the panel shows them; the report trims them
    qint16 usableCount = 0;
    qint16 ghostCount = 0;
    QVector<ShownRow> rows;
};

[[nodiscard]] ReportSource ReportSourceFor(const CurrentFile &file, const FileInfoCaptions &captions);

enum class ReportForm { TextFile, PrintedPage };

struct ReportLine {
    QByteArray text;    // 8-bit
    bool isTitle = false;
};

inline const QByteArray ReportTitle = "Quarv - Brennix (3.00)";

// Hands the report's lines, in order, one at a time. The two forms differ in four lines: the
// printed page opens with an empty line, has no underline, always has the ghost line and no
// empty line at the end.
void ForEachReportLine(ReportForm form, const ReportSource &source,
                       const std::function<void(const ReportLine &)> &take);

// One style row: "01 - Name        -      1,234 bytes[ - GHOST]".
[[nodiscard]] QByteArray ReportStyleRow(qint64 index, const QByteArray &name, qint64 size, bool ghost);
