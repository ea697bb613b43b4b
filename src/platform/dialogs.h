#pragma once

#include "message.h"

#include <QString>

class QWidget;

enum class DefaultButton { Yes, No };

// A chooser's filter for the files of one extension: what they hold, and the extension in every
// letter case, as a platform's chooser that tells case apart needs it ("Style files (*.sty *.stY
// ... *.STY)").
[[nodiscard]] QString fileFilter(const QString &what, QStringView extension);

// The program's modal dialogs. The window shows real ones; tests answer them from a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual void showMessage(const Message &message) = 0;
    // A Yes/No question titled "Quarv" with the question icon; Escape answers No.
    [[nodiscard]] virtual bool askYesNo(const QString &question, DefaultButton defaultButton) = 0;
    // The chosen path, or empty text when the user cancelled. The open chooser starts in `folder`;
    // the save chooser offers `suggestedPath`, a folder and a name. Each offers `filter`.
    [[nodiscard]] virtual QString chooseStyleFile(const QString &folder, const QString &filter) = 0;
    [[nodiscard]] virtual QString chooseReportFile(
        const QString &suggestedPath, const QString &filter)
        = 0;
    // A library's folder, the chooser starting in `folder`; a style list to write as CSV.
    [[nodiscard]] virtual QString chooseFolder(const QString &folder) = 0;
    // The list and picture choosers stand over the window `over` (the library's), not the main
    // window; the picture chooser's filter holds one filter a line.
    [[nodiscard]] virtual QString chooseListFile(
        const QString &suggestedPath, const QString &filter, QWidget *over)
        = 0;
    [[nodiscard]] virtual QString choosePictureFile(
        const QString &suggestedPath, const QString &filters, QWidget *over)
        = 0;
};
