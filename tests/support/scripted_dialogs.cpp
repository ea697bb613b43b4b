#include "scripted_dialogs.h"

#include <gtest/gtest.h>

int ScriptedDialogs::MsgBox(const QString &prompt, int style, const QString &title)
{
    shown.push_back({prompt, style, title});
    if ((style & MbYesNo) == 0)
        return AnswerOk;
    if (mAnswers.empty()) {
        ADD_FAILURE() << "unexpected question: " << prompt.toStdString();
        return AnswerNo;
    }
    const int answer = mAnswers.front();
    mAnswers.pop_front();
    return answer;
}

QString ScriptedDialogs::ChooseStyleFile()
{
    ++styleChooserCalls;
    return nextChoice("open chooser");
}

QString ScriptedDialogs::ChooseReportFile(const QString &suggestedName)
{
    suggestedNames.push_back(suggestedName);
    return nextChoice("save chooser");
}

QString ScriptedDialogs::nextChoice(const char *chooser)
{
    if (mChoices.empty()) {
        ADD_FAILURE() << "unexpected " << chooser;
        return {};
    }
    const QString path = mChoices.front();
    mChoices.pop_front();
    return path;
}
