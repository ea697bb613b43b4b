#include "help/frm_help.h"
#include "help/help_page_text.h"
#include "mainwindow/command_line.h"
#include "window_harness.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
const QColor White(255, 255, 255);
const QColor LightRed(255, 192, 192);
}

TEST(MainWindow, OpensEmptyWithReportCommandsDisabled)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    EXPECT_EQ(h.window.windowTitle(), QStringLiteral("Quarv - Brennix (3.00)"));
    EXPECT_FALSE(h.window.mF[2]->isEnabled());
    EXPECT_FALSE(h.window.mF[3]->isEnabled());
    EXPECT_FALSE(h.window.VScroll->isEnabled());
    for (const QLabel *label : h.window.lbData)
        EXPECT_TRUE(label->text().isEmpty());
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(h.row(r), (QStringList{{}, {}, {}}));
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_EQ(h.window.centralWidget()->size(), QSize(415, 278));
    EXPECT_EQ(h.window.minimumSize(), h.window.maximumSize()) << "the window has a fixed size";
}

TEST(CommandLine, JoinsArgumentsAndDropsQuotes)
{
    const char *const quoted[] = {"quarv", "\"/tmp/my", "folder/My", "Set.STY\""};
    EXPECT_EQ(CommandLineText(4, quoted), QStringLiteral("/tmp/my folder/My Set.STY"));
    const char *const withQtOptions[] = {"quarv", "-style", "fusion", "a\"b.sty"};
    EXPECT_EQ(CommandLineText(4, withQtOptions), QStringLiteral("-style fusion ab.sty"));
    const char *const none[] = {"quarv"};
    EXPECT_TRUE(CommandLineText(1, none).isEmpty());
}

TEST(MainWindow, CommandLineOpensAQuotedPathWithBlanksBeforeShowing)
{
    WindowHarness h;
    const QString path = h.folder.write(QStringLiteral("My Set.sty"), KorgmWithStyles(3));
    h.window.Form_Load(QLatin1Char('"') + path + QLatin1Char('"'));
    EXPECT_FALSE(h.window.isVisible());
    EXPECT_EQ(h.window.lbData[0]->text(), QStringLiteral(" My Set.sty"));
    EXPECT_TRUE(h.window.mF[3]->isEnabled());
}

TEST(MainWindow, CommandLineWithARefusedNameShowsTheMessageFirst)
{
    WindowHarness h;
    h.window.Form_Load(QStringLiteral("\"notes.txt\""));
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(h.dialogs.shown[0].prompt, QStringLiteral("Unknown File Type!"));
    EXPECT_FALSE(h.window.isVisible());
    EXPECT_TRUE(h.window.lbData[0]->text().isEmpty());
}

TEST(MainWindow, PanelCaptionsCarryTheirBlanks)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    const QByteArray bytes = ISeriesFileBuilder("KORG9").slot(1300, "A    ").slot(0).slot(300, "B         ").build();
    h.open(bytes, QStringLiteral("I3SET.STY"));
    QStringList captions;
    for (const QLabel *label : h.window.lbData)
        captions << label->text();
    EXPECT_EQ(captions, (QStringList{" I3SET.STY", "1,696 ", "15/03/2004 ", " i3,i2,i1,i4s (KORG9)", "1 ", "1 "}));
    EXPECT_EQ(h.row(0), (QStringList{"01 ", " A    FGHIJ", "1,300 "})) << "a usable name is shown raw";
    EXPECT_EQ(h.row(1), (QStringList{"03 ", " B", "300 "}));
    EXPECT_EQ(h.row(2), (QStringList{{}, {}, {}}));
}

TEST(MainWindow, FamilyCaptions)
{
    struct Case {
        QByteArray bytes;
        QString family;
    };
    const std::vector<Case> cases = {
        {PaFileBuilder().style("A", 100).build().bytes, " Pa50/60/80 (KORF)"},
        {PaFileBuilder().pa1x().style("A", 100).build().bytes, " Pa1X/Pro (KORF)"},
        {PaFileBuilder().newerDirectory().pa1x().style("A", 100).build().bytes, " Pa-series (KORF)"},
        {ISeriesFileBuilder("KORGI").slot(1300).build(), " i30 (KORGI)"},
        {ISeriesFileBuilder("KORGM").slot(1300).build(), " iS40,iS50 (KORGM)"},
        {ISeriesFileBuilder("KORG<").slot(1300).build(), " i5 (KORG<)"},
        {QByteArray("NOTASTYLEFILE"), " Unknown format"},
    };
    WindowHarness h;
    for (const Case &c : cases) {
        h.dialogs.shown.clear();
        h.open(c.bytes);
        EXPECT_EQ(h.window.lbData[3]->text(), c.family);
    }
}

