#pragma once

#include "platform/ghost_colour.h"

#include <QColor>
#include <QCoreApplication>
#include <QRect>

// The main window's fixed layout, given in twips: 15 twips are one pixel at 96 dots per inch.
constexpr int px(int twips) { return twips / 15; }
inline QRect twipsRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

// The panel's rows: field names and the widths of their value cells.
constexpr const char *FieldNames[6] = {QT_TRANSLATE_NOOP("FileInfoPanel", "Name "),
    QT_TRANSLATE_NOOP("FileInfoPanel", "Size "), QT_TRANSLATE_NOOP("FileInfoPanel", "Updated "),
    QT_TRANSLATE_NOOP("FileInfoPanel", "File format "),
    QT_TRANSLATE_NOOP("FileInfoPanel", "Usable styles "),
    QT_TRANSLATE_NOOP("FileInfoPanel", "Ghost styles ")};
constexpr int FieldNameWidth = 1155;
constexpr int DataWidths[6] = {1395, 795, 1215, 1635, 615, 615};

// The style list's columns: number, name, size.
constexpr int ColumnLefts[3] = {3120, 3420, 4920};
constexpr int ColumnWidths[3] = {315, 1515, 975};

// The fixed colours of the cells: field names, values and rows, headings, ghost rows.
inline const QColor LightGrey(224, 224, 224);
inline const QColor White(255, 255, 255);
inline const QColor LightGreen(192, 255, 192);
inline const QColor LightRed = GhostBackground;
