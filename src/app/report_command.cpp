#include "report_command.h"

#include "command_output.h"
#include "library/style_csv.h"
#include "library/style_folder.h"
#include "platform/file_name.h"
#include "quarv_version.h"
#include "reports/export_report.h"
#include "reports/json_description.h"
#include "reports/terminal_text.h"
#include "platform/file_error.h"
#include "styles/style_details.h"
#include "styles/style_loader.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

enum class Output { Text, Json, Csv };

using ReportItem = NamedStyleFile;

// What one item adds to the output: made on a worker thread, written in order.
struct ItemOutput {
    QByteArray out;  // for --json, the item's element of the array
    QByteArray messageLine;
};

class ReportCommand {
    Q_DECLARE_TR_FUNCTIONS(ReportCommand)

public:
    ReportCommand(std::FILE *out, std::FILE *err, const FileService &files)
        : mOutput("quarv-report", out, err), mFiles(files), mToTerminal(isatty(fileno(out)))
    {
    }

    int run(const QStringList &arguments);

private:
    int usageError(const QString &problem, const QCommandLineParser &parser);
    [[nodiscard]] ItemOutput outputFor(const ReportItem &item, bool withHeader) const;
    [[nodiscard]] std::optional<FileStyleDetails> detailsOf(const LoadResult &result) const;
    [[nodiscard]] QByteArray reportText(
        const QString &path, const StyleFile &file, bool withHeader) const;
    void write(const ItemOutput &output);
    void writeOut(const QByteArray &bytes) { mOutput.write(bytes); }
    int finish() { return mOutput.finish(mAnyMessage ? 1 : 0); }
    [[nodiscard]] QByteArray messageLine(const QString &path, const QString &text) const
    {
        return mOutput.messageLine(path, text);
    }

    CommandOutput mOutput;
    const FileService &mFiles;
    const bool mToTerminal;
    Output mForm = Output::Text;
    bool mDetails = false;
    bool mAnyMessage = false;
    int mJsonElements = 0;
};

int ReportCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Writes the information report of each style file (.STY) to standard output, as "
           "Quarv's \"Export Info\"\nwould write it. A FOLDER stands for every .STY file below "
           "it. Problems go to standard error, one line\neach. Exit status: 0 when no file "
           "raised a message, 1 when one did, 2 for a usage error."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption json(
        QStringLiteral("json"), tr("Write one JSON document that describes every file."));
    const QCommandLineOption csv(
        QStringLiteral("csv"), tr("Write one CSV table with a row for every style."));
    const QCommandLineOption details(QStringLiteral("details"),
        tr("With --json or --csv: each style's meter, tempo, and whether its data is damaged, "
           "for Pa-series banks whose styles are stored compressed (the Pa600 generation and "
           "later)."));
    parser.addOptions({json, csv, details});
    parser.addPositionalArgument(QStringLiteral("FILE"),
        tr("Style files or folders; after --, names that start with a dash."), tr("FILE..."));
    if (!parser.parse(QStringList {QStringLiteral("quarv-report")} + arguments))
        return usageError(parser.errorText(), parser);
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        writeOut(parser.helpText().toUtf8());
        return finish();
    }
    if (parser.isSet(QStringLiteral("version"))) {
        writeOut("quarv-report " QUARV_VERSION "\n");
        return finish();
    }
    if (parser.isSet(json) && parser.isSet(csv))
        return usageError(tr("--json and --csv exclude each other"), parser);
    if (parser.isSet(details) && !parser.isSet(json) && !parser.isSet(csv))
        return usageError(tr("--details needs --json or --csv"), parser);
    const QStringList names = parser.positionalArguments();
    if (names.isEmpty())
        return usageError(tr("no FILE given"), parser);
    if (names.contains(QString()))
        return usageError(tr("empty file name"), parser);
    if (names.contains(QStringLiteral("-")))
        return usageError(tr("standard input is not read: name the style files"), parser);
    mForm = parser.isSet(json) ? Output::Json : parser.isSet(csv) ? Output::Csv : Output::Text;
    mDetails = parser.isSet(details);

    const QList<ReportItem> items = styleFilesNamedBy(names, mFiles);
    const bool severalFiles = std::count_if(items.cbegin(), items.cend(),
                                  [](const ReportItem &item) { return !item.problem; })
        > 1;
    if (mForm == Output::Csv)
        writeOut(csvHeaderLine(mDetails));
    if (mForm == Output::Json)
        writeOut("[\n");
    // Files are loaded and reported side by side, a batch at a time, and written in order as
    // soon as their batch is done; a file alone is read here, as starting a worker would cost
    // more than the file.
    constexpr qsizetype Batch = 256;
    // A file that needs more memory than there is costs its own row, never the others'.
    const auto report = [&](const ReportItem &item) {
        try {
            return outputFor(item, severalFiles);
        } catch (const std::bad_alloc &) {
            const Problem problem {Problem::Kind::CannotRead, item.path, tr("not enough memory")};
            return ItemOutput {{}, messageLine(item.path, problem.text())};
        }
    };
    for (qsizetype first = 0; first < items.size() && !mOutput.outputFailed(); first += Batch) {
        const QList<ReportItem> batch = items.mid(first, Batch);
        const QList<ItemOutput> outputs = batch.size() == 1
            ? QList<ItemOutput> {report(batch.first())}
            : QList<ItemOutput>(QtConcurrent::blockingMapped(batch, report));
        for (const ItemOutput &output : outputs)
            write(output);
    }
    if (mForm == Output::Json)
        writeOut("\n]\n");
    return finish();
}

