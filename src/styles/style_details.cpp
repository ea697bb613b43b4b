#include "style_details.h"

#include "pa_chunk.h"
#include "style_container.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QtEndian>

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(StyleDetails)
};

constexpr int StyleChunkType = 6;
constexpr int PerformanceChunkType = 9;
constexpr quint32 TempoV1Chunk = 0x04000108;
constexpr quint32 TempoV2Chunk = 0x04020008;
constexpr quint32 TempoCopyChunk = 0x27000008;
constexpr quint32 TempoMark = 0x0000000F;

// A style part's chunk uncompressed: it owns the bytes that the chunks found in it point into. A
// part whose check cannot be made (encrypted, or not compressed) is not known; one whose check
// fails is damaged.
struct Uncompressed {
    Integrity integrity = Integrity::NotKnown;
    Oc31Problem problem = Oc31Problem::None;
    PaChunk chunk;  // its header's id; the payload is not kept
    QByteArray contents;
};

Uncompressed damaged(Oc31Problem problem) { return {Integrity::Damaged, problem, {}, {}}; }

StyleDetails damagedStyle(StylePart part, Oc31Problem problem)
{
    StyleDetails details;
    details.integrity = Integrity::Damaged;
    details.damagedPart = part;
    details.problem = problem;
    return details;
}

// Uncompresses into `buffer`, which the part then owns.
Uncompressed uncompressed(
    const StoredChunk &stored, int type, const StopFlag *stop, QByteArray buffer)
{
    // No chunk at all is a style without that part; part of one is damage.
    if (stored.partLength == 0)
        return {};
    if (stored.partLength < PaChunkHeaderLength
        || stored.payloadLength > stored.partLength - PaChunkHeaderLength)
        return damaged(Oc31Problem::CutShort);
    Uncompressed part;
    part.chunk.id = stored.id;
    part.contents = std::move(buffer);
    if (part.chunk.type() != type || !part.chunk.isCompressed() || part.chunk.isEncrypted())
        return part;
    if (stored.payloadLength > Oc31MaxLength)
        return damaged(Oc31Problem::TooLarge);
    part.problem = decompressOc31(stored.payload, part.contents, stop);
    // The check byte is a XOR: a flipped byte that the stream copies an odd number of times
    // passes it. What it holds must also be chunks that fill it exactly.
    const bool whole
        = part.problem == Oc31Problem::None && holdsWellFormedChunks(part.contents, stop);
    if (part.problem == Oc31Problem::Stopped || stopAsked(stop))
        return {};
    part.integrity = whole ? Integrity::Intact : Integrity::Damaged;
    return part;
}

// Variation 1's meter: its element chunk is the first, where Variation 1 has data; the element
// info is the first chunk of type 1 in it.
std::optional<Meter> meterOf(const StyleContainer &container)
{
    if (!container.isVersion5() || !container.withData || !(*container.withData & 1))
        return std::nullopt;
    const std::optional<PaChunk> element = firstPaChunk(
        container.chunk.payload, [](const PaChunk &c) { return c.id == ElementChunk; });
    const std::optional<PaChunk> elementInfo = element
        ? firstPaChunk(element->payload, [](const PaChunk &c) { return c.type() == 1; })
        : std::nullopt;
    return elementInfo ? elementMeter(*elementInfo) : std::nullopt;
}

// A tempo byte at `at` of a chunk whose payload starts with the mark 0x0000000F.
std::optional<int> markedTempo(const std::optional<PaChunk> &chunk, qsizetype at)
{
    if (!chunk || chunk->payload.size() <= at
        || qFromBigEndian<quint32>(chunk->payload.data()) != TempoMark)
        return std::nullopt;
    return quint8(chunk->payload[at]);
}

// The version 2 tempo: after the first u32, a part of varying length (one byte that is not 0;
// else four bytes, two strings ended by NUL, and a u32 length with that many bytes), one byte of
// unknown use, then the tempo.
std::optional<int> secondVersionTempo(const std::optional<PaChunk> &chunk)
{
    if (!chunk)
        return std::nullopt;
    const QByteArrayView payload = chunk->payload;
    qsizetype at = 4;
    if (at >= payload.size())
        return std::nullopt;
    if (payload[at] != 0) {
        at += 1;
    } else {
        at += 4;
        for (int string = 0; string < 2 && at >= 0; ++string) {
            const qsizetype end = at < payload.size() ? payload.indexOf('\0', at) : -1;
            at = end < 0 ? -1 : end + 1;
        }
        if (at < 0 || payload.size() - at < 4)
            return std::nullopt;
        const quint32 length = qFromBigEndian<quint32>(payload.data() + at);
        if (length > quint64(payload.size() - at - 4))
            return std::nullopt;
        at += 4 + qsizetype(length);
    }
    at += 1;
    return at < payload.size() ? std::optional<int>(quint8(payload[at])) : std::nullopt;
}

