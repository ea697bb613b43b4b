#include "main_window.h"

#include "file_info_panel.h"
#include "help/about_box.h"
#include "help/help_page_text.h"
#include "help/help_window.h"
#include "librarywindow/library_window.h"
#include "main_window_layout.h"
#include "platform/file_name.h"
#include "platform/pictures.h"
#include "reports/export_report.h"
#include "reports/print_report.h"
#include "style_list.h"
#include "styles/style_loader.h"
#include "window_font.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QShortcut>

MainWindow::MainWindow(const FileService &files, Dialogs &dialogs, PrinterFactory printers,
    QSettings &settings, QWidget *parent)
    : QMainWindow(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint),
      mFiles(files),
      mDialogs(dialogs),
      mPrinters(std::move(printers)),
      mSettings(settings),
      mRecentFiles(settings)
{
    setWindowTitle(QString::fromLatin1(ReportTitle));
    setWindowIcon(QIcon(QStringLiteral(":/quarv/icon.png")));  // with its "@2x" twin
    setFont(mainWindowFont());
    setAcceptDrops(true);

    auto *client = new QWidget(this);
    client->setFixedSize(px(6225), px(4170));
    setCentralWidget(client);
    auto *logo = new QLabel(client);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setAccessibleName(tr("Quarv logo"));
    logo->setGeometry(twipsRect(60, 240, 3000, 945));
    logo->setPixmap(picture(QStringLiteral("logo"), logo));
    mPanel = new FileInfoPanel(client);
    mStyleList = new StyleList(client);
    createActions();
    createMenus();
    createListKeys();
    setReportActionsEnabled(false);
    setFixedSize(sizeHint());
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
}

void MainWindow::createActions()
{
    const auto action = [this](const QString &text, const char *name, void (MainWindow::*slot)()) {
        auto *a = new QAction(text, this);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mOpenAction = action(tr("&Open"), "openAction", &MainWindow::open);
    mOpenAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mOpenFolderAction = action(tr("Open &Folder..."), "openFolderAction", &MainWindow::openFolder);
    mOpenFolderAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    mPrintAction = action(tr("Print Info"), "printAction", &MainWindow::print);
    mPrintAction->setShortcut(QKeySequence::Print);
    mExportAction = action(tr("Export Info"), "exportAction", &MainWindow::exportInfo);
    mExportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    mQuitAction = new QAction(tr("&Quit"), this);
    mQuitAction->setObjectName(QStringLiteral("quitAction"));
    connect(mQuitAction, &QAction::triggered, this, &QWidget::close);
    mQuitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    const char *const pages[4] = {QT_TR_NOOP("... open a .STY file"),
        QT_TR_NOOP("... export .STY file informations to a .TXT file"),
        QT_TR_NOOP("... print .STY file informations"), QT_TR_NOOP("... use the library window")};
    for (int page = 0; page < 4; ++page) {
        auto *a = new QAction(tr(pages[page]), this);
        a->setObjectName(QStringLiteral("helpPage%1Action").arg(page));
        connect(a, &QAction::triggered, this, [this, page] { showHelpPage(page); });
        mHelpPageActions[std::size_t(page)] = a;
    }
    mHelpPageActions[0]->setShortcut(QKeySequence::HelpContents);
    mAboutAction = action(tr("&About"), "aboutAction", &MainWindow::about);
}

void MainWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(mOpenAction);
    file->addAction(mOpenFolderAction);
    mRecentMenu = file->addMenu(tr("Open &Recent"));
    mRecentMenu->setObjectName(QStringLiteral("recentMenu"));
    connect(mRecentMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    file->addSeparator();
    file->addAction(mPrintAction);
    file->addAction(mExportAction);
    file->addSeparator();
    file->addAction(mQuitAction);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    QMenu *howTo = help->addMenu(tr("&Using Quarv: How to ... "));
    for (QAction *page : mHelpPageActions)
        howTo->addAction(page);
    help->addSeparator();
    help->addAction(mAboutAction);
}

// The arrow keys, PgUp/PgDn (a page of 16), Home and End move the list while the window is active.
void MainWindow::createListKeys()
{
    // By the keys themselves: a platform's key map may give a standard key more sequences (X11
    // gives "end of line" Ctrl+E too, Export Info's).
    const auto key = [this](Qt::Key key, const std::function<void()> &move) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, move);
    };
    key(Qt::Key_Up, [this] { mStyleList->moveBy(-1); });
    key(Qt::Key_Down, [this] { mStyleList->moveBy(1); });
    key(Qt::Key_PageUp, [this] { mStyleList->moveBy(-StyleList::RowsPerPage); });
    key(Qt::Key_PageDown, [this] { mStyleList->moveBy(StyleList::RowsPerPage); });
    key(Qt::Key_Home, [this] { mStyleList->moveToFirst(); });
    key(Qt::Key_End, [this] { mStyleList->moveToLast(); });
}

