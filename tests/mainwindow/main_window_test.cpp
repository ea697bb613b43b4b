#include "help/about_box.h"
#include "help/help_window.h"
#include "librarywindow/library_window.h"
#include "mainwindow/style_list.h"
#include "window_harness.h"

// The rows that hold a style as "number|name|size", a ghost row marked "*" (number and name light
// red, size white).
static QStringList rows(const WindowHarness &h)
{
    QStringList out;
    for (int r = 0; r < 16; ++r) {
        const QLabel *cells[] = {h.label(QString("number%1").arg(r)),
            h.label(QString("name%1").arg(r)), h.label(QString("size%1").arg(r))};
        EXPECT_TRUE(backgroundOf(cells[1]) == backgroundOf(cells[0])
            && backgroundOf(cells[2]) == QColor(Qt::white))
            << r;
        out << cells[0]->text() + '|' + cells[1]->text() + '|' + cells[2]->text()
                + (backgroundOf(cells[0]) == QColor(255, 192, 192) ? "*" : "");
    }
    while (out.endsWith("||"))  // the empty rows after the last style
        out.removeLast();
    return out;
}

// Rows for styles first..last of a korgmWithStyles file.
static QStringList expectedRows(int first, int last, int ghost = 0)
{
    QStringList out;
    for (int k = first; k <= last; ++k)
        out << QString("%1 | ").arg(k, 2, 10, QLatin1Char('0'))
                + (k == ghost ? QString("Style %1|500 *").arg(k)
                              : QString("Style %1|1,%2 ").arg(k, -5).arg(200 + k));
    return out;
}

// The panel's captions, the enabled report commands and the rows.
static QString shown(const WindowHarness &h)
{
    QStringList captions;
    for (const char *name :
        {"fileName", "fileSize", "fileDate", "fileFormat", "usableStyles", "ghostStyles"})
        captions << h.label(QLatin1String(name))->text();
    return captions.join('|') + (h.isEnabled("printAction") ? "|print" : "")
        + (h.isEnabled("exportAction") ? "|export" : "")
        + (QStringList {QString()} + rows(h)).join(QLatin1Char('/'));
}

