#include "help/help_page_text.h"
#include "mainwindow/command_line.h"
#include "window_harness.h"

#include <QApplication>
#include <QDialog>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The 16 rows as "number|name|size", a ghost row marked "*" (number and name light red, size white).
QStringList rows(const WindowHarness &h)
{
    QStringList out;
    for (int r = 0; r < 16; ++r) {
        const QLabel *number = h.label(QStringLiteral("number%1").arg(r));
        const QLabel *name = h.label(QStringLiteral("name%1").arg(r));
        const QLabel *size = h.label(QStringLiteral("size%1").arg(r));
        const bool ghost = backgroundOf(number) == QColor(255, 192, 192);
        EXPECT_EQ(backgroundOf(name), backgroundOf(number)) << r;
        EXPECT_EQ(backgroundOf(size), QColor(Qt::white)) << r;
        out << number->text() + QLatin1Char('|') + name->text() + QLatin1Char('|') + size->text() + (ghost ? "*" : "");
    }
    return out;
}

// Rows for styles first..last of a korgmWithStyles file, then empty rows.
QStringList expectedRows(int first, int last, int ghost = 0)
{
    QStringList out;
    for (int k = first; k <= last; ++k) {
        const QString name = QStringLiteral("Style %1").arg(k);
        out << (k == ghost ? QStringLiteral("%1 | %2|500 *").arg(k, 2, 10, QLatin1Char('0')).arg(name)
                           : QStringLiteral("%1 | %2|1,%3 ").arg(k, 2, 10, QLatin1Char('0')).arg(name.leftJustified(11)).arg(200 + k));
    }
    while (out.size() < 16)
        out << QStringLiteral("||");
    return out;
}

QScrollBar *scrollBar(const WindowHarness &h) { return h.window.findChild<QScrollBar *>(); }

// The panel's captions and the enabled report commands.
QString panel(const WindowHarness &h)
{
    QStringList captions;
    for (const char *name : {"fileName", "fileSize", "fileDate", "fileFormat", "usableStyles", "ghostStyles"})
        captions << h.label(QLatin1String(name))->text();
    return captions.join(QLatin1Char('|')) + (h.isEnabled("printAction") ? "|print" : "") + (h.isEnabled("exportAction") ? "|export" : "");
}

} // namespace

TEST(CommandLine, JoinsArgumentsAndDropsQuotes)
{
    const char *const quoted[] = {"quarv", "\"/tmp/my", "folder/My", "Set.STY\""};
    EXPECT_EQ(commandLineText(4, quoted), QStringLiteral("/tmp/my folder/My Set.STY"));
    const char *const none[] = {"quarv"};
    EXPECT_TRUE(commandLineText(1, none).isEmpty());
}

TEST(MainWindow, PanelAndReportCommandsFollowTheLastGoodLoad)
{
    WindowHarness h;
    EXPECT_EQ(h.window.windowTitle(), QStringLiteral("Quarv - Brennix (3.00)"));
    EXPECT_EQ(panel(h), QStringLiteral("|||||"));
    EXPECT_EQ(rows(h), expectedRows(1, 0));
    h.open(ISeriesFileBuilder("KORG9").slot(1300, "A    ").slot(0).slot(300, "B         ").build(), QStringLiteral("I3SET.STY"));
    EXPECT_EQ(panel(h), QStringLiteral(" I3SET.STY|1,696 |15/03/2004 | i3,i2,i1,i4s (KORG9)|1 |1 |print|export"));
    EXPECT_EQ(rows(h).mid(0, 3), (QStringList{"01 | A    FGHIJ|1,300 ", "03 | B|300 *", "||"}));
    h.open(PaFileBuilder().style("Pop", 2700).style("Rock", 2000).performance(3000).performance(1879).build().bytes);
    EXPECT_EQ(rows(h).mid(0, 3), (QStringList{"01 | Pop|5,700 ", "02 | Rock|3,879 ", "||"})) << "both parts together";
    h.open("GARBAGE");
    EXPECT_EQ(panel(h), QStringLiteral(" TEST.STY|7 |15/03/2004 | Unknown format|0 |0 "));
    h.open(korgmWithStyles(2, {1, 2}));
    EXPECT_EQ(panel(h), QStringLiteral(" TEST.STY|1,224 |15/03/2004 | iS40,iS50 (KORGM)|0 |2 |print|export"));
    h.dialogs.choose(h.folder.path(QStringLiteral("MISSING.STY")));
    h.trigger("openAction");
    EXPECT_EQ(panel(h), QStringLiteral(" TEST.STY|1,224 |15/03/2004 | iS40,iS50 (KORGM)|0 |2 |print|export"));
    h.dialogs.choose(QString());
    h.trigger("openAction");
    h.open(ISeriesFileBuilder("KORGM").build());
    EXPECT_EQ(panel(h), QStringLiteral(" TEST.STY|224 |15/03/2004 | iS40,iS50 (KORGM)|0 |0 "));
    EXPECT_EQ(rows(h), expectedRows(1, 0));
    EXPECT_EQ(h.dialogs.shown, (QStringList{"warning Quarv: Unknown file format!",
                                            QStringLiteral("warning Quarv: Cannot read %1: No such file or directory.")
                                                .arg(h.folder.path(QStringLiteral("MISSING.STY")))}));
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
        h.open(korgmWithStyles(c.styles));
        EXPECT_EQ(scrollBar(h)->isEnabled(), c.enabled) << c.styles;
        if (c.enabled) {
            EXPECT_EQ(std::make_pair(scrollBar(h)->minimum(), scrollBar(h)->maximum()), std::make_pair(1, c.maximum));
        }
        EXPECT_EQ(rows(h), expectedRows(1, std::min(c.styles, 16))) << c.styles;
    }
}

