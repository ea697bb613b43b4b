#include "duplicates.h"

#include "platform/file_error.h"
#include "styles/style_bytes.h"

#include <QCryptographicHash>
#include <QHash>

#include <map>
#include <string_view>
#include <tuple>

QList<DuplicateCandidates> lookAlikes(const LibraryCatalogue &library)
{
    // The styles of each name and sizes.
    std::map<std::tuple<std::string_view, qint32, qint32>, QList<int>> alike;
    for (int s = 0; s < library.styleCount(); ++s) {
        const std::string_view name(library.name(s).data(), std::size_t(library.name(s).size()));
        alike[{name, library.size(s), library.supplementarySize(s)}].append(s);
    }
    std::map<QString, DuplicateCandidates> byFile;
    for (const auto &[key, styles] : alike) {
        if (styles.size() < 2)
            continue;
        for (const int s : styles) {
            DuplicateCandidates &file = byFile[library.path(s)];
            if (file.rows.isEmpty())
                file.file = library.file(s);
            file.file.styles.append(library.style(s));
            file.rows.append(s);
            file.groups.append(styles.front());  // a number the group's members alone share
        }
    }
    QList<DuplicateCandidates> files;
    for (auto &[path, candidates] : byFile)
        files.append(std::move(candidates));
    return files;
}

QList<StyleDigest> styleDigests(const DuplicateCandidates &candidates, const FileService &files)
{
    QList<StyleDigest> digests;
    try {
        const StyleBytes bytes(candidates.file, files);
        for (qsizetype i = 0; i < candidates.rows.size(); ++i) {
            const StyleEntry &style = candidates.file.styles[i];
            QCryptographicHash hash(QCryptographicHash::Sha256);
            hash.addData(bytes.read(style, StylePart::Main));
            hash.addData(bytes.read(style, StylePart::Supplementary));
            digests.append({candidates.rows[i], candidates.groups[i], hash.result()});
        }
    } catch (const FileError &) {
        return {};
    }
    return digests;
}

QSet<int> twins(const QList<QList<StyleDigest>> &digests)
{
    QHash<std::pair<int, QByteArray>, QList<int>> same;
    for (const QList<StyleDigest> &file : digests) {
        for (const StyleDigest &style : file)
            same[{style.group, style.digest}].append(style.row);
    }
    QSet<int> duplicates;
    for (const QList<int> &rows : std::as_const(same)) {
        if (rows.size() > 1)
            duplicates.unite(QSet<int>(rows.cbegin(), rows.cend()));
    }
    return duplicates;
}
