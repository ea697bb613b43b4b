#pragma once

#include "platform/dialogs.h"

#include <QStringList>
#include <QVector>

#include <deque>

// Dialogs answered from a script; every message shown is recorded. An unscripted question or
// chooser fails the test, so a dialog the test did not expect cannot pass unnoticed.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString prompt;
        int style;
        QString title;
    };

    void answer(int answer) { mAnswers.push_back(answer); }
    void choose(const QString &path) { mChoices.push_back(path); }

    int MsgBox(const QString &prompt, int style, const QString &title) override;
    QString ChooseStyleFile() override;
    QString ChooseReportFile(const QString &suggestedName) override;

    QVector<Shown> shown;
    QStringList suggestedNames;
    int styleChooserCalls = 0;

private:
    QString nextChoice(const char *chooser);

    std::deque<int> mAnswers;
    std::deque<QString> mChoices;
};
