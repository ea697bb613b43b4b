#include "dialogs.h"

#include <QStringList>

QString fileFilter(const QString &what, QStringView extension)
{
    // Every mix of small and capital letters, counted as bits: "sty", "stY", ... "STY".
    QStringList patterns;
    for (int capitals = 0; capitals < 1 << extension.size(); ++capitals) {
        QString pattern = QStringLiteral("*.");
        for (qsizetype i = 0; i < extension.size(); ++i) {
            const QChar c = extension[i];
            pattern += capitals & 1 << (extension.size() - 1 - i) ? c.toUpper() : c.toLower();
        }
        patterns << pattern;
    }
    return QStringLiteral("%1 (%2)").arg(what, patterns.join(QLatin1Char(' ')));
}
