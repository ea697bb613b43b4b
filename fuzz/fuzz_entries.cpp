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

QByteArray fuzzBytesFor(FuzzFamily family, const QByteArray &input)
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

void loadFuzzInput(FuzzFamily family, const QByteArray &input)
{
    StyleFile file;
    file.name = QStringLiteral("FUZZ.STY");
    const QByteArray bytes = fuzzBytesFor(family, input);
    try {
        MemoryByteSource source(bytes);
        (void)readStyleFile(source, file);
    } catch (const DamagedFile &) {
        if (file.tag == "KORF")
            require(file.styles.isEmpty(), "a damaged Pa-series file lists nothing");
    }
    qint64 bytesInStyles = 0;
    for (const StyleEntry &style : file.styles) {
        require(style.content.size() == style.size, "a style's content has its size");
        require(style.supplementaryContent.size() == style.supplementarySize, "a supplement has its size");
        bytesInStyles += style.size + style.supplementarySize;
    }
    require(bytesInStyles <= bytes.size(), "styles never hold more bytes than the file");
    qint64 lines = 0;
    forEachReportLine(ReportForm::TextFile, reportSource(file, fileInfoCaptions(file)), [&](const ReportLine &) { ++lines; });
    require(lines >= 9 + file.styles.size(), "the report has a row for every style");
}
