#include "style_music.h"

#include "style_container.h"

#include <QCoreApplication>
#include <QtEndian>

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(StyleMusic)
};

constexpr quint32 TrackListChunk = 0x02000000;
constexpr quint32 IndexListChunk = 0x01000008;
constexpr quint32 ChordVariationChunk = 0x03000008;
constexpr int ElementInfoType = 1;
constexpr int TrackSettingsType = 2;
// Track chunks: drums and percussion, bass, accompaniment.
constexpr quint32 TrackChunks[] = {0x02000008, 0x03000008, 0x04000008};

// Event types of the streams.
enum : quint8 {
    NoteOff = 0x00,
    NoteOn = 0x01,
    ControlChange = 0x03,
    ChannelPressure = 0x05,
    PitchBend = 0x06,
    Meta = 0x09,
    NoiseOff = 0x0C,
    NoiseOn = 0x0D,
};
constexpr quint8 EndOfTrack = 0x2F;
constexpr quint8 MasterMeta = 0x7E;
constexpr quint8 PlayEntry = 0x03;
constexpr quint8 MasterTempoChange = 0x02;  // left out, as the instrument's export does

quint16 u16At(QByteArrayView bytes, qsizetype at)
{
    return qFromBigEndian<quint16>(bytes.data() + at);
}
quint32 u32At(QByteArrayView bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.data() + at);
}

// A stream's bytes after its 8-byte head (its length in ticks, a u16, the bytes' count), where
// they fit; none when they do not.
struct Stream {
    quint32 length = 0;
    QByteArrayView events;
    QByteArrayView after;  // what follows the events
};

std::optional<Stream> streamIn(QByteArrayView payload)
{
    if (payload.size() < 8 || u16At(payload, 6) > payload.size() - 8)
        return std::nullopt;
    const qsizetype count = u16At(payload, 6);
    return Stream {u32At(payload, 0), payload.sliced(8, count), payload.sliced(8 + count)};
}

// Reads the events of a stream, one at a time: delta-time bytes with bit 7 set, the type byte,
// its operands, the last of which has bit 7 set (but for meta events).
class EventReader {
public:
    explicit EventReader(QByteArrayView bytes) : mBytes(bytes) { }

    struct Event {
        quint32 tick = 0;
        quint8 type = 0;
        QByteArrayView operands;  // the last one's bit 7 cleared by the caller
    };

    // The next event; none at the end of the bytes or where an event is cut short or of a type
    // the note does not list (problem() says which).
    std::optional<Event> next()
    {
        Event event;
        quint32 delta = 0;
        while (mAt < mBytes.size() && quint8(mBytes[mAt]) & 0x80) {
            if (delta >> 24)
                return fail(MusicProblem::UnknownEvent);  // no stream waits that long
            delta = delta << 7 | (quint8(mBytes[mAt++]) & 0x7F);
        }
        if (mAt >= mBytes.size())
            return fail(mAt == mEventEnd ? MusicProblem::NoEnd : MusicProblem::CutShort);
        mTick += delta;
        event.tick = mTick;
        event.type = quint8(mBytes[mAt++]);
        qsizetype operands = 0;
        switch (event.type) {
        case NoteOff:
        case NoteOn:
        case NoiseOff:
        case NoiseOn:
        case ControlChange:
        case PitchBend: operands = 2; break;
        case ChannelPressure: operands = 1; break;
        case Meta:
            if (mBytes.size() - mAt < 3 || mBytes[mAt + 1] != 0)
                return fail(MusicProblem::CutShort);
            operands = 3 + quint8(mBytes[mAt + 2]);
            break;
        default: return fail(MusicProblem::UnknownEvent);
        }
        if (mBytes.size() - mAt < operands)
            return fail(MusicProblem::CutShort);
        event.operands = mBytes.sliced(mAt, operands);
        mAt += operands;
        mEventEnd = mAt;
        // Data bytes: the last has bit 7 set, the others not.
        for (qsizetype i = 0; event.type != Meta && i < operands; ++i) {
            if (bool(quint8(event.operands[i]) & 0x80) != (i == operands - 1))
                return fail(MusicProblem::UnknownEvent);
        }
        return event;
    }

