#pragma once

#include "meter.h"
#include "oc31.h"
#include "platform/file_service.h"
#include "platform/problem.h"
#include "style_bytes.h"
#include "style_file.h"
#include "style_music.h"

#include <optional>

enum class Integrity : quint8 { NotKnown, Intact, Damaged };

// What a style's own data says of it: its meter and tempo where their layout is known, and
// whether its compressed data is whole (every chunk that carries a check byte passes it).
struct StyleDetails {
    std::optional<Meter> meter;
    std::optional<int> tempo;
    Integrity integrity = Integrity::NotKnown;
    StylePart damagedPart = StylePart::Main;  // where a damaged style failed, and how
    Oc31Problem problem = Oc31Problem::None;
    // The data-mask bits of the elements that hold music, where the music's layout is known.
    std::optional<quint16> elementsWithMusic;
};

// A style's details, and its music where that was asked for and its layout is known.
struct StyleReading {
    StyleDetails details;
    std::optional<StyleMusic> music;
};

// What failed in a damaged style, named by its number: "style 12: its data fails its check".
[[nodiscard]] QString damageMessage(const StyleDetails &details, int number);

// A style part's chunk as the file keeps it: how long the part is, the chunk's id and the
// length its header declares, and its payload where the details can be read from it.
struct StoredChunk {
    qint64 partLength = 0;
    quint32 id = 0;
    qint64 payloadLength = 0;
    QByteArray payload;
};

// The chunk of a part of `partLength` bytes, through `read(from, length)`, which gives bytes of
// the part: its header, and its payload only when it is a compressed chunk of that type that
// fits its part and the decompressor's limit.
[[nodiscard]] StoredChunk storedChunk(
    qint64 partLength, int type, const std::function<QByteArray(qint64 from, qint64 length)> &read);

// Reads the details of style after style from their two chunks; an absent performance chunk
// gives no tempo. It keeps one buffer for what it uncompresses: a new one for each style of
// 16 MiB would cost the first touch of its memory again. Work on one style ends early, its
// details not known, once `stop` is set.
class StyleDetailsReader {
public:
    explicit StyleDetailsReader(const StopFlag *stop = nullptr, bool keepMusic = false)
        : mStop(stop), mKeepMusic(keepMusic)
    {
    }

    [[nodiscard]] StyleReading read(const StoredChunk &style, const StoredChunk &performance);

private:
    const StopFlag *mStop;
    bool mKeepMusic;
    QByteArray mSpare;
};

// The details and the music of a style from its two chunks as bytes, header and payload each.
[[nodiscard]] StyleReading readStyle(QByteArrayView styleChunk, QByteArrayView performanceChunk);

// Whether the files of a format have a layout of style details that Quarv knows.
[[nodiscard]] bool hasStyleDetails(const StyleFile &file);

// The details of every style of a file, or why its chunks could not be read again.
struct FileStyleDetails {
    QList<StyleDetails> styles;
    std::optional<Problem> problem;
};

// The details of every style of a file, each chunk's header read first and its payload only
// where it is needed; for a format whose layout is not known nothing is read and nothing is
// known. Once `stop` is set the styles not yet read stay not known.
[[nodiscard]] FileStyleDetails readStyleDetails(
    const StyleFile &file, const FileService &files, const StopFlag *stop = nullptr);

// The same with every style's music.
struct FileStyleMusic {
    QList<StyleReading> styles;
    std::optional<Problem> problem;
};
[[nodiscard]] FileStyleMusic readStyleMusic(
    const StyleFile &file, const FileService &files, const StopFlag *stop = nullptr);
