#include "report_command.h"

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
#include <map>
#include <unistd.h>

namespace {

enum class Output { Text, Json, Csv };

// One thing to report, in the order of the arguments: a style file to load, or a problem that a
// FOLDER argument met (a folder below it that could not be read, or no style file at all).
struct ReportItem {
    QString path;
    std::optional<Problem> problem;  // none for a file to load
};

// What one item adds to the output: made on a worker thread, written in order.
struct ItemOutput {
    QByteArray out;  // for --json, the item's element of the array
    QByteArray messageLine;
};

class ReportCommand {
    Q_DECLARE_TR_FUNCTIONS(ReportCommand)

public:
    ReportCommand(std::FILE *out, std::FILE *err, const FileService &files)
        : mOut(out), mErr(err), mFiles(files)
    {
    }

    int run(const QStringList &arguments);

private:
    int usageError(const QString &problem, const QCommandLineParser &parser);
    [[nodiscard]] QList<ReportItem> expand(const QStringList &names) const;
    [[nodiscard]] ItemOutput outputFor(const ReportItem &item, bool withHeader) const;
    [[nodiscard]] std::optional<FileStyleDetails> detailsOf(const LoadResult &result) const;
    [[nodiscard]] QByteArray reportText(
        const QString &path, const StyleFile &file, bool withHeader) const;
    void write(const ItemOutput &output);
    void writeOut(const QByteArray &bytes);
    void writeErr(const QByteArray &bytes);
    int finish();

    std::FILE *mOut;
    std::FILE *mErr;
    const FileService &mFiles;
    Output mOutput = Output::Text;
    bool mDetails = false;
    bool mToTerminal = false;
    bool mAnyMessage = false;
    int mOutError = 0;  // errno of the first failed write to standard output
    int mJsonElements = 0;
};

// One line for stderr, whatever the path holds: "quarv-report: <path>: <text>".
QByteArray messageLine(const QString &path, const QString &text)
{
    const QString line = path.isNull() ? text : QStringLiteral("%1: %2").arg(path, text);
    return escapeControls(QStringLiteral("quarv-report: ") + displayFileName(line)).toUtf8() + '\n';
}

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
    mOutput = parser.isSet(json) ? Output::Json : parser.isSet(csv) ? Output::Csv : Output::Text;
    mDetails = parser.isSet(details);
    mToTerminal = isatty(fileno(mOut));

    const QList<ReportItem> items = expand(names);
    const bool severalFiles = std::count_if(items.cbegin(), items.cend(),
                                  [](const ReportItem &item) { return !item.problem; })
        > 1;
    if (mOutput == Output::Csv)
        writeOut(csvHeaderLine(mDetails));
    if (mOutput == Output::Json)
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
    for (qsizetype first = 0; first < items.size() && mOutError == 0; first += Batch) {
        const QList<ReportItem> batch = items.mid(first, Batch);
        const QList<ItemOutput> outputs = batch.size() == 1
            ? QList<ItemOutput> {report(batch.first())}
            : QList<ItemOutput>(QtConcurrent::blockingMapped(batch, report));
        for (const ItemOutput &output : outputs)
            write(output);
    }
    if (mOutput == Output::Json)
        writeOut("\n]\n");
    return finish();
}

int ReportCommand::usageError(const QString &problem, const QCommandLineParser &parser)
{
    writeErr(messageLine(QString(), problem));
    writeErr(parser.helpText().toUtf8());
    return 2;
}

// Folders become the style files below them and the problems met on the way, in the byte order
// of their paths; every other name stays as it was given.
QList<ReportItem> ReportCommand::expand(const QStringList &names) const
{
    QList<ReportItem> items;
    for (const QString &name : names) {
        if (!mFiles.isFolder(name)) {
            items.append({name, {}});
            continue;
        }
        const StyleFolder folder = findStyleFiles(name, mFiles);
        std::multimap<QByteArray, ReportItem> found;  // in byte order, equal keys as they came
        for (const QString &path : folder.files)
            found.emplace(encodeFileName(path), ReportItem {path, {}});
        for (const FolderProblem &problem : folder.problems)
            found.emplace(encodeFileName(problem.path),
                ReportItem {problem.path,
                    Problem {Problem::Kind::UnreadableFolder, problem.path, problem.reason}});
        if (found.empty())
            found.emplace(
                QByteArray(), ReportItem {name, Problem {Problem::Kind::NoStyleFiles, name, {}}});
        for (const auto &[key, item] : found)
            items.append(item);
    }
    return items;
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
    if (mOutput == Output::Json) {
        output.out = jsonArrayElement(describeStyleFile(item.path, result, styleDetails));
        return output;
    }
    if (!result.file || result.file->styles.isEmpty())
        return output;
    if (mOutput == Output::Csv) {
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
        writeErr(output.messageLine);
    }
    if (mOutput == Output::Json)
        writeOut(mJsonElements++ > 0 ? ",\n" + output.out : output.out);
    else
        writeOut(output.out);
}

void ReportCommand::writeOut(const QByteArray &bytes)
{
    errno = 0;
    if (mOutError == 0 && !bytes.isEmpty()
        && std::fwrite(bytes.constData(), 1, size_t(bytes.size()), mOut) != size_t(bytes.size()))
        mOutError = errno != 0 ? errno : EIO;
}

void ReportCommand::writeErr(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), mErr);
}

// Everything written must have reached standard output: a full disk or a closed pipe is a
// message and exit status 1, never success.
int ReportCommand::finish()
{
    errno = 0;
    if (mOutError == 0 && std::fflush(mOut) != 0)
        mOutError = errno != 0 ? errno : EIO;
    if (mOutError == 0)
        return mAnyMessage ? 1 : 0;
    writeErr(messageLine(tr("standard output"), QString::fromLocal8Bit(std::strerror(mOutError))));
    return 1;
}

}  // namespace

int runReportCommand(
    const QStringList &arguments, std::FILE *out, std::FILE *err, const FileService &files)
{
    return ReportCommand(out, err, files).run(arguments);
}

int closeReportOutput(std::FILE *out, std::FILE *err, int status)
{
    const bool reported = std::ferror(out) != 0;
    if (std::fclose(out) == 0 || reported)
        return status;
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    const QByteArray line
        = messageLine(QCoreApplication::translate("ReportCommand", "standard output"), reason);
    std::fwrite(line.constData(), 1, size_t(line.size()), err);
    return status == 0 ? 1 : status;
}