    [[nodiscard]] MusicProblem problem() const { return mProblem; }

private:
    std::optional<Event> fail(MusicProblem problem)
    {
        mProblem = problem;
        return std::nullopt;
    }

    QByteArrayView mBytes;
    qsizetype mAt = 0;
    qsizetype mEventEnd = 0;
    quint32 mTick = 0;
    MusicProblem mProblem = MusicProblem::None;
};

bool isEndOfTrack(const EventReader::Event &event)
{
    return event.type == Meta && quint8(event.operands[0]) == EndOfTrack;
}

// A track's events as MIDI says them, from tick `start` on, up to its end of track; or what is
// wrong with them.
MusicProblem trackEvents(QByteArrayView bytes, quint32 start, QList<MusicEvent> &events)
{
    EventReader reader(bytes);
    while (const std::optional<EventReader::Event> event = reader.next()) {
        if (isEndOfTrack(*event))
            return MusicProblem::None;
        const auto byte = [&](qsizetype i) { return quint8(quint8(event->operands[i]) & 0x7F); };
        const quint32 tick = start + event->tick;
        switch (event->type) {
        case NoteOn:
        case NoiseOn: events.append({tick, 0x90, byte(0), byte(1)}); break;
        case NoteOff:
        case NoiseOff: events.append({tick, 0x80, byte(0), byte(1)}); break;
        case ControlChange: events.append({tick, 0xB0, byte(0), byte(1)}); break;
        case ChannelPressure: events.append({tick, 0xD0, byte(0), 0}); break;
        case PitchBend: events.append({tick, 0xE0, byte(0), byte(1)}); break;
        default: return MusicProblem::UnknownEvent;  // meta events other than the end
        }
    }
    return reader.problem() == MusicProblem::None ? MusicProblem::NoEnd : reader.problem();
}

// The style's shared tracks: the index list's one-based track chunk numbers, in the order the
// chord variations take them, and each track chunk's events (none where it is cut short).
struct TrackList {
    QList<quint16> index;
    QList<std::optional<QByteArrayView>> tracks;
};

std::optional<TrackList> trackListIn(const PaChunk &container)
{
    const std::optional<PaChunk> list
        = firstPaChunk(container.payload, [](const PaChunk &c) { return c.id == TrackListChunk; });
    if (!list)
        return std::nullopt;
    PaChunkCursor cursor(list->payload);
    const std::optional<PaChunk> index = cursor.next();
    if (!index || index->id != IndexListChunk || index->payload.size() < 4)
        return std::nullopt;
    const qsizetype entries = u16At(index->payload, 2);
    if (index->payload.size() < 4 + 2 * entries)
        return std::nullopt;
    TrackList tracks;
    for (qsizetype i = 0; i < entries; ++i)
        tracks.index.append(u16At(index->payload, 4 + 2 * i));
    while (const std::optional<PaChunk> track = cursor.next()) {
        if (std::find(std::begin(TrackChunks), std::end(TrackChunks), track->id)
            == std::end(TrackChunks))
            continue;
        const std::optional<Stream> stream = streamIn(track->payload);
        tracks.tracks.append(stream ? std::optional<QByteArrayView>(stream->events) : std::nullopt);
    }
    return tracks;
}

