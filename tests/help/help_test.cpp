#include "help/about_box.h"
#include "help/help_window.h"
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

int shownPage(const HelpWindow &help)
{
    const QString text = help.findChild<QLabel *>(QStringLiteral("helpText"))->text();
    for (int page = 0; page < 3; ++page) {
        if (text == helpPageText(Captions[std::size_t(page)], page))
            return page;
    }
    return -1;
}

QPushButton *button(const HelpWindow &help, const char *text)
{
    for (QPushButton *b : help.findChildren<QPushButton *>()) {
        if (b->text() == QLatin1String(text))
            return b;
    }
    return nullptr;
}
QLabel *notice(const AboutBox &box, int i) { return box.findChild<QLabel *>(QStringLiteral("notice%1").arg(i)); }
QLabel *picture(const AboutBox &box) { return box.findChild<QLabel *>(QStringLiteral("picture")); }

} // namespace

TEST(HelpPageText, HeadingAndBody)
{
    const struct {
        QString caption;
        int page;
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
        EXPECT_EQ(helpPageText(c.caption, c.page), c.text) << c.page;
}

TEST(HelpWindow, NextAndPreviousGoRoundTheRingFromEveryPage)
{
    for (int start = 0; start < 3; ++start) {
        HelpWindow help(Captions);
        help.showPage(start);
        for (int step = 1; step <= 3; ++step) {
            QTest::mouseClick(button(help, "Next"), Qt::LeftButton);
            EXPECT_EQ(shownPage(help), (start + step) % 3);
        }
        for (int step = 1; step <= 3; ++step) {
            QTest::mouseClick(button(help, "Previous"), Qt::LeftButton);
            EXPECT_EQ(shownPage(help), (start + 3 - step) % 3);
        }
    }
}

TEST(HelpWindow, AnyKeyClosesWhicheverControlHasTheFocus)
{
    HelpWindow help(Captions);
    help.showPage(1);
    help.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    QTest::mouseClick(button(help, "Next"), Qt::LeftButton);
    EXPECT_TRUE(help.isVisible()) << "a click on Next does not close";
    button(help, "Next")->setFocus();
    QTest::keyClick(button(help, "Next"), Qt::Key_Space);
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(shownPage(help), 2) << "the key closed instead of pressing the button";

    help.show();
    QTest::mouseClick(button(help, "Exit"), Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
}

TEST(AboutBox, WhatClosesIt)
{
    const struct {
        const char *label;
        std::function<void(AboutBox &)> act;
        bool closes;
    } cases[] = {
        // The release of the Return that chose "About" in the menu reaches the box too.
        {"a key released only", [](AboutBox &a) { QTest::keyRelease(&a, Qt::Key_Return); }, false},
        {"a key pressed", [](AboutBox &a) { QTest::keyPress(&a, Qt::Key_A); }, false},
        {"a key pressed and released", [](AboutBox &a) { QTest::keyClick(&a, Qt::Key_A); }, true},
        {"clicks on the notices", [](AboutBox &a) { for (int i = 0; i < 3; ++i) QTest::mouseClick(notice(a, i), Qt::LeftButton); }, false},
        {"a double-click on a notice", [](AboutBox &a) { QTest::mouseDClick(notice(a, 1), Qt::LeftButton); }, true},
        {"a press on the picture", [](AboutBox &a) { QTest::mousePress(picture(a), Qt::RightButton, {}, QPoint(100, 50)); }, false},
        {"a right click on the picture", [](AboutBox &a) { QTest::mouseClick(picture(a), Qt::RightButton, {}, QPoint(100, 50)); }, true},
        {"a left click on the picture", [](AboutBox &a) { QTest::mouseClick(picture(a), Qt::LeftButton, {}, QPoint(100, 50)); }, true},
    };
    for (const auto &c : cases) {
        AboutBox about;
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
        c.act(about);
        EXPECT_EQ(about.isVisible(), !c.closes) << c.label;
    }
}