int ReportCommand::usageError(const QString &problem, const QCommandLineParser &parser)
{
    mOutput.message(QString(), problem);
    mOutput.writeMessages(parser.helpText().toUtf8());
    return 2;
}

ItemOutput ReportCommand::outputFor(const ReportItem &item, bool withHeader) const
{
    LoadResult result
        = item.problem ? LoadResult {std::nullopt, item.problem} : loadStyleFile(item.path, mFiles);
    ItemOutput output;
    const auto say
        = [&](const QString &text) { output.messageLine += messageLine(item.path, text); };
    if (result.problem)
        say(result.problem->text());
    std::optional<FileStyleDetails> details = detailsOf(result);
    if (details && details->problem) {
        // The file changed since it was loaded: what was loaded is no longer what it holds.
        say(details->problem->text());
        result = {std::nullopt, details->problem};
        details.reset();
    }
    for (qsizetype i = 0; details && i < details->styles.size(); ++i) {
        if (details->styles[i].integrity == Integrity::Damaged)
            say(damageMessage(details->styles[i], result.file->styles[i].number));
    }
    const QList<StyleDetails> *styleDetails = details ? &details->styles : nullptr;
    if (mForm == Output::Json) {
        output.out = jsonArrayElement(describeStyleFile(item.path, result, styleDetails));
        return output;
    }
    if (!result.file || result.file->styles.isEmpty())
        return output;
    if (mForm == Output::Csv) {
        for (qsizetype i = 0; i < result.file->styles.size(); ++i)
            output.out += csvLine(item.path, *result.file, result.file->styles[i],
                styleDetails ? &styleDetails->at(i) : nullptr);
        return output;
    }
    output.out = reportText(item.path, *result.file, withHeader);
    return output;
}

// With --details, what each style's data says.
std::optional<FileStyleDetails> ReportCommand::detailsOf(const LoadResult &result) const
{
    if (!mDetails || !result.file)
        return std::nullopt;
    return readStyleDetails(*result.file, mFiles);
}

// The report as Export Info writes it. Several reports each follow a "==> path <==" line, as
// head(1) and tail(1) write them, and then no name may forge such a line: the path and the
// report's file name are written with their control characters escaped. On a terminal, control
// bytes show as "?".
QByteArray ReportCommand::reportText(
    const QString &path, const StyleFile &file, bool withHeader) const
{
    ReportSource source = reportSource(file);
    QByteArray text;
    if (withHeader) {
        text = escapeControls(QStringLiteral("==> %1 <==").arg(escapedFileName(path))).toUtf8()
            + "\r\n";
        source.fileName = escapeControls(source.fileName);
    }
    if (!mToTerminal)
        return text + textReport(source);
    writeTextReport(source,
        [&](QByteArrayView line) { text += maskControlBytes(line.toByteArray()) + "\r\n"; });
    return text;
}

void ReportCommand::write(const ItemOutput &output)
{
    if (!output.messageLine.isEmpty()) {
        mAnyMessage = true;
        mOutput.writeMessages(output.messageLine);
    }
    if (mForm == Output::Json)
        writeOut(mJsonElements++ > 0 ? ",\n" + output.out : output.out);
    else
        writeOut(output.out);
}

}  // namespace

int runReportCommand(
    const QStringList &arguments, std::FILE *out, std::FILE *err, const FileService &files)
{
    return ReportCommand(out, err, files).run(arguments);
}
