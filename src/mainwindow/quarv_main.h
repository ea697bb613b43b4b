#pragma once

#include "styles/current_file.h"

// Start-up: creates the file service and the empty style list, shows the main window (which
// opens the command line's file first) and runs until the window is closed.
int Main(int argc, char **argv);

// Releases the style list first, then the file service.
void ReleaseServices(CurrentFile &file);
