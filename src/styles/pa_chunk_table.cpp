#include "pa_chunk_table.h"

#include "byte_reader.h"
#include "damaged_file.h"

namespace {

// A quotient rounded to the nearest integer, a tie going to the even neighbour.
int roundHalfEven(int numerator, int denominator)
{
    const int quotient = numerator / denominator;
    const int twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 == 1))
        return quotient + 1;
    return quotient;
}

// The offset of the last occurrence of marker in the tail, or -1.
qsizetype lastInTail(const QByteArray &bytes, const char *marker)
{
    const qsizetype tailStart = bytes.size() - PaTailLength;
    const qsizetype found = bytes.lastIndexOf(marker);
    return found >= tailStart ? found : -1;
}

// The instruments write the trailer as a chunk of its own, type 0xFE, whose 8-byte header stands
// just before "KBEG"; when it is there, the last style chunk ends where that header begins.
qint32 lastChunkEnd(const QByteArray &bytes, qsizetype kbeg, qsizetype kend)
{
    const qsizetype header = kbeg - 8;
    if (header >= 0 && quint8(bytes[header]) == 0xFE
        && ReadU32BE(bytes, kbeg - 4) == quint32(kend - kbeg + 8))
        return qint32(header);
    return qint32(kbeg);
}

} // namespace

PaChunkTable ReadPaChunkTable(const QByteArray &bytes)
{
    if (bytes.size() < PaTailLength)
        throw DamagedFile(QStringLiteral("the file is shorter than %1 bytes").arg(PaTailLength));
    if (bytes.size() > std::numeric_limits<qint32>::max())
        throw DamagedFile(QStringLiteral("the file is too large"));

    const qsizetype kbeg = lastInTail(bytes, "KBEG");
    const qsizetype kend = lastInTail(bytes, "KEND");
    if (kbeg < 0)
        throw DamagedFile(QStringLiteral("the marker \"KBEG\" is not in the last 320 bytes"));
    if (kend < 0)
        throw DamagedFile(QStringLiteral("the marker \"KEND\" is not in the last 320 bytes"));
    const qsizetype tableStart = kbeg + 8;
    if (kend < tableStart)
        throw DamagedFile(QStringLiteral("the marker \"KEND\" stands less than 8 bytes after \"KBEG\""));

    const int tableLength = int(kend - tableStart);
    const int n = roundHalfEven(tableLength, 4);
    if (n > PaMaxChunks)
        throw DamagedFile(QStringLiteral("the chunk table holds more than %1 entries").arg(PaMaxChunks));
    if (n > tableLength / 4)
        throw DamagedFile(QStringLiteral("the chunk table ends with an incomplete entry"));

    PaChunkTable table;
    table.end = lastChunkEnd(bytes, kbeg, kend);
    for (int c = 0; c < n; ++c) {
        const auto start = qint32(ReadU24BE(bytes, tableStart + 4 * c + 1));
        if (start < PaHeaderLength)
            throw DamagedFile(QStringLiteral("chunk %1 starts at offset %2, inside the file header")
                                  .arg(c + 1).arg(start));
        if (c > 0 && start <= table.starts.back())
            throw DamagedFile(QStringLiteral("chunk %1 starts at offset %2, not after chunk %3")
                                  .arg(c + 1).arg(start).arg(c));
        if (start > table.end)
            throw DamagedFile(QStringLiteral("chunk %1 starts at offset %2, beyond the last chunk's end (%3)")
                                  .arg(c + 1).arg(start).arg(table.end));
        table.starts.push_back(start);
    }
    return table;
}
