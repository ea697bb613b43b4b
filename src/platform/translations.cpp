#include "translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

void installTranslations()
{
    static QTranslator translator;
    const QString folder = QStringLiteral(":/i18n");
    if (translator.load(QLocale(), QStringLiteral("quarv"), QStringLiteral("_"), folder)
        || translator.load(QStringLiteral("quarv_en"), folder))
        QCoreApplication::installTranslator(&translator);
}
