#ifdef QUARV_TEST_WITH_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif
#include "platform/translations.h"

#include <QLocale>

#include <gtest/gtest.h>

// Every test binary runs with an application object, headless unless told otherwise, in a fixed
// English locale so that number formats are the same on every machine.
int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    TestApplication app(argc, argv);
    installTranslations();
    return RUN_ALL_TESTS();
}
