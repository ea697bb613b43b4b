#include "shown_rows.h"

QVector<ShownRow> ShownRows(const CurrentFile &file)
{
    const qint32 total = qint32(file.UsableCount) + file.GhostCount;
    const bool everyRecordIsAStyle = file.FormatTag == "KORF";
    QVector<ShownRow> rows;
    qint32 number = 0;
    for (const Pa80Styles::Ref &style : *file.StyleList) {
        if (rows.size() >= total)
            break;
        ++number;
        if (everyRecordIsAStyle || style->StyleSize() > 0)
            rows.push_back({number, style});
    }
    return rows;
}
