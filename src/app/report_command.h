#pragma once

#include <QStringList>

#include <cstdio>

// quarv-report: loads each FILE as the window's command line would and writes what "Export Info"
// would write (or, with --json, one JSON document). Messages go to stderr, one line each.
// Returns 0 when no file raised a message, 1 when one did, 2 for a usage error.
int runReportCommand(const QStringList &arguments, std::FILE *out, std::FILE *err);