// One chord variation: its master stream plays its map's entries, each a track of the list;
// `next` is where the style's chord variations have got to in the index list.
ChordVariation chordVariation(
    int number, QByteArrayView payload, const TrackList &list, qsizetype &next)
{
    ChordVariation variation;
    variation.number = number;
    const std::optional<Stream> master = streamIn(payload);
    if (!master || master->after.isEmpty()
        || master->after.size() < 1 + 2 * quint8(master->after[0])) {
        variation.problem = MusicProblem::CutShort;
        return variation;
    }
    variation.length = master->length;
    const int entries = quint8(master->after[0]);
    struct Entry {
        int trackNumber;
        quint16 chunk;
    };
    QList<Entry> map;
    for (int i = 0; i < entries; ++i) {
        const int trackNumber = quint8(master->after[2 + 2 * i]);
        const quint16 chunk = next < list.index.size() ? list.index[next] : 0;
        ++next;
        if (trackNumber >= StyleTrackCount || chunk == 0 || chunk > list.tracks.size()) {
            variation.problem = MusicProblem::PastTrackList;
            return variation;
        }
        map.append({trackNumber, chunk});
    }
    QList<PlayedTrack> played;
    for (const Entry &entry : map)
        played.append(PlayedTrack {entry.trackNumber, {}});
    EventReader reader(master->events);
    MusicProblem problem = MusicProblem::NoEnd;
    while (const std::optional<EventReader::Event> event = reader.next()) {
        if (isEndOfTrack(*event)) {
            problem = MusicProblem::None;
            break;
        }
        const QByteArrayView data = event->operands.sliced(3);
        if (event->type != Meta || quint8(event->operands[0]) != MasterMeta || data.isEmpty()) {
            problem = MusicProblem::UnknownEvent;
            break;
        }
        if (quint8(data[0]) == MasterTempoChange)
            continue;
        if (quint8(data[0]) != PlayEntry || data.size() < 2 || quint8(data[1]) >= map.size()) {
            problem = MusicProblem::UnknownEvent;
            break;
        }
        const Entry &entry = map[quint8(data[1])];
        const std::optional<QByteArrayView> &track = list.tracks[entry.chunk - 1];
        problem = track ? trackEvents(*track, event->tick, played[quint8(data[1])].events)
                        : MusicProblem::CutShort;
        if (problem != MusicProblem::None)
            break;
        problem = MusicProblem::NoEnd;
    }
    if (problem == MusicProblem::NoEnd && reader.problem() != MusicProblem::None)
        problem = reader.problem();
    for (const PlayedTrack &track : played) {
        if (!track.events.isEmpty() && track.events.last().tick > variation.length)
            problem = problem == MusicProblem::None ? MusicProblem::PlaysPastItsEnd : problem;
    }
    variation.problem = problem;
    if (problem == MusicProblem::None)
        variation.tracks = played;
    return variation;
}

std::array<TrackSetting, StyleTrackCount> settingsIn(QByteArrayView payload, bool extra)
{
    std::array<TrackSetting, StyleTrackCount> settings {};
    for (int n = 0; n < StyleTrackCount; ++n) {
        const auto at
            = [&](qsizetype i) { return i < payload.size() ? quint8(payload[i]) : quint8(0); };
        TrackSetting &s = settings[std::size_t(n)];
        s = {at(6 * n), at(6 * n + 1), at(6 * n + 2), at(6 * n + 3), at(6 * n + 4), at(6 * n + 5),
            {}};
        if (extra)
            s.extra = {at(48 + 3 * n), at(49 + 3 * n), at(50 + 3 * n), at(72 + n)};
    }
    return settings;
}

}  // namespace

const std::array<StyleElement, StyleElementCount> &elementsInOrder()
{
    using E = StyleElement;
    static constexpr std::array<StyleElement, StyleElementCount> order {E::Variation1,
        E::Variation2, E::Variation3, E::Variation4, E::Intro1, E::Intro2, E::Intro3, E::Fill1,
        E::Fill2, E::Fill3, E::Fill4, E::Break, E::Ending1, E::Ending2, E::Ending3};
    return order;
}

QString elementName(StyleElement element)
{
    static const char *const names[StyleElementCount] = {"V1", "V2", "V3", "V4", "IN1", "IN2",
        "FI1", "FI2", "EN1", "EN2", "BR", "IN3", "EN3", "FI3", "FI4"};
    return QLatin1String(names[int(element)]);
}

