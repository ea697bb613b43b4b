#include "pa_chunk_table.h"

#include "byte_reader.h"
#include "damaged_file.h"

#include <limits>

namespace {

// The trailer chunk's 8-byte header may stand just before "KBEG", so the tail read reaches
// that much further back than the 320 bytes searched for the markers.
constexpr int TrailerHeaderLength = 8;

// A quotient rounded to the nearest integer, a tie going to the even neighbour.
int roundHalfEven(int numerator, int denominator)
{
    const int quotient = numerator / denominator;
    const int twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 == 1))
        return quotient + 1;
    return quotient;
}

// The index of the last occurrence of marker in the searched part of the tail, or -1.
qsizetype lastInTail(const QByteArray &tail, qsizetype searchFrom, const char *marker)
{
    const qsizetype found = tail.lastIndexOf(marker);
    return found >= searchFrom ? found : -1;
}

// The instruments write the trailer as a chunk of its own, type 0xFE, whose 8-byte header stands
// just before "KBEG"; when it is there, the last style chunk ends where that header begins.
qsizetype lastChunkEndInTail(const QByteArray &tail, qsizetype kbeg, qsizetype kend)
{
    const qsizetype header = kbeg - TrailerHeaderLength;
    if (header >= 0 && quint8(tail[header]) == 0xFE
        && readU32BE(tail, kbeg - 4) == quint32(kend - kbeg + 8))
        return header;
    return kbeg;
}

}  // namespace

PaChunkTable readPaChunkTable(ByteSource &file)
{
    if (file.size() < PaTailLength)
        throw DamagedFile(DamagedFile::tr("the file is shorter than %1 bytes").arg(PaTailLength));
    if (file.size() > std::numeric_limits<qint32>::max())
        throw DamagedFile(DamagedFile::tr("the file is too large"));

    const qint64 tailOffset = qMax<qint64>(0, file.size() - PaTailLength - TrailerHeaderLength);
    const QByteArray tail = file.read(tailOffset, file.size() - tailOffset);
    const qsizetype searchFrom = tail.size() - PaTailLength;
    const qsizetype kbeg = lastInTail(tail, searchFrom, "KBEG");
    const qsizetype kend = lastInTail(tail, searchFrom, "KEND");
    if (kbeg < 0)
        throw DamagedFile(DamagedFile::tr("the marker \"KBEG\" is not in the last 320 bytes"));
    if (kend < 0)
        throw DamagedFile(DamagedFile::tr("the marker \"KEND\" is not in the last 320 bytes"));
    const qsizetype tableStart = kbeg + 8;
    if (kend < tableStart)
        throw DamagedFile(
            DamagedFile::tr("the marker \"KEND\" stands less than 8 bytes after \"KBEG\""));

    const int tableLength = int(kend - tableStart);
    const int n = roundHalfEven(tableLength, 4);
    if (n > PaMaxChunks)
        throw DamagedFile(
            DamagedFile::tr("the chunk table holds more than %1 entries").arg(PaMaxChunks));
    if (n > tableLength / 4)
        throw DamagedFile(DamagedFile::tr("the chunk table ends with an incomplete entry"));

    PaChunkTable table;
    table.end = qint32(tailOffset + lastChunkEndInTail(tail, kbeg, kend));
    for (int c = 0; c < n; ++c) {
        const qint64 start = readU32BE(tail, tableStart + 4 * c);
        if (start < PaHeaderLength)
            throw DamagedFile(
                DamagedFile::tr("chunk %1 starts at offset %2, inside the file header")
                    .arg(c + 1)
                    .arg(start));
        // Equal starts are a chunk of length 0: a style without data, wherever it stands.
        if (c > 0 && start < table.starts.back())
            throw DamagedFile(DamagedFile::tr("chunk %1 starts at offset %2, before chunk %3")
                                  .arg(c + 1)
                                  .arg(start)
                                  .arg(c));
        if (start > table.end)
            throw DamagedFile(
                DamagedFile::tr("chunk %1 starts at offset %2, beyond the last chunk's end (%3)")
                    .arg(c + 1)
                    .arg(start)
                    .arg(table.end));
        table.starts.push_back(qint32(start));
    }
    return table;
}
