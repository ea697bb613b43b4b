#pragma once

#include "test_support.h"
#include "mainwindow/main_window.h"
#include "recording_printer.h"

#include <QtTest>
#include <QtWidgets>

// The real main window with scripted dialogs and a recording printer.
struct WindowHarness {
    WindowHarness() : window(files, dialogs, recordingPrinters(printed), settings) { }

    void trigger(const char *action) { window.findChild<QAction *>(action)->trigger(); }
    bool isEnabled(const char *name) const
    {
        return window.findChild<QAction *>(name)->isEnabled();
    }
    QLabel *label(const QString &name) const { return window.findChild<QLabel *>(name); }
    // Writes a file and opens it, as the command line or a drop would.
    void open(const QByteArray &bytes, const QString &name = "TEST.STY")
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