QStringList elementNames(quint16 mask)
{
    QStringList names;
    for (const StyleElement element : elementsInOrder()) {
        if (mask & 1 << int(element))
            names << elementName(element);
    }
    return names;
}

bool ChordVariation::holdsMusic() const
{
    return std::any_of(tracks.cbegin(), tracks.cend(), [](const PlayedTrack &track) {
        return std::any_of(track.events.cbegin(), track.events.cend(),
            [](const MusicEvent &event) { return event.isNoteOn(); });
    });
}

bool ElementMusic::holdsMusic() const
{
    return std::any_of(variations.cbegin(), variations.cend(),
        [](const ChordVariation &variation) { return variation.holdsMusic(); });
}

quint16 StyleMusic::elementsWithMusic() const
{
    quint16 mask = 0;
    for (const ElementMusic &element : elements) {
        if (element.holdsMusic())
            mask |= quint16(1 << int(element.element));
    }
    return mask;
}

std::optional<StyleMusic> decodeStyleMusic(QByteArrayView contents)
{
    const std::optional<StyleContainer> container = styleContainerIn(contents);
    if (!container || !container->isVersion5() || !container->withData)
        return std::nullopt;
    const std::optional<TrackList> list = trackListIn(container->chunk);
    if (!list)
        return std::nullopt;
    StyleMusic music;
    qsizetype next = 0;  // in the index list
    int bit = -1;
    PaChunkCursor cursor(container->chunk.payload);
    while (const std::optional<PaChunk> chunk = cursor.next()) {
        if (chunk->id != ElementChunk)
            continue;
        do
            ++bit;
        while (bit < StyleElementCount && !(*container->withData & 1 << bit));
        if (bit >= StyleElementCount)
            return std::nullopt;  // more element chunks than the mask has bits
        ElementMusic element;
        element.element = StyleElement(bit);
        std::optional<quint8> flags;  // bit i: a chord variation chunk for number i + 1
        int number = 0;
        PaChunkCursor parts(chunk->payload);
        while (const std::optional<PaChunk> part = parts.next()) {
            if (part->type() == ElementInfoType && !flags && !part->payload.isEmpty()) {
                flags = quint8(part->payload[0]);
                element.meter = elementMeter(*part);
            } else if (part->type() == TrackSettingsType && part->isData()) {
                element.rangeControls = part->major() == 0 && part->minor() == 3;
                element.settings = settingsIn(part->payload, element.rangeControls);
            } else if (part->id == ChordVariationChunk) {
                do
                    ++number;
                while (number < 8 && !(flags.value_or(0) & 1 << (number - 1)));
                element.variations.append(chordVariation(number, part->payload, *list, next));
            }
        }
        music.elements.append(std::move(element));
    }
    return music;
}

QString musicProblemMessage(MusicProblem problem, int style, StyleElement element, int variation)
{
    const auto sentence = [&](const char *text) {
        return Texts::tr(text).arg(style).arg(elementName(element)).arg(variation);
    };
    switch (problem) {
    case MusicProblem::CutShort:
        return sentence(QT_TRANSLATE_NOOP(
            "StyleMusic", "style %1, %2 chord variation %3: its music is cut short"));
    case MusicProblem::UnknownEvent:
        return sentence(QT_TRANSLATE_NOOP(
            "StyleMusic", "style %1, %2 chord variation %3: its music holds an event not known"));
    case MusicProblem::NoEnd:
        return sentence(QT_TRANSLATE_NOOP(
            "StyleMusic", "style %1, %2 chord variation %3: its music does not end"));
    case MusicProblem::PastTrackList:
        return sentence(QT_TRANSLATE_NOOP("StyleMusic",
            "style %1, %2 chord variation %3: its music plays a track the style does not have"));
    case MusicProblem::PlaysPastItsEnd:
        return sentence(QT_TRANSLATE_NOOP(
            "StyleMusic", "style %1, %2 chord variation %3: its music plays past its end"));
    case MusicProblem::None: break;
    }
    return {};
}
