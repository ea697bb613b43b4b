#pragma once

#include <QFont>
#include <QString>

#include <vector>

struct FixedCell {
    QString text;
    int width;  // pixels available for the text
};

// The largest size of `font`, from its own size down to 6 points in quarter points, at which
// every text fits its cell. The layout was drawn for a narrow 8-point font; wider fonts shrink.
[[nodiscard]] QFont fitFontToCells(QFont font, const std::vector<FixedCell> &cells);

// The main window's font: a narrow 8-point sans-serif, made to fit the widest captions.
[[nodiscard]] QFont mainWindowFont();
// The column headings: bold italic 9.75-point "MS Sans Serif", or the system's sans-serif.
[[nodiscard]] QFont headingFont();
