#include "music_export.h"

#include "platform/file_error.h"
#include "platform/file_name.h"
#include "smf_writer.h"
#include "styles/style_details.h"

namespace {

// A name as a file system takes it, every byte kept readable: the CSV's escaping, and a "/"
// written "\x2f"; trailing blanks go, which some file systems do not keep.
QString fileSystemName(const QString &name)
{
    qsizetype end = name.size();
    while (end > 0 && name[end - 1] == QLatin1Char(' '))
        --end;
    return escapedText(name.left(end)).replace(QLatin1Char('/'), QLatin1String("\\x2f"));
}

// A style's chord variations that hold music, each to its file; the damaged ones are problems.
void exportStyle(const StyleFile &file, const StyleEntry &style, const StyleReading &reading,
    const FileService &files, const MusicExportOptions &options, MusicExport &done)
{
    const QString folderPath = joinPath(options.folder, styleMusicFolder(file, style));
    std::unique_ptr<OutputFolder> folder;
    for (const ElementMusic &element : reading.music->elements) {
        for (const ChordVariation &variation : element.variations) {
            if (variation.problem != MusicProblem::None) {
                done.problems.append({Problem::Kind::DamagedMusic, file.path,
                    musicProblemMessage(
                        variation.problem, style.number, element.element, variation.number)});
                continue;
            }
            if (!variation.holdsMusic())
                continue;
            const QString name = elementName(element.element) + QLatin1String("-CV")
                + QString::number(variation.number) + QLatin1String(".MID");
            try {
                if (!folder)
                    folder = files.createFolder(folderPath);
                folder->write(name, standardMidiFile(element, variation, reading.details.tempo),
                    options.replace);
                done.written << folder->filePath(name);
            } catch (const FileError &error) {
                done.problems.append(error.writeProblem());
                if (!folder)
                    return;
            }
        }
    }
}

}  // namespace

QString styleMusicFolder(const StyleFile &file, const StyleEntry &style)
{
    return fileSystemName(file.name()) + QLatin1Char('/')
        + QString::number(style.number).rightJustified(2, QLatin1Char('0')) + QLatin1Char(' ')
        + fileSystemName(style.nameText());
}

MusicExport exportStyleMusic(const StyleFile &file, const FileService &files,
    const MusicExportOptions &options, const StopFlag *stop)
{
    MusicExport done;
    const FileStyleMusic read = readStyleMusic(file, files, stop);
    if (read.problem) {
        done.problems.append(*read.problem);
        return done;
    }
    for (qsizetype i = 0; i < file.styles.size() && !stopAsked(stop); ++i) {
        const StyleEntry &style = file.styles[i];
        if (!options.styles.isEmpty() && !options.styles.contains(style.number))
            continue;
        const StyleReading &reading = read.styles[i];
        if (reading.details.integrity == Integrity::Damaged)
            done.problems.append({Problem::Kind::DamagedStyle, file.path,
                damageMessage(reading.details, style.number)});
        else if (!reading.music)
            done.notKnown.append(
                {Problem::Kind::MusicNotKnown, file.path, QString::number(style.number)});
        else
            exportStyle(file, style, reading, files, options, done);
    }
    return done;
}
