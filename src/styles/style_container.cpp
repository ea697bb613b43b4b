#include "style_container.h"

#include "byte_reader.h"

namespace {

constexpr int InfoType = 1;

std::optional<quint16> maskOf(const PaChunk &info)
{
    try {
        const QByteArray payload = info.payload.toByteArray();
        ByteReader reader(payload, 0, payload.size());
        reader.skip(quint8(reader.bytes(1)[0]) + 3);  // the name after its length, 3 bytes
        quint16 mask = reader.u2be();                 // the enabled elements
        reader.skip(11);
        if (info.minor() >= 3)
            mask = reader.u2be();  // those with data
        return mask;
    } catch (const DamagedFile &) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<StyleContainer> styleContainerIn(QByteArrayView contents)
{
    const std::optional<PaChunk> chunk = paChunkAt(contents);
    if (!chunk || chunk->type() != InfoType || !chunk->holdsChunks())
        return std::nullopt;
    const std::optional<PaChunk> info = firstPaChunk(
        chunk->payload, [](const PaChunk &c) { return c.type() == InfoType && c.isData(); });
    if (!info)
        return std::nullopt;
    return StyleContainer {*chunk, *info, maskOf(*info)};
}

std::optional<Meter> elementMeter(const PaChunk &elementInfo)
{
    if (elementInfo.major() < 1 || elementInfo.payload.size() < 2)
        return std::nullopt;
    const auto byte = quint8(elementInfo.payload[1]);
    const Meter meter {byte >> 3, 1 << (byte & 7)};
    const bool offered = meter.numerator >= 1 && meter.numerator <= 16
        && (meter.denominator == 4 || meter.denominator == 8 || meter.denominator == 16);
    return offered ? std::optional<Meter>(meter) : std::nullopt;
}
