#include "library_window.h"

#include "ghost_row_delegate.h"
#include "pattern_pane.h"
#include "library/style_csv.h"
#include "platform/file_error.h"
#include "platform/file_name.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QSizeGrip>
#include <QToolButton>
#include <QStyle>
#include <QStatusBar>
#include <QTableView>

namespace {
const QString GeometryKey = QStringLiteral("libraryWindowGeometry");
const QString SplitterKey = QStringLiteral("libraryWindowSplitter");
}  // namespace

LibraryWindow::LibraryWindow(const QString &folder, const FileService &files, Dialogs &dialogs,
    QWidget *owner, QSettings *settings)
    : QMainWindow(owner, Qt::Window),
      mFiles(files),
      mDialogs(dialogs),
      mSettings(settings),
      mScan(folder, files)
{
    setWindowTitle(tr("Quarv library - %1").arg(displayFileName(folder)));
    mFilter.setSourceModel(&mScan.model());
    createWidgets();
    createStatusBar();
    createKeys();
    placeWindow();
    connectScan();
    mScan.start();
}

void LibraryWindow::createWidgets()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    mFilterText = new QLineEdit(central);
    mFilterText->setPlaceholderText(tr("Filter by name, file or meter"));
    mFilterText->setClearButtonEnabled(true);
    mFilterText->setAccessibleName(tr("Filter"));
    for (QToolButton *clear : mFilterText->findChildren<QToolButton *>())
        clear->setAccessibleName(tr("Clear the filter"));
    // The filter follows the text once typing pauses: each key alone stays quick.
    mFilterPause.setSingleShot(true);
    mFilterPause.setInterval(150);
    connect(mFilterText, &QLineEdit::textChanged, &mFilterPause, qOverload<>(&QTimer::start));
    connect(
        &mFilterPause, &QTimer::timeout, this, [this] { mFilter.setText(mFilterText->text()); });
    auto *showLabel = new QLabel(tr("&Show:"), central);
    mShow = new QComboBox(central);
    mShow->addItems({tr("All"), tr("Ghosts"), tr("Duplicates"), tr("Damaged")});
    mShow->setAccessibleName(tr("Show"));
    showLabel->setBuddy(mShow);
    connect(mShow, &QComboBox::currentIndexChanged, this,
        [this](int show) { mFilter.setShow(LibraryFilter::Show(show)); });
    mExport = new QPushButton(tr("&Export List..."), central);
    mExport->setObjectName(QStringLiteral("exportButton"));
    connect(mExport, &QPushButton::clicked, this, &LibraryWindow::exportList);
    mExportMusic = new QPushButton(tr("Export &MIDI..."), central);
    mExportMusic->setObjectName(QStringLiteral("exportMusicButton"));
    mExportMusic->setEnabled(false);  // once the library is read
    connect(mExportMusic, &QPushButton::clicked, this, &LibraryWindow::exportMusic);

    mTable = new QTableView(central);
    mTable->setModel(&mFilter);
    mTable->setItemDelegate(new GhostRowDelegate(mTable));
    mTable->setSortingEnabled(true);
    mTable->sortByColumn(LibraryModel::File, Qt::AscendingOrder);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::SingleSelection);
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->setTabKeyNavigation(false);  // Tab goes on to the next control
    mTable->setAlternatingRowColors(true);
    mTable->setWordWrap(false);  // one line a row: long paths are elided, columns can be widened
    mTable->verticalHeader()->hide();
    mTable->verticalHeader()->setDefaultSectionSize(fontMetrics().lineSpacing() + 6);
    mTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    mTable->horizontalHeader()->setStretchLastSection(true);
    mTable->horizontalHeader()->setResizeContentsPrecision(200);  // the first rows tell enough
    mTable->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
    mTable->setAccessibleName(tr("Styles"));
    mTable->setAccessibleDescription(
        tr("Every style of the library; Return shows it in the main window"));
    connect(mTable, &QTableView::activated, this, &LibraryWindow::activate);

    auto *problemsLabel = new QLabel(tr("Files with &problems:"), central);
    mProblems = new QListWidget(central);
    mProblems->setAccessibleName(tr("Files with problems"));
    mProblems->setMaximumHeight(fontMetrics().height() * 4);
    problemsLabel->setBuddy(mProblems);

    auto *top = new QHBoxLayout;
    top->addWidget(mFilterText, 1);
    top->addWidget(showLabel);
    top->addWidget(mShow);
    top->addWidget(mExport);
    top->addWidget(mExportMusic);
    // The table and the problems above, the current row's pattern below, their sizes as the
    // user leaves them.
    auto *listed = new QWidget(central);
    auto *listedLayout = new QVBoxLayout(listed);
    listedLayout->setContentsMargins({});
    listedLayout->addWidget(mTable, 1);
    listedLayout->addWidget(problemsLabel);
    listedLayout->addWidget(mProblems);
    mPattern = new PatternPane(mFiles, mDialogs, central);
    mSplitter = new QSplitter(Qt::Vertical, central);
    mSplitter->addWidget(listed);
    mSplitter->addWidget(mPattern);
    mSplitter->setStretchFactor(0, 1);
    mSplitter->setStretchFactor(1, 1);
    mSplitter->setChildrenCollapsible(false);
    if (mSettings != nullptr)
        mSplitter->restoreState(mSettings->value(SplitterKey).toByteArray());
    auto *layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addWidget(mSplitter, 1);
    connect(mTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &LibraryWindow::showPattern);
}

