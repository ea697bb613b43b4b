#pragma once

#include "mainwindow/frm_main.h"
#include "qt_printers.h"
#include "recording_printer.h"
#include "scripted_dialogs.h"
#include "style_file_builder.h"
#include "style_files_on_disk.h"

#include <QLabel>

#include <gtest/gtest.h>

// The real main window with scripted dialogs and a recording printer.
struct WindowHarness {
    WindowHarness() : file(CurrentFile::withServices()), window(file, dialogs, RecordingPrinter::factory(printed)) {}

    // Writes a file and opens it through the scripted open chooser.
    void open(const QByteArray &bytes, const QString &name = QStringLiteral("TEST.STY"))
    {
        dialogs.choose(folder.write(name, bytes));
        window.mF_Click(0);
    }

    [[nodiscard]] QStringList row(int r) const
    {
        return {window.lbColumn0[std::size_t(r)]->text(), window.lbColumn1[std::size_t(r)]->text(),
                window.lbColumn2[std::size_t(r)]->text()};
    }

    TestFolder folder;
    QStringList printed;
    CurrentFile file;
    ScriptedDialogs dialogs;
    frmMain window;
};

// A "KORGM" file with `count` filled slots; every slot whose number is in `ghosts` is a ghost.
inline QByteArray KorgmWithStyles(int count, const std::vector<int> &ghosts = {})
{
    ISeriesFileBuilder builder("KORGM");
    for (int k = 1; k <= count; ++k) {
        const bool ghost = std::find(ghosts.begin(), ghosts.end(), k) != ghosts.end();
        builder.slot(ghost ? 500 : 1200 + k, ("Style " + QByteArray::number(k)).leftJustified(11));
    }
    return builder.build();
}

inline QColor BackgroundOf(const QLabel *label) { return label->palette().color(QPalette::Window); }
