#include "report_lines.h"

#include "eight_bit.h"
#include "number_format.h"
#include "platform/file_name.h"

namespace {

// One style row: "01 - Name        -      1,234 bytes[ - GHOST]".
void appendStyleRow(QByteArray &row, qint64 number, const QByteArray &name, qint64 size, bool ghost)
{
    appendEightBit(row, formatIndex(number));
    row += " - ";
    row += name.left(11);
    row.append(11 - qMin(name.size(), qsizetype(11)), ' ');
    row += " - ";
    const QString digits = formatGroupedOrEmpty(size);
    row.append(qMax(qsizetype(0), 10 - digits.size()), ' ');  // right-aligned in 10, never cut
    appendEightBit(row, digits);
    row += ghost ? " bytes - GHOST" : " bytes";
}

}  // namespace

ReportSource reportSource(const StyleFile &file, const FileInfoCaptions &captions)
{
    return {displayFileName(file.name()), captions, file.ghostCount(), file.styles};
}

void forEachReportLine(ReportForm form, const ReportSource &source,
    const std::function<void(const ReportLine &)> &take)
{
    const bool printed = form == ReportForm::PrintedPage;
    QByteArray line;  // one buffer for every line: a report over thousands of files makes many
    line.reserve(128);
    const auto hand = [&](bool isTitle = false) {
        take({line, isTitle});
        line.resize(0);
    };
    const auto labelled = [&](const char *label, int caption, const char *unit = "") {
        line += label;
        appendEightBit(line, QStringView(source.captions[std::size_t(caption)]).trimmed());
        line += unit;
        hand();
    };

    if (printed)
        hand();
    line += ReportTitle;
    hand(true);
    if (!printed) {
        line.append(ReportTitle.size(), '^');
        hand();
    }
    hand();
    line += "File Name........: ";
    appendEightBit(line, source.fileName);
    hand();
    labelled("File Size........: ", 1, " bytes");
    labelled("File Last Updated: ", 2);
    labelled("Style made for...: ", 3);
    labelled("Usable styles....: ", 4);
    if (printed || source.ghostCount > 0)
        labelled("Ghost styles.....: ", 5);
    hand();
    for (const StyleEntry &style : source.styles) {
        appendStyleRow(line, style.number, style.name, style.size, style.ghost);
        hand();
    }
    if (!printed)
        hand();
}