TEST(MainWindow, ReportCommandsFollowTheLastLoad)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    h.open(KorgmWithStyles(2));
    EXPECT_TRUE(h.window.mF[2]->isEnabled());
    EXPECT_TRUE(h.window.mF[3]->isEnabled());
    h.open("GARBAGE");
    EXPECT_FALSE(h.window.mF[2]->isEnabled());
    EXPECT_FALSE(h.window.mF[3]->isEnabled());
    EXPECT_EQ(h.window.lbData[4]->text(), QStringLiteral("0 "));
    h.open(KorgmWithStyles(2, {1, 2}));  // ghosts only
    EXPECT_TRUE(h.window.mF[3]->isEnabled());
    h.open(ISeriesFileBuilder("KORGM").build());  // 48 empty slots
    EXPECT_FALSE(h.window.mF[3]->isEnabled());
    EXPECT_EQ(h.row(0), (QStringList{{}, {}, {}}));
}

TEST(MainWindow, ScrollRangeFollowsTheNumberOfStyles)
{
    struct Case {
        int styles;
        bool enabled;
        int maximum;
    };
    for (const Case c : {Case{0, false, 0}, Case{16, false, 0}, Case{17, true, 2}, Case{40, true, 25}}) {
        WindowHarness h;
        h.window.Form_Load(QString());
        h.open(KorgmWithStyles(c.styles));
        EXPECT_EQ(h.window.VScroll->isEnabled(), c.enabled) << c.styles;
        if (c.enabled) {
            EXPECT_EQ(h.window.VScroll->minimum(), 1);
            EXPECT_EQ(h.window.VScroll->maximum(), c.maximum);
        }
        const int filled = std::min(c.styles, 16);
        EXPECT_EQ(h.window.PageLast, filled);
        for (int r = 0; r < 16; ++r)
            EXPECT_EQ(h.row(r)[0].isEmpty(), r >= filled) << c.styles << " row " << r;
    }
}

TEST(MainWindow, ScrollingShowsEveryStyleAndRecoloursGhostRows)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    h.open(KorgmWithStyles(40, {3}));
    EXPECT_EQ(BackgroundOf(h.window.lbColumn0[2]), LightRed);
    EXPECT_EQ(BackgroundOf(h.window.lbColumn1[2]), LightRed);
    EXPECT_EQ(BackgroundOf(h.window.lbColumn2[2]), White);

    h.window.VScroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(h.window.PageFirst, 2);
    EXPECT_EQ(h.row(0)[0], QStringLiteral("02 "));
    EXPECT_EQ(h.row(15)[0], QStringLiteral("17 "));
    EXPECT_EQ(h.row(1)[1], QStringLiteral(" Style 3"));
    EXPECT_EQ(BackgroundOf(h.window.lbColumn0[1]), LightRed);
    EXPECT_EQ(BackgroundOf(h.window.lbColumn0[2]), White) << "the ghost moved up one row";

    h.window.VScroll->setValue(25);
    EXPECT_EQ(h.row(0)[0], QStringLiteral("25 "));
    EXPECT_EQ(h.row(15), (QStringList{"40 ", " Style 40   ", "1,240 "}));
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(BackgroundOf(h.window.lbColumn1[std::size_t(r)]), White);
}

TEST(MainWindow, DraggingTheThumbChangesNothingUntilReleased)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    h.open(KorgmWithStyles(40));
    h.window.VScroll->setSliderDown(true);
    h.window.VScroll->setSliderPosition(10);
    EXPECT_EQ(h.row(0)[0], QStringLiteral("01 "));
    h.window.VScroll->setSliderDown(false);
    EXPECT_EQ(h.row(0)[0], QStringLiteral("10 "));
}

TEST(MainWindow, ASmallerFileAfterALargerOneStartsClean)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    h.open(KorgmWithStyles(40, {30}));
    h.window.VScroll->setValue(20);
    h.open(KorgmWithStyles(3));
    EXPECT_FALSE(h.window.VScroll->isEnabled());
    EXPECT_EQ(h.window.VScroll->value(), h.window.VScroll->minimum());
    EXPECT_EQ(h.row(0)[0], QStringLiteral("01 "));
    for (int r = 3; r < 16; ++r) {
        EXPECT_EQ(h.row(r), (QStringList{{}, {}, {}}));
        EXPECT_EQ(BackgroundOf(h.window.lbColumn0[std::size_t(r)]), White);
    }
    h.open(KorgmWithStyles(20));
    EXPECT_EQ(h.window.VScroll->value(), 1) << "a new file shows its first page";
    EXPECT_EQ(h.row(0)[0], QStringLiteral("01 "));
}

TEST(MainWindow, PaStylesShowBothPartsTogether)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    h.open(PaFileBuilder().style("Pop", 2700).style("Rock", 2000).performance(3000).performance(1879).build().bytes);
    EXPECT_EQ(h.row(0), (QStringList{"01 ", " Pop", "5,700 "}));
    EXPECT_EQ(h.row(1), (QStringList{"02 ", " Rock", "3,879 "}));
}

