#pragma once

#include <QString>

// A help page: an empty line, "How to " and the menu caption without its "... ", two line ends,
// then the page's instructions (none for a page outside 0..3): open, export, print, and the
// library window.
[[nodiscard]] QString helpPageText(const QString &caption, int page);

constexpr int HelpPageCount = 4;
constexpr int LibraryHelpPage = 3;
