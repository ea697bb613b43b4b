#pragma once

#include "dialogs.h"

class QFileDialog;
class QWidget;

// The real dialogs: message boxes and the open and save choosers.
class QtDialogs : public Dialogs {
public:
    void setParentWindow(QWidget *window) { mParent = window; }

    int MsgBox(const QString &prompt, int style, const QString &title) override;
    QString ChooseStyleFile() override;
    QString ChooseReportFile(const QString &suggestedName) override;

private:
    QWidget *mParent = nullptr;
};

// The chooser set-ups, apart so that tests can look at them without showing them.
void ConfigureStyleChooser(QFileDialog &dialog);
void ConfigureReportChooser(QFileDialog &dialog, const QString &suggestedName);
