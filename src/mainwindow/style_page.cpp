#include "style_page.h"

#include "reports/number_format.h"

ScrollSetup ScrollSetupFor(qint32 total)
{
    if (total <= StyleRowsPerPage)
        return {};
    return {true, 1, total - (StyleRowsPerPage - 1)};
}

ListRowCells ListRowCellsFor(const ShownRow &row)
{
    const PA80Style &style = *row.style;
    return {FormatIndex(row.number) + QLatin1Char(' '), QLatin1Char(' ') + QString::fromLatin1(style.StyleName()),
            FormatGrouped(qint64(style.StyleSize()) + style.StyleSizeSupp()) + QLatin1Char(' '), style.isGhost()};
}
