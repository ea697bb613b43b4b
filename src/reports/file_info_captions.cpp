#include "file_info_captions.h"

#include "number_format.h"
#include "platform/file_name.h"

#include <QCoreApplication>

FileInfoCaptions fileInfoCaptions(const StyleFile &file)
{
    const QString family = file.family();
    return {
        QLatin1Char(' ') + displayFileName(file.name()),
        formatGrouped(file.size) + QLatin1Char(' '),
        formatDate(inSystemZone(file.modified).date()) + QLatin1Char(' '),
        QLatin1Char(' ')
            + (family.isNull() ? QCoreApplication::translate("FileInfoPanel", "Unknown format")
                               : family),
        QString::number(file.usableCount()) + QLatin1Char(' '),
        QString::number(file.ghostCount()) + QLatin1Char(' '),
    };
}
