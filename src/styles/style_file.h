#pragma once

#include "style_entry.h"

#include <QDateTime>
#include <QList>
#include <QString>

// A loaded style file: its facts, its format and the styles it holds.
struct StyleFile {
    QString path;
    qint64 size = 0;
    QDateTime modified;             // in UTC; see inSystemZone()
    QByteArray tag;                 // "KORF", else the first five bytes
    bool pa1x = false;              // a "KORF" file whose byte 34 is 6
    bool newerPaDirectory = false;  // a "KORF" file whose directory has variable-length records
    QList<StyleEntry> styles;

    // The file's name without its folder.
    [[nodiscard]] QString name() const { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }
    [[nodiscard]] int ghostCount() const;
    [[nodiscard]] int usableCount() const { return int(styles.size()) - ghostCount(); }
};

// The instrument family and tag ("Pa50/60/80 (KORF)"), or a null string for a tag we do not know.
[[nodiscard]] QString familyName(const StyleFile &file);

// A moment in the system's time zone, as people read dates. The zone is read once per thread:
// local time would look at /etc/localtime again for every file of a library.
[[nodiscard]] QDateTime inSystemZone(const QDateTime &moment);
