#include "help/frm_help.h"
#include "help/help_page_text.h"
#include "mainwindow/command_line.h"
#include "window_harness.h"

#include <QAction>
#include <QApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QColor White(255, 255, 255);
const QColor LightRed(255, 192, 192);

// The 16 rows as "number|name|size", a ghost row marked "*" (number and name light red, size white).
QStringList rows(const WindowHarness &h)
{
    QStringList out;
    for (int r = 0; r < 16; ++r) {
        const QStringList cells = h.row(r);
        const bool ghost = BackgroundOf(h.window.lbColumn0[std::size_t(r)]) == LightRed;
        EXPECT_EQ(BackgroundOf(h.window.lbColumn1[std::size_t(r)]), ghost ? LightRed : White) << r;
        EXPECT_EQ(BackgroundOf(h.window.lbColumn2[std::size_t(r)]), White) << r;
        out << cells.join(QLatin1Char('|')) + (ghost ? QStringLiteral("*") : QString());
    }
    return out;
}

// Rows for styles first..last of a KorgmWithStyles file, then empty rows.
QStringList expectedRows(int first, int last, int ghost = 0)
{
    QStringList out;
    for (int k = first; k <= last; ++k)
        out << QStringLiteral("%1 | %2|%3 %4")
                   .arg(k, 2, 10, QLatin1Char('0'))
                   .arg(k == ghost ? QStringLiteral("Style %1").arg(k) : QStringLiteral("Style %1").arg(k).leftJustified(11))
                   .arg(k == ghost ? QStringLiteral("500") : QStringLiteral("1,%1").arg(200 + k))
                   .arg(k == ghost ? QStringLiteral("*") : QString());
    while (out.size() < 16)
        out << QStringLiteral("||");
    return out;
}

} // namespace

TEST(MainWindow, OpensEmptyWithReportCommandsDisabled)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    EXPECT_EQ(h.window.windowTitle(), QStringLiteral("Quarv - Brennix (3.00)"));
    EXPECT_FALSE(h.window.mF[2]->isEnabled() || h.window.mF[3]->isEnabled() || h.window.VScroll->isEnabled());
    EXPECT_EQ(rows(h), expectedRows(1, 0));
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
}

TEST(CommandLine, JoinsArgumentsAndDropsQuotes)
{
    const char *const quoted[] = {"quarv", "\"/tmp/my", "folder/My", "Set.STY\""};
    EXPECT_EQ(CommandLineText(4, quoted), QStringLiteral("/tmp/my folder/My Set.STY"));
    const char *const none[] = {"quarv"};
    EXPECT_TRUE(CommandLineText(1, none).isEmpty());
}

// The command line's file is opened, or refused, before the window shows.
TEST(MainWindow, CommandLineOpensBeforeShowing)
{
    WindowHarness h;
    h.window.Form_Load(QStringLiteral("\"notes.txt\""));
    EXPECT_EQ(h.dialogs.shown.value(0).prompt, QStringLiteral("Unknown File Type!"));
    const QString path = h.folder.write(QStringLiteral("My Set.sty"), KorgmWithStyles(3));
    h.window.Form_Load(QLatin1Char('"') + path + QLatin1Char('"'));
    EXPECT_FALSE(h.window.isVisible());
    EXPECT_EQ(h.window.lbData[0]->text(), QStringLiteral(" My Set.sty"));
    EXPECT_TRUE(h.window.mF[3]->isEnabled());
}

TEST(MainWindow, PanelAndReportCommandsFollowTheLastLoad)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    const auto panel = [&] {
        QStringList captions;
        for (const QLabel *label : h.window.lbData)
            captions << label->text();
        return captions.join(QLatin1Char('|')) + (h.window.mF[2]->isEnabled() ? "|print" : "") + (h.window.mF[3]->isEnabled() ? "|export" : "");
    };
    h.open(ISeriesFileBuilder("KORG9").slot(1300, "A    ").slot(0).slot(300, "B         ").build(), QStringLiteral("I3SET.STY"));
    EXPECT_EQ(panel(), QStringLiteral(" I3SET.STY|1,696 |15/03/2004 | i3,i2,i1,i4s (KORG9)|1 |1 |print|export"));
    EXPECT_EQ(rows(h).mid(0, 3), (QStringList{"01 | A    FGHIJ|1,300 ", "03 | B|300 *", "||"}));
    h.open("GARBAGE");
    EXPECT_EQ(panel(), QStringLiteral(" TEST.STY|7 |15/03/2004 | Unknown format|0 |0 "));
    h.open(KorgmWithStyles(2, {1, 2}));
    EXPECT_EQ(panel(), QStringLiteral(" TEST.STY|1,224 |15/03/2004 | iS40,iS50 (KORGM)|0 |2 |print|export"));
    h.open(ISeriesFileBuilder("KORGM").build());
    EXPECT_EQ(panel(), QStringLiteral(" TEST.STY|224 |15/03/2004 | iS40,iS50 (KORGM)|0 |0 "));
    EXPECT_EQ(rows(h), expectedRows(1, 0));
}

