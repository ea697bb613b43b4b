#include "report_command.h"

#include "library/style_csv.h"
#include "library/style_folder.h"
#include "platform/file_name.h"
#include "quarv_version.h"
#include "reports/export_report.h"
#include "reports/json_description.h"
#include "reports/terminal_text.h"
#include "styles/style_loader.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QtConcurrent/QtConcurrentMap>

#include <unistd.h>

namespace {

// One line for stderr, whatever the path holds: "quarv-report: <path>: <text>".
QByteArray messageLine(const QString &path, const QString &text)
{
    const QString line = path.isNull() ? text : QStringLiteral("%1: %2").arg(path, text);
    return escapeControls(QStringLiteral("quarv-report: ") + displayFileName(line)).toUtf8() + '\n';
}

enum class Output { Text, Json, Csv };

// What one file adds to the output: made on a worker thread, written in order.
struct FileOutput {
    QByteArray out;
    QByteArray messageLine;
    QJsonObject description;
};

class ReportCommand {
public:
    ReportCommand(std::FILE *out, std::FILE *err, const FileService &files)
        : mOut(out), mErr(err), mFiles(files)
    {
    }

    int run(const QStringList &arguments);

private:
    int usageError(const QString &problem, const QCommandLineParser &parser);
    QStringList expand(const QStringList &arguments);
    [[nodiscard]] FileOutput outputFor(const QString &path, bool withHeader) const;
    void write(const FileOutput &output);
    void message(const QString &path, const QString &text);
    void put(std::FILE *stream, const QByteArray &bytes)
    {
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    }

    std::FILE *mOut;
    std::FILE *mErr;
    const FileService &mFiles;
    Output mOutput = Output::Text;
    bool mToTerminal = false;
    bool mAnyMessage = false;
    QJsonArray mDescribed;
};

int ReportCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the information report of each style file (.STY) to standard "
                       "output, as Quarv's \"Export Info\"\n"
                       "would write it. A FOLDER stands for every .STY file below it. Problems go "
                       "to standard error, one line\n"
                       "each. Exit status: 0 when no file raised a message, 1 when one did, 2 for "
                       "a usage error."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption json(QStringLiteral("json"),
        QStringLiteral("Write one JSON document that describes every file."));
    const QCommandLineOption csv(
        QStringLiteral("csv"), QStringLiteral("Write one CSV table with a row for every style."));
    parser.addOptions({json, csv});
    parser.addPositionalArgument(QStringLiteral("FILE"),
        QStringLiteral("Style files or folders; after --, names that start with a dash."),
        QStringLiteral("FILE..."));
    if (!parser.parse(QStringList {QStringLiteral("quarv-report")} + arguments))
        return usageError(parser.errorText(), parser);
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        put(mOut, parser.helpText().toUtf8());
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        put(mOut, "quarv-report " QUARV_VERSION "\n");
        return 0;
    }
    if (parser.isSet(json) && parser.isSet(csv))
        return usageError(QStringLiteral("--json and --csv exclude each other"), parser);
    const QStringList names = parser.positionalArguments();
    if (names.isEmpty())
        return usageError(QStringLiteral("no FILE given"), parser);
    if (names.contains(QString()))
        return usageError(QStringLiteral("empty file name"), parser);
    if (names.contains(QStringLiteral("-")))
        return usageError(
            QStringLiteral("standard input is not read: name the style files"), parser);
    mOutput = parser.isSet(json) ? Output::Json : parser.isSet(csv) ? Output::Csv : Output::Text;
    mToTerminal = isatty(fileno(mOut));

    const QStringList paths = expand(names);
    if (mOutput == Output::Csv)
        put(mOut, csvHeaderLine());
    // Files are loaded and reported side by side, a batch at a time, and written in order; a file
    // alone is read here, as starting a worker would cost more than the file.
    constexpr qsizetype Batch = 256;
    const auto report = [&](const QString &path) { return outputFor(path, paths.size() > 1); };
    for (qsizetype first = 0; first < paths.size(); first += Batch) {
        const QStringList batch = paths.mid(first, Batch);
        const QList<FileOutput> outputs = batch.size() == 1
            ? QList<FileOutput> {report(batch.first())}
            : QList<FileOutput>(QtConcurrent::blockingMapped(batch, report));
        for (const FileOutput &output : outputs)
            write(output);
    }
    if (mOutput == Output::Json)
        put(mOut, QJsonDocument(mDescribed).toJson(QJsonDocument::Indented));
    std::fflush(mOut);
    return mAnyMessage ? 1 : 0;
}

int ReportCommand::usageError(const QString &problem, const QCommandLineParser &parser)
{
    put(mErr,
        escapeControls(QStringLiteral("quarv-report: %1").arg(displayFileName(problem))).toUtf8()
            + '\n');
    put(mErr, parser.helpText().toUtf8());
    return 2;
}

// Folders become the style files below them; every other name stays as it was given.
QStringList ReportCommand::expand(const QStringList &arguments)
{
    QStringList paths;
    for (const QString &argument : arguments) {
        if (!mFiles.isFolder(argument)) {
            paths << argument;
            continue;
        }
        const StyleFolder folder = findStyleFiles(argument, mFiles);
        for (const QString &problem : folder.problems)
            message(QString(), problem);
        if (folder.files.isEmpty() && folder.problems.isEmpty())
            message(argument, QStringLiteral("no style file (.STY) in this folder or below it"));
        paths << folder.files;
    }
    return paths;
}

FileOutput ReportCommand::outputFor(const QString &path, bool withHeader) const
{
    const LoadResult result = loadStyleFile(path, mFiles);
    FileOutput output;
    if (result.message)
        output.messageLine = messageLine(path, result.message->text);
    if (mOutput == Output::Json) {
        output.description = describeStyleFile(path, result);
        return output;
    }
    if (!result.file || result.file->styles.isEmpty())
        return output;
    if (mOutput == Output::Csv) {
        for (const StyleEntry &style : result.file->styles)
            output.out += csvLine(path, *result.file, style);
        return output;
    }
    if (withHeader)  // as head(1) and tail(1) do, so that the reports can be told apart
        output.out
            = escapeControls(QStringLiteral("==> %1 <==").arg(displayFileName(path))).toUtf8()
            + "\r\n";
    const ReportSource source = reportSource(*result.file, fileInfoCaptions(*result.file));
    if (!mToTerminal)
        output.out += textReport(source);
    else
        writeTextReport(source, [&](QByteArrayView line) {
            output.out += maskControlBytes(line.toByteArray()) + "\r\n";
        });
    return output;
}

void ReportCommand::write(const FileOutput &output)
{
    if (!output.messageLine.isEmpty()) {
        mAnyMessage = true;
        put(mErr, output.messageLine);
        std::fflush(mErr);
    }
    if (mOutput == Output::Json)
        mDescribed.append(output.description);
    put(mOut, output.out);
}

void ReportCommand::message(const QString &path, const QString &text)
{
    write({{}, messageLine(path, text), {}});
}

}  // namespace

int runReportCommand(
    const QStringList &arguments, std::FILE *out, std::FILE *err, const FileService &files)
{
    return ReportCommand(out, err, files).run(arguments);
}
