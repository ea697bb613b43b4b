#include "style_folder.h"

#include "platform/file_error.h"
#include "platform/file_name.h"

#include <QSet>

#include <algorithm>

namespace {

QString joinPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

void walk(
    const QString &folder, const FileService &files, QSet<QString> &visited, StyleFolder &found)
{
    FolderListing listing;
    try {
        listing = files.listFolder(folder);
    } catch (const FileError &error) {
        found.problems << QStringLiteral("%1: %2").arg(error.path(), error.reason());
        return;
    }
    if (!listing.identity.isEmpty()) {
        if (visited.contains(listing.identity))
            return;  // reached again through a symbolic link
        visited.insert(listing.identity);
    }
    for (const FolderEntry &entry : listing.entries) {
        const QString path = joinPath(folder, entry.name);
        if (entry.kind == FolderEntry::Folder)
            walk(path, files, visited, found);
        else if (entry.kind == FolderEntry::File && isStyleFileName(entry.name))
            found.files << path;
    }
}

}  // namespace

bool isStyleFileName(const QString &name)
{
    return name.endsWith(QLatin1String(".STY"), Qt::CaseInsensitive);
}

StyleFolder findStyleFiles(const QString &folder, const FileService &files)
{
    StyleFolder found;
    QSet<QString> visited;
    walk(folder, files, visited, found);
    std::vector<std::pair<QByteArray, QString>> byBytes;
    for (const QString &path : std::as_const(found.files))
        byBytes.emplace_back(encodeFileName(path), path);
    std::sort(byBytes.begin(), byBytes.end());
    found.files.clear();
    for (const auto &[bytes, path] : byBytes)
        found.files << path;
    return found;
}
