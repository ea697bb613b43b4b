#include "fuzz_entries.h"

#include "library/style_csv.h"
#include "midi/smf_writer.h"
#include "platform/file_name.h"
#include "reports/file_info_captions.h"
#include "reports/json_description.h"
#include "styles/oc31.h"
#include "styles/style_details.h"
#include "reports/report_lines.h"
#include "styles/style_walk.h"

#include <QJsonDocument>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "load invariant broken: %s\n", what);
        std::abort();
    }
}

// The chunk starts as the trailer's table gives them, read here apart from the walker: all four
// bytes of each entry, big-endian.
std::vector<qint64> tableOffsets(const QByteArray &bytes)
{
    const QByteArray tail = bytes.right(320);
    const qsizetype kend = tail.lastIndexOf("KEND");
    std::vector<qint64> offsets;
    for (qsizetype at = tail.lastIndexOf("KBEG") + 8; at + 4 <= kend; at += 4)
        offsets.push_back(qFromBigEndian<quint32>(tail.constData() + at));
    return offsets;
}

// A chunk of `size` bytes at `offset` is the table's entry there, and ends where the next entry
// begins.
bool matchesTable(const std::vector<qint64> &offsets, qint64 offset, qint64 size)
{
    for (std::size_t j = 0; j < offsets.size(); ++j) {
        if (offsets[j] == offset && (j + 1 == offsets.size() || offsets[j + 1] - offset == size))
            return true;
    }
    return false;
}

// The cells of one CSV line as RFC 4180 reads it; none when the line breaks its rules.
QByteArrayList csvCells(const QByteArray &line)
{
    if (!line.endsWith("\r\n"))
        return {};
    QByteArrayList cells {{}};
    bool quoted = false;
    for (qsizetype i = 0; i + 2 < line.size(); ++i) {
        const char c = line[i];
        if (c == '\r' || c == '\n')
            return {};  // a line end inside a row, quoted or not: no byte may reach it raw
        if (c == '"' && quoted && line[i + 1] == '"')
            cells.last() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            cells.append(QByteArray());
        else
            cells.last() += c;
    }
    return quoted ? QByteArrayList() : cells;
}

// What scripts read: every CSV row parses back to its 10 cells, none a formula; the JSON
// document parses and holds no raw control character.
void checkScriptOutputs(const StyleFile &file)
{
    for (const StyleEntry &style : file.styles) {
        const QByteArrayList cells = csvCells(csvLine(file.path, file, style));
        require(cells.size() == 10, "a CSV row has its 10 cells");
        for (const QByteArray &cell : cells)
            require(cell.isEmpty() || !QByteArrayView("=+-@").contains(cell[0]), "no CSV formula");
    }
    LoadResult result;
    result.file = file;
    const QByteArray json
        = "[\n" + jsonArrayElement(describeStyleFile(file.path, result)) + "\n]\n";
    QJsonParseError error {};
    require(!QJsonDocument::fromJson(json, &error).isNull(), "the JSON document parses");
    for (qsizetype i = 0; i < json.size(); ++i) {
        const auto byte = quint8(json[i]);
        require(byte == '\n'
                || (byte >= 0x20 && byte != 0x7F
                    && !(byte == 0xC2 && quint8(json.at(i + 1)) < 0xA0)),
            "no raw control character in the JSON");
    }
}

// A file named by the input, with the styles it names, in the format it picks, through every
// writer: the text report has a row for each style, and the CSV and the JSON read back.
void writeFuzzInput(const QByteArray &input)
{
    QByteArrayView rest(input);
    const auto take = [&](qsizetype length) {
        const QByteArrayView taken = rest.first(qMin(length, rest.size()));
        rest = rest.sliced(taken.size());
        return taken.toByteArray();
    };
    const QByteArray first = take(1);
    const int pick = first.isEmpty() ? 0 : quint8(first[0]);
    StyleFile file;
    for (int k = 0; k < pick >> 3 && !rest.isEmpty(); ++k) {
        StyleEntry style;
        style.number = k + 1;
        style.name = take(quint8(take(1).at(0)));
        style.ghost = k % 3 == 2;
        file.styles.append(style);
    }
    file.path = decodeFileName(rest.toByteArray()) + QStringLiteral(".STY");
    const KnownFormat &format = KnownFormats[std::size_t(pick & 7) % std::size(KnownFormats)];
    file.header = {QByteArray(format.tag), &format, false};
    qint64 lines = 0;
    forEachReportLine(
        ReportForm::TextFile, reportSource(file), [&](const ReportLine &) { ++lines; });
    require(lines >= 9 + file.styles.size(), "the report has a row for every style");
    checkScriptOutputs(file);
}

// The music decoder on the input, and every chord variation it reads written as a MIDI file: one
// track whose length is right, each event within the chord variation.
void writeFuzzMusic(const QByteArray &input)
{
    const std::optional<StyleMusic> music = decodeStyleMusic(input);
    for (const ElementMusic &element : music ? music->elements : QList<ElementMusic>()) {
        for (const ChordVariation &variation : element.variations) {
            require(variation.problem != MusicProblem::None || variation.tracks.size() <= 255,
                "no more tracks than a map has entries");
            for (const PlayedTrack &track : variation.tracks) {
                require(track.trackNumber >= 0 && track.trackNumber < StyleTrackCount,
                    "a track number of the eight");
                for (const MusicEvent &event : track.events)
                    require(
                        event.tick <= variation.length && event.data1 < 0x80 && event.data2 < 0x80,
                        "events within their chord variation, with 7-bit data");
            }
            if (variation.problem != MusicProblem::None)
                continue;
            const QByteArray file = standardMidiFile(element, variation, 120);
            require(file.startsWith("MThd")
                    && qFromBigEndian<quint32>(file.constData() + 18) == quint32(file.size() - 22),
                "one track of the length it declares");
        }
    }
}

