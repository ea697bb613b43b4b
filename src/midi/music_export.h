#pragma once

#include "platform/file_service.h"
#include "platform/problem.h"
#include "styles/stop_flag.h"
#include "styles/style_file.h"

#include <QList>
#include <QStringList>

// What to export of a bank: where to (the current folder when empty), which styles (by number;
// all when none is named), and whether files already there are replaced.
struct MusicExportOptions {
    QString folder;
    QList<int> styles;
    bool replace = false;
};

// What an export did: the files written, what went wrong (files not written, damaged styles and
// chord variations), and the styles whose music is not known (i-series banks, older generations,
// encrypted styles), which is no fault.
struct MusicExport {
    QStringList written;
    QList<Problem> problems;
    QList<Problem> notKnown;
};

// The music of a bank's styles as the instrument exports it, one Standard MIDI File for each
// chord variation that holds music, below the folder:
// <bank file name>/<NN> <style name>/<element>-CV<n>.MID ("V1-CV1.MID"). Names from the file are
// escaped for the file system as the CSV escapes them, a "/" as "\x2f"; trailing blanks go. Each
// file is written whole or not at all; one already there stays unless `replace`. Once `stop` is
// set, the styles not yet exported are left.
[[nodiscard]] MusicExport exportStyleMusic(const StyleFile &file, const FileService &files,
    const MusicExportOptions &options, const StopFlag *stop = nullptr);

// The folder of a style's files below the export folder: "PA700DEMO.STY/03 Irish Jig".
[[nodiscard]] QString styleMusicFolder(const StyleFile &file, const StyleEntry &style);