// The tempo, by the performance chunk's version: 1.x has one data chunk, 2.x another, and 2.1 a
// copy as well; copies that disagree, or a tempo the instruments do not offer, are not known.
std::optional<int> tempoOf(const Uncompressed &performance)
{
    std::optional<int> tempo;
    if (performance.chunk.major() == 1) {
        tempo = markedTempo(findPaChunk(performance.contents, TempoV1Chunk), 7);
    } else if (performance.chunk.major() == 2) {
        tempo = secondVersionTempo(findPaChunk(performance.contents, TempoV2Chunk));
        const std::optional<int> copy
            = markedTempo(findPaChunk(performance.contents, TempoCopyChunk), 6);
        if (performance.chunk.minor() >= 1 && copy && tempo != copy)
            tempo = tempo ? std::nullopt : copy;
    }
    return tempo && *tempo >= 30 && *tempo <= 250 ? tempo : std::nullopt;
}

StoredChunk chunkInMemory(QByteArrayView bytes, int type)
{
    return storedChunk(bytes.size(), type, [&](qint64 from, qint64 length) {
        return bytes.sliced(from, qMin(length, bytes.size() - from)).toByteArray();
    });
}

}  // namespace

QString damageMessage(const StyleDetails &details, int number)
{
    const bool main = details.damagedPart == StylePart::Main;
    const auto sentence = [&](const char *ofData, const char *ofPerformance) {
        return Texts::tr(main ? ofData : ofPerformance).arg(number);
    };
    switch (details.problem) {
    case Oc31Problem::None:
        return sentence(QT_TRANSLATE_NOOP("StyleDetails",
                            "style %1: its data does not hold its chunks as it "
                            "should"),
            QT_TRANSLATE_NOOP("StyleDetails",
                "style %1: its performance data does not hold its "
                "chunks as it should"));
    case Oc31Problem::NotOc31:
        return sentence(QT_TRANSLATE_NOOP("StyleDetails",
                            "style %1: its data is not compressed as its header "
                            "says"),
            QT_TRANSLATE_NOOP("StyleDetails",
                "style %1: its performance data is not compressed "
                "as its header says"));
    case Oc31Problem::TooLarge:
        return sentence(
            QT_TRANSLATE_NOOP("StyleDetails", "style %1: its data declares a size it cannot have"),
            QT_TRANSLATE_NOOP("StyleDetails",
                "style %1: its performance data declares a size it "
                "cannot have"));
    case Oc31Problem::CutShort:
        return sentence(QT_TRANSLATE_NOOP("StyleDetails", "style %1: its data is cut short"),
            QT_TRANSLATE_NOOP("StyleDetails", "style %1: its performance data is cut short"));
    case Oc31Problem::BeforeStart:
        return sentence(QT_TRANSLATE_NOOP("StyleDetails",
                            "style %1: its data refers to bytes before its "
                            "start"),
            QT_TRANSLATE_NOOP("StyleDetails",
                "style %1: its performance data refers to bytes "
                "before its start"));
    case Oc31Problem::PastLength:
        return sentence(
            QT_TRANSLATE_NOOP("StyleDetails", "style %1: its data runs past its declared size"),
            QT_TRANSLATE_NOOP("StyleDetails",
                "style %1: its performance data runs past its "
                "declared size"));
    case Oc31Problem::BadEnding:
        return sentence(
            QT_TRANSLATE_NOOP("StyleDetails", "style %1: its data does not end as it should"),
            QT_TRANSLATE_NOOP("StyleDetails",
                "style %1: its performance data does not end as it "
                "should"));
    case Oc31Problem::FailsCheck:
        return sentence(QT_TRANSLATE_NOOP("StyleDetails", "style %1: its data fails its check"),
            QT_TRANSLATE_NOOP("StyleDetails", "style %1: its performance data fails its check"));
    case Oc31Problem::Stopped: break;  // never damage: nothing is known
    }
    return {};
}

