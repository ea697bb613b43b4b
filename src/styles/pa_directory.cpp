#include "pa_directory.h"

#include "byte_reader.h"
#include "pa_chunk_table.h"

#include <QByteArrayView>
#include <QString>

namespace {

constexpr int RecordLength = 24;
constexpr int NameLength = 11;
constexpr int KindOffset = 18;

// A record beyond the end of the directory is short or empty.
PaDirectoryRecord olderRecord(QByteArrayView directory, int r)
{
    const qsizetype start = qMin(qsizetype(r) * RecordLength, directory.size());
    const QByteArrayView record
        = directory.sliced(start, qMin(qsizetype(RecordLength), directory.size() - start));
    PaDirectoryRecord result;
    result.isStyle = record.size() <= KindOffset || quint8(record[KindOffset]) != PaPerformanceKind;
    if (!result.isStyle)
        return result;  // a performance record's name is not shown
    // NULs go; only blanks are trimmed: other control characters are part of the stored name.
    char name[NameLength];
    qsizetype length = 0;
    for (const char c : record.first(qMin(qsizetype(NameLength), record.size()))) {
        if (c != '\0')
            name[length++] = c;
    }
    qsizetype first = 0;
    while (first < length && name[first] == ' ')
        ++first;
    while (length > first && name[length - 1] == ' ')
        --length;
    result.name = QByteArray(name + first, length - first);
    return result;
}

// Property types of the newer layout.
constexpr quint16 IdentityProperty = 0;  // kind, bank, slot
constexpr quint16 NameProperty = 2;      // UTF-8, up to the first NUL
constexpr int ChecksumLength = 4;

// One newer-layout record: its bytes stand at `base` in the directory.
PaDirectoryRecord newerRecord(const QByteArray &bytes, qsizetype base, int r)
{
    ByteReader record(bytes, 0, bytes.size(), base);
    record.setPastEnd([r](qsizetype end) {
        return DamagedFile::tr("directory record %1's property count runs past the end of the "
                               "directory record %1 (offset %2)")
            .arg(r)
            .arg(end);
    });
    const quint16 properties = record.u2be();

    PaDirectoryRecord result;
    for (quint16 p = 1; p <= properties; ++p) {
        record.setPastEnd([p, r](qsizetype end) {
            return DamagedFile::tr("property %1 of directory record %2 runs past the end of the "
                                   "directory record %2 (offset %3)")
                .arg(p)
                .arg(r)
                .arg(end);
        });
        const quint16 type = record.u2be();
        const quint16 size = record.u2be();
        const QByteArray value = record.bytes(size);
        if (type == IdentityProperty) {
            if (value.size() < 3)
                throw DamagedFile(
                    DamagedFile::tr("property %1 of directory record %2 is shorter than 3 bytes")
                        .arg(p)
                        .arg(r));
            result.isStyle = quint8(value[0]) != PaPerformanceKind;
        } else if (type == NameProperty) {
            result.name = value.left(value.indexOf('\0') < 0 ? value.size() : value.indexOf('\0'));
            // A name that is not UTF-8 after all is taken as 8-bit, every byte kept.
            result.utf8Name = QByteArrayView(result.name).isValidUtf8();
        }
    }
    record.setPastEnd([r](qsizetype end) {
        return DamagedFile::tr("directory record %1's checksum runs past the end of the "
                               "directory record %1 (offset %2)")
            .arg(r)
            .arg(end);
    });
    record.skip(ChecksumLength);
    return result;
}

// Reads the newer layout record by record: each starts with its length.
std::vector<PaDirectoryRecord> newerRecords(ByteSource &source, qint64 length, int count)
{
    std::vector<PaDirectoryRecord> records;
    qint64 at = 0;  // in the directory
    for (int r = 1; r <= count; ++r) {
        if (at >= length)
            throw DamagedFile(DamagedFile::tr("the directory holds %1 for %2", "records, chunks")
                                  .arg(DamagedFile::tr("%n record(s)", "", r - 1),
                                      DamagedFile::tr("%n chunk(s)", "", count)));
        const auto pastEnd = [&] {
            return DamagedFile(DamagedFile::tr(
                "directory record %1 runs past the end of the directory (offset %2)")
                                   .arg(r)
                                   .arg(length));
        };
        if (length - at < 2)
            throw pastEnd();
        const qint64 recordLength = readU16BE(source.read(PaHeaderLength + at, 2), 0);
        if (length - at - 2 < recordLength)
            throw pastEnd();
        records.push_back(
            newerRecord(source.read(PaHeaderLength + at + 2, recordLength), at + 2, r));
        at += 2 + recordLength;
    }
    return records;
}

}  // namespace

std::vector<PaDirectoryRecord> readPaDirectory(
    ByteSource &source, qint64 end, int count, bool newerLayout)
{
    const qint64 length = end - PaHeaderLength;
    if (newerLayout)
        return newerRecords(source, length, count);
    const QByteArray bytes
        = source.read(PaHeaderLength, qMin(length, qint64(count) * RecordLength));
    std::vector<PaDirectoryRecord> records(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r)
        records[std::size_t(r)] = olderRecord(bytes, r);
    return records;
}
