#include "export_report.h"

#include "platform/file_error.h"

#include <QCoreApplication>
#include <QDir>

namespace {
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ExportReport)
};
}  // namespace

QString defaultReportName(const QString &fileName)
{
    QString name = fileName.toUpper();
    if (name.endsWith(QLatin1String(".STY")))
        name.replace(name.size() - 4, 4, QStringLiteral(".TXT"));
    return name;
}

void writeTextReport(
    const ReportSource &source, const std::function<void(QByteArrayView)> &writeLine)
{
    forEachReportLine(
        ReportForm::TextFile, source, [&](const ReportLine &line) { writeLine(line.text); });
}

QByteArray textReport(const ReportSource &source)
{
    QByteArray text;
    writeTextReport(source, [&](QByteArrayView line) {
        text += line;
        text += "\r\n";
    });
    return text;
}

void exportReport(
    const ReportSource &source, const QString &folder, const FileService &files, Dialogs &dialogs)
{
    const QString name = defaultReportName(source.fileName);
    const QString target
        = dialogs.chooseReportFile(folder.isEmpty() ? name : QDir(folder).filePath(name),
            fileFilter(Texts::tr("Text reports"), u"txt"));
    if (target.isEmpty())
        return;
    if (files.exists(target)
        && !dialogs.askYesNo(
            Texts::tr("File %1 already exists: confirm overwrite?").arg(target), DefaultButton::No))
        return;
    try {
        const auto writer = files.createTextFile(target);
        writeTextReport(source, [&](QByteArrayView line) { writer->writeLine(line); });
        writer->commit();
    } catch (const FileError &error) {
        dialogs.showMessage(error.writeProblem().message());
    }
}
