#include "help/frm_about.h"
#include "help/frm_help.h"
#include "help/help_page_text.h"
#include "qt_printers.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <functional>

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
    const struct {
        QString caption;
        qint16 page;
        QString text;
    } cases[] = {
        {Captions[0], 0, "\r\nHow to open a .STY file\r\n\r\nClick on File menu, choose Open, select a .STY file and click on Open button!"},
        {Captions[1], 1, "\r\nHow to export .STY file informations to a .TXT file\r\n\r\nClick on File menu, choose Export Info, "
                         "select a .TXT file and write it!"},
        {Captions[2], 2, "\r\nHow to print .STY file informations\r\n\r\nClick on File menu, choose Print Info and start "
                         "printing to the default printer!"},
        {Captions[0], 3, "\r\nHow to open a .STY file\r\n\r\n"},
        {Captions[0], -1, "\r\nHow to open a .STY file\r\n\r\n"},
        {"read ... this... ", 9, "\r\nHow to read this\r\n\r\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(HelpPageText(c.caption, c.page), c.text) << c.page;
}

TEST(HelpWindow, NextAndPreviousGoRoundTheRingFromEveryPage)
{
    for (int start = 0; start < 3; ++start) {
        frmHelp help(Captions);
        help.showPage(start);
        for (int step = 1; step <= 3; ++step) {
            QTest::mouseClick(help.cbNext, Qt::LeftButton);
            EXPECT_EQ(shownPage(help), (start + step) % 3);
        }
        for (int step = 1; step <= 3; ++step) {
            QTest::mouseClick(help.cbPrevious, Qt::LeftButton);
            EXPECT_EQ(shownPage(help), (start + 3 - step) % 3);
        }
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
}

TEST(AboutBox, WhatClosesIt)
{
    const struct {
        const char *label;
        std::function<void(frmAbout &)> act;
        bool closes;
    } cases[] = {
        // The release of the Return that chose "About" in the menu reaches the box too.
        {"a key released only", [](frmAbout &a) { QTest::keyRelease(&a, Qt::Key_Return); }, false},
        {"a key pressed", [](frmAbout &a) { QTest::keyPress(&a, Qt::Key_A); }, false},
        {"a key pressed and released", [](frmAbout &a) { QTest::keyClick(&a, Qt::Key_A); }, true},
        {"clicks on the notices", [](frmAbout &a) { for (QLabel *n : a.Label1) QTest::mouseClick(n, Qt::LeftButton); }, false},
        {"a double-click on a notice", [](frmAbout &a) { QTest::mouseDClick(a.Label1[1], Qt::LeftButton); }, true},
        {"a press on the picture", [](frmAbout &a) { QTest::mousePress(a.Image1, Qt::RightButton, {}, QPoint(100, 50)); }, false},
        {"a right click on the picture", [](frmAbout &a) { QTest::mouseClick(a.Image1, Qt::RightButton, {}, QPoint(100, 50)); }, true},
        {"a left click on the picture", [](frmAbout &a) { QTest::mouseClick(a.Image1, Qt::LeftButton, {}, QPoint(100, 50)); }, true},
    };
    for (const auto &c : cases) {
        frmAbout about;
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
        c.act(about);
        EXPECT_EQ(about.isVisible(), !c.closes) << c.label;
    }
}
