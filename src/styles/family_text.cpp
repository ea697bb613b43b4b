#include "family_text.h"

QString FamilyText(const CurrentFile &file)
{
    const QByteArray &tag = file.FormatTag;
    if (tag == "KORF") {
        if (file.NewerPaDirectory)
            return QStringLiteral(" Pa-series (KORF)");
        return file.Pa1XFlag ? QStringLiteral(" Pa1X/Pro (KORF)") : QStringLiteral(" Pa50/60/80 (KORF)");
    }
    if (tag == "KORGI")
        return QStringLiteral(" i30 (KORGI)");
    if (tag == "KORGM")
        return QStringLiteral(" iS40,iS50 (KORGM)");
    if (tag == "KORG9")
        return QStringLiteral(" i3,i2,i1,i4s (KORG9)");
    if (tag == "KORG<")
        return QStringLiteral(" i5 (KORG<)");
    return {};
}
