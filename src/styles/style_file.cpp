#include "style_file.h"

#include <QTimeZone>

#include <algorithm>

int StyleFile::ghostCount() const
{
    return int(
        std::count_if(styles.cbegin(), styles.cend(), [](const StyleEntry &s) { return s.ghost; }));
}

QDateTime inSystemZone(const QDateTime &moment)
{
    thread_local const QTimeZone zone = QTimeZone::systemTimeZone();
    return moment.toTimeZone(zone);
}
