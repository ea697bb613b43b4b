// Writes the demo style files that come with Quarv, made with the same builder as the tests:
// make_demo_styles <folder>.
#include "pa_style_chunks.h"
#include "pa_style_music.h"
#include "style_file_builder.h"

#include <QDir>
#include <QFile>

namespace {

bool write(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray paDemo()
{
    const char *const names[] = {"8Beat Pop", "Unplugged", "Swing Jazz", "Bossa Nova",
        "Disco Fever", "Country", "Rock Ballad", "Reggae", "Latin Pop", "Waltz", "Polka", "Tango",
        "Funk", "Gospel", "Blues Shfl", "Dance Pop", "Cha Cha", "Rumba", "Samba", "Twist"};
    PaFileBuilder builder;
    int k = 0;
    for (const char *name : names) {
        builder.style(name, 14000 + 997 * k).performance(3000 + 131 * k);
        ++k;
    }
    return builder.trailerChunkHeader().bytes();
}

// A bank of the newer Pa-series, whose styles keep their meter, tempo and music.
QByteArray pa700Demo()
{
    const struct {
        const char *name;
        int numerator, denominator, tempo;
        TempoLayout layout;
    } styles[] = {{"Slow Waltz", 3, 4, 84, TempoLayout::Version21},
        {"Jazz Waltz", 3, 4, 132, TempoLayout::Version21},
        {"Irish Jig", 6, 8, 112, TempoLayout::Version20},
        {"Pop Ballad", 4, 4, 70, TempoLayout::Version21},
        {"March", 2, 4, 120, TempoLayout::Version10},
        {"Shuffle", 12, 8, 96, TempoLayout::Version20}};
    PaFileBuilder builder;
    builder.newerDirectory();
    int seed = 0;
    for (const auto &style : styles)
        builder.record(style.name, 2, grooveStyleChunk(style.numerator, style.denominator, seed++));
    for (const auto &style : styles)
        builder.record({}, 7, paPerformanceChunk(style.layout, style.tempo));
    return builder.trailerChunkHeader().bytes();
}

QByteArray iS40Demo()
{
    ISeriesFileBuilder builder("KORGM");
    for (int k = 1; k <= 40; ++k) {
        const bool ghost = k % 7 == 0;
        const QByteArray name
            = QByteArray("Style ") + QByteArray::number(k).rightJustified(2, '0') + "   ";
        builder.slot(k % 13 == 0 ? 0 : ghost ? 640 + k : 4000 + 211 * k, name);
    }
    return builder.build();
}

QByteArray i3Demo()
{
    return ISeriesFileBuilder("KORG9")
        .slot(5200, "Pop Ballad", "Pop Ballad")
        .slot(0, {}, "Empty     ")
        .slot(900, "Old Disco ", "Old Disco ")
        .slot(6100, "Swing     ", "Swing     ")
        .build();
}

}  // namespace

int main(int argc, char **argv)
{
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;
    const bool ok = write(dir, QStringLiteral("PA80DEMO.STY"), paDemo())
        && write(dir, QStringLiteral("PA700DEMO.STY"), pa700Demo())
        && write(dir, QStringLiteral("IS40DEMO.STY"), iS40Demo())
        && write(dir, QStringLiteral("I3DEMO.STY"), i3Demo());
    return ok ? 0 : 1;
}
