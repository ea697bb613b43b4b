#include "library_window.h"

#include "ghost_row_delegate.h"
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
#include <QStatusBar>
#include <QTableView>

namespace {
const QString GeometryKey = QStringLiteral("libraryWindowGeometry");
}

LibraryWindow::LibraryWindow(const QString &folder, const FileService &files, Dialogs &dialogs,
    QWidget *owner, QSettings *settings)
    : QMainWindow(owner, Qt::Window),
      mFolder(folder),
      mFiles(files),
      mDialogs(dialogs),
      mSettings(settings),
      mModel(folder),
      mCataloguer(files)
{
    setWindowTitle(tr("Quarv library - %1").arg(displayFileName(folder)));
    mFilter.setSourceModel(&mModel);
    createWidgets();
    createKeys();
    placeWindow();
    connectCataloguer();
    mCataloguer.start(folder);
}

void LibraryWindow::createWidgets()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    mFilterText = new QLineEdit(central);
    mFilterText->setPlaceholderText(tr("Filter by name, file or meter"));
    mFilterText->setClearButtonEnabled(true);
    mFilterText->setAccessibleName(tr("Filter"));
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
    mProblems->setMaximumHeight(fontMetrics().height() * 6);
    problemsLabel->setBuddy(mProblems);

    auto *top = new QHBoxLayout;
    top->addWidget(mFilterText, 1);
    top->addWidget(showLabel);
    top->addWidget(mShow);
    top->addWidget(mExport);
    auto *layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addWidget(mTable, 1);
    layout->addWidget(problemsLabel);
    layout->addWidget(mProblems);

    // The status line reads its counts to a screen reader as it shows them.
    mStatus = new QLabel(statusBar());
    mStatus->setObjectName(QStringLiteral("status"));
    mStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // counts must not
                                                                           // lay the window out
    mProgress = new QProgressBar(statusBar());
    mProgress->setRange(0, 0);
    mProgress->setFormat(tr("%v of %m files"));
    mProgress->setAccessibleName(tr("Progress"));
    mCancel = new QPushButton(tr("&Cancel"), statusBar());
    mCancel->setObjectName(QStringLiteral("cancelButton"));
    connect(mCancel, &QPushButton::clicked, &mCataloguer, &Cataloguer::cancel);
    statusBar()->addWidget(mStatus, 1);
    statusBar()->addPermanentWidget(mProgress);
    statusBar()->addPermanentWidget(mCancel);
    statusBar()->setSizeGripEnabled(true);
}

// Esc and Ctrl+W close the window, Ctrl+Q quits, F1 asks for the help, Ctrl+F goes to the filter.
void LibraryWindow::createKeys()
{
    const auto key = [this](const QKeySequence &keys, const std::function<void()> &act) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, act);
    };
    key(QKeySequence(Qt::Key_Escape), [this] { close(); });
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
        return;
    }
    fitToColumns();
    if (parentWidget() != nullptr)
        move(parentWidget()->window()->frameGeometry().center() - rect().center());
}

void LibraryWindow::closeEvent(QCloseEvent *event)
{
    if (mSettings != nullptr)
        mSettings->setValue(GeometryKey, saveGeometry());
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
    // The progress bar's text on one line, at any size of the window.
    mProgress->setMinimumWidth(mProgress->fontMetrics().horizontalAdvance(
                                   tr("checking duplicates: %1 of %1 files").arg(99999))
        + 40);
}

