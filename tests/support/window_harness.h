#pragma once

#include "test_support.h"
#include "mainwindow/main_window.h"
#include "recording_printer.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>

// The real main window with scripted dialogs and a recording printer.
struct WindowHarness {
    WindowHarness() : window(files, dialogs, recordingPrinters(printed), settings) { }

    void trigger(const char *action)
    {
        window.findChild<QAction *>(QLatin1String(action))->trigger();
    }
    [[nodiscard]] bool isEnabled(const char *action) const
    {
        return window.findChild<QAction *>(QLatin1String(action))->isEnabled();
    }
    [[nodiscard]] QLabel *label(const QString &name) const
    {
        return window.findChild<QLabel *>(name);
    }
    // Writes a file and opens it, as the command line or a drop would.
    void open(const QByteArray &bytes, const QString &name = QString("TEST.STY"))
    {
        window.openFile(folder.write(name, bytes));
    }

    TestFolder folder;
    QStringList printed;
    FileService files;
    ScriptedDialogs dialogs;
    QSettings settings {folder.path("quarv.conf"), QSettings::IniFormat};
    MainWindow window;
};

inline QColor backgroundOf(const QLabel *label) { return label->palette().color(QPalette::Window); }

// Clicks the push button with that text among the widget's children.
inline void clickButton(const QWidget &parent, const QString &text)
{
    for (QPushButton *button : parent.findChildren<QPushButton *>()) {
        if (button->text() == text)
            button->click();
    }
}
