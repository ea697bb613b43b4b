#include "style_details.h"

#include "byte_reader.h"
#include "damaged_file.h"
#include "pa_chunk.h"

#include <QCoreApplication>
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

// A style part's chunk uncompressed: its payload's chunks. A part whose check cannot be made
// (encrypted, or not compressed) is not known; one whose check fails is damaged.
struct Part {
    Integrity integrity = Integrity::NotKnown;
    Oc31Problem problem = Oc31Problem::None;
    PaChunk chunk;
    QList<PaChunk> contents;
};

Part uncompressed(QByteArrayView bytes, int type, QByteArray &buffer)
{
    Part part;
    const std::optional<PaChunk> chunk = paChunkAt(bytes);
    if (!chunk) {
        // No chunk at all is a style without that part; part of a header is damage.
        if (!bytes.isEmpty())
            part = {Integrity::Damaged, Oc31Problem::CutShort, {}, {}};
        return part;
    }
    part.chunk = *chunk;
    if (chunk->type() != type || !chunk->isCompressed() || chunk->isEncrypted())
        return part;
    // The check byte is a XOR: a flipped byte that the stream copies an odd number of times
    // passes it. What it holds must also be chunks that fill it exactly.
    part.problem = decompressOc31(chunk->payload, buffer);
    const bool whole = part.problem == Oc31Problem::None && holdsWellFormedChunks(buffer);
    part.integrity = whole ? Integrity::Intact : Integrity::Damaged;
    if (whole)
        part.contents = *paChunksIn(buffer);
    return part;
}

// Variation 1's meter: the style container (version 5) holds the style-info chunk, whose mask
// says which elements have data, then one element chunk per such element, lowest first. The
// element info is the first chunk of type 1 in an element chunk; from version 1 on its byte 1
// is the meter.
std::optional<Meter> meterOf(const QList<PaChunk> &contents)
{
    if (contents.isEmpty() || contents[0].type() != StyleContainerType
        || contents[0].major() != StyleContainerVersion)
        return std::nullopt;
    const QList<PaChunk> inside = paChunksIn(contents[0].payload).value_or(QList<PaChunk>());
    const auto info = std::find_if(inside.cbegin(), inside.cend(),
        [](const PaChunk &c) { return c.type() == 1 && c.isData(); });
    if (info == inside.cend())
        return std::nullopt;
    quint16 withData = 0;
    try {
        const QByteArray payload = info->payload.toByteArray();
        ByteReader reader(payload, 0, payload.size(), QString());
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
    const auto element = std::find_if(
        inside.cbegin(), inside.cend(), [](const PaChunk &c) { return c.id == ElementChunk; });
    if (element == inside.cend())
        return std::nullopt;
    const QList<PaChunk> parts = paChunksIn(element->payload).value_or(QList<PaChunk>());
    const auto elementInfo = std::find_if(
        parts.cbegin(), parts.cend(), [](const PaChunk &c) { return c.type() == 1; });
    if (elementInfo == parts.cend() || elementInfo->major() < 1 || elementInfo->payload.size() < 2)
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
std::optional<int> tempoOf(const Part &performance)
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

// One buffer per thread for what is uncompressed: a library's styles come one after another.
QByteArray &uncompressBuffer()
{
    thread_local QByteArray buffer;
    return buffer;
}

}  // namespace

QString damageMessage(const StyleDetails &details, int number)
{
    // By Oc31Problem; None: whole, but not chunks that fill it.
    static const char *const problems[] = {
        QT_TRANSLATE_NOOP("StyleDetails", "%1 does not hold its chunks as it should"),
        QT_TRANSLATE_NOOP("StyleDetails", "%1 is not compressed as its header says"),
        QT_TRANSLATE_NOOP("StyleDetails", "%1 declares a size it cannot have"),
        QT_TRANSLATE_NOOP("StyleDetails", "%1 is cut short"),
        QT_TRANSLATE_NOOP("StyleDetails", "%1 refers to bytes before its start"),
        QT_TRANSLATE_NOOP("StyleDetails", "%1 runs past its declared size"),
        QT_TRANSLATE_NOOP("StyleDetails", "%1 does not end as it should"),
        QT_TRANSLATE_NOOP("StyleDetails", "%1 fails its check"),
    };
    static_assert(std::size(problems) == int(Oc31Problem::FailsCheck) + 1);
    const QString part = details.damagedPart == StylePart::Main ? Texts::tr("its data")
                                                                : Texts::tr("its performance data");
    return Texts::tr("style %1: %2")
        .arg(number)
        .arg(Texts::tr(problems[int(details.problem)]).arg(part));
}

StyleDetails styleDetails(QByteArrayView styleChunk, QByteArrayView performanceChunk)
{
    StyleDetails details;
    QByteArray &buffer = uncompressBuffer();
    const Part style = uncompressed(styleChunk, StyleChunkType, buffer);
    if (style.integrity == Integrity::Damaged) {
        details.integrity = Integrity::Damaged;
        details.problem = style.problem;
        return details;
    }
    details.meter = meterOf(style.contents);
    // The style's contents point into the buffer, which the performance data takes next.
    const Part performance = uncompressed(performanceChunk, PerformanceChunkType, buffer);
    if (performance.integrity == Integrity::Damaged) {
        details = {details.meter, std::nullopt, Integrity::Damaged, StylePart::Supplementary,
            performance.problem};
        return details;
    }
    details.tempo = tempoOf(performance);
    const bool performanceChecked
        = performanceChunk.isEmpty() || performance.integrity == Integrity::Intact;
    details.integrity = style.integrity == Integrity::Intact && performanceChecked
        ? Integrity::Intact
        : Integrity::NotKnown;
    return details;
}

bool hasStyleDetails(const StyleFile &file)
{
    return file.header.format != nullptr && file.header.format->detailsKnown;
}

QList<StyleDetails> readStyleDetails(const StyleFile &file, const FileService &files)
{
    QList<StyleDetails> all(file.styles.size());
    if (!hasStyleDetails(file))
        return all;
    const StyleBytes bytes(file, files);
    for (qsizetype i = 0; i < file.styles.size(); ++i) {
        const StyleEntry &style = file.styles[i];
        all[i] = styleDetails(
            bytes.read(style, StylePart::Main), bytes.read(style, StylePart::Supplementary));
    }
    return all;
}
