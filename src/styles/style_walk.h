#pragma once

#include "byte_source.h"
#include "style_entry.h"
#include "style_header.h"

#include <QList>

// What a walk through a file's tables found: its format, its styles, and the damage that ended
// the walk (a null text when there was none).
struct StyleWalk {
    StyleHeader header;
    QList<StyleEntry> styles;
    QString damage;
};

// A file's format from its first bytes, then its styles through that format's walker; nothing is
// walked for a format Quarv does not read. Throws DamagedFile when the file changes meanwhile.
[[nodiscard]] StyleWalk walkStyles(ByteSource &source);
