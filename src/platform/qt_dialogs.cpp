#include "qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case MbStop: return QMessageBox::Critical;
    case MbQuestion: return QMessageBox::Question;
    case MbExclamation: return QMessageBox::Warning;
    default: return QMessageBox::NoIcon;
    }
}

QString chosenPath(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

int QtDialogs::MsgBox(const QString &prompt, int style, const QString &title)
{
    QMessageBox box(iconOf(style), title.isNull() ? QStringLiteral("Quarv") : title, prompt,
                    QMessageBox::NoButton, mParent);
    if (style & MbYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(style & MbDefaultButton2 ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? AnswerYes : AnswerNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return AnswerOk;
}

void ConfigureStyleChooser(QFileDialog &dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(QStringLiteral("Styles (*.STY)"));
    // Style files come from FAT media in any letter case: a.sty and A.STY are both style files.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
}

void ConfigureReportChooser(QFileDialog &dialog, const QString &suggestedName)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // the export asks, quoting the path
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Styles (*.TXT)"));
    dialog.selectFile(suggestedName);
}

QString QtDialogs::ChooseStyleFile()
{
    QFileDialog dialog(mParent);
    ConfigureStyleChooser(dialog);
    return chosenPath(dialog);
}

QString QtDialogs::ChooseReportFile(const QString &suggestedName)
{
    QFileDialog dialog(mParent);
    ConfigureReportChooser(dialog, suggestedName);
    return chosenPath(dialog);
}
