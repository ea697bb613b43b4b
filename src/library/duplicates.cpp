#include "duplicates.h"

#include "platform/file_error.h"
#include "styles/style_bytes.h"

#include <QCryptographicHash>
#include <QHash>

#include <numeric>
#include <tuple>

namespace {

// A style's bytes, main and supplementary part, as one SHA-256: equal digests are equal bytes.
QByteArray digestOf(const StyleFile &file, const StyleEntry &style, const FileService &files)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const StyleBytes bytes(file, files);
    hash.addData(bytes.read(style, StylePart::Main));
    hash.addData(bytes.read(style, StylePart::Supplementary));
    return hash.result();
}

}  // namespace

QSet<int> findDuplicates(const LibraryCatalogue &library, const FileService &files,
    const std::function<bool()> &canceled)
{
    // Look-alikes first: the styles in order of name and sizes, so that equal ones stand together.
    QList<int> order(library.styleCount());
    std::iota(order.begin(), order.end(), 0);
    const auto key = [&](int s) {
        return std::make_tuple(library.name(s), library.size(s), library.supplementarySize(s));
    };
    std::sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });

    QSet<int> duplicates;
    for (qsizetype first = 0; first < order.size();) {
        qsizetype end = first + 1;
        while (end < order.size() && key(order[end]) == key(order[first]))
            ++end;
        QHash<QByteArray, QList<int>> byBytes;
        for (qsizetype i = first; end - first > 1 && i < end; ++i) {
            if (canceled())
                return duplicates;
            try {
                byBytes[digestOf(library.file(order[i]), library.style(order[i]), files)].append(
                    order[i]);
            } catch (const FileError &) {
                // A file that changed or went since it was listed proves nothing either way.
            }
        }
        for (const QList<int> &same : std::as_const(byBytes)) {
            if (same.size() > 1)
                duplicates.unite(QSet<int>(same.cbegin(), same.cend()));
        }
        first = end;
    }
    return duplicates;
}
