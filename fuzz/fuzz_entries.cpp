#include "fuzz_entries.h"

#include "reports/file_info_captions.h"
#include "reports/report_lines.h"
#include "styles/damaged_file.h"
#include "styles/read_style_file.h"

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

} // namespace

QByteArray FuzzBytesFor(FuzzFamily family, const QByteArray &input)
{
    switch (family) {
    case FuzzFamily::Any:
        return input;
    case FuzzFamily::PaSeries: {
        QByteArray bytes = input;
        if (bytes.size() < 27)
            bytes.append(QByteArray(27 - bytes.size(), '\0'));
        bytes.replace(23, 4, "KORF");
        return bytes;
    }
    case FuzzFamily::ISeries: {
        static const char *const tags[] = {"KORG9", "KORG<", "KORGM", "KORGI"};
        const int which = input.isEmpty() ? 0 : quint8(input[0]) % 4;
        return QByteArray(tags[which]) + input.mid(1);
    }
    }
    return input;
}

void LoadFuzzInput(FuzzFamily family, const QByteArray &input)
{
    CurrentFile file;
    file.StyleList = std::make_unique<Pa80Styles>();
    file.FileName = QStringLiteral("FUZZ.STY");
    const QByteArray bytes = FuzzBytesFor(family, input);
    try {
        MemoryByteSource source(bytes);
        (void)ReadStyleFile(source, file);
    } catch (const DamagedFile &) {
        if (file.FormatTag == "KORF")
            require(file.StyleList->Count() == 0 && file.UsableCount == 0, "a damaged Pa-series file lists nothing");
    }
    const qint32 total = qint32(file.UsableCount) + file.GhostCount;
    require(file.UsableCount >= 0 && file.GhostCount >= 0, "counters are not negative");
    require(file.StyleList->Count() >= total, "the list holds every counted style");
    const QVector<ShownRow> rows = ShownRows(file);
    require(rows.size() == total, "the rows are exactly the counted styles");
    qint64 bytesInStyles = 0;
    for (const ShownRow &row : rows) {
        require(row.style->StyleContent().size() == row.style->StyleSize(), "a style's content has its size");
        require(row.style->StyleContentSupp().size() == row.style->StyleSizeSupp(), "a supplement has its size");
        bytesInStyles += row.style->StyleSize() + row.style->StyleSizeSupp();
    }
    require(bytesInStyles <= bytes.size(), "styles never hold more bytes than the file");
    qint64 lines = 0;
    ForEachReportLine(ReportForm::TextFile, ReportSourceFor(file, FileInfoCaptionsFor(file)),
                      [&](const ReportLine &) { ++lines; });
    require(lines >= 9 + total, "the report has a row for every style");
}
