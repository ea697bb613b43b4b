#pragma once

#include "file_info_captions.h"

#include <QByteArray>

#include <functional>

// Everything a report says of a loaded file: its facts as the panel shows them, and its styles.
struct ReportSource {
    QString fileName;
    FileInfoCaptions captions;
    int ghostCount = 0;
    QList<StyleEntry> styles;
};

[[nodiscard]] ReportSource reportSource(const StyleFile &file);

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
