#pragma once

#include <QColor>

// Where a ghost style is listed, main window or library, it stands on this light red with black
// text, whatever the desktop's colours.
inline const QColor GhostBackground(255, 192, 192);