void LibraryWindow::showPattern(const QModelIndex &current)
{
    if (!current.isValid())
        return mPattern->showNothing();
    const int row = mFilter.mapToSource(current).row();
    const LibraryCatalogue &catalogue = mScan.model().catalogue();
    mPattern->showStyle(catalogue.file(row), catalogue.style(row));
}

// The counts, and below them what was left when the scan stopped; the phase under way in the bar,
// beside Cancel, both gone once the scan is done. The counts wrap where the window is too narrow
// for them beside the bar. The status line reads its counts to a screen reader as it shows them.
void LibraryWindow::createStatusBar()
{
    mStatus = new QLabel(statusBar());
    mStatus->setObjectName(QStringLiteral("status"));
    mStatus->setWordWrap(true);
    mProgress = new QProgressBar(statusBar());
    mProgress->setRange(0, 0);
    mProgress->setAccessibleName(tr("Progress"));
    // Room for the longest phase on one line, whatever size the window opens at.
    mProgress->setMinimumWidth(
        mProgress->fontMetrics().horizontalAdvance(
            LibraryScan::tr("checking duplicates: %L1 of %Ln style(s)", "", 999999).arg(999999))
        + 40);
    mCancel = new QPushButton(tr("&Cancel"), statusBar());
    mCancel->setObjectName(QStringLiteral("cancelButton"));
    connect(mCancel, &QPushButton::clicked, &mScan, &LibraryScan::cancel);
    statusBar()->addWidget(mStatus, 1);
    statusBar()->addPermanentWidget(mProgress);
    statusBar()->addPermanentWidget(mCancel);
    statusBar()->setSizeGripEnabled(true);
    if (auto *grip = statusBar()->findChild<QSizeGrip *>())
        grip->setAccessibleName(tr("Resize the window"));
}