// The panel, the rows (a Pa-series style's both parts together) and the report commands follow
// the last file read; one that cannot be read leaves them. Files from the command line are opened,
// or refused, before the window shows, so are dropped ones, and a dropped folder opens its library.
// A value or a name cut by its cell can be read whole in its tooltip; others have none.
TEST(MainWindow, PanelFollowsTheLastFileReadOpenedOrDropped)
{
    WindowHarness h;
    QStringList seen {h.window.windowTitle() + shown(h)};
    for (const QByteArray &bytes :
        {ISeriesFileBuilder("KORG9").slot(1300, "A    ").slot(0).slot(300, "B         ").build(),
            PaFileBuilder().style("Pop", 2700).style("Rock", 2000).performance(3000).bytes(),
            pa600Bank(), QByteArray("GARBAGE"), korgmWithStyles(2, {1, 2}),
            ISeriesFileBuilder("KORGM").build()}) {
        h.open(bytes);
        h.window.openFile(h.folder.path("MISSING.STY"));
        seen << shown(h);
    }
    EXPECT_EQ(seen.join("|\n") + '|', R"(Quarv - Brennix (3.00)||||||
 TEST.STY|1,696 |15/03/2004 | i3,i2,i1,i4s (KORG9)|1 |1 |print|export/01 | A    FGHIJ|1,300 /03 | B|300 *|
 TEST.STY|7,836 |15/03/2004 | Pa50/60/80 (KORF)|2 |0 |print|export/01 | Pop|5,700 /02 | Rock|2,000 |
 TEST.STY|856 |15/03/2004 | Pa-series (KORF)|2 |0 |print|export/01 | Jig|346 /02 | March|346 |
 TEST.STY|7 |15/03/2004 | Unknown format|0 |0 |
 TEST.STY|1,224 |15/03/2004 | iS40,iS50 (KORGM)|0 |2 |print|export/01 | Style 1|500 */02 | Style 2|500 *|
 TEST.STY|224 |15/03/2004 | iS40,iS50 (KORGM)|0 |0 |)");
    h.window.openFile("notes.txt");
    EXPECT_FALSE(h.window.isVisible());
    h.window.findChild<StyleList *>()->setFont(QFont(QString(), 24));
    h.open(korgmWithStyles(2), "A bank of my own styles.STY");
    EXPECT_EQ(QStringList({h.label("fileName")->toolTip(), h.label("fileSize")->toolTip(),
                  h.label("name1")->toolTip()}),
        QStringList({"A bank of my own styles.STY", "", "Style 2"}));

    const auto drop = [&](const QString &path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent event(QPointF(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&h.window, &enter);
        QApplication::sendEvent(&h.window, &event);
        return enter.isAccepted() ? h.label("fileName")->text() : "refused";
    };
    EXPECT_EQ(drop(h.folder.write("My Set.sty", korgmWithStyles(2))), " My Set.sty");
    EXPECT_EQ(drop(h.folder.write("notes.txt", "x")), " My Set.sty");
    drop(h.folder.path({}));
    const auto *library = h.window.findChild<LibraryWindow *>();
    EXPECT_EQ(library ? library->windowTitle() : QString(), "Quarv library - " + h.folder.path({}));
    const QString missing = QString("warning Quarv: Cannot read %1: No such file or directory.")
                                .arg(h.folder.path("MISSING.STY"));
    EXPECT_EQ(h.dialogs.shown,
        (QStringList {missing, missing, missing, "warning Quarv: Unknown file format!", missing,
            missing, missing, "critical ZuvOzu: Unknown File Type!",
            "critical ZuvOzu: Unknown File Type!"}));
}

// The bar's range follows the number of styles; the bar, the wheel and a dragged thumb move the
// page one style at a time; a ghost keeps its colour as it moves, and a new file starts again at
// its first page. Everything by keyboard too: the menu shortcuts (print and export ask first),
// help, and the list moved by Tab and the keys while the window is active, with the bar's rules.
TEST(MainWindow, ScrollingAndKeys)
{
    WindowHarness h;
    auto *bar = h.window.findChild<QScrollBar *>();
    for (const auto &[styles, range] :
        {std::pair(0, "off"), std::pair(16, "off"), std::pair(17, "1-2"), std::pair(40, "1-25")}) {
        h.open(korgmWithStyles(styles));
        EXPECT_EQ(
            bar->isEnabled() ? QString("%1-%2").arg(bar->minimum()).arg(bar->maximum()) : "off",
            QLatin1String(range));
        EXPECT_EQ(rows(h), expectedRows(1, std::min(styles, 16))) << styles;
    }
    h.open(korgmWithStyles(40, {3}));
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(rows(h), expectedRows(2, 17, 3));
    // A notch, or its parts as touchpads send them (eight of 15), or pixels (two of half a row).
    const auto wheel = [&](int events, int angle, int pixels) {
        for (int i = 0; i < events; ++i) {
            QWheelEvent event(QPointF(250, 100), QPointF(250, 100), QPoint(0, pixels),
                QPoint(0, angle), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&h.window, &event);
        }
        return rows(h).constFirst().left(2).toInt();
    };
    const int halfRow = (h.label("name0")->height() + 1) / 2;
    EXPECT_EQ(QList<int>({wheel(1, -360, 0), wheel(1, 120, 0), wheel(8, -15, 0), wheel(7, 15, 0),
                  wheel(2, -60, -halfRow), wheel(1, 0, halfRow)}),
        QList<int>({5, 4, 5, 5, 6, 6}));
    EXPECT_EQ(rows(h), expectedRows(6, 21, 3));
    bar->setValue(4);
    bar->setSliderDown(true);
    bar->setSliderPosition(25);
    EXPECT_EQ(rows(h), expectedRows(4, 19, 3)) << "nothing moves while the thumb is dragged";
    bar->setSliderDown(false);
    EXPECT_EQ(rows(h), expectedRows(25, 40, 3));

    h.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.window));
    h.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window));
    const auto key = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &h.window,
            Qt::Key(key), modifiers);
    };
    h.dialogs.choose(h.folder.write("KEYS.STY", korgmWithStyles(40)));
    h.dialogs.answer(false);
    h.dialogs.answer(false);
    for (const int letter : {Qt::Key_O, Qt::Key_P, Qt::Key_E})
        key(letter, Qt::ControlModifier);
    EXPECT_EQ(rows(h), expectedRows(1, 16)) << "a new file starts at its first page";
    QString help;
    QTimer::singleShot(0, [&] {
        help = QApplication::activeModalWidget()->windowTitle();
        QApplication::activeModalWidget()->close();
    });
    key(Qt::Key_F1);
    EXPECT_EQ(help, "Using Quarv");
    QApplication::setActiveWindow(&h.window);
    key(Qt::Key_Tab);
    // The list shows it has the keys.
    auto *list = h.window.findChild<StyleList *>();
    EXPECT_TRUE(list->hasFocus() && h.window.findChild<QWidget *>("focusFrame")->isVisible());
    const std::pair<Qt::Key, int> moves[]
        = {{Qt::Key_Down, 2}, {Qt::Key_PageDown, 18}, {Qt::Key_PageDown, 25}, {Qt::Key_Up, 24},
            {Qt::Key_PageUp, 8}, {Qt::Key_End, 25}, {Qt::Key_Home, 1}, {Qt::Key_Up, 1}};
    for (const auto &[move, first] : moves) {
        key(move);
        EXPECT_EQ(rows(h), expectedRows(first, first + 15)) << move;
    }
    // Without a bar too: the arrows move the current style, framed and the screen reader's focus.
    h.open(korgmWithStyles(3));
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Down);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(list)->focusChild()->text(QAccessible::Name),
        "03, Style 3, 1,203 bytes");
    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(h.window.isVisible());
    // Closing asks nothing.
    EXPECT_EQ(h.dialogs.shown,
        (QStringList {"open chooser in " + h.folder.path({}),
            "question No: Confirm information data print to default printer?",
            "question No: Confirm information data export to text file?"}));
}

