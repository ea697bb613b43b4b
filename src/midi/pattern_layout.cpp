#include "pattern_layout.h"

#include <QCoreApplication>

#include <algorithm>
#include <map>

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(Pattern)
};

constexpr int TicksPerQuarter = 384;
constexpr double HitBeats = 0.125;  // how long a drum hit is drawn

bool isDrumTrack(int trackNumber) { return trackNumber <= 1; }

// Each note on with the first note off of its key after it; one still on at the end lasts to it.
QList<PatternNote> notesOf(const QList<MusicEvent> &events, quint32 end, quint32 ticksPerBeat)
{
    QList<PatternNote> notes;
    std::map<int, QList<qsizetype>> sounding;  // by key, the notes begun and not yet ended
    const auto finish = [&](qsizetype at, quint32 tick) {
        PatternNote &note = notes[at];
        note.lengthTicks = qMax(tick, note.startTick) - note.startTick;
        note.length = double(note.lengthTicks) / ticksPerBeat;
    };
    for (const MusicEvent &event : events) {
        if (event.status == 0x90) {
            PatternNote note;
            note.key = event.data1;
            note.velocity = event.data2;
            note.shade = 0.25 + 0.75 * event.data2 / 127.0;
            note.startTick = event.tick;
            note.start = double(event.tick) / ticksPerBeat;
            sounding[note.key].append(notes.size());
            notes.append(note);
        } else if (event.status == 0x80 && !sounding[event.data1].isEmpty()) {
            finish(sounding[event.data1].takeFirst(), event.tick);
        }
    }
    for (const auto &[key, open] : sounding) {
        for (const qsizetype at : open)
            finish(at, end);
    }
    return notes;
}

}  // namespace

int PatternLayout::notes() const
{
    int count = 0;
    for (const PatternLane &lane : lanes)
        count += int(lane.notes.size());
    return count;
}

PatternLayout layoutPattern(const ElementMusic &element, const ChordVariation &variation)
{
    PatternLayout layout;
    layout.meter = element.meter.value_or(Meter {4, 4});
    layout.ticksPerBeat = quint32(TicksPerQuarter * 4 / layout.meter.denominator);
    layout.beatsPerBar = layout.meter.numerator;
    const quint32 ticksPerBar = layout.ticksPerBeat * quint32(layout.meter.numerator);
    layout.bars = qMax(1, int((variation.length + ticksPerBar - 1) / ticksPerBar));
    for (int number = 0; number < StyleTrackCount; ++number) {
        // A track number's events, whichever map entries play on it.
        QList<MusicEvent> events;
        for (const PlayedTrack &track : variation.tracks) {
            if (track.trackNumber == number)
                events += track.events;
        }
        std::stable_sort(events.begin(), events.end(),
            [](const MusicEvent &a, const MusicEvent &b) { return a.tick < b.tick; });
        PatternLane lane;
        lane.trackNumber = number;
        lane.drums = isDrumTrack(number);
        lane.notes = notesOf(events, variation.length, layout.ticksPerBeat);
        if (lane.notes.isEmpty())
            continue;
        QList<int> keys;
        for (const PatternNote &note : std::as_const(lane.notes))
            keys << note.key;
        std::sort(keys.begin(), keys.end(), std::greater<int>());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        if (!lane.drums) {
            // The whole range from the highest key to the lowest, so that pitch reads as height.
            const int highest = keys.front();
            const int lowest = keys.back();
            keys.clear();
            for (int key = highest; key >= lowest; --key)
                keys << key;
        }
        lane.keys = keys;
        lane.rows = int(keys.size());
        for (PatternNote &note : lane.notes) {
            note.row = int(keys.indexOf(note.key));
            if (lane.drums)
                note.length = HitBeats;
        }
        layout.lanes.append(std::move(lane));
    }
    return layout;
}

QString trackName(int trackNumber)
{
    if (trackNumber == 0)
        return QStringLiteral("Drum");
    if (trackNumber == 1)
        return QStringLiteral("Perc");
    if (trackNumber == 2)
        return QStringLiteral("Bass");
    return QStringLiteral("Acc%1").arg(trackNumber - 2);
}

QString elementTitle(StyleElement element)
{
    switch (element) {
    case StyleElement::Variation1: return Texts::tr("Variation 1");
    case StyleElement::Variation2: return Texts::tr("Variation 2");
    case StyleElement::Variation3: return Texts::tr("Variation 3");
    case StyleElement::Variation4: return Texts::tr("Variation 4");
    case StyleElement::Intro1: return Texts::tr("Intro 1");
    case StyleElement::Intro2: return Texts::tr("Intro 2");
    case StyleElement::Intro3: return Texts::tr("Intro 3");
    case StyleElement::Fill1: return Texts::tr("Fill 1");
    case StyleElement::Fill2: return Texts::tr("Fill 2");
    case StyleElement::Fill3: return Texts::tr("Fill 3");
    case StyleElement::Fill4: return Texts::tr("Fill 4");
    case StyleElement::Break: return Texts::tr("Break");
    case StyleElement::Ending1: return Texts::tr("Ending 1");
    case StyleElement::Ending2: return Texts::tr("Ending 2");
    case StyleElement::Ending3: return Texts::tr("Ending 3");
    }
    return {};
}

QString keyName(int key)
{
    static const char *const names[12]
        = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    return QLatin1String(names[key % 12]) + QString::number(key / 12 - 1);
}

QString patternSummary(StyleElement element, int variation, const PatternLayout &layout)
{
    QStringList lanes;
    for (const PatternLane &lane : layout.lanes)
        lanes << Texts::tr("%1 %Ln note(s)", "", int(lane.notes.size()))
                     .arg(trackName(lane.trackNumber));
    return Texts::tr("%1, chord variation %2: %3 of %4; %5", "element, number, bars, meter, lanes")
        .arg(elementTitle(element))
        .arg(variation)
        .arg(Texts::tr("%Ln bar(s)", "", layout.bars), layout.meter.text(),
            lanes.join(QStringLiteral(", ")));
}

QString noteText(const PatternNote &note, const PatternLayout &layout)
{
    const quint32 ticksPerBar = layout.ticksPerBeat * quint32(layout.meter.numerator);
    return Texts::tr("%1, velocity %2, %3:%4:%5, length %6")
        .arg(keyName(note.key))
        .arg(note.velocity)
        .arg(note.startTick / ticksPerBar + 1)
        .arg(note.startTick % ticksPerBar / layout.ticksPerBeat + 1)
        .arg(note.startTick % layout.ticksPerBeat)
        .arg(note.lengthTicks);
}
