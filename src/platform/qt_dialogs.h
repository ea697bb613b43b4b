#pragma once

#include "dialogs.h"

#include <QCoreApplication>

class QWidget;

// The real dialogs: message boxes and the open and save choosers, over a parent window.
class QtDialogs : public Dialogs {
    Q_DECLARE_TR_FUNCTIONS(QtDialogs)

public:
    explicit QtDialogs(QWidget *parent = nullptr) : mParent(parent) { }
    void setParentWindow(QWidget *parent) { mParent = parent; }

    void showMessage(const Message &message) override;
    bool askYesNo(const QString &question, DefaultButton defaultButton) override;
    QString chooseStyleFile(const QString &folder, const QString &filter) override;
    QString chooseReportFile(const QString &suggestedPath, const QString &filter) override;
    QString chooseFolder(const QString &folder) override;
    QString chooseListFile(
        const QString &suggestedPath, const QString &filter, QWidget *over) override;
    QString choosePictureFile(
        const QString &suggestedPath, const QString &filters, QWidget *over) override;

private:
    QWidget *mParent;
};
