#include "export_info.h"

#include "platform/file_error.h"

QString DefaultReportName(const QString &fileName)
{
    QString name = fileName.toUpper();
    if (name.endsWith(QLatin1String(".STY")))
        name.replace(name.size() - 4, 4, QStringLiteral(".TXT"));
    return name;
}

void WriteTextReport(const ReportSource &source, const std::function<void(const QByteArray &)> &writeLine)
{
    ForEachReportLine(ReportForm::TextFile, source, [&](const ReportLine &line) { writeLine(line.text); });
}

void ExportInfo(const QString &path, const ReportSource &source, const FileService &files, Dialogs &dialogs)
{
    const QString target = path.isEmpty() ? dialogs.ChooseReportFile(DefaultReportName(source.fileName)) : path;
    if (target.isEmpty())
        return;
    if (files.FileExists(target)
        && dialogs.MsgBox(QStringLiteral("File %1 already exists: confirm overwrite?").arg(target),
                          MbYesNoQuestion, QStringLiteral("Quarv")) != AnswerYes)
        return;
    try {
        const auto writer = files.CreateTextFile(target);
        WriteTextReport(source, [&](const QByteArray &line) { writer->WriteLine(line); });
        writer->Close();
    } catch (const FileError &error) {
        dialogs.MsgBox(error.message(QStringLiteral("Cannot write")), MbStop, QStringLiteral("Quarv"));
    }
}