// The decompressor on the whole input, and the details reader on the two chunks it holds.
void readFuzzDetails(const QByteArray &input)
{
    QByteArray out;
    const Oc31Problem problem = decompressOc31(input, out);
    require(out.size() <= 16 * 1024 * 1024 && out.size() <= 256 * input.size(),
        "the decompressor makes no more than it may");
    require(problem != Oc31Problem::None
            || out.size() == qFromLittleEndian<quint32>(input.constData() + 4),
        "a whole payload makes its declared length");
    const qsizetype split = input.size() < 2 ? 0 : quint8(input[0]) << 8 | quint8(input[1]);
    const QByteArrayView chunks = QByteArrayView(input).sliced(qMin<qsizetype>(2, input.size()));
    const StyleDetails details = readStyle(
        chunks.first(qMin(split, chunks.size())), chunks.sliced(qMin(split, chunks.size())))
                                     .details;
    require(!details.meter || (details.meter->numerator >= 1 && details.meter->numerator <= 16),
        "a meter the instruments offer");
    require(!details.tempo || (*details.tempo >= 30 && *details.tempo <= 250),
        "a tempo the instruments offer");
    require(details.integrity != Integrity::Damaged || !damageMessage(details, 1).isEmpty(),
        "damage has a message");
}

}  // namespace

QList<QByteArray> iSeriesTags()
{
    QList<QByteArray> tags;
    for (const KnownFormat &format : KnownFormats) {
        if (format.series == StyleSeries::I)
            tags << format.tag;
    }
    return tags;
}

QByteArray fuzzBytesFor(FuzzFamily family, const QByteArray &input)
{
    switch (family) {
    case FuzzFamily::Any:
    case FuzzFamily::Details:
    case FuzzFamily::Writers:
    case FuzzFamily::Music: return input;
    case FuzzFamily::PaSeries: {
        const KnownFormat &pa = KnownFormats[0];
        const qsizetype end = pa.tagOffset + qsizetype(qstrlen(pa.tag));
        QByteArray bytes = input;
        if (bytes.size() < end)
            bytes.append(QByteArray(end - bytes.size(), '\0'));
        return bytes.replace(pa.tagOffset, end - pa.tagOffset, pa.tag);
    }
    case FuzzFamily::ISeries: {
        static const QList<QByteArray> tags = iSeriesTags();
        return tags[input.isEmpty() ? 0 : quint8(input[0]) % tags.size()] + input.mid(1);
    }
    }
    return input;
}

QByteArray writersFuzzInput(const QByteArray &fileName, const QByteArrayList &names)
{
    QByteArray input(1, char(names.size() << 3));
    for (const QByteArray &name : names)
        input += char(name.size()) + name;
    return input + fileName;
}

QByteArray detailsFuzzInput(const QByteArray &styleChunk, const QByteArray &performanceChunk)
{
    return QByteArray(1, char(styleChunk.size() >> 8)) + char(styleChunk.size() & 0xFF) + styleChunk
        + performanceChunk;
}

void loadFuzzInput(FuzzFamily family, const QByteArray &input)
{
    if (family == FuzzFamily::Details)
        return readFuzzDetails(input);
    if (family == FuzzFamily::Writers)
        return writeFuzzInput(input);
    if (family == FuzzFamily::Music)
        return writeFuzzMusic(input);
    StyleFile file;
    // A name from the input's first bytes, so that the writers meet every byte in names too.
    file.path = decodeFileName(input.left(12).replace('/', '_').replace('\0', '_')) + ".STY";
    const QByteArray bytes = fuzzBytesFor(family, input);
    MemoryByteSource source(bytes);
    StyleWalk walk = walkStyles(source);
    file.header = walk.header;
    const bool paSeries = file.header.format && file.header.format->series == StyleSeries::Pa;
    require(walk.damage.isNull() || !paSeries || walk.styles.isEmpty(),
        "a damaged Pa-series file lists nothing");
    file.styles = std::move(walk.styles);
    const std::vector<qint64> offsets = paSeries ? tableOffsets(bytes) : std::vector<qint64>();
    qint64 bytesInStyles = 0;
    for (const StyleEntry &style : file.styles) {
        if (paSeries) {
            const auto entry = std::size_t(style.slot - 1);
            require(entry < offsets.size() && offsets[entry] == style.offset,
                "a style starts where its table entry says");
            require(entry + 1 == offsets.size() || offsets[entry + 1] - style.offset == style.size,
                "a style's size is the distance to the next entry");
            require(style.supplementarySize == 0
                    || matchesTable(offsets, style.supplementaryOffset, style.supplementarySize),
                "a supplement's size is the distance to the next entry");
        }
        require(style.offset + style.size <= bytes.size()
                && style.supplementaryOffset + style.supplementarySize <= bytes.size(),
            "a style lies inside the file");
        bytesInStyles += style.size + style.supplementarySize;
    }
    require(bytesInStyles <= bytes.size(), "styles never hold more bytes than the file");
}
