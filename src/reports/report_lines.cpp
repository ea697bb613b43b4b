#include "report_lines.h"

#include "eight_bit.h"
#include "number_format.h"
#include "platform/file_name.h"

ReportSource reportSource(const StyleFile &file, const FileInfoCaptions &captions)
{
    return {displayFileName(file.name), captions, file.ghostCount(), file.styles};
}

QByteArray reportStyleRow(qint64 number, const QByteArray &name, qint64 size, bool ghost)
{
    const QByteArray nameColumn = (name + QByteArray(11, ' ')).left(11);
    const QByteArray sizeColumn = toEightBit(formatGroupedOrEmpty(size).rightJustified(10, QLatin1Char(' ')));
    return toEightBit(formatIndex(number)) + " - " + nameColumn + " - " + sizeColumn + (ghost ? " bytes - GHOST" : " bytes");
}

void forEachReportLine(ReportForm form, const ReportSource &source, const std::function<void(const ReportLine &)> &take)
{
    const bool printed = form == ReportForm::PrintedPage;
    const auto line = [&](const QByteArray &text) { take({text, false}); };
    const auto value = [&](int caption) { return toEightBit(source.captions[std::size_t(caption)].trimmed()); };

    if (printed)
        line({});
    take({ReportTitle, true});
    if (!printed)
        line(QByteArray(ReportTitle.size(), '^'));
    line({});
    line("File Name........: " + toEightBit(source.fileName));
    line("File Size........: " + value(1) + " bytes");
    line("File Last Updated: " + value(2));
    line("Style made for...: " + value(3));
    line("Usable styles....: " + value(4));
    if (printed || source.ghostCount > 0)
        line("Ghost styles.....: " + value(5));
    line({});
    for (const StyleEntry &style : source.styles)
        line(reportStyleRow(style.number, style.name, style.size, style.ghost));
    if (!printed)
        line({});
}
