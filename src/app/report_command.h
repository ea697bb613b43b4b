#pragma once

#include "platform/file_service.h"

#include <QStringList>

#include <cstdio>

// quarv-report: for each FILE, or each style file below a FOLDER, writes what "Export Info" would
// write (or, with --json or --csv, one document for all of them). Messages go to `err`, one line
// each, in the order of the arguments. Returns 0 when no file raised a message, 1 when one did or
// when `out` could not be written to, 2 for a usage error.
int runReportCommand(
    const QStringList &arguments, std::FILE *out, std::FILE *err, const FileService &files);
