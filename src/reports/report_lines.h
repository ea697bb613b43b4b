#pragma once

#include "file_info_captions.h"

#include <QByteArray>

#include <functional>

// Everything a report says: the loaded file and the panel's captions as they are shown.
struct ReportSource {
    QString fileName;
    FileInfoCaptions captions;  // the report trims them
    int ghostCount = 0;
    QList<StyleEntry> styles;
};

[[nodiscard]] ReportSource reportSource(const StyleFile &file, const FileInfoCaptions &captions);

enum class ReportForm { TextFile, PrintedPage };

struct ReportLine {
    QByteArray text;  // 8-bit
    bool isTitle = false;
};

inline const QByteArray ReportTitle = "Quarv - Brennix (3.00)";

// Hands the report's lines, in order, one at a time. The two forms differ in four lines: the
// printed page opens with an empty line, has no underline, always has the ghost line and no
// empty line at the end.
void forEachReportLine(ReportForm form, const ReportSource &source,
    const std::function<void(const ReportLine &)> &take);