// The choosers start in the folder of the file loaded last, remembered across runs, and offer
// the files they are for; File > Open Recent keeps the last 8 files, and a missing one goes with
// a message.
TEST(MainWindow, RecentFilesAndFolders)
{
    WindowHarness h;
    auto *recent = h.window.findChild<QMenu *>("recentMenu");
    const auto recentFiles = [&](int trigger) {
        if (trigger >= 0)
            recent->actions().at(trigger)->trigger();
        Q_EMIT recent->aboutToShow();
        QStringList names;
        for (QAction *action : recent->actions())
            names << QFileInfo(action->text()).fileName();
        return names.join(' ');
    };
    for (int i = 0; i < 10; ++i)
        h.open(korgmWithStyles(2), QString("a/%1.STY").arg(i));
    EXPECT_EQ(recentFiles(-1), "9.STY 8.STY 7.STY 6.STY 5.STY 4.STY 3.STY 2.STY");
    h.folder.remove("a/8.STY");
    EXPECT_EQ(recentFiles(1), "9.STY 7.STY 6.STY 5.STY 4.STY 3.STY 2.STY");
    EXPECT_EQ(recentFiles(2), "6.STY 9.STY 7.STY 5.STY 4.STY 3.STY 2.STY");
    h.open(korgmWithStyles(2), "b/B.STY");
    h.dialogs.answer(true);
    h.dialogs.choose(QString());
    h.trigger("exportAction");
    MainWindow again(h.files, h.dialogs, recordingPrinters(h.printed), h.settings);
    h.dialogs.choose(QString());
    again.findChild<QAction *>("openAction")->trigger();
    EXPECT_EQ(h.dialogs.shown,
        (QStringList {
            QString("warning Quarv: Cannot open %1: the file is no longer there. It is removed "
                    "from Open Recent.")
                .arg(h.folder.path("a/8.STY")),
            "question No: Confirm information data export to text file?",
            "save chooser offering " + h.folder.path("b/B.TXT"),
            "open chooser in " + h.folder.path("b")}));
    // Each filter in every letter case, which some platforms' choosers tell apart.
    EXPECT_EQ(h.dialogs.filters,
        QStringList({"Text reports (*.txt *.txT *.tXt *.tXT *.Txt *.TxT *.TXt *.TXT)",
            "Style files (*.sty *.stY *.sTy *.sTY *.Sty *.StY *.STy *.STY)"}));
}

