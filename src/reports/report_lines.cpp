#include "report_lines.h"

#include "eight_bit.h"
#include "number_format.h"
#include "platform/file_name.h"

#include <QCoreApplication>

namespace {

// The context of the report's words for translators.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(Report)
};

// One style row: "01 - Name        -      1,234 bytes[ - GHOST]", the unit given.
void appendStyleRow(QByteArray &row, const StyleEntry &style, QStringView unit)
{
    const QByteArray name = style.eightBitName();
    appendEightBit(row, formatIndex(style.number));
    row += " - ";
    row += name.left(11);
    row.append(11 - qMin(name.size(), qsizetype(11)), ' ');
    row += " - ";
    const QString digits = formatGroupedOrEmpty(style.size);
    row.append(qMax(qsizetype(0), 10 - digits.size()), ' ');  // right-aligned in 10, never cut
    appendEightBit(row, digits);
    appendEightBit(row, unit);
}

}  // namespace

ReportSource reportSource(const StyleFile &file)
{
    return {displayFileName(file.name()), fileInfoCaptions(file), file.ghostCount(), file.styles};
}

void forEachReportLine(ReportForm form, const ReportSource &source,
    const std::function<void(const ReportLine &)> &take)
{
    const bool printed = form == ReportForm::PrintedPage;
    QByteArray line;  // one buffer for every line: a report over thousands of files makes many
    const auto hand = [&](bool isTitle = false) {
        take({line, isTitle});
        line.resize(0);
    };
    const auto labelled
        = [&](const QString &label, const QString &caption, const QString &unit = {}) {
              appendEightBit(line, label);
              appendEightBit(line, caption);
              appendEightBit(line, unit);
              hand();
          };
    const QString bytes = Texts::tr(" bytes");

    if (printed)
        hand();
    line += ReportTitle;
    hand(true);
    if (!printed) {
        line.append(ReportTitle.size(), '^');
        hand();
    }
    hand();
    appendEightBit(line, Texts::tr("File Name........: "));
    appendEightBit(line, source.fileName);
    hand();
    const FileInfoCaptions &captions = source.captions;
    labelled(Texts::tr("File Size........: "), captions.size, bytes);
    labelled(Texts::tr("File Last Updated: "), captions.date);
    labelled(Texts::tr("Style made for...: "), captions.family);
    labelled(Texts::tr("Usable styles....: "), captions.usable);
    if (printed || source.ghostCount > 0)
        labelled(Texts::tr("Ghost styles.....: "), captions.ghosts);
    hand();
    const QString ghostBytes = Texts::tr(" bytes - GHOST");
    for (const StyleEntry &style : source.styles) {
        appendStyleRow(line, style, style.ghost ? ghostBytes : bytes);
        hand();
    }
    if (!printed)
        hand();
}