TEST(MainWindow, ScrollRangeFollowsTheNumberOfStyles)
{
    const struct {
        int styles;
        bool enabled;
        int maximum;
    } cases[] = {{0, false, 0}, {16, false, 0}, {17, true, 2}, {40, true, 25}};
    for (const auto &c : cases) {
        WindowHarness h;
        h.window.Form_Load(QString());
        h.open(KorgmWithStyles(c.styles));
        EXPECT_EQ(h.window.VScroll->isEnabled(), c.enabled) << c.styles;
        if (c.enabled) {
            EXPECT_EQ(std::make_pair(h.window.VScroll->minimum(), h.window.VScroll->maximum()), std::make_pair(1, c.maximum));
        }
        EXPECT_EQ(rows(h), expectedRows(1, std::min(c.styles, 16))) << c.styles;
    }
}

// The bar, the wheel and a dragged thumb move the page one style at a time; a ghost keeps its
// colour as it moves, and a new file starts again at its first page.
TEST(MainWindow, ScrollingShowsEveryStyle)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    h.open(KorgmWithStyles(40, {3}));
    EXPECT_EQ(rows(h), expectedRows(1, 16, 3));
    h.window.VScroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(rows(h), expectedRows(2, 17, 3));
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(250, 100), QPointF(250, 100), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&h.window, &event);
    };
    wheel(-360);
    EXPECT_EQ(rows(h), expectedRows(5, 20, 3));
    wheel(120);
    EXPECT_EQ(h.window.VScroll->value(), 4);
    h.window.VScroll->setSliderDown(true);
    h.window.VScroll->setSliderPosition(25);
    EXPECT_EQ(rows(h), expectedRows(4, 19, 3)) << "nothing moves while the thumb is dragged";
    h.window.VScroll->setSliderDown(false);
    EXPECT_EQ(rows(h), expectedRows(25, 40, 3));

    h.open(KorgmWithStyles(3));
    EXPECT_EQ(rows(h), expectedRows(1, 3));
    EXPECT_FALSE(h.window.VScroll->isEnabled());
    h.open(KorgmWithStyles(20));
    EXPECT_EQ(h.window.VScroll->value(), 1);
    EXPECT_EQ(rows(h), expectedRows(1, 16));
}

TEST(MainWindow, PaStylesShowBothPartsTogether)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    h.open(PaFileBuilder().style("Pop", 2700).style("Rock", 2000).performance(3000).performance(1879).build().bytes);
    EXPECT_EQ(rows(h).mid(0, 3), (QStringList{"01 | Pop|5,700 ", "02 | Rock|3,879 ", "||"}));
}

TEST(MainWindow, ExportAsksFirst)
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

    h.dialogs.answer(AnswerYes);
    h.dialogs.choose(QString());
    h.window.mF[3]->trigger();
    EXPECT_EQ(h.dialogs.suggestedNames, QStringList{QStringLiteral("TEST.TXT")});
}

TEST(MainWindow, ShortcutsOpenAndQuit)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    h.window.show();
    QApplication::setActiveWindow(&h.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window));
    h.dialogs.choose(h.folder.write(QStringLiteral("KEYS.STY"), KorgmWithStyles(1)));
    QTest::keyClick(&h.window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(h.window.lbData[0]->text(), QStringLiteral(" KEYS.STY"));
    QTest::keyClick(&h.window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(h.window.isVisible());
    EXPECT_EQ(h.file.StyleList, nullptr);
    EXPECT_EQ(h.file.FileService, nullptr);
    EXPECT_TRUE(h.dialogs.shown.isEmpty()) << "closing asks nothing";
}

TEST(MainWindow, DroppingAFileOpensItLikeOpen)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    const auto drop = [&](const QString &path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&h.window, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&h.window, &event);
    };
    drop(h.folder.write(QStringLiteral("DROP.STY"), KorgmWithStyles(2)));
    EXPECT_EQ(h.window.lbData[0]->text(), QStringLiteral(" DROP.STY"));
    drop(h.folder.write(QStringLiteral("notes.txt"), "x"));
    EXPECT_EQ(h.dialogs.shown.value(0).prompt, QStringLiteral("Unknown File Type!"));
}

// The layout was drawn for a narrow font: every caption must fit its cell whatever font we get.
TEST(MainWindow, EveryCaptionFitsItsCell)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    PaFileBuilder big;
    for (int i = 0; i < 32; ++i)
        big.style("Rock Ballad", 500000).performance(20000);
    h.open(big.build().bytes, QStringLiteral("BIGGEST.STY"));
    for (const QLabel *label : h.window.findChildren<QLabel *>()) {
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width()) << label->text().toStdString();
    }
    for (const char *family : {" iS40,iS50 (KORGM)", " i3,i2,i1,i4s (KORG9)"})
        EXPECT_LE(h.window.lbData[3]->fontMetrics().horizontalAdvance(QString::fromLatin1(family)), h.window.lbData[3]->contentsRect().width());
}

TEST(MainWindow, HelpItemsOpenTheirPageAndAboutOpensTheBox)
{
    WindowHarness h;
    h.window.Form_Load(QString());
    QString shown;
    // The windows are modal: look at them once they are up, then close them.
    const auto closeWhenShown = [&] {
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            shown = QString::fromLatin1(modal->metaObject()->className()) + QLatin1Char('|') + modal->windowTitle();
            if (auto *help = qobject_cast<frmHelp *>(modal))
                shown += QLatin1Char('|') + help->lbHelp->text();
            modal->close();
        });
    };
    closeWhenShown();
    h.window.mhp[1]->trigger();
    EXPECT_EQ(shown, QStringLiteral("frmHelp|Using Quarv|") + HelpPageText(h.window.mhp[1]->text(), 1));
    closeWhenShown();
    h.window.mh[2]->trigger();
    EXPECT_EQ(shown, QStringLiteral("frmAbout|"));
}
