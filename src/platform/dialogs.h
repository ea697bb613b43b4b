#pragma once

#include <QString>

// Message box styles and answers: a button set plus an icon plus the default-button flag.
enum MsgBoxStyle : int {
    MbOkOnly = 0,
    MbYesNo = 4,
    MbStop = 16,
    MbQuestion = 32,
    MbExclamation = 48,
    MbDefaultButton2 = 256,
    MbYesNoQuestion = MbYesNo + MbQuestion + MbDefaultButton2,  // every question of the program
};

enum MsgBoxAnswer : int { AnswerOk = 1, AnswerYes = 6, AnswerNo = 7 };

// The program's modal dialogs. The window shows real ones; tests and the headless command
// answer them from a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A null title means the application's own title.
    virtual int MsgBox(const QString &prompt, int style, const QString &title) = 0;
    // The chosen path, or empty text when the user cancelled.
    virtual QString ChooseStyleFile() = 0;
    virtual QString ChooseReportFile(const QString &suggestedName) = 0;
};
