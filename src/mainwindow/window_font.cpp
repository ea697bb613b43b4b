#include "window_font.h"

#include "main_window_layout.h"
#include "styles/known_formats.h"

#include <QFontMetrics>

namespace {

// Texts that must fit their cells whatever font the system gives us (2 pixels go to the border).
std::vector<FixedCell> widestCaptions()
{
    std::vector<FixedCell> cells;
    for (const char *name : FieldNames)
        cells.push_back(
            {QCoreApplication::translate("FileInfoPanel", name), px(FieldNameWidth) - 2});
    for (const KnownFormat &format : KnownFormats)
        cells.push_back({QLatin1Char(' ') + format.caption(), px(DataWidths[3]) - 2});
    cells.push_back(
        {QCoreApplication::translate("FileInfoPanel", "Unknown format"), px(DataWidths[3]) - 2});
    cells.push_back({QStringLiteral("16,777,216 "), px(DataWidths[1]) - 2});
    cells.push_back({QStringLiteral("99/99/9999 "), px(DataWidths[2]) - 2});
    cells.push_back({QStringLiteral("16,777,216 "), px(ColumnWidths[2]) - 2});
    cells.push_back({QStringLiteral("48 "), px(ColumnWidths[0]) - 2});
    return cells;
}

}  // namespace

QFont fitFontToCells(QFont font, const std::vector<FixedCell> &cells)
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

QFont mainWindowFont()
{
    QFont font(QStringLiteral("Liberation Sans Narrow"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8);
    return fitFontToCells(font, widestCaptions());
}

QFont headingFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    font.setBold(true);
    font.setItalic(true);
    return font;
}