// The bar, the wheel and a dragged thumb move the page one style at a time; a ghost keeps its
// colour as it moves, and a new file starts again at its first page.
TEST(MainWindow, ScrollingShowsEveryStyle)
{
    WindowHarness h;
    h.open(korgmWithStyles(40, {3}));
    EXPECT_EQ(rows(h), expectedRows(1, 16, 3));
    scrollBar(h)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(rows(h), expectedRows(2, 17, 3));
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(250, 100), QPointF(250, 100), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&h.window, &event);
    };
    wheel(-360);
    EXPECT_EQ(rows(h), expectedRows(5, 20, 3));
    wheel(120);
    EXPECT_EQ(scrollBar(h)->value(), 4);
    scrollBar(h)->setSliderDown(true);
    scrollBar(h)->setSliderPosition(25);
    EXPECT_EQ(rows(h), expectedRows(4, 19, 3)) << "nothing moves while the thumb is dragged";
    scrollBar(h)->setSliderDown(false);
    EXPECT_EQ(rows(h), expectedRows(25, 40, 3));

    h.open(korgmWithStyles(3));
    EXPECT_EQ(rows(h), expectedRows(1, 3));
    EXPECT_FALSE(scrollBar(h)->isEnabled());
    h.open(korgmWithStyles(20));
    EXPECT_EQ(scrollBar(h)->value(), 1);
    EXPECT_EQ(rows(h), expectedRows(1, 16));
}

// The command line's file is opened, or refused, before the window shows; so is a dropped one.
TEST(MainWindow, CommandLineAndDrop)
{
    WindowHarness h;
    h.window.openFile(QStringLiteral("notes.txt"));
    h.window.openFile(h.folder.write(QStringLiteral("My Set.sty"), korgmWithStyles(3)));
    EXPECT_FALSE(h.window.isVisible());
    EXPECT_EQ(h.label(QStringLiteral("fileName"))->text(), QStringLiteral(" My Set.sty"));
    const auto drop = [&](const QString &path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&h.window, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&h.window, &event);
    };
    drop(h.folder.write(QStringLiteral("DROP.STY"), korgmWithStyles(2)));
    EXPECT_EQ(h.label(QStringLiteral("fileName"))->text(), QStringLiteral(" DROP.STY"));
    drop(h.folder.write(QStringLiteral("notes.txt"), "x"));
    EXPECT_EQ(h.dialogs.shown, (QStringList{"critical ZuvOzu: Unknown File Type!", "critical ZuvOzu: Unknown File Type!"}));
}

TEST(MainWindow, ExportAsksFirst)
{
    WindowHarness h;
    h.open(korgmWithStyles(2));
    h.dialogs.answer(false);
    h.trigger("exportAction");
    EXPECT_EQ(h.dialogs.shown, QStringList{"question No: Confirm information data export to text file?"});
    EXPECT_TRUE(h.dialogs.suggestedNames.isEmpty()) << "the save chooser must not open";
    h.dialogs.answer(true);
    h.dialogs.choose(QString());
    h.trigger("exportAction");
    EXPECT_EQ(h.dialogs.suggestedNames, QStringList{QStringLiteral("TEST.TXT")});
}

TEST(MainWindow, ShortcutsOpenAndQuit)
{
    WindowHarness h;
    h.window.show();
    QApplication::setActiveWindow(&h.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window));
    h.dialogs.choose(h.folder.write(QStringLiteral("KEYS.STY"), korgmWithStyles(1)));
    QTest::keyClick(&h.window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(h.label(QStringLiteral("fileName"))->text(), QStringLiteral(" KEYS.STY"));
    QTest::keyClick(&h.window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(h.window.isVisible());
    EXPECT_TRUE(h.dialogs.shown.isEmpty()) << "closing asks nothing";
}

// The layout was drawn for a narrow font: every caption must fit its cell whatever font we get.
TEST(MainWindow, EveryCaptionFitsItsCell)
{
    WindowHarness h;
    PaFileBuilder big;
    for (int i = 0; i < 32; ++i)
        big.style("Rock Ballad", 500000).performance(20000);
    h.open(big.build().bytes, QStringLiteral("BIGGEST.STY"));
    QLabel *format = h.label(QStringLiteral("fileFormat"));
    for (const char *family : {" iS40,iS50 (KORGM)", " i3,i2,i1,i4s (KORG9)"})
        EXPECT_LE(format->fontMetrics().horizontalAdvance(QString::fromLatin1(family)), format->contentsRect().width());
    for (const QLabel *label : h.window.findChildren<QLabel *>())
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width()) << label->text().toStdString();
}

TEST(MainWindow, HelpItemsOpenTheirPageAndAboutOpensTheBox)
{
    WindowHarness h;
    QString shown;
    // The windows are modal: look at them once they are up, then close them.
    const auto closeWhenShown = [&] {
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            shown = QString::fromLatin1(modal->metaObject()->className()) + QLatin1Char('|') + modal->windowTitle();
            if (auto *text = modal->findChild<QLabel *>(QStringLiteral("helpText")))
                shown += QLatin1Char('|') + text->text();
            modal->close();
        });
    };
    closeWhenShown();
    h.trigger("helpPage1Action");
    EXPECT_EQ(shown, QStringLiteral("HelpWindow|Using Quarv|")
                         + helpPageText(QStringLiteral("... export .STY file informations to a .TXT file"), 1));
    closeWhenShown();
    h.trigger("aboutAction");
    EXPECT_EQ(shown, QStringLiteral("AboutBox|"));
}
