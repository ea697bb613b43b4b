#pragma once

#include "styles/style_file.h"

// The loaded file's facts as the file information panel shows them and the reports write them:
// its name, size, date, family (or "Unknown format"), and its usable and ghost styles.
struct FileInfoCaptions {
    QString name;
    QString size;
    QString date;
    QString family;
    QString usable;
    QString ghosts;
};

[[nodiscard]] FileInfoCaptions fileInfoCaptions(const StyleFile &file);
