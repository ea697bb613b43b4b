#include "window_font.h"

#include <QFontMetrics>

QFont FitFontToCells(QFont font, const std::vector<FixedCell> &cells)
{
    const auto fits = [&](const QFont &candidate) {
        const QFontMetrics metrics(candidate);
        for (const FixedCell &cell : cells) {
            if (metrics.horizontalAdvance(cell.text) > cell.width)
                return false;
        }
        return true;
    };
    while (font.pointSizeF() > 6 && !fits(font))
        font.setPointSizeF(font.pointSizeF() - 0.25);
    return font;
}
