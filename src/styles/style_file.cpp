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

QString familyName(const StyleFile &file)
{
    if (file.tag == "KORF") {
        if (file.newerPaDirectory)
            return QStringLiteral("Pa-series (KORF)");
        return file.pa1x ? QStringLiteral("Pa1X/Pro (KORF)") : QStringLiteral("Pa50/60/80 (KORF)");
    }
    if (file.tag == "KORGI")
        return QStringLiteral("i30 (KORGI)");
    if (file.tag == "KORGM")
        return QStringLiteral("iS40,iS50 (KORGM)");
    if (file.tag == "KORG9")
        return QStringLiteral("i3,i2,i1,i4s (KORG9)");
    if (file.tag == "KORG<")
        return QStringLiteral("i5 (KORG<)");
    return {};
}
