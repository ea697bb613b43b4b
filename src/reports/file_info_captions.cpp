#include "file_info_captions.h"

#include "number_format.h"
#include "styles/family_text.h"

FileInfoCaptions FileInfoCaptionsFor(const CurrentFile &file)
{
    const QString family = FamilyText(file);
    return {
        QLatin1Char(' ') + file.FileName,
        FormatGrouped(file.FileSize) + QLatin1Char(' '),
        file.FileDate + QLatin1Char(' '),
        family.isNull() ? UnknownFamilyCaption : family,
        QString::number(file.UsableCount) + QLatin1Char(' '),
        QString::number(file.GhostCount) + QLatin1Char(' '),
    };
}