// The cells keep their light backgrounds under a dark colour scheme, so their text must stay
// dark: far darker than its background (the notices of the About box lie over its picture's
// white band). The pictures are drawn for the screen's scale, at scale 2 from their "@2x" files
// (ctest runs this at scale 2 too). A screen reader, read through QAccessible, hears each value of
// the panel by its field name, the style list as a list of its shown rows, each row one item with
// its ghost mark, then its scroll bar; the About box by its name, though its title shows blank.
TEST(Desktop, ReadableSharpAndSpoken)
{
    const QPalette before = QApplication::palette();
    QApplication::setPalette(QPalette(QColor(53, 53, 53), QColor(30, 30, 30)));  // light on dark
    WindowHarness h;
    h.open(korgmWithStyles(3, {2}), "SET.STY");
    HelpWindow help({"a", "b", "c", "d"});
    AboutBox about;
    for (const QLabel *label : h.window.findChildren<QLabel *>() + help.findChildren<QLabel *>()
            + about.findChildren<QLabel *>()) {
        const bool translucent = label->testAttribute(Qt::WA_TranslucentBackground);
        if (!label->autoFillBackground() && !translucent)
            continue;  // on the window's own background, which the colour scheme sets with its text
        const QColor back = translucent ? Qt::white : label->palette().color(QPalette::Window);
        EXPECT_GT(
            back.lightnessF() - label->palette().color(QPalette::WindowText).lightnessF(), 0.6)
            << label->text().toStdString();
    }
    QApplication::setPalette(before);
    for (const QLabel *label :
        {h.label("logo"), help.findChild<QLabel *>("banner"), about.findChild<QLabel *>("picture")})
        EXPECT_TRUE(label->pixmap().devicePixelRatio() == qApp->devicePixelRatio()
            && label->pixmap().size() == label->size() * qApp->devicePixelRatio());

    const auto said = [](QAccessibleInterface *a) {
        const QString description = a->text(QAccessible::Description);
        return QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(a->role()))
            + ": " + a->text(QAccessible::Name)
            + (description.isEmpty() ? "" : " = " + description);
    };
    QStringList spoken;
    for (const char *value : {"fileName", "fileSize", "fileFormat", "ghostStyles"})
        spoken << said(QAccessible::queryAccessibleInterface(h.label(QLatin1String(value))));
    QAccessibleInterface *list
        = QAccessible::queryAccessibleInterface(h.window.findChild<StyleList *>());
    spoken << said(list);
    for (int i = 0; i < list->childCount(); ++i)
        spoken << said(list->child(i));
    spoken << said(QAccessible::queryAccessibleInterface(&about));
    EXPECT_EQ(spoken,
        (QStringList {"StaticText: Name = SET.STY", "StaticText: Size = 3,128",
            "StaticText: File format = iS40,iS50 (KORGM)", "StaticText: Ghost styles = 1",
            "List: Style list", "ListItem: 01, Style 1, 1,201 bytes",
            "ListItem: 02, Style 2, 500 bytes, ghost", "ListItem: 03, Style 3, 1,203 bytes",
            "ScrollBar: Style list scroll bar = Moves the list of styles one style at a time",
            "Dialog: About Quarv"}));
}

// Qt takes its own options only before "--": after it, "-stylesheet=x.STY" or "-style=x.STY" is a
// style file, which the window opens (and keeps among the recent files), and Qt never reads.
// --help, --help-all and --version answer without a display, as the package's checks run them.
TEST(Quarv, ArgumentsOptionsAndNoDisplay)
{
    TestFolder folder;
    folder.write("-stylesheet=x.STY", korgmWithStyles(1));
    folder.write("-style=x.STY", korgmWithStyles(1));
    const struct {
        QStringList arguments;
        bool display;
        QString recentFile;  // the file opened, or none
    } cases[] = {{{"--", "-stylesheet=x.STY"}, true, "-stylesheet=x.STY"},
        {{"--", "-style=x.STY"}, true, "-style=x.STY"}, {{"--help"}, false, {}},
        {{"--help-all"}, false, {}}, {{"--version"}, false, {}}};
    for (const auto &row : cases) {
        const QString name = row.arguments.join(' ');
        SCOPED_TRACE(name.toStdString());
        QProcess quarv;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QUARV_EXIT_WHEN_SHOWN", "1");
        environment.insert("XDG_CONFIG_HOME", folder.path(name + ".config"));
        for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            if (!row.display)
                environment.remove(variable);
        quarv.setProcessEnvironment(environment);
        quarv.setWorkingDirectory(folder.path({}));
        quarv.start(QUARV_EXE, row.arguments);
        ASSERT_TRUE(quarv.waitForFinished(30000));
        EXPECT_EQ(quarv.exitStatus() == QProcess::NormalExit ? quarv.exitCode() : -1, 0);
        EXPECT_EQ(quarv.readAllStandardOutput().isEmpty(), row.display);
        EXPECT_FALSE(quarv.readAllStandardError().contains("style")) << "Qt read the argument";
        const QSettings settings(
            folder.path(name + ".config/Quarv/Quarv.conf"), QSettings::IniFormat);
        EXPECT_EQ(settings.value("recentFiles").toStringList().value(0), row.recentFile);
    }
}
