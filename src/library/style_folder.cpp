#include "style_folder.h"

#include "platform/file_error.h"
#include "platform/file_name.h"

#include <QSet>

#include <algorithm>
#include <map>

namespace {

class FolderWalk {
public:
    FolderWalk(const FileService &files, const std::function<bool()> &canceled)
        : mFiles(files), mCanceled(canceled)
    {
    }

    void walk(const QString &folder)
    {
        if (mCanceled())
            return;
        FolderListing listing;
        try {
            listing = mFiles.listFolder(folder);
        } catch (const FileError &error) {
            found.problems.append({error.path(), error.reason()});
            return;
        }
        if (!listing.identity.isEmpty()) {
            if (mVisited.contains(listing.identity))
                return;  // reached again through a symbolic link
            mVisited.insert(listing.identity);
        }
        // A folder's name sorts as its paths do, with the '/' that follows it: walked in this
        // order, the files come in the byte order of their whole paths.
        std::vector<std::pair<QByteArray, const FolderEntry *>> entries;
        for (const FolderEntry &entry : listing.entries) {
            const bool isFolder = entry.kind == FolderEntry::Folder;
            entries.emplace_back(encodeFileName(entry.name) + (isFolder ? "/" : ""), &entry);
        }
        std::sort(entries.begin(), entries.end());
        for (const auto &[key, entry] : entries) {
            const QString path = joinPath(folder, entry->name);
            if (entry->kind == FolderEntry::Folder)
                walk(path);
            else if (entry->kind == FolderEntry::File && isStyleFileName(entry->name))
                found.files << path;
        }
    }

    StyleFolder found;

private:
    const FileService &mFiles;
    const std::function<bool()> &mCanceled;
    QSet<QString> mVisited;
};

}  // namespace

bool isStyleFileName(const QString &name)
{
    return name.endsWith(QLatin1String(".STY"), Qt::CaseInsensitive);
}

StyleFolder findStyleFiles(
    const QString &folder, const FileService &files, const std::function<bool()> &canceled)
{
    FolderWalk walk(files, canceled);
    walk.walk(folder);
    return std::move(walk.found);
}

QList<NamedStyleFile> styleFilesNamedBy(const QStringList &names, const FileService &files)
{
    QList<NamedStyleFile> items;
    for (const QString &name : names) {
        if (!files.isFolder(name)) {
            items.append({name, {}});
            continue;
        }
        const StyleFolder folder = findStyleFiles(name, files);
        std::multimap<QByteArray, NamedStyleFile> found;  // in byte order, equal keys as they came
        for (const QString &path : folder.files)
            found.emplace(encodeFileName(path), NamedStyleFile {path, {}});
        for (const FolderProblem &problem : folder.problems)
            found.emplace(encodeFileName(problem.path),
                NamedStyleFile {problem.path,
                    Problem {Problem::Kind::UnreadableFolder, problem.path, problem.reason}});
        if (found.empty())
            found.emplace(QByteArray(),
                NamedStyleFile {name, Problem {Problem::Kind::NoStyleFiles, name, {}}});
        for (const auto &entry : found)
            items.append(entry.second);
    }
    return items;
}
