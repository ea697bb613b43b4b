#include "scripted_dialogs.h"

#include <gtest/gtest.h>

void ScriptedDialogs::showMessage(const Message &message)
{
    const char *const icons[] = {"none", "warning", "critical"};
    shown << QStringLiteral("%1 %2: %3").arg(QLatin1String(icons[int(message.icon)]),
                                             message.title.isNull() ? QStringLiteral("-") : message.title, message.text);
}

bool ScriptedDialogs::askYesNo(const QString &question, DefaultButton defaultButton)
{
    shown << QStringLiteral("question %1: %2").arg(defaultButton == DefaultButton::No ? "No" : "Yes", question);
    if (mAnswers.empty()) {
        ADD_FAILURE() << "unexpected question: " << question.toStdString();
        return false;
    }
    const bool yes = mAnswers.front();
    mAnswers.pop_front();
    return yes;
}

QString ScriptedDialogs::chooseStyleFile(const QString &folder) { return nextChoice(QStringLiteral("open chooser in ") + folder); }

QString ScriptedDialogs::chooseReportFile(const QString &suggestedPath)
{
    return nextChoice(QStringLiteral("save chooser offering ") + suggestedPath);
}

QString ScriptedDialogs::nextChoice(const QString &chooser)
{
    shown << chooser;
    if (mChoices.empty()) {
        ADD_FAILURE() << "unexpected " << chooser.toStdString();
        return {};
    }
    const QString path = mChoices.front();
    mChoices.pop_front();
    return path;
}
