#include "style_details.h"

#include "byte_reader.h"
#include "damaged_file.h"
#include "pa_chunk.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QtEndian>

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(StyleDetails)
};

constexpr int StyleChunkType = 6;
constexpr int PerformanceChunkType = 9;
constexpr int StyleContainerType = 1;
constexpr int StyleContainerVersion = 5;
constexpr quint32 ElementChunk = 0x03000000;
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

// The style container: the first chunk of a style chunk, of type 1, holding the style info.
std::optional<PaChunk> styleContainer(QByteArrayView contents)
{
    const std::optional<PaChunk> container = paChunkAt(contents);
    return container && container->type() == StyleContainerType && container->holdsChunks()
        ? container
        : std::nullopt;
}

std::optional<PaChunk> styleInfo(const PaChunk &container)
{
    return firstPaChunk(
        container.payload, [](const PaChunk &c) { return c.type() == 1 && c.isData(); });
}

// Variation 1's meter: the style container (version 5) holds the style-info chunk, whose mask
// says which elements have data, then one element chunk per such element, lowest first. The
// element info is the first chunk of type 1 in an element chunk; from version 1 on its byte 1
// is the meter.
std::optional<Meter> meterOf(const PaChunk &container)
{
    const std::optional<PaChunk> info = styleInfo(container);
    if (container.major() != StyleContainerVersion || !info)
        return std::nullopt;
    quint16 withData = 0;
    try {
        const QByteArray payload = info->payload.toByteArray();
        ByteReader reader(payload, 0, payload.size());
        reader.skip(quint8(reader.bytes(1)[0]) + 3);  // the name after its length, 3 bytes
        withData = reader.u2be();
        reader.skip(11);
        if (info->minor() >= 3)
            withData = reader.u2be();
    } catch (const DamagedFile &) {
        return std::nullopt;
    }
    if (!(withData & 1))
        return std::nullopt;  // no Variation 1
    const std::optional<PaChunk> element
        = firstPaChunk(container.payload, [](const PaChunk &c) { return c.id == ElementChunk; });
    const std::optional<PaChunk> elementInfo = element
        ? firstPaChunk(element->payload, [](const PaChunk &c) { return c.type() == 1; })
        : std::nullopt;
    if (!elementInfo || elementInfo->major() < 1 || elementInfo->payload.size() < 2)
        return std::nullopt;
    const auto byte = quint8(elementInfo->payload[1]);
    const Meter meter {byte >> 3, 1 << (byte & 7)};
    const bool offered = meter.numerator >= 1 && meter.numerator <= 16
        && (meter.denominator == 4 || meter.denominator == 8 || meter.denominator == 16);
    return offered ? std::optional<Meter>(meter) : std::nullopt;
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

StyleDetails StyleDetailsReader::read(
    const StoredChunk &styleChunk, const StoredChunk &performanceChunk)
{
    StyleDetails details;
    {
        // Its bytes go back to the spare buffer before the performance data's are made.
        Uncompressed style = uncompressed(styleChunk, StyleChunkType, mStop, std::move(mSpare));
        const auto recycle = qScopeGuard([&] { mSpare = std::move(style.contents); });
        const std::optional<PaChunk> container = styleContainer(style.contents);
        // A style's data that holds no style, only chunks, is as damaged as one that fails its
        // check.
        if (style.integrity == Integrity::Intact && !(container && styleInfo(*container)))
            return {
                std::nullopt, std::nullopt, Integrity::Damaged, StylePart::Main, Oc31Problem::None};
        if (style.integrity == Integrity::Damaged)
            return {std::nullopt, std::nullopt, Integrity::Damaged, StylePart::Main, style.problem};
        details.meter = container ? meterOf(*container) : std::nullopt;
        details.integrity = style.integrity;
    }
    Uncompressed performance
        = uncompressed(performanceChunk, PerformanceChunkType, mStop, std::move(mSpare));
    const auto recycle = qScopeGuard([&] { mSpare = std::move(performance.contents); });
    if (performance.integrity == Integrity::Damaged)
        return {details.meter, std::nullopt, Integrity::Damaged, StylePart::Supplementary,
            performance.problem};
    details.tempo = tempoOf(performance);
    const bool performanceChecked
        = performanceChunk.partLength == 0 || performance.integrity == Integrity::Intact;
    if (!performanceChecked)
        details.integrity = Integrity::NotKnown;
    return details;
}

StyleDetails styleDetails(QByteArrayView styleChunk, QByteArrayView performanceChunk)
{
    return StyleDetailsReader().read(chunkInMemory(styleChunk, StyleChunkType),
        chunkInMemory(performanceChunk, PerformanceChunkType));
}

bool hasStyleDetails(const StyleFile &file)
{
    return file.header.format != nullptr && file.header.format->detailsKnown;
}

FileStyleDetails readStyleDetails(
    const StyleFile &file, const FileService &files, const StopFlag *stop)
{
    FileStyleDetails all;
    all.styles.resize(file.styles.size());
    if (!hasStyleDetails(file))
        return all;
    try {
        const StyleBytes bytes(file, files);
        StyleDetailsReader reader(stop);
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
