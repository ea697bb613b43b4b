#pragma once

#include "format_parameters.h"
#include "pa80_styles.h"
#include "platform/file_service.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>

// The state of the loaded file, which every part of the program reads.
struct CurrentFile {
    QString SelectedPath;
    QString FileName;
    qint32 FileSize = 0;
    QString FileDate;          // "dd/mm/yyyy"
    QDateTime FileModified;    // the same moment, for machine-readable output
    QByteArray FormatTag;
    bool Pa1XFlag = false;     // kept while files of other formats are loaded
    bool NewerPaDirectory = false;  // a "KORF" file whose directory has variable-length records
    qint16 UsableCount = 0;
    qint16 GhostCount = 0;
    std::unique_ptr<Pa80Styles> StyleList;
    std::unique_ptr<::FileService> FileService;
    ::FormatParameters FormatParameters;

    // A state with both services, as start-up leaves it.
    static CurrentFile withServices()
    {
        CurrentFile file;
        file.FileService = std::make_unique<::FileService>();
        file.StyleList = std::make_unique<Pa80Styles>();
        return file;
    }
};
