#include "music_export.h"

#include "platform/file_error.h"
#include "platform/file_name.h"
#include "smf_writer.h"
#include "styles/style_details.h"

#include <QCoreApplication>

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(MusicExport)
};

// A name as a file system takes it, every byte kept readable: the CSV's escaping, and a "/"
// written "\x2f"; trailing blanks go, which some file systems do not keep.
QString fileSystemName(const QString &name)
{
    qsizetype end = name.size();
    while (end > 0 && name[end - 1] == QLatin1Char(' '))
        --end;
    return escapedText(name.left(end)).replace(QLatin1Char('/'), QLatin1String("\\x2f"));
}

// Below the folder; below the current one when there is none.
QString joinPath(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

void writeFile(const QString &path, const QByteArray &bytes, const FileService &files, bool replace,
    MusicExport &done)
{
    try {
        if (!replace && files.exists(path))
            throw FileError(path, Texts::tr("the file is already there"));
        const auto writer = files.createTextFile(path);
        writer->write(bytes);
        writer->commit();
        done.written << path;
    } catch (const FileError &error) {
        done.problems.append(error.writeProblem());
    }
}

// A style's chord variations that hold music, each to its file; the damaged ones are problems.
void exportStyle(const StyleFile &file, const StyleEntry &style, const StyleReading &reading,
    const FileService &files, const MusicExportOptions &options, MusicExport &done)
{
    const QString folder = joinPath(options.folder, styleMusicFolder(file, style));
    bool folderMade = false;
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
            try {
                if (!folderMade)
                    files.createFolders(folder);
                folderMade = true;
            } catch (const FileError &error) {
                done.problems.append(error.writeProblem());
                return;
            }
            const QString name = QStringLiteral("%1-CV%2.MID")
                                     .arg(elementName(element.element))
                                     .arg(variation.number);
            writeFile(joinPath(folder, name),
                standardMidiFile(element, variation, reading.details.tempo), files, options.replace,
                done);
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