void LibraryWindow::connectCataloguer()
{
    connect(&mCataloguer, &Cataloguer::folderProblems, this,
        [this](const QList<FolderProblem> &problems) {
            QStringList below;  // named as the files are
            for (const FolderProblem &problem : problems)
                below << QStringLiteral("%1: %2").arg(
                    pathBelow(mFolder, problem.path), problem.reason);
            mProblems->addItems(below);
            showStatus();
        });
    connect(&mCataloguer, &Cataloguer::filesFound, this, [this](int count) {
        mFilesFound = count;
        mModel.expectFiles(count);
        showPhase(Phase::Reading, count, tr("%v of %m files"));
    });
    // New rows reach the table at most twenty times a second: fewer, larger insertions keep the
    // window quick, and rows still appear as they are read.
    mShowAdded.setSingleShot(true);
    mShowAdded.setInterval(50);
    connect(&mShowAdded, &QTimer::timeout, this, &LibraryWindow::showAdded);
    connect(&mCataloguer, &Cataloguer::filesRead, this, &LibraryWindow::readFiles);
    connect(&mCataloguer, &Cataloguer::allFilesRead, this, &LibraryWindow::readDetails);
    connect(&mCataloguer, &Cataloguer::detailsRead, this, &LibraryWindow::showDetails);
    connect(&mCataloguer, &Cataloguer::allDetailsRead, this, &LibraryWindow::findDuplicates);
    connect(&mCataloguer, &Cataloguer::duplicatesToCheck, this, [this](int files) {
        showPhase(Phase::Duplicates, files, tr("checking duplicates: %v of %m files"));
    });
    connect(&mCataloguer, &Cataloguer::duplicatesChecked, this, [this](int files) {
        mPhaseDone = files;
        mProgress->setValue(files);
    });
    connect(&mCataloguer, &Cataloguer::duplicatesFound, this,
        [this](const QSet<int> &duplicates, int unchecked) {
            mModel.markDuplicates(duplicates);
            mUnchecked = unchecked;
        });
    connect(&mCataloguer, &Cataloguer::finished, this, [this](bool canceled) {
        mCanceled = canceled;
        if (!canceled)
            mPhase = Phase::Done;  // else the status says what was left in the phase under way
        mCancel->setEnabled(false);
        mProgress->hide();
        mFinished = true;
        showAdded();
    });
}

void LibraryWindow::readFiles(const QList<CatalogueFile> &read)
{
    mModel.addFiles(read);
    mFilesRead += int(read.size());
    mPhaseDone = mFilesRead;
    QStringList problems;
    for (const CatalogueFile &entry : read) {
        if (!entry.message.isEmpty())
            problems << QStringLiteral("%1: %2").arg(pathBelow(mFolder, entry.path), entry.message);
    }
    mProblems->addItems(problems);
    mProblemFiles += int(problems.size());
    if (!mShowAdded.isActive())
        mShowAdded.start();
}

// Once every row is listed: the meter and tempo of the styles whose files keep them.
void LibraryWindow::readDetails()
{
    showAdded();
    const QList<std::pair<int, StyleFile>> files = mModel.catalogue().filesWithDetails();
    showPhase(Phase::Details, int(files.size()), tr("meter and tempo: %v of %m files"));
    mCataloguer.readDetails(files);
}

void LibraryWindow::showDetails(const QList<FileDetails> &files)
{
    mPendingDetails += files;
    if (!mShowAdded.isActive())
        mShowAdded.start();
}

// Damaged styles are listed with the files' problems.
void LibraryWindow::applyDetails(int most)
{
    const QList<FileDetails> files = mPendingDetails.mid(0, most);
    mPendingDetails.remove(0, files.size());
    mModel.addDetails(files);
    QStringList problems;
    for (const FileDetails &file : files) {
        const QString below = pathBelow(mFolder, mModel.catalogue().path(file.firstRow));
        if (!file.problem.isEmpty())
            problems << QStringLiteral("%1: %2").arg(below, file.problem);
        for (qsizetype i = 0; i < file.styles.size(); ++i) {
            if (file.styles[i].integrity == Integrity::Damaged)
                problems << QStringLiteral("%1: %2").arg(below,
                    damageMessage(
                        file.styles[i], mModel.catalogue().number(file.firstRow + int(i))));
        }
    }
    mProblems->addItems(problems);
    if (mPhase == Phase::Details) {
        mPhaseDone += int(files.size());
        mProgress->setValue(mPhaseDone);
    }
}

void LibraryWindow::findDuplicates()
{
    showPhase(Phase::Duplicates, 0, tr("checking duplicates"));
    mCataloguer.findDuplicatesIn(mModel.catalogue());
}

void LibraryWindow::showPhase(Phase phase, int total, const QString &format)
{
    mPhase = phase;
    mPhaseTotal = total;
    mPhaseDone = 0;
    mProgress->setRange(0, total);
    mProgress->setValue(0);
    mProgress->setFormat(format);
    showStatus();
}

