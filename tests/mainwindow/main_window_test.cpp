#include "help/about_box.h"
#include "help/help_page_text.h"
#include "help/help_window.h"
#include "librarywindow/library_window.h"
#include "mainwindow/command_line.h"
#include "window_harness.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <cmath>

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

// Which file the window's command line names: "path" and the arguments not used, after "|".
TEST(CommandLine, WhichFileTheArgumentsName)
{
    const QStringList files = {"/m/My Set.STY", "/m/a\"b.STY", "/m/one.STY"};
    const struct {
        QStringList arguments;
        const char *named;
    } cases[] = {
        {{}, "|"},
        {{"/m/My", "Set.STY"}, "/m/My Set.STY|"},
        {{"\"/m/My", "Set.STY\""}, "/m/My Set.STY|"},
        {{"/m/a\"b.STY"}, "/m/a\"b.STY|"},
        {{"/m/one.STY", "/m/two.STY", "x"}, "/m/one.STY|/m/two.STY x"},
        {{"\"/m/none.STY\""}, "/m/none.STY|"},
    };
    for (const auto &c : cases) {
        const CommandLineFile named = commandLineFile(c.arguments, [&](const QString &path) { return files.contains(path); });
        EXPECT_EQ(named.path + QLatin1Char('|') + named.unused.join(QLatin1Char(' ')), QLatin1String(c.named)) << c.named;
    }
}

// Qt takes its own options first; --help and --version answer on standard output.
TEST(CommandLine, QtOptionsHelpAndVersion)
{
    TestFolder folder;
    const QString file = folder.write(QStringLiteral("DEMO.STY"), korgmWithStyles(2));
    const struct {
        QStringList arguments;
        const char *out;
    } cases[] = {
        {{"--version"}, "Quarv " QUARV_VERSION "\n"},
        {{"--help"}, "Usage: "},
        {{"-style", "fusion", file}, ""},  // quits once shown: no message box held it
    };
    for (const auto &c : cases) {
        QProcess quarv;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUARV_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
        quarv.setProcessEnvironment(environment);
        quarv.start(QStringLiteral(QUARV_EXE), c.arguments);
        EXPECT_TRUE(quarv.waitForFinished(10000)) << c.out;
        EXPECT_EQ(quarv.exitCode(), 0) << c.out;
        EXPECT_TRUE(quarv.readAllStandardOutput().startsWith(c.out)) << c.out;
        quarv.kill();
    }
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
    h.window.openFile(h.folder.path(QStringLiteral("MISSING.STY")));
    EXPECT_EQ(panel(h), QStringLiteral(" TEST.STY|1,224 |15/03/2004 | iS40,iS50 (KORGM)|0 |2 |print|export"));
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

// The command line's file is opened, or refused, before the window shows; so is a dropped one, and
// a dropped folder opens its library.
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
    drop(h.folder.path(QString()));
    const auto *library = h.window.findChild<LibraryWindow *>();
    ASSERT_TRUE(library) << "a dropped folder opens its library";
    EXPECT_EQ(library->windowTitle(), QStringLiteral("Quarv library - ") + h.folder.path(QString()));
}

TEST(MainWindow, ExportAsksFirst)
{
    WindowHarness h;
    h.open(korgmWithStyles(2));
    h.dialogs.shown.clear();
    h.dialogs.answer(false);
    h.trigger("exportAction");
    const QString question = QStringLiteral("question No: Confirm information data export to text file?");
    EXPECT_EQ(h.dialogs.shown, QStringList{question}) << "the save chooser must not open";
    h.dialogs.answer(true);
    h.dialogs.choose(QString());
    h.trigger("exportAction");
    EXPECT_EQ(h.dialogs.shown, (QStringList{question, question, QStringLiteral("save chooser offering ") + h.folder.path(QStringLiteral("TEST.TXT"))}));
}

