#include "file_info_captions.h"

#include "number_format.h"
#include "platform/file_name.h"

#include <QCoreApplication>

FileInfoCaptions fileInfoCaptions(const StyleFile &file)
{
    const QString family = file.family();
    return {
        displayFileName(file.name()),
        formatGrouped(file.size),
        formatDate(inSystemZone(file.modified).date()),
        family.isNull() ? QCoreApplication::translate("FileInfoPanel", "Unknown format") : family,
        QString::number(file.usableCount()),
        QString::number(file.ghostCount()),
    };
}