TEST(MainWindow, ExportConfirmationAnsweredNoWritesNothing)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    h.open(KorgmWithStyles(2));
    h.dialogs.answer(AnswerNo);
    h.window.mF[3]->trigger();
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(h.dialogs.shown[0].prompt, QStringLiteral("Confirm information data export to text file?"));
    EXPECT_EQ(h.dialogs.shown[0].style, 292);
    EXPECT_TRUE(h.dialogs.suggestedNames.isEmpty()) << "the save chooser must not open";
}

TEST(MainWindow, ShortcutsOpenAndQuit)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    h.window.show();
    QApplication::setActiveWindow(&h.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window));

    const QString path = h.folder.write(QStringLiteral("KEYS.STY"), KorgmWithStyles(1));
    h.dialogs.choose(path);
    QTest::keyClick(&h.window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(h.dialogs.styleChooserCalls, 1);
    EXPECT_EQ(h.window.lbData[0]->text(), QStringLiteral(" KEYS.STY"));

    QTest::keyClick(&h.window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(h.window.isVisible());
    EXPECT_EQ(h.file.StyleList, nullptr);
    EXPECT_EQ(h.file.FileService, nullptr);
}

TEST(MainWindow, CloseBoxReleasesTheServices)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    h.window.show();
    EXPECT_TRUE(h.window.close());
    EXPECT_EQ(h.file.StyleList, nullptr);
    EXPECT_EQ(h.file.FileService, nullptr);
    EXPECT_TRUE(h.dialogs.shown.isEmpty()) << "closing asks nothing";
}

TEST(MainWindow, DroppingAFileOpensItLikeOpen)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    const QString good = h.folder.write(QStringLiteral("DROP.STY"), KorgmWithStyles(2));
    const auto drop = [&](const QString &path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&h.window, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&h.window, &event);
    };
    drop(good);
    EXPECT_EQ(h.window.lbData[0]->text(), QStringLiteral(" DROP.STY"));
    drop(h.folder.write(QStringLiteral("notes.txt"), "x"));
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(h.dialogs.shown[0].prompt, QStringLiteral("Unknown File Type!"));
}

TEST(MainWindow, WheelMovesOneStylePerNotch)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    h.open(KorgmWithStyles(40));
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(250, 100), QPointF(250, 100), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&h.window, &event);
    };
    wheel(-120);
    EXPECT_EQ(h.window.VScroll->value(), 2);
    wheel(-360);
    EXPECT_EQ(h.row(0)[0], QStringLiteral("05 "));
    wheel(120);
    EXPECT_EQ(h.window.VScroll->value(), 4);
}

TEST(MainWindow, EveryCaptionFitsItsCell)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    PaFileBuilder big;
    for (int i = 0; i < 32; ++i)
        big.style("Rock Ballad", 500000).performance(20000);
    h.open(big.build().bytes, QStringLiteral("BIGGEST.STY"));
    std::vector<const QLabel *> labels;
    for (const auto *group : {&h.window.lbFields, &h.window.lbData})
        labels.insert(labels.end(), group->begin(), group->end());
    labels.insert(labels.end(), h.window.lbColumnHead.begin(), h.window.lbColumnHead.end());
    for (int r = 0; r < 16; ++r)
        labels.insert(labels.end(), {h.window.lbColumn0[std::size_t(r)], h.window.lbColumn1[std::size_t(r)],
                                     h.window.lbColumn2[std::size_t(r)]});
    for (const QLabel *label : labels)
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
            << label->text().toStdString();
    for (const char *family : {" iS40,iS50 (KORGM)", " i3,i2,i1,i4s (KORG9)"})
        EXPECT_LE(h.window.lbData[3]->fontMetrics().horizontalAdvance(QString::fromLatin1(family)),
                  h.window.lbData[3]->contentsRect().width());
}

TEST(MainWindow, HelpItemsOpenTheirPageAndAboutOpensTheBox)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    QString shownText;
    QString shownTitle;
    QString shownClass;
    // The windows are modal: look at them once they are up, then close them.
    const auto closeWhenShown = [&] {
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            shownTitle = modal->windowTitle();
            shownClass = QString::fromLatin1(modal->metaObject()->className());
            if (auto *help = qobject_cast<frmHelp *>(modal))
                shownText = help->lbHelp->text();
            modal->close();
        });
    };
    closeWhenShown();
    h.window.mhp[1]->trigger();
    EXPECT_EQ(shownClass, QStringLiteral("frmHelp"));
    EXPECT_EQ(shownTitle, QStringLiteral("Using Quarv"));
    EXPECT_EQ(shownText, HelpPageText(h.window.mhp[1]->text(), 1));

    shownText.clear();
    closeWhenShown();
    h.window.mh[2]->trigger();
    EXPECT_EQ(shownClass, QStringLiteral("frmAbout"));
    EXPECT_TRUE(shownTitle.isEmpty()) << "the About box has no caption";
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
}