StoredChunk storedChunk(
    qint64 partLength, int type, const std::function<QByteArray(qint64 from, qint64 length)> &read)
{
    StoredChunk chunk;
    chunk.partLength = partLength;
    if (partLength < PaChunkHeaderLength)
        return chunk;
    const QByteArray header = read(0, PaChunkHeaderLength);
    chunk.id = qFromBigEndian<quint32>(header.constData());
    chunk.payloadLength = qFromBigEndian<quint32>(header.constData() + 4);
    const PaChunk kind {chunk.id, {}};
    if (kind.type() == type && kind.isCompressed() && !kind.isEncrypted()
        && chunk.payloadLength <= partLength - PaChunkHeaderLength
        && chunk.payloadLength <= Oc31MaxLength)
        chunk.payload = read(PaChunkHeaderLength, chunk.payloadLength);
    return chunk;
}

StyleReading StyleDetailsReader::read(
    const StoredChunk &styleChunk, const StoredChunk &performanceChunk)
{
    StyleReading reading;
    StyleDetails &details = reading.details;
    {
        // Its bytes go back to the spare buffer before the performance data's are made.
        Uncompressed style = uncompressed(styleChunk, StyleChunkType, mStop, std::move(mSpare));
        const auto recycle = qScopeGuard([&] { mSpare = std::move(style.contents); });
        const std::optional<StyleContainer> container = styleContainerIn(style.contents);
        // A style's data that holds no style, only chunks, is as damaged as one that fails its
        // check.
        if (style.integrity == Integrity::Intact && !container)
            return {damagedStyle(StylePart::Main, Oc31Problem::None), std::nullopt};
        if (style.integrity == Integrity::Damaged)
            return {damagedStyle(StylePart::Main, style.problem), std::nullopt};
        details.meter = container ? meterOf(*container) : std::nullopt;
        details.integrity = style.integrity;
        if (style.integrity == Integrity::Intact) {
            std::optional<StyleMusic> music = decodeStyleMusic(style.contents);
            if (music)
                details.elementsWithMusic = music->elementsWithMusic();
            if (mKeepMusic)
                reading.music = std::move(music);
        }
    }
    Uncompressed performance
        = uncompressed(performanceChunk, PerformanceChunkType, mStop, std::move(mSpare));
    const auto recycle = qScopeGuard([&] { mSpare = std::move(performance.contents); });
    if (performance.integrity == Integrity::Damaged) {
        StyleDetails damaged = damagedStyle(StylePart::Supplementary, performance.problem);
        damaged.meter = details.meter;
        return {damaged, std::nullopt};
    }
    details.tempo = tempoOf(performance);
    const bool performanceChecked
        = performanceChunk.partLength == 0 || performance.integrity == Integrity::Intact;
    if (!performanceChecked)
        details.integrity = Integrity::NotKnown;
    return reading;
}

StyleReading readStyle(QByteArrayView styleChunk, QByteArrayView performanceChunk)
{
    return StyleDetailsReader(nullptr, true)
        .read(chunkInMemory(styleChunk, StyleChunkType),
            chunkInMemory(performanceChunk, PerformanceChunkType));
}

bool hasStyleDetails(const StyleFile &file)
{
    return file.header.format != nullptr && file.header.format->detailsKnown;
}

namespace {

// Every style's details, and its music where `keepMusic` asks.
FileStyleMusic readStyles(
    const StyleFile &file, const FileService &files, const StopFlag *stop, bool keepMusic)
{
    FileStyleMusic all;
    all.styles.resize(file.styles.size());
    if (!hasStyleDetails(file))
        return all;
    try {
        const StyleBytes bytes(file, files);
        StyleDetailsReader reader(stop, keepMusic);
        for (qsizetype i = 0; i < file.styles.size() && !stopAsked(stop); ++i) {
            const StyleEntry &style = file.styles[i];
            const auto chunk = [&](StylePart part, int type) {
                return storedChunk(
                    bytes.partLength(style, part), type, [&](qint64 from, qint64 length) {
                        return bytes.read(style, part, from, length);
                    });
            };
            all.styles[i] = reader.read(chunk(StylePart::Main, StyleChunkType),
                chunk(StylePart::Supplementary, PerformanceChunkType));
        }
    } catch (const FileError &error) {
        return {{}, error.readProblem()};
    }
    return all;
}

}  // namespace

FileStyleDetails readStyleDetails(
    const StyleFile &file, const FileService &files, const StopFlag *stop)
{
    FileStyleMusic read = readStyles(file, files, stop, false);
    FileStyleDetails details {{}, std::move(read.problem)};
    for (const StyleReading &style : std::as_const(read.styles))
        details.styles.append(style.details);
    return details;
}

FileStyleMusic readStyleMusic(const StyleFile &file, const FileService &files, const StopFlag *stop)
{
    return readStyles(file, files, stop, true);
}
