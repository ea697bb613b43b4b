#include "report_lines.h"

#include "eight_bit.h"
#include "number_format.h"

ReportSource ReportSourceFor(const CurrentFile &file, const FileInfoCaptions &captions)
{
    return {file.FileName, captions, file.UsableCount, file.GhostCount, ShownRows(file)};
}

QByteArray ReportStyleRow(qint64 index, const QByteArray &name, qint64 size, bool ghost)
{
    const QByteArray nameColumn = (name + QByteArray(11, ' ')).left(11);
    const QByteArray sizeColumn = ToEightBit(FormatGroupedOrEmpty(size).rightJustified(10, QLatin1Char(' ')));
    return ToEightBit(FormatIndex(index)) + " - " + nameColumn + " - " + sizeColumn
        + (ghost ? " bytes - GHOST" : " bytes");
}

void ForEachReportLine(ReportForm form, const ReportSource &source,
                       const std::function<void(const ReportLine &)> &take)
{
    const bool printed = form == ReportForm::PrintedPage;
    const auto line = [&](const QByteArray &text) { take({text, false}); };
    const auto value = [&](int caption) { return ToEightBit(source.captions[std::size_t(caption)].trimmed()); };

    if (printed)
        line({});
    take({ReportTitle, true});
    if (!printed)
        line(QByteArray(ReportTitle.size(), '^'));
    line({});
    line("File Name........: " + ToEightBit(source.fileName));
    line("File Size........: " + value(1) + " bytes");
    line("File Last Updated: " + value(2));
    line("Style made for...: " + value(3));
    line("Usable styles....: " + value(4));
    if (printed || source.ghostCount > 0)
        line("Ghost styles.....: " + value(5));
    line({});
    for (const ShownRow &row : source.rows)
        line(ReportStyleRow(row.number, row.style->StyleName(), row.style->StyleSize(), row.style->isGhost()));
    if (!printed)
        line({});
}
