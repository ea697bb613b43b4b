#include "report_command.h"

#include "platform/file_name.h"
#include "reports/export_report.h"
#include "reports/terminal_text.h"
#include "styles/style_loader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

namespace {

const char Usage[] =
    "Usage: quarv-report [--json] FILE...\n"
    "Writes the information report of each style file (.STY) to standard output, as Quarv's\n"
    "\"Export Info\" would write it; with --json, one JSON document describing every file.\n"
    "Problems go to standard error, one line each.\n"
    "Exit status: 0 when no file raised a message, 1 when one did, 2 for a usage error.\n";

void put(std::FILE *stream, const QByteArray &bytes) { std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream); }

QJsonObject describe(const QString &path, const LoadResult &result)
{
    QJsonObject object{{QStringLiteral("path"), displayFileName(path)},
                       {QStringLiteral("message"), result.message ? QJsonValue(result.message->text) : QJsonValue()}};
    if (!result.file)
        return object;
    const StyleFile &file = *result.file;
    object.insert(QStringLiteral("name"), displayFileName(file.name));
    object.insert(QStringLiteral("size"), file.size);
    object.insert(QStringLiteral("modified"), file.modified.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    object.insert(QStringLiteral("tag"), QString::fromLatin1(file.tag));
    const QString family = familyName(file);
    if (!family.isNull())
        object.insert(QStringLiteral("family"), family);
    if (file.tag == "KORF")
        object.insert(QStringLiteral("pa1x"), file.pa1x);
    object.insert(QStringLiteral("usable"), file.usableCount());
    object.insert(QStringLiteral("ghost"), file.ghostCount());
    QJsonArray styles;
    for (const StyleEntry &style : file.styles) {
        styles.append(QJsonObject{{QStringLiteral("number"), style.number},
                                  {QStringLiteral("slot"), style.slot},
                                  {QStringLiteral("name"), QString::fromLatin1(style.name)},
                                  {QStringLiteral("size"), style.size},
                                  {QStringLiteral("supplementarySize"), style.supplementarySize},
                                  {QStringLiteral("ghost"), style.ghost}});
    }
    object.insert(QStringLiteral("styles"), styles);
    return object;
}

} // namespace

int runReportCommand(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    bool json = false;
    bool optionsEnded = false;
    QStringList files;
    for (const QString &argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument == QLatin1String("--help")) {
            put(out, Usage);
            return 0;
        } else if (!optionsEnded && argument == QLatin1String("--version")) {
            put(out, "quarv-report " QUARV_VERSION "\n");
            return 0;
        } else if (!optionsEnded && argument == QLatin1String("--json")) {
            json = true;
        } else if ((!optionsEnded && argument.startsWith(QLatin1Char('-'))) || argument.isEmpty()) {
            put(err, QStringLiteral("quarv-report: %1\n%2")
                         .arg(argument.isEmpty() ? QStringLiteral("empty file name")
                                                 : QStringLiteral("unknown option %1").arg(escapeControls(displayFileName(argument))),
                              QString::fromLatin1(Usage))
                         .toLocal8Bit());
            return 2;
        } else {
            files << argument;
        }
    }
    if (files.isEmpty()) {
        put(err, Usage);
        return 2;
    }

    const FileService fileService;
    const bool toTerminal = isatty(fileno(out));
    bool anyMessage = false;
    QJsonArray described;
    for (const QString &path : files) {
        const LoadResult result = loadStyleFile(path, fileService);
        if (result.message) {
            anyMessage = true;
            put(err, escapeControls(QStringLiteral("quarv-report: %1: %2").arg(displayFileName(path), result.message->text)).toUtf8() + '\n');
        }
        if (json) {
            described.append(describe(path, result));
        } else if (result.file && !result.file->styles.isEmpty()) {
            writeTextReport(reportSource(*result.file, fileInfoCaptions(*result.file)),
                            [&](const QByteArray &line) { put(out, (toTerminal ? maskControlBytes(line) : line) + "\r\n"); });
        }
        std::fflush(err);
    }
    if (json)
        put(out, QJsonDocument(described).toJson(QJsonDocument::Indented));
    std::fflush(out);
    return anyMessage ? 1 : 0;
}
