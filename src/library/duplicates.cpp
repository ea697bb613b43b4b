#include "duplicates.h"

#include "platform/file_error.h"
#include "styles/style_bytes.h"

#include <QCryptographicHash>
#include <QHash>

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>
#include <tuple>

QList<DuplicateCandidates> lookAlikes(const LibraryCatalogue &library)
{
    // The styles in order of name and sizes, so that equal ones stand together.
    QList<int> order(library.styleCount());
    std::iota(order.begin(), order.end(), 0);
    const auto key = [&](int s) {
        return std::make_tuple(library.name(s), library.size(s), library.supplementarySize(s));
    };
    std::sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });

    std::map<QString, DuplicateCandidates> byFile;
    int group = 0;
    for (qsizetype first = 0; first < order.size();) {
        qsizetype end = first + 1;
        while (end < order.size() && key(order[end]) == key(order[first]))
            ++end;
        for (qsizetype i = first; end - first > 1 && i < end; ++i) {
            DuplicateCandidates &file = byFile[library.path(order[i])];
            if (file.rows.isEmpty())
                file.file = library.file(order[i]);
            file.file.styles.append(library.style(order[i]));
            file.rows.append(order[i]);
            file.groups.append(group);
        }
        ++group;
        first = end;
    }
    QList<DuplicateCandidates> files;
    for (auto &[path, candidates] : byFile)
        files.append(std::move(candidates));
    return files;
}

QList<StyleDigest> styleDigests(const DuplicateCandidates &candidates, const FileService &files)
{
    // The span that holds every candidate's parts, read at once where they stand close together
    // (the styles of a bank do), else part by part.
    qint64 from = std::numeric_limits<qint64>::max();
    qint64 to = 0;
    qint64 parts = 0;
    for (const StyleEntry &style : candidates.file.styles) {
        for (const auto &[offset, size] : {std::pair<qint64, qint64>(style.offset, style.size),
                 std::pair<qint64, qint64>(style.supplementaryOffset, style.supplementarySize)}) {
            if (size == 0)
                continue;
            from = qMin(from, offset);
            to = qMax(to, offset + size);
            parts += size;
        }
    }
    QList<StyleDigest> digests;
    try {
        const StyleBytes bytes(candidates.file, files);
        const bool atOnce = to > from && to - from <= 2 * parts + 65536;
        const QByteArray span = atOnce ? bytes.read(from, to - from) : QByteArray();
        const auto part = [&](qint64 offset, qint64 size) {
            return atOnce ? QByteArray::fromRawData(span.constData() + (offset - from), size)
                          : bytes.read(offset, size);
        };
        for (qsizetype i = 0; i < candidates.rows.size(); ++i) {
            const StyleEntry &style = candidates.file.styles[i];
            QCryptographicHash hash(QCryptographicHash::Sha256);
            hash.addData(part(style.offset, style.size));
            hash.addData(part(style.supplementaryOffset, style.supplementarySize));
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