void MainWindow::setReportActionsEnabled(bool enabled)
{
    mPrintAction->setEnabled(enabled);
    mExportAction->setEnabled(enabled);
}

void MainWindow::open()
{
    const QString path = mDialogs.chooseStyleFile(
        mRecentFiles.lastFolder(), fileFilter(tr("Style files"), u"sty"));
    if (!path.isEmpty())
        openFile(path);
}

void MainWindow::openFolder()
{
    const QString last = mSettings.value(QStringLiteral("lastLibrary")).toString();
    const QString folder = mDialogs.chooseFolder(last.isEmpty() ? mRecentFiles.lastFolder() : last);
    if (!folder.isEmpty())
        showLibrary(folder);
}

void MainWindow::showLibrary(const QString &folder)
{
    mSettings.setValue(QStringLiteral("lastLibrary"), folder);
    // By identity: a folder reached by two paths is one library, two folders whose names differ
    // only in bytes that are not UTF-8 are two.
    const QString identity = mFiles.identity(folder);
    const QString key = identity.isEmpty() ? folder : identity;
    if (LibraryWindow *open = mLibraries.value(key)) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto *library = new LibraryWindow(folder, mFiles, mDialogs, this, &mSettings);
    library->cascade(int(std::count_if(mLibraries.cbegin(), mLibraries.cend(),
        [](const QPointer<LibraryWindow> &open) { return !open.isNull(); })));
    library->setAttribute(Qt::WA_DeleteOnClose);
    connect(library, &LibraryWindow::styleActivated, this, &MainWindow::showStyle);
    connect(library, &LibraryWindow::helpRequested, this,
        [this, library] { showHelpPage(LibraryHelpPage, library); });
    mLibraries.insert(key, library);
    library->show();
}

void MainWindow::showStyle(const QString &path, int styleIndex)
{
    openFile(path);
    raise();
    activateWindow();
    if (mFile.path == path) {
        mStyleList->setCurrentStyle(styleIndex);
        mStyleList->setFocus(Qt::OtherFocusReason);  // the style's row framed
    }
}

void MainWindow::fillRecentMenu()
{
    mRecentMenu->clear();
    for (const QString &path : mRecentFiles.paths())
        connect(mRecentMenu->addAction(displayFileName(path)), &QAction::triggered, this,
            [this, path] { openRecent(path); });
}

void MainWindow::openRecent(const QString &path)
{
    if (mFiles.exists(path)) {
        openFile(path);
        return;
    }
    mRecentFiles.remove(path);
    mDialogs.showMessage(
        warning(tr("Cannot open %1: the file is no longer there. It is removed from Open Recent.")
                    .arg(displayFileName(path))));
}

void MainWindow::openFile(const QString &path)
{
    LoadResult result = loadStyleFile(path, mFiles);
    if (result.problem)
        mDialogs.showMessage(result.problem->message());
    if (!result.file)
        return;
    mFile = std::move(*result.file);
    mRecentFiles.add(mFile.path);
    setReportActionsEnabled(!mFile.styles.isEmpty());
    mPanel->showCaptions(fileInfoCaptions(mFile));
    mStyleList->showStyles(mFile.styles);
}

void MainWindow::print() { printReport(reportSource(mFile), mPrinters, mDialogs); }

void MainWindow::exportInfo()
{
    if (mDialogs.askYesNo(tr("Confirm information data export to text file?"), DefaultButton::No))
        exportReport(reportSource(mFile), QFileInfo(mFile.path).absolutePath(), mFiles, mDialogs);
}

// Over the window that asked for it.
void MainWindow::showHelpPage(int page, QWidget *over)
{
    HelpWindow help({mHelpPageActions[0]->text(), mHelpPageActions[1]->text(),
                        mHelpPageActions[2]->text(), mHelpPageActions[3]->text()},
        over != nullptr ? over : this);
    help.showPage(page);
    help.exec();
}

void MainWindow::about()
{
    AboutBox box;
    box.exec();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().constFirst().isLocalFile())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return;
    event->acceptProposedAction();
    const QString path = urls.constFirst().toLocalFile();
    if (mFiles.isFolder(path))
        showLibrary(path);
    else
        openFile(path);
}

void MainWindow::wheelEvent(QWheelEvent *event)
{
    mStyleList->scrollByWheel(event->angleDelta().y(), event->pixelDelta().y());
    event->accept();
}
