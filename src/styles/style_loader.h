#pragma once

#include "current_file.h"
#include "load_view.h"
#include "platform/dialogs.h"

// Opens and loads style files into the current-file state. Every problem becomes one message box;
// a file that cannot be read at all leaves the previously loaded file loaded and shown.
class StyleLoader {
public:
    StyleLoader(CurrentFile &file, Dialogs &dialogs, LoadView &view);

    // An empty path asks the open chooser.
    void OpenStyleFile(const QString &path);
    void LoadStyleFile(const QString &path);

private:

    CurrentFile &mFile;
    Dialogs &mDialogs;
    LoadView &mView;
};
