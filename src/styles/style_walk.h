#pragma once

#include "byte_source.h"
#include "known_formats.h"
#include "style_entry.h"

#include <QList>

// What a walk through a file's tables found: its styles, and the damage that ended the walk (a
// null text when there was none).
struct StyleWalk {
    QList<StyleEntry> styles;
    QString damage;
};

// The styles of a file of that format, through its walker.
[[nodiscard]] StyleWalk walkStyles(ByteSource &source, const KnownFormat &format);