// Everything by keyboard: the menu shortcuts, and the list moved by Tab and the keys while the
// window is active, with the bar's page rules.
TEST(MainWindow, Keyboard)
{
    WindowHarness h;
    h.window.show();
    QApplication::setActiveWindow(&h.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window));
    const auto key = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &h.window, Qt::Key(key), modifiers);
    };
    h.dialogs.choose(h.folder.write(QStringLiteral("KEYS.STY"), korgmWithStyles(40)));
    key(Qt::Key_O, Qt::ControlModifier);
    h.dialogs.answer(false);
    key(Qt::Key_P, Qt::ControlModifier);
    h.dialogs.answer(false);
    key(Qt::Key_E, Qt::ControlModifier);
    QString help;
    QTimer::singleShot(0, [&] {
        help = QString::fromLatin1(QApplication::activeModalWidget()->metaObject()->className());
        QApplication::activeModalWidget()->close();
    });
    key(Qt::Key_F1);
    EXPECT_EQ(help, QStringLiteral("HelpWindow"));
    QApplication::setActiveWindow(&h.window);
    EXPECT_EQ(h.dialogs.shown, (QStringList{"open chooser in ", "question No: Confirm information data print to default printer?",
                                            "question No: Confirm information data export to text file?"}));
    key(Qt::Key_Tab);
    EXPECT_TRUE(scrollBar(h)->hasFocus());
    const struct {
        Qt::Key key;
        int first;
    } moves[] = {{Qt::Key_Down, 2}, {Qt::Key_PageDown, 18}, {Qt::Key_PageDown, 25}, {Qt::Key_Up, 24},
                 {Qt::Key_PageUp, 8}, {Qt::Key_End, 25}, {Qt::Key_Home, 1}, {Qt::Key_Up, 1}};
    for (const auto &move : moves) {
        key(move.key);
        EXPECT_EQ(rows(h), expectedRows(move.first, move.first + 15)) << move.key;
    }
    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(h.window.isVisible());
    EXPECT_EQ(h.dialogs.shown.size(), 3) << "closing asks nothing";
}

// The choosers start in the folder of the file loaded last, remembered across runs; File > Open
// Recent keeps the last 8 files, and a missing one goes with a message.
TEST(MainWindow, RecentFilesAndFolders)
{
    WindowHarness h;
    ASSERT_TRUE(QDir().mkpath(h.folder.path(QStringLiteral("a"))) && QDir().mkpath(h.folder.path(QStringLiteral("b"))));
    auto *recent = h.window.findChild<QMenu *>(QStringLiteral("recentMenu"));
    const auto recentFiles = [&] {
        Q_EMIT recent->aboutToShow();
        QStringList names;
        for (QAction *action : recent->actions())
            names << QFileInfo(action->text()).fileName();
        return names.join(QLatin1Char(' '));
    };
    for (int i = 0; i < 10; ++i)
        h.open(korgmWithStyles(2), QStringLiteral("a/%1.STY").arg(i));
    EXPECT_EQ(recentFiles(), QStringLiteral("9.STY 8.STY 7.STY 6.STY 5.STY 4.STY 3.STY 2.STY"));
    h.folder.remove(QStringLiteral("a/8.STY"));
    recent->actions().at(1)->trigger();
    EXPECT_EQ(recentFiles(), QStringLiteral("9.STY 7.STY 6.STY 5.STY 4.STY 3.STY 2.STY"));
    recent->actions().at(2)->trigger();
    EXPECT_EQ(recentFiles(), QStringLiteral("6.STY 9.STY 7.STY 5.STY 4.STY 3.STY 2.STY"));
    h.open(korgmWithStyles(2), QStringLiteral("b/B.STY"));
    h.dialogs.answer(true);
    h.dialogs.choose(QString());
    h.trigger("exportAction");

    MainWindow again(h.files, h.dialogs, RecordingPrinter::factory(h.printed), h.settings);
    h.dialogs.choose(QString());
    again.findChild<QAction *>(QStringLiteral("openAction"))->trigger();
    EXPECT_EQ(h.dialogs.shown, (QStringList{QStringLiteral("warning Quarv: Cannot open %1: the file is no longer there. It is removed "
                                                           "from Open Recent.").arg(h.folder.path(QStringLiteral("a/8.STY"))),
                                            "question No: Confirm information data export to text file?",
                                            QStringLiteral("save chooser offering %1").arg(h.folder.path(QStringLiteral("b/B.TXT"))),
                                            QStringLiteral("open chooser in %1").arg(h.folder.path(QStringLiteral("b")))}));
}

