#pragma once

#include "style_entry.h"
#include "style_header.h"

#include <QDateTime>
#include <QList>
#include <QString>

// A loaded style file: its facts, its format and the styles it holds.
struct StyleFile {
    QString path;
    qint64 size = 0;
    QDateTime modified;  // in UTC; see inSystemZone()
    StyleHeader header;
    QList<StyleEntry> styles;

    // The file's name without its folder.
    [[nodiscard]] QString name() const { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }
    [[nodiscard]] int ghostCount() const;
    [[nodiscard]] int usableCount() const { return int(styles.size()) - ghostCount(); }
    // The instrument family and tag ("Pa50/60/80 (KORF)"), or a null string for a format we do
    // not read.
    [[nodiscard]] QString family() const
    {
        return header.format != nullptr ? header.format->caption() : QString();
    }
};

// A moment in the system's time zone, as people read dates. The zone is read once per thread:
// local time would look at /etc/localtime again for every file of a library.
[[nodiscard]] QDateTime inSystemZone(const QDateTime &moment);
