#include "qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString chosenPath(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// A save chooser over `parent`; the export asks itself before replacing a file, quoting the path.
QString chooseSaveFile(
    QWidget *parent, const QString &suggestedPath, const QString &filter, bool confirm)
{
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirm);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filter.split(QLatin1Char('\n')));
    dialog.selectFile(suggestedPath);
    return chosenPath(dialog);
}

}  // namespace

void QtDialogs::showMessage(const Message &message)
{
    QMessageBox box(qtIcon(message.icon), message.title.isNull() ? QuarvTitle : message.title,
        message.text, QMessageBox::Ok, mParent);
    box.exec();
}

bool QtDialogs::askYesNo(const QString &question, DefaultButton defaultButton)
{
    QMessageBox box(
        QMessageBox::Question, QuarvTitle, question, QMessageBox::Yes | QMessageBox::No, mParent);
    box.setDefaultButton(defaultButton == DefaultButton::No ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

// The platform's own choosers (a desktop's, or its file-chooser portal in a sandbox).
QString QtDialogs::chooseStyleFile(const QString &folder, const QString &filter)
{
    QFileDialog dialog(mParent);
    dialog.setDirectory(folder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(filter);
    // Style files come from FAT media in any letter case: a.sty and A.STY are both style files
    // (Qt's own chooser; the platform's go by the filter's patterns).
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    return chosenPath(dialog);
}

QString QtDialogs::chooseReportFile(const QString &suggestedPath, const QString &filter)
{
    return chooseSaveFile(mParent, suggestedPath, filter, false);
}

QString QtDialogs::chooseFolder(const QString &folder)
{
    QFileDialog dialog(mParent);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setDirectory(folder);
    return chosenPath(dialog);
}

QString QtDialogs::chooseListFile(
    const QString &suggestedPath, const QString &filter, QWidget *over)
{
    return chooseSaveFile(over != nullptr ? over : mParent, suggestedPath, filter, true);
}

QString QtDialogs::choosePictureFile(
    const QString &suggestedPath, const QString &filters, QWidget *over)
{
    return chooseSaveFile(over != nullptr ? over : mParent, suggestedPath, filters, true);
}