// A screen reader can name every value: the panel's by their field names, the cells by column
// and row, the scroll bar; and read the value itself.
TEST(MainWindow, AccessibleNamesAndValues)
{
    WindowHarness h;
    h.open(korgmWithStyles(3), QStringLiteral("A11Y.STY"));
    QStringList names;
    for (const QLabel *label : h.window.findChildren<QLabel *>()) {
        if (label->objectName().isEmpty())
            continue;  // fixed captions and the logo: they read their text
        names << label->accessibleName();
        EXPECT_EQ(label->accessibleDescription(), label->text().trimmed()) << label->objectName().toStdString();
    }
    names.sort();
    EXPECT_EQ(names.size(), 6 + 48 + 1) << "values, cells and the logo";
    EXPECT_EQ(names.removeDuplicates(), 0);
    EXPECT_EQ(names.mid(0, 4), (QStringList{"File format", "Ghost styles", "Name", "Name, row 1"}));
    EXPECT_EQ(scrollBar(h)->accessibleName(), QStringLiteral("Style list"));
}

// The cells keep their light backgrounds under a dark colour scheme, so their text must stay dark:
// WCAG contrast of at least 4.5. The notices of the About box lie over its picture's white band.
TEST(MainWindow, ReadableUnderADarkPalette)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](qreal v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const QPalette before = QApplication::palette();
    QPalette dark(QColor(53, 53, 53), QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    QApplication::setPalette(dark);
    WindowHarness h;
    h.open(korgmWithStyles(3, {2}));
    HelpWindow help({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    AboutBox about;
    int checked = 0;
    for (const QLabel *label : h.window.findChildren<QLabel *>() + help.findChildren<QLabel *>() + about.findChildren<QLabel *>()) {
        const bool translucent = label->testAttribute(Qt::WA_TranslucentBackground);
        if (!label->autoFillBackground() && !translucent)
            continue;  // on the window's own background, which the colour scheme sets with its text
        const qreal text = luminance(label->palette().color(QPalette::WindowText));
        const qreal back = luminance(translucent ? QColor(Qt::white) : label->palette().color(QPalette::Window));
        EXPECT_GE((qMax(text, back) + 0.05) / (qMin(text, back) + 0.05), 4.5) << label->text().toStdString();
        ++checked;
    }
    EXPECT_EQ(checked, 12 + 3 + 48 + 1 + 3) << "field names and values, headings, cells, help text, notices";
    QApplication::setPalette(before);
}

// The pictures are drawn for the screen's scale, at scale 2 from their "@2x" files (ctest runs this
// once more at QT_SCALE_FACTOR=2).
TEST(Pictures, DrawnForTheScreensScale)
{
    WindowHarness h;
    HelpWindow help({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    AboutBox about;
    const qreal scale = qApp->devicePixelRatio();
    for (const QLabel *label : {h.label(QStringLiteral("logo")), help.findChild<QLabel *>(QStringLiteral("banner")),
                                about.findChild<QLabel *>(QStringLiteral("picture"))}) {
        EXPECT_EQ(label->pixmap().devicePixelRatio(), scale);
        EXPECT_EQ(label->pixmap().size(), label->size() * scale);
    }
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
    EXPECT_EQ(shown, QStringLiteral("AboutBox| ")) << "a caption that shows as empty";
}
