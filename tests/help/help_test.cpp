#include "help/frm_about.h"
#include "help/frm_help.h"
#include "help/help_page_text.h"
#include "qt_printers.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {
const std::array<QString, 3> Captions = {QStringLiteral("... open a .STY file"),
                                         QStringLiteral("... export .STY file informations to a .TXT file"),
                                         QStringLiteral("... print .STY file informations")};

int shownPage(const frmHelp &help)
{
    for (int page = 0; page < 3; ++page) {
        if (help.lbHelp->text() == HelpPageText(Captions[std::size_t(page)], qint16(page)))
            return page;
    }
    return -1;
}
} // namespace

TEST(HelpPageText, HeadingAndBody)
{
    EXPECT_EQ(HelpPageText(Captions[0], 0),
              QStringLiteral("\r\nHow to open a .STY file\r\n\r\nClick on File menu, choose Open, select a .STY file "
                             "and click on Open button!"));
    EXPECT_TRUE(HelpPageText(Captions[2], 2).endsWith(QStringLiteral("start printing to the default printer!")));
    EXPECT_TRUE(HelpPageText(Captions[1], 1).endsWith(QStringLiteral("select a .TXT file and write it!")));
    EXPECT_EQ(HelpPageText(Captions[0], 3), QStringLiteral("\r\nHow to open a .STY file\r\n\r\n"));
    EXPECT_EQ(HelpPageText(Captions[0], -1), QStringLiteral("\r\nHow to open a .STY file\r\n\r\n"));
    EXPECT_EQ(HelpPageText(QStringLiteral("read ... this... "), 9), QStringLiteral("\r\nHow to read this\r\n\r\n"));
    EXPECT_EQ(HelpPageText(QStringLiteral("plain caption"), 9), QStringLiteral("\r\nHow to plain caption\r\n\r\n"));
}

TEST(HelpWindow, NextAndPreviousGoRoundTheRingFromEveryPage)
{
    for (int start = 0; start < 3; ++start) {
        frmHelp help(Captions);
        help.showPage(start);
        EXPECT_EQ(help.windowTitle(), QStringLiteral("Using Quarv"));
        for (int step = 1; step <= 3; ++step) {
            QTest::mouseClick(help.cbNext, Qt::LeftButton);
            EXPECT_EQ(shownPage(help), (start + step) % 3);
            EXPECT_EQ(help.lbHelp->toolTip(), QStringLiteral("Press any key to exit"));
        }
        for (int step = 1; step <= 3; ++step) {
            QTest::mouseClick(help.cbPrevious, Qt::LeftButton);
            EXPECT_EQ(shownPage(help), (start + 3 - step) % 3);
        }
        EXPECT_EQ(help.cbNext->property("Tag").toString(), QString::number((start + 1) % 3));
        EXPECT_EQ(help.cbPrevious->property("Tag").toString(), QString::number((start + 2) % 3));
    }
}

TEST(HelpWindow, AnyKeyClosesWhicheverControlHasTheFocus)
{
    frmHelp help(Captions);
    help.showPage(1);
    help.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    QTest::mouseClick(help.cbNext, Qt::LeftButton);
    EXPECT_TRUE(help.isVisible()) << "a click on Next does not close";
    help.cbNext->setFocus();
    QTest::keyClick(help.cbNext, Qt::Key_Space);
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(shownPage(help), 2) << "the key closed instead of pressing the button";

    help.show();
    QTest::mouseClick(help.cbExit, Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(help.cbExit->toolTip(), QStringLiteral("Exit"));
}

TEST(AboutBox, ClosesOnKeyReleaseNotPress)
{
    frmAbout about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(about.Image1->toolTip(), QStringLiteral("Quarv - Brennix 3.00 (August 2004)"));
    for (const QLabel *notice : about.Label1)
        EXPECT_TRUE(notice->toolTip().isEmpty());
    QTest::keyRelease(&about, Qt::Key_Return);
    EXPECT_TRUE(about.isVisible()) << "the release of the key that opened the box does not close it";
    QTest::keyPress(&about, Qt::Key_A);
    EXPECT_TRUE(about.isVisible());
    QTest::keyRelease(&about, Qt::Key_A);
    EXPECT_FALSE(about.isVisible());
}

TEST(AboutBox, NoticesCloseOnDoubleClickOnly)
{
    frmAbout about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    for (QLabel *notice : about.Label1) {
        QTest::mouseClick(notice, Qt::LeftButton);
        EXPECT_TRUE(about.isVisible()) << notice->text().toStdString();
        EXPECT_EQ(notice->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    }
    QTest::mouseDClick(about.Label1[1], Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST(AboutBox, AReleaseOnThePictureClosesWithAnyButton)
{
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        frmAbout about;
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
        QTest::mousePress(about.Image1, button, {}, QPoint(100, 50));
        EXPECT_TRUE(about.isVisible());
        QTest::mouseRelease(about.Image1, button, {}, QPoint(100, 50));
        EXPECT_FALSE(about.isVisible());
    }
}
