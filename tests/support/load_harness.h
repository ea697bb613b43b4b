#pragma once

#include "qt_printers.h"
#include "style_files_on_disk.h"
#include "styles/style_loader.h"

// Writes the bytes as `name` into the folder and loads them through the real file service.
[[nodiscard]] LoadResult loadBytes(TestFolder &folder, const QByteArray &bytes, const QString &name = QStringLiteral("TEST.STY"));

// A load's outcome in one line: "<usable>+<ghost>:" and each style as number@slot "name"
// size+supplementary [ghost], bytes outside printable ASCII as \xNN ("no file" when the file
// could not be read at all); then the message, if any, after " ! ".
[[nodiscard]] QString summary(const LoadResult &result);

// The summary of the bytes loaded as TEST.STY.
[[nodiscard]] QString loadSummary(const QByteArray &bytes);
