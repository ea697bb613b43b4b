#include "midi_command.h"

#include "command_output.h"
#include "library/style_folder.h"
#include "midi/music_export.h"
#include "platform/file_name.h"
#include "quarv_version.h"
#include "reports/terminal_text.h"
#include "styles/style_loader.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentMap>

namespace {

// What one bank adds to the output: made on a worker thread, written in order.
struct BankOutput {
    QByteArray written;
    QByteArray messages;
    bool problem = false;
};

class MidiCommand {
    Q_DECLARE_TR_FUNCTIONS(MidiCommand)

public:
    MidiCommand(std::FILE *out, std::FILE *err, const FileService &files)
        : mOutput("quarv-midi", out, err), mFiles(files)
    {
    }

    int run(const QStringList &arguments);

private:
    int usageError(const QString &problem, const QCommandLineParser &parser);
    [[nodiscard]] BankOutput exportBank(const NamedStyleFile &item) const;

    CommandOutput mOutput;
    const FileService &mFiles;
    MusicExportOptions mOptions;
};

int MidiCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Writes the music of each style of each style file (.STY) as Standard MIDI Files, one "
           "for each chord\nvariation that holds music, the way the instrument exports them: "
           "DIR/<bank file name>/<NN> <style\nname>/V1-CV1.MID and so on. A FOLDER stands for "
           "every .STY file below it. Each file written is\none line on standard output; each "
           "problem, and each style whose music is not known, one line on\nstandard error. "
           "Exit status: 0 when no file raised a problem, 1 when one did, 2 for a usage error."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
        tr("Write below DIR (by default, the current folder)."), tr("DIR"));
    const QCommandLineOption style(QStringLiteral("style"),
        tr("Only the style of number N of each file; may be given more than once."), tr("N"));
    const QCommandLineOption force(
        QStringLiteral("force"), tr("Replace files that are already there."));
    parser.addOptions({output, style, force});
    parser.addPositionalArgument(QStringLiteral("FILE"),
        tr("Style files or folders; after --, names that start with a dash."), tr("FILE..."));
    if (!parser.parse(QStringList {QStringLiteral("quarv-midi")} + arguments))
        return usageError(parser.errorText(), parser);
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        mOutput.write(parser.helpText().toUtf8());
        return mOutput.finish(0);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        mOutput.write("quarv-midi " QUARV_VERSION "\n");
        return mOutput.finish(0);
    }
    for (const QString &number : parser.values(style)) {
        bool isNumber = false;
        const int n = number.toInt(&isNumber);
        if (!isNumber || n < 1)
            return usageError(tr("--style needs a style's number, not \"%1\"").arg(number), parser);
        mOptions.styles << n;
    }
    const QStringList names = parser.positionalArguments();
    if (names.isEmpty())
        return usageError(tr("no FILE given"), parser);
    if (names.contains(QString()) || parser.value(output).isNull() != !parser.isSet(output))
        return usageError(tr("empty file name"), parser);
    if (names.contains(QStringLiteral("-")))
        return usageError(tr("standard input is not read: name the style files"), parser);
    mOptions.folder = parser.value(output);
    mOptions.replace = parser.isSet(force);

    const QList<NamedStyleFile> items = styleFilesNamedBy(names, mFiles);
    bool anyProblem = false;
    // Banks are exported side by side, a batch at a time, and their lines written in order.
    constexpr qsizetype Batch = 64;
    const auto bank = [this](const NamedStyleFile &item) { return exportBank(item); };
    for (qsizetype first = 0; first < items.size() && !mOutput.outputFailed(); first += Batch) {
        const QList<BankOutput> done = QtConcurrent::blockingMapped(items.mid(first, Batch), bank);
        for (const BankOutput &output : done) {
            mOutput.writeMessages(output.messages);
            mOutput.write(output.written);
            anyProblem = anyProblem || output.problem;
        }
    }
    return mOutput.finish(anyProblem ? 1 : 0);
}

int MidiCommand::usageError(const QString &problem, const QCommandLineParser &parser)
{
    mOutput.message(QString(), problem);
    mOutput.writeMessages(parser.helpText().toUtf8());
    return 2;
}

BankOutput MidiCommand::exportBank(const NamedStyleFile &item) const
{
    BankOutput output;
    const auto say = [&](const Problem &problem) {
        output.messages += mOutput.messageLine(item.path, problem.text());
    };
    const LoadResult loaded
        = item.problem ? LoadResult {std::nullopt, item.problem} : loadStyleFile(item.path, mFiles);
    if (loaded.problem) {
        say(*loaded.problem);
        output.problem = true;
    }
    if (!loaded.file)
        return output;
    const MusicExport done = exportStyleMusic(*loaded.file, mFiles, mOptions);
    for (const Problem &problem : done.problems)
        say(problem);
    for (const Problem &problem : done.notKnown)
        say(problem);
    output.problem = output.problem || !done.problems.isEmpty();
    for (const QString &path : done.written)
        output.written += escapeControls(escapedFileName(path)).toUtf8() + '\n';
    return output;
}

}  // namespace

int runMidiCommand(
    const QStringList &arguments, std::FILE *out, std::FILE *err, const FileService &files)
{
    return MidiCommand(out, err, files).run(arguments);
}
