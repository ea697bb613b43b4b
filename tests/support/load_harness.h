#pragma once

#include "qt_printers.h"
#include "scripted_dialogs.h"
#include "style_files_on_disk.h"
#include "styles/style_loader.h"

#include <gtest/gtest.h>

// A loader with scripted dialogs and a view that records what the load asked of it.
class LoadHarness : public LoadView {
public:
    LoadHarness() : file(CurrentFile::withServices()), loader(file, dialogs, *this) {}

    void SetReportCommandsEnabled(bool enabled) override { reportCommandsEnabled = enabled; }
    void ShowFileInfo() override { ++fileInfoShown; }

    // Writes the bytes as `name` in the harness's folder and opens it.
    void load(const QByteArray &bytes, const QString &name = QStringLiteral("TEST.STY"))
    {
        loader.OpenStyleFile(folder.write(name, bytes));
    }

    [[nodiscard]] QStringList messages() const
    {
        QStringList texts;
        for (const auto &m : dialogs.shown)
            texts << m.prompt;
        return texts;
    }

    // What the load found, in one line: "<usable>+<ghost>:" and each shown style as
    // number@slot "name" size+supplementary [ghost], bytes outside printable ASCII as \xNN;
    // then every message shown, after " ! ".
    [[nodiscard]] QString summary() const;

    TestFolder folder;
    CurrentFile file;
    ScriptedDialogs dialogs;
    StyleLoader loader;
    bool reportCommandsEnabled = false;
    int fileInfoShown = 0;
};

// The summary of the bytes loaded as TEST.STY.
[[nodiscard]] QString LoadSummary(const QByteArray &bytes);
