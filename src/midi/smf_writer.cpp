#include "smf_writer.h"

#include <QtEndian>

#include <algorithm>
#include <string>

namespace {

// A track chunk's events: each with its delta time, a status byte only where it differs from
// the last (running status), which meta events cancel.
class TrackWriter {
public:
    void meta(quint32 tick, quint8 type, QByteArrayView data)
    {
        delta(tick);
        mBytes += char(0xFF);
        mBytes += char(type);
        mBytes += char(data.size());
        mBytes.append(data.data(), std::size_t(data.size()));
        mStatus = 0;
    }

    void channel(quint32 tick, quint8 status, std::initializer_list<int> data)
    {
        delta(tick);
        if (status != mStatus)
            mBytes += char(status);
        for (const int value : data)
            mBytes += char(value);
        mStatus = status;
    }

    [[nodiscard]] const std::string &bytes() const { return mBytes; }

private:
    // A variable-length quantity: seven bits a byte, most significant first.
    void delta(quint32 tick)
    {
        quint32 value = tick - mTick;
        mTick = tick;
        char bytes[5];
        std::size_t first = 4;
        bytes[first] = char(value & 0x7F);
        while (value >>= 7)
            bytes[--first] = char(0x80 | (value & 0x7F));
        mBytes.append(bytes + first, 5 - first);
    }

    std::string mBytes;  // grows a byte at a time, which QByteArray does slowly
    quint32 mTick = 0;
    quint8 mStatus = 0;
};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int value : values)
        out += char(value);
    return out;
}

void setUp(TrackWriter &track, int trackNumber, const TrackSetting &setting, bool rangeControls)
{
    const auto control = quint8(0xB0 | midiChannel(trackNumber));
    track.channel(0, control, {11, setting.expression});
    track.channel(0, control, {0, setting.bankMsb});
    track.channel(0, control, {32, setting.bankLsb});
    track.channel(0, quint8(0xC0 | midiChannel(trackNumber)), {setting.program});
    if (!rangeControls)
        return;
    track.channel(0, control, {114, setting.rangeBottom});
    track.channel(0, control, {115, setting.rangeTop});
    for (int i = 0; i < 4; ++i)
        track.channel(0, control, {116 + i, setting.extra[std::size_t(i)]});
}

}  // namespace

int midiChannel(int trackNumber)
{
    static constexpr int channels[StyleTrackCount] = {9, 10, 8, 11, 12, 13, 14, 15};
    return channels[trackNumber];
}

QByteArray standardMidiFile(
    const ElementMusic &element, const ChordVariation &variation, std::optional<int> tempo)
{
    TrackWriter track;
    if (tempo) {
        QByteArray microseconds(4, '\0');
        qToBigEndian(quint32(qRound(60'000'000.0 / *tempo)), microseconds.data());
        track.meta(0, 0x51, QByteArrayView(microseconds).sliced(1));
    }
    if (element.meter) {
        int power = 0;
        while ((1 << power) < element.meter->denominator)
            ++power;
        track.meta(0, 0x58, bytes({element.meter->numerator, power, 24, 8}));
    }
    for (int n = 0; n < StyleTrackCount; ++n)
        setUp(track, n, element.settings[std::size_t(n)], element.rangeControls);
    // Every track's events by tick; at one tick, the tracks in their map's order, each track's
    // events in their stored order.
    struct Placed {
        MusicEvent event;
        int channel;
    };
    QList<Placed> events;
    for (const PlayedTrack &played : variation.tracks) {
        for (const MusicEvent &event : played.events)
            events.append({event, midiChannel(played.trackNumber)});
    }
    std::stable_sort(events.begin(), events.end(),
        [](const Placed &a, const Placed &b) { return a.event.tick < b.event.tick; });
    for (const Placed &placed : std::as_const(events)) {
        const MusicEvent &event = placed.event;
        const auto status = quint8(event.status | placed.channel);
        if (event.status == 0xD0)
            track.channel(event.tick, status, {event.data1});
        else
            track.channel(event.tick, status, {event.data1, event.data2});
    }
    track.meta(variation.length, 0x2F, {});
    const std::string &chunk = track.bytes();
    QByteArray file = QByteArray::fromHex("4d546864000000060000000101804d54726b");
    file.reserve(file.size() + 4 + qsizetype(chunk.size()));
    char length[4];
    qToBigEndian(quint32(chunk.size()), length);
    return file.append(length, 4).append(chunk.data(), qsizetype(chunk.size()));
}