// New rows a few thousand at a time, and details of a hundred files, each step a turn of the
// event loop: the window keeps answering while a library of a hundred thousand styles comes in,
// sorted and filtered as it comes.
void LibraryWindow::showAdded()
{
    constexpr int MostRowsAtOnce = 4000;
    constexpr int MostDetailsAtOnce = 100;
    mShowAdded.stop();
    const bool first = mModel.rowCount() == 0;
    bool more = mModel.showAddedRows(MostRowsAtOnce);
    applyDetails(MostDetailsAtOnce);
    more = more || !mPendingDetails.isEmpty();
    if (first && mModel.rowCount() > 0) {
        // Once, to the first rows: later ones must not move the columns.
        mTable->resizeColumnsToContents();
        if (!mFitted)
            fitToColumns();
        mFitted = true;
    }
    if (mPhase == Phase::Reading)
        mProgress->setValue(mFilesRead);
    showStatus();
    if (more) {
        QTimer::singleShot(0, this, &LibraryWindow::showAdded);
    } else if (mFinished && !mFinishedSaid) {
        mFinishedSaid = true;
        emit catalogueFinished();
    }
}

void LibraryWindow::activate(const QModelIndex &index)
{
    const int row = mFilter.mapToSource(index).row();
    emit styleActivated(mModel.catalogue().path(row), mModel.catalogue().styleIndex(row));
}

// "N files, M styles, G ghost styles, B damaged styles, D duplicates, E files with problems", in
// the locale's figures, and what is under way or was left when the reading stopped.
void LibraryWindow::showStatus()
{
    QString status = tr("%L1 files, %L2 styles, %L3 ghost styles, %L4 damaged styles, "
                        "%L5 duplicates, %L6 files with problems")
                         .arg(mFilesRead)
                         .arg(mModel.rowCount())
                         .arg(mModel.ghostCount())
                         .arg(mModel.damagedCount())
                         .arg(mModel.duplicateCount())
                         .arg(mProblemFiles);
    const int left = mPhaseTotal - mPhaseDone;
    if (mCanceled && mPhase == Phase::Reading)
        status += tr(" (stopped: %L1 files not read)").arg(mFilesFound - mFilesRead);
    else if (mCanceled && mPhase == Phase::Details)
        status += tr(" (stopped: meter and tempo of %L1 files not read)").arg(left);
    else if (mCanceled && mPhase == Phase::Duplicates)
        status += tr(" (stopped: %L1 styles not checked for duplicates)").arg(mUnchecked);
    else if (mPhase == Phase::Details)
        status += tr(" (reading meter and tempo)");
    else if (mPhase == Phase::Duplicates)
        status += tr(" (checking duplicates)");
    mStatus->setText(status);
}

// The rows as shown, filter and sort applied, with the columns of quarv-report --csv --details.
void LibraryWindow::exportList()
{
    QString path = mDialogs.chooseListFile(mFolder + QStringLiteral("/STYLES.CSV"), this);
    if (path.isEmpty())
        return;
    // A chooser gives names that are not UTF-8 back as U+FFFD: in the library's folder, its
    // own bytes are meant.
    const QString shownFolder = displayFileName(mFolder);
    if (shownFolder != mFolder && path.startsWith(shownFolder + QLatin1Char('/')))
        path.replace(0, shownFolder.size(), mFolder);
    try {
        const auto writer = mFiles.createTextFile(path);
        writer->write(csvHeaderLine(true));
        const LibraryCatalogue &catalogue = mModel.catalogue();
        for (int row = 0; row < mFilter.rowCount(); ++row) {
            const int source = mFilter.mapToSource(mFilter.index(row, 0)).row();
            const StyleDetails details = catalogue.details(source);
            writer->write(csvLine(
                catalogue.path(source), catalogue.file(source), catalogue.style(source), &details));
        }
        writer->commit();
    } catch (const FileError &error) {
        mDialogs.showMessage({error.writeMessage(), QuarvTitle, MessageIcon::Critical});
    }
}
