#pragma once

#include "platform/dialogs.h"

#include <QStringList>

#include <deque>

// Dialogs answered from a script. Every dialog shown is written down as one line:
// "<icon> <title>: <text>" for a message (a null title as "-"), "question <default>: <text>" for
// a question, "open chooser in <folder>", "save chooser offering <path>", "folder chooser in
// <folder>" and "list chooser offering <path>". An unscripted
// question or chooser fails the test, so none can pass unnoticed.
class ScriptedDialogs : public Dialogs {
public:
    void answer(bool yes) { mAnswers.push_back(yes); }
    void choose(const QString &path) { mChoices.push_back(path); }

    void showMessage(const Message &message) override;
    bool askYesNo(const QString &question, DefaultButton defaultButton) override;
    QString chooseStyleFile(const QString &folder) override;
    QString chooseReportFile(const QString &suggestedPath) override;
    QString chooseFolder(const QString &folder) override { return nextChoice(QStringLiteral("folder chooser in ") + folder); }
    QString chooseListFile(const QString &suggestedPath) override { return nextChoice(QStringLiteral("list chooser offering ") + suggestedPath); }

    QStringList shown;

private:
    QString nextChoice(const QString &chooser);

    std::deque<bool> mAnswers;
    std::deque<QString> mChoices;
};
