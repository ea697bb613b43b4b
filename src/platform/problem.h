#pragma once

#include "message.h"

#include <QString>

// What went wrong, and where: the one shape in which a problem leaves the core. Each output makes
// its words from it: the window a box, quarv-report a line, the library window a list entry.
struct Problem {
    enum class Kind {
        NotAStyleFile,     // a name that does not end in ".STY"
        InDevelopment,     // a ".PRF" file
        UnknownFormat,     // a file of a format Quarv does not read
        DamagedFile,       // detail: what is wrong with the file's tables
        DamagedStyle,      // detail: which style, and what is wrong with its data
        CannotRead,        // detail: the system's reason
        CannotWrite,       // detail: the system's reason
        CannotPrint,       // detail: the printer's reason
        NoStyleFiles,      // a folder with no style file below it
        UnreadableFolder,  // detail: the system's reason
        DamagedMusic,      // detail: which style, element and chord variation, and what is wrong
        MusicNotKnown,     // detail: which style
    };

    Kind kind;
    QString path;  // the file or folder it concerns; empty where there is none
    QString detail;

    // The problem in words, one line: "Cannot read /home/me/A.STY: Permission denied."
    [[nodiscard]] QString text() const;
    // The same as the window shows it, with its title and icon.
    [[nodiscard]] Message message() const;
};