// Esc and Ctrl+W close the window, Ctrl+Q quits, F1 asks for the help, Ctrl+F goes to the filter.
void LibraryWindow::createKeys()
{
    const auto key = [this](const QKeySequence &keys, const std::function<void()> &act) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, act);
    };
    // Esc clears the filter first, and closes once there is nothing to clear.
    key(QKeySequence(Qt::Key_Escape), [this] {
        if (mFilterText->hasFocus() && !mFilterText->text().isEmpty())
            mFilterText->clear();
        else
            close();
    });
    key(QKeySequence(Qt::CTRL | Qt::Key_W), [this] { close(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_Q), [] { QApplication::closeAllWindows(); });
    key(QKeySequence(Qt::Key_F1), [this] { emit helpRequested(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_F), [this] {
        mFilterText->setFocus(Qt::ShortcutFocusReason);
        mFilterText->selectAll();
    });
}

// Where the window was last, or over its owner at a size for its columns.
void LibraryWindow::placeWindow()
{
    if (mSettings != nullptr && restoreGeometry(mSettings->value(GeometryKey).toByteArray())) {
        mFitted = true;
        keepOnScreen();
        return;
    }
    fitToColumns();
    if (parentWidget() != nullptr)
        move(parentWidget()->window()->frameGeometry().center() - rect().center());
    keepOnScreen();
}

void LibraryWindow::cascade(int windowsBefore)
{
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
    move(pos() + QPoint(step, step) * windowsBefore);
    keepOnScreen();
}

// The whole window on its screen: one that would run off moves back, as far as its width lets it.
void LibraryWindow::keepOnScreen()
{
    const QRect screen
        = (this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen())
              ->availableGeometry();
    const QRect frame = frameGeometry();
    const auto within = [](int at, int length, int first, int last) {
        return qMax(first, qMin(at, last - length + 1));
    };
    move(within(frame.left(), frame.width(), screen.left(), screen.right()),
        within(frame.top(), frame.height(), screen.top(), screen.bottom()));
}

void LibraryWindow::closeEvent(QCloseEvent *event)
{
    if (mSettings != nullptr)
        mSettings->setValue(GeometryKey, saveGeometry());
    if (mSettings != nullptr)
        mSettings->setValue(SplitterKey, mSplitter->saveState());
    QMainWindow::closeEvent(event);
}

// Wide enough for every column (up to most of the screen), whatever the style.
void LibraryWindow::fitToColumns()
{
    const QRect screen
        = (this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen())
              ->availableGeometry();
    // The stretched last column never shrinks below the header's default section size again.
    const QHeaderView *header = mTable->horizontalHeader();
    const int last = header->sectionSize(header->logicalIndex(header->count() - 1));
    const int columns = header->length() - last + qMax(last, header->defaultSectionSize())
        + mTable->verticalScrollBar()->sizeHint().width() + 2 * mTable->frameWidth()
        + 2 * centralWidget()->layout()->contentsMargins().left();
    resize(qBound(640, columns, screen.width() * 9 / 10), qMin(640, screen.height() * 9 / 10));
    keepOnScreen();
}

void LibraryWindow::connectScan()
{
    connect(&mScan, &LibraryScan::problemsFound, this, &LibraryWindow::showProblems);
    connect(&mScan, &LibraryScan::phaseChanged, this, &LibraryWindow::showProgress);
    connect(&mScan, &LibraryScan::progressed, this, &LibraryWindow::showProgress);
    connect(&mScan, &LibraryScan::finished, this, [this] {
        showProgress();
        emit catalogueFinished();
    });
    connect(&mScan, &LibraryScan::musicExported, this, &LibraryWindow::sayMusicExported);
    // Once, to the first rows: later ones must not move the columns.
    connect(&mScan.model(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (mColumnsSized)
            return;
        mColumnsSized = true;
        mTable->resizeColumnsToContents();
        if (!mFitted)
            fitToColumns();
        mFitted = true;
    });
}

// Named as the files are, below the folder.
void LibraryWindow::showProblems(const QList<Problem> &problems)
{
    QStringList lines;
    for (const Problem &problem : problems)
        lines << QStringLiteral("%1: %2").arg(pathBelow(folder(), problem.path), problem.text());
    mProblems->addItems(lines);
}

void LibraryWindow::showProgress()
{
    const bool running = !mScan.isFinished();
    mProgress->setVisible(running);
    mCancel->setVisible(running);
    mExportMusic->setEnabled(!running);
    mProgress->setRange(0, qMax(mScan.total(), 0));
    mProgress->setValue(mScan.done());
    mProgress->setFormat(mScan.phaseText());
    const QString left = running ? QString() : mScan.phaseText();
    mStatus->setText(
        left.isEmpty() ? mScan.countsText() : mScan.countsText() + QLatin1Char('\n') + left);
}

void LibraryWindow::activate(const QModelIndex &index)
{
    const int row = mFilter.mapToSource(index).row();
    const LibraryCatalogue &catalogue = mScan.model().catalogue();
    emit styleActivated(catalogue.path(row), catalogue.styleIndex(row));
}

// The rows as shown, filter and sort applied, with the columns of quarv-report --csv --details.
void LibraryWindow::exportList()
{
    const QString &folder = this->folder();
    QString path = mDialogs.chooseListFile(
        folder + QStringLiteral("/STYLES.CSV"), fileFilter(tr("Style lists"), u"csv"), this);
    if (path.isEmpty())
        return;
    // A chooser gives names that are not UTF-8 back as U+FFFD: in the library's folder, its
    // own bytes are meant.
    const QString shownFolder = displayFileName(folder);
    if (shownFolder != folder && path.startsWith(shownFolder + QLatin1Char('/')))
        path.replace(0, shownFolder.size(), folder);
    try {
        const auto writer = mFiles.createTextFile(path);
        writer->write(csvHeaderLine(true));
        const LibraryCatalogue &catalogue = mScan.model().catalogue();
        for (int row = 0; row < mFilter.rowCount(); ++row) {
            const int source = mFilter.mapToSource(mFilter.index(row, 0)).row();
            const StyleDetails details = catalogue.details(source);
            writer->write(csvLine(
                catalogue.path(source), catalogue.file(source), catalogue.style(source), &details));
        }
        writer->commit();
    } catch (const FileError &error) {
        mDialogs.showMessage(error.writeProblem().message());
    }
}

// The music of the chosen rows, or of every row shown when none is chosen, below a folder.
void LibraryWindow::exportMusic()
{
    QList<int> rows;
    const QModelIndexList chosen = mTable->selectionModel()->selectedRows();
    for (int row = 0; row < mFilter.rowCount(); ++row) {
        const QModelIndex index = mFilter.index(row, 0);
        if (chosen.isEmpty() || chosen.contains(index))
            rows << mFilter.mapToSource(index).row();
    }
    const QString target = mDialogs.chooseFolder(folder());
    if (!target.isEmpty() && !rows.isEmpty())
        mScan.exportMusic(rows, target);
}

void LibraryWindow::sayMusicExported(const LibraryScan::MusicExported &exported)
{
    mDialogs.showMessage({tr("%1, %2, %3.", "MIDI files written, styles without music, problems")
                              .arg(tr("%Ln MIDI file(s) written", "", exported.written),
                                  tr("%Ln style(s) without known music", "", exported.notKnown),
                                  tr("%Ln problem(s)", "", exported.problems)),
        QuarvTitle, exported.problems > 0 ? MessageIcon::Warning : MessageIcon::None});
}
