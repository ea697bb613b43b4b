#include "report_command.h"

#include "reports/export_info.h"
#include "reports/file_info_captions.h"
#include "styles/family_text.h"
#include "styles/style_loader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char Usage[] =
    "Usage: quarv-report [--json] FILE...\n"
    "Writes the information report of each style file (.STY) to standard output, as Quarv's\n"
    "\"Export Info\" would write it; with --json, one JSON document describing every file.\n"
    "Problems go to standard error, one line each.\n"
    "Exit status: 0 when no file raised a message, 1 when one did, 2 for a usage error.\n";

void put(std::FILE *stream, const QByteArray &bytes) { std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream); }

// Messages become lines on stderr; the command never asks, and never needs to.
class StderrDialogs : public Dialogs {
public:
    StderrDialogs(std::FILE *err, const QString &path) : mErr(err), mPath(path) {}

    int MsgBox(const QString &prompt, int, const QString &) override
    {
        put(mErr, QStringLiteral("quarv-report: %1: %2\n").arg(mPath, prompt).toLocal8Bit());
        if (message.isNull())
            message = prompt;
        return AnswerNo;
    }
    QString ChooseStyleFile() override { return {}; }
    QString ChooseReportFile(const QString &) override { return {}; }

    QString message;

private:
    std::FILE *mErr;
    QString mPath;
};

class LoadOutcome : public LoadView {
public:
    void SetReportCommandsEnabled(bool enabled) override { hasStyles = enabled; }
    void ShowFileInfo() override { shown = true; }

    bool hasStyles = false;
    bool shown = false;
};

QJsonObject describe(const QString &path, const CurrentFile &file, const LoadOutcome &outcome, const QString &message)
{
    QJsonObject object{{QStringLiteral("path"), path},
                       {QStringLiteral("message"), message.isNull() ? QJsonValue() : QJsonValue(message)}};
    if (!outcome.shown)
        return object;
    object.insert(QStringLiteral("name"), file.FileName);
    object.insert(QStringLiteral("size"), file.FileSize);
    object.insert(QStringLiteral("modified"), file.FileModified.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    object.insert(QStringLiteral("tag"), QString::fromLatin1(file.FormatTag));
    const QString family = FamilyText(file);
    if (!family.isNull())
        object.insert(QStringLiteral("family"), family.trimmed());
    if (file.FormatTag == "KORF")
        object.insert(QStringLiteral("pa1x"), file.Pa1XFlag);
    object.insert(QStringLiteral("usable"), file.UsableCount);
    object.insert(QStringLiteral("ghost"), file.GhostCount);
    QJsonArray styles;
    for (const ShownRow &row : ShownRows(file)) {
        const PA80Style &s = *row.style;
        styles.append(QJsonObject{{QStringLiteral("number"), row.number},
                                  {QStringLiteral("slot"), s.StylePos()},
                                  {QStringLiteral("name"), QString::fromLatin1(s.StyleName())},
                                  {QStringLiteral("size"), s.StyleSize()},
                                  {QStringLiteral("supplementarySize"), s.StyleSizeSupp()},
                                  {QStringLiteral("ghost"), s.isGhost()}});
    }
    object.insert(QStringLiteral("styles"), styles);
    return object;
}

} // namespace

int RunReportCommand(const QStringList &arguments, std::FILE *out, std::FILE *err)
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
                                                 : QStringLiteral("unknown option %1").arg(argument),
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

    bool anyMessage = false;
    QJsonArray described;
    for (const QString &path : files) {
        CurrentFile file = CurrentFile::withServices();
        StderrDialogs dialogs(err, path);
        LoadOutcome outcome;
        StyleLoader(file, dialogs, outcome).OpenStyleFile(QString(path).remove(QLatin1Char('"')));
        anyMessage = anyMessage || !dialogs.message.isNull();
        if (json) {
            described.append(describe(path, file, outcome, dialogs.message));
        } else if (outcome.hasStyles) {
            WriteTextReport(ReportSourceFor(file, FileInfoCaptionsFor(file)),
                            [&](const QByteArray &line) { put(out, line + "\r\n"); });
        }
        std::fflush(err);
    }
    if (json)
        put(out, QJsonDocument(described).toJson(QJsonDocument::Indented));
    std::fflush(out);
    return anyMessage ? 1 : 0;
}
