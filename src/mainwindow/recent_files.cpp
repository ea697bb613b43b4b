#include "recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const QString Key = QStringLiteral("recentFiles");
}

QStringList RecentFiles::paths() const { return mSettings.value(Key).toStringList(); }

void RecentFiles::add(const QString &path)
{
    QStringList list = paths();
    list.removeAll(path);
    list.prepend(path);
    save(list.mid(0, MaximumCount));
}

void RecentFiles::remove(const QString &path)
{
    QStringList list = paths();
    list.removeAll(path);
    save(list);
}

QString RecentFiles::lastFolder() const
{
    const QStringList list = paths();
    return list.isEmpty() ? QString() : QFileInfo(list.constFirst()).absolutePath();
}

void RecentFiles::save(const QStringList &paths) { mSettings.setValue(Key, paths); }
