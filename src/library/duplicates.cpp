#include "duplicates.h"

#include "platform/file_error.h"
#include "styles/style_bytes.h"

#include <xxhash.h>

#include <map>
#include <memory>
#include <string_view>
#include <tuple>

namespace {

// How much of a style is held at a time while it is hashed or compared.
constexpr qint64 PieceLength = 256 * 1024;

QList<LookAlikeGroup> groupsOf(const LibraryCatalogue &library)
{
    std::map<std::tuple<std::string_view, qint32, qint32>, QList<int>> alike;
    for (int s = 0; s < library.styleCount(); ++s) {
        const std::string_view name(
            library.nameBytes(s).data(), std::size_t(library.nameBytes(s).size()));
        alike[{name, library.size(s), library.supplementarySize(s)}].append(s);
    }
    QList<LookAlikeGroup> groups;
    for (const auto &[key, rows] : alike) {
        if (rows.size() < 2)
            continue;
        LookAlikeGroup group;
        for (const int row : rows)
            group.append({row, library.file(row), library.style(row)});
        groups.append(std::move(group));
    }
    return groups;
}

// A style open for reading, both parts one after the other.
class OpenStyle {
public:
    OpenStyle(const LookAlike &alike, const FileService &files)
        : mAlike(alike), mBytes(alike.file, files)
    {
    }

    void pieces(const std::function<void(QByteArrayView)> &take) const
    {
        for (const StylePart part : {StylePart::Main, StylePart::Supplementary})
            mBytes.readInPieces(mAlike.style, part, PieceLength, take);
    }

    // Whether both hold the same bytes; their lengths are equal, as in every group.
    [[nodiscard]] bool sameBytes(const OpenStyle &other) const
    {
        for (const StylePart part : {StylePart::Main, StylePart::Supplementary}) {
            for (qint64 from = 0; from < StyleBytes::partLength(mAlike.style, part);
                 from += PieceLength) {
                if (mBytes.read(mAlike.style, part, from, PieceLength)
                    != other.mBytes.read(other.mAlike.style, part, from, PieceLength))
                    return false;
            }
        }
        return true;
    }

private:
    const LookAlike &mAlike;
    StyleBytes mBytes;
};

}  // namespace

QList<LookAlikeGroup> lookAlikes(const LibraryCatalogue &library) { return groupsOf(library); }

StyleHash fastHash(const StylePieces &pieces)
{
    const std::unique_ptr<XXH3_state_t, decltype(&XXH3_freeState)> state(
        XXH3_createState(), &XXH3_freeState);
    XXH3_128bits_reset(state.get());
    pieces([&](QByteArrayView piece) {
        XXH3_128bits_update(state.get(), piece.data(), std::size_t(piece.size()));
    });
    const XXH128_hash_t hash = XXH3_128bits_digest(state.get());
    return {hash.high64, hash.low64};
}

GroupResult duplicatesIn(
    const LookAlikeGroup &group, const FileService &files, const StopFlag *stop, StyleHasher hash)
{
    GroupResult result;
    std::map<StyleHash, QList<int>> byHash;  // the group's styles by their hash
    for (int i = 0; i < group.size(); ++i) {
        if (stopAsked(stop))
            return {{}, true};
        try {
            const OpenStyle style(group[i], files);
            byHash[hash([&](const auto &take) { style.pieces(take); })].append(i);
        } catch (const FileError &) {
        }
    }
    // Equal hashes are only a hint: each style joins the first class of equal bytes, or starts
    // its own.
    for (const auto &[key, members] : byHash) {
        std::vector<std::pair<std::unique_ptr<OpenStyle>, QList<int>>> classes;
        for (const int i : members) {
            if (stopAsked(stop))
                return {result.duplicates, true};
            try {
                auto style = std::make_unique<OpenStyle>(group[i], files);
                auto same = std::find_if(classes.begin(), classes.end(),
                    [&](const auto &equal) { return equal.first->sameBytes(*style); });
                if (same == classes.end())
                    classes.emplace_back(std::move(style), QList<int> {group[i].row});
                else
                    same->second.append(group[i].row);
            } catch (const FileError &) {
            }
        }
        for (const auto &[first, rows] : classes) {
            if (rows.size() > 1)
                result.duplicates.unite(QSet<int>(rows.cbegin(), rows.cend()));
        }
    }
    return result;
}
