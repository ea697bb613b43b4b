#pragma once

#include "byte_source.h"
#include "i_series_layout.h"
#include "style_entry.h"

#include <QList>

// Largest block that still makes a ghost style.
constexpr qint32 GhostStyleMaxSize = 1176;

// Appends one entry per filled slot of an i-series file, numbered by slot; empty slots have no
// entry. Of each block only the name at its start is read. Throws DamagedFile for a file shorter
// than its header (nothing appended), and for a block cut short by the end of the file, after
// appending the whole blocks before it.
void walkISeriesFile(ByteSource &source, const ISeriesLayout &layout, QList<StyleEntry> &styles);
