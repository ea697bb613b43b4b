#pragma once

#include "platform/dialogs.h"

#include <QStringList>

#include <gtest/gtest.h>

// A message as "<icon> <title>: <text>", a null title as "-".
inline QString describeMessage(const Message &message)
{
    const char *const icons[] = {"none", "warning", "critical"};
    return QString("%1 %2: %3")
        .arg(QLatin1String(icons[int(message.icon)]),
            message.title.isNull() ? QString("-") : message.title, message.text);
}

// Dialogs answered from a script. Every dialog shown is written down as one line: a message as
// describeMessage() writes it, "question <default>: <text>" for a question, "<kind> chooser in
// <folder>" or "<kind> chooser offering <path>" for the open, save, folder and list choosers. An
// unscripted question or chooser fails the test, so none can pass unnoticed.
class ScriptedDialogs : public Dialogs {
public:
    void answer(bool yes) { mAnswers << yes; }
    void choose(const QString &path) { mChoices << path; }

    void showMessage(const Message &message) override { shown << describeMessage(message); }
    bool askYesNo(const QString &question, DefaultButton defaultButton) override
    {
        return next(mAnswers,
            QString("question %1: %2")
                .arg(defaultButton == DefaultButton::No ? "No" : "Yes", question));
    }
    QString chooseStyleFile(const QString &in, const QString &filter) override
    {
        filters << filter;
        return chosen("open chooser in ", in);
    }
    QString chooseFolder(const QString &in) override { return chosen("folder chooser in ", in); }
    QString chooseReportFile(const QString &offer, const QString &filter) override
    {
        filters << filter;
        return chosen("save chooser offering ", offer);
    }
    QString chooseListFile(const QString &offer, const QString &filter, QWidget *over) override
    {
        filters << filter;
        listChooserOver = over;
        return chosen("list chooser offering ", offer);
    }

    QString choosePictureFile(const QString &offer, const QString &filter, QWidget *) override
    {
        filters << filter;
        return chosen("picture chooser offering ", offer);
    }

    QStringList shown;
    QStringList filters;                 // those the file choosers offered, in turn
    QWidget *listChooserOver = nullptr;  // the window the last list chooser stood over

private:
    QString chosen(const char *dialog, const QString &folder)
    {
        return next(mChoices, dialog + folder);
    }
    template <typename T> T next(QList<T> &script, const QString &dialog)
    {
        shown << dialog;
        if (script.isEmpty())
            ADD_FAILURE() << "unexpected " << dialog.toStdString();
        return script.isEmpty() ? T() : script.takeFirst();
    }

    QList<bool> mAnswers;
    QStringList mChoices;
};
