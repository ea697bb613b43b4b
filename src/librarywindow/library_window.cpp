#include "library_window.h"

#include "library/style_csv.h"
#include "platform/file_error.h"
#include "platform/file_name.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>

LibraryWindow::LibraryWindow(
    const QString &folder, const FileService &files, Dialogs &dialogs, QWidget *owner)
    : QWidget(owner, Qt::Window),
      mFolder(folder),
      mFiles(files),
      mDialogs(dialogs),
      mModel(folder),
      mCataloguer(files)
{
    setWindowTitle(tr("Quarv library - %1").arg(displayFileName(folder)));
    mFilter.setSourceModel(&mModel);
    createWidgets();

    connectCataloguer();
    mCataloguer.start(folder);
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
        mProgress->setRange(0, count);
        showStatus();
    });
    // New rows reach the table at most twenty times a second: fewer, larger insertions keep the
    // window quick, and rows still appear as they are read.
    mShowAdded.setSingleShot(true);
    mShowAdded.setInterval(50);
    connect(&mShowAdded, &QTimer::timeout, this, &LibraryWindow::showAdded);
    connect(&mCataloguer, &Cataloguer::filesRead, this, [this](const QList<CatalogueFile> &read) {
        mModel.addFiles(read);
        mFilesRead += int(read.size());
        QStringList problems;
        for (const CatalogueFile &entry : read) {
            if (!entry.message.isEmpty())
                problems << QStringLiteral("%1: %2").arg(
                    pathBelow(mFolder, entry.path), entry.message);
        }
        mProblems->addItems(problems);
        mProblemFiles += int(problems.size());
        if (!mShowAdded.isActive())
            mShowAdded.start();
    });
    connect(&mCataloguer, &Cataloguer::allFilesRead, this, &LibraryWindow::readDetails);
    connect(&mCataloguer, &Cataloguer::detailsRead, this, &LibraryWindow::showDetails);
    connect(&mCataloguer, &Cataloguer::allDetailsRead, this, [this] {
        mPhase = Phase::Duplicates;
        showStatus();
        mCataloguer.findDuplicatesIn(mModel.catalogue());
    });
    connect(&mCataloguer, &Cataloguer::duplicatesFound, this, [this](const QSet<int> &duplicates) {
        mModel.markDuplicates(duplicates);
        showStatus();
    });
    connect(&mCataloguer, &Cataloguer::finished, this, [this](bool canceled) {
        showAdded();
        mCanceled = canceled;
        mCancel->setEnabled(false);
        mProgress->hide();
        showStatus();
        mPhase = Phase::Done;
        emit catalogueFinished();
    });
}

// Once every row is listed: the meter and tempo of the styles whose files keep them.
void LibraryWindow::readDetails()
{
    showAdded();
    const QList<std::pair<int, StyleFile>> files = mModel.catalogue().filesWithDetails();
    mPhase = Phase::Details;
    mDetailsFiles = int(files.size());
    mProgress->setRange(0, mDetailsFiles);
    mProgress->setValue(0);
    mProgress->setFormat(tr("meter and tempo: %v of %m files"));
    showStatus();
    mCataloguer.readDetails(files);
}

// Damaged styles are listed with the files' problems.
void LibraryWindow::showDetails(const QList<FileDetails> &files)
{
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
    mDetailsRead += int(files.size());
    mProgress->setValue(mDetailsRead);
    showStatus();
}

void LibraryWindow::createWidgets()
{
    mFilterText = new QLineEdit(this);
    mFilterText->setPlaceholderText(tr("Filter by name or file"));
    mFilterText->setClearButtonEnabled(true);
    mFilterText->setAccessibleName(tr("Filter"));
    connect(mFilterText, &QLineEdit::textChanged, &mFilter, &LibraryFilter::setText);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        mFilterText->setFocus(Qt::ShortcutFocusReason);
        mFilterText->selectAll();
    });
    auto *showLabel = new QLabel(tr("&Show:"), this);
    mShow = new QComboBox(this);
    mShow->addItems({tr("All"), tr("Ghosts"), tr("Duplicates"), tr("Damaged")});
    mShow->setAccessibleName(tr("Show"));
    showLabel->setBuddy(mShow);
    connect(mShow, &QComboBox::currentIndexChanged, this,
        [this](int show) { mFilter.setShow(LibraryFilter::Show(show)); });
    mExport = new QPushButton(tr("&Export List..."), this);
    connect(mExport, &QPushButton::clicked, this, &LibraryWindow::exportList);

    mTable = new QTableView(this);
    mTable->setModel(&mFilter);
    mTable->setSortingEnabled(true);
    mTable->sortByColumn(LibraryModel::File, Qt::AscendingOrder);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::SingleSelection);
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->setAlternatingRowColors(true);
    mTable->setWordWrap(
        false);  // one line a row: long paths are elided, the columns can be widened
    mTable->verticalHeader()->hide();
    mTable->verticalHeader()->setDefaultSectionSize(
        fontMetrics().lineSpacing() + 6);  // one line of text a row
    mTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    mTable->horizontalHeader()->setStretchLastSection(true);
    mTable->setAccessibleName(tr("Styles"));
    mTable->setAccessibleDescription(
        tr("Every style of the library; Return shows it in the main window"));
    connect(mTable, &QTableView::activated, this, &LibraryWindow::activate);

    auto *problemsLabel = new QLabel(tr("Files with &problems:"), this);
    mProblems = new QListWidget(this);
    mProblems->setAccessibleName(tr("Files with problems"));
    mProblems->setMaximumHeight(fontMetrics().height() * 6);
    problemsLabel->setBuddy(mProblems);

    mProgress = new QProgressBar(this);
    mProgress->setRange(0, 0);
    mProgress->setFormat(tr("%v of %m files"));
    mProgress->setAccessibleName(tr("Files read"));
    mCancel = new QPushButton(tr("&Cancel"), this);
    connect(mCancel, &QPushButton::clicked, &mCataloguer, &Cataloguer::cancel);
    mStatus = new QLabel(this);
    mStatus->setObjectName(QStringLiteral("status"));
    mStatus->setAccessibleName(tr("Status"));
    mStatus->setSizePolicy(QSizePolicy::Ignored,
        QSizePolicy::Preferred);  // new counts must not lay the window out again

    auto *top = new QHBoxLayout;
    top->addWidget(mFilterText, 1);
    top->addWidget(showLabel);
    top->addWidget(mShow);
    top->addWidget(mExport);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(mStatus, 1);
    bottom->addWidget(mProgress);
    bottom->addWidget(mCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(mTable, 1);
    layout->addWidget(problemsLabel);
    layout->addWidget(mProblems);
    layout->addLayout(bottom);
    resize(900, 600);
}

void LibraryWindow::showAdded()
{
    mShowAdded.stop();
    const bool first = mModel.rowCount() == 0;
    mModel.showAddedRows();
    if (first && mModel.rowCount() > 0)
        mTable->resizeColumnsToContents();  // once, to the first rows: later ones must not move the
                                            // columns
    mProgress->setValue(mFilesRead);
    showStatus();
}

void LibraryWindow::activate(const QModelIndex &index)
{
    const int row = mFilter.mapToSource(index).row();
    emit styleActivated(mModel.catalogue().path(row), mModel.catalogue().styleIndex(row));
}

// "N files, M styles, G ghost styles, B damaged styles, D duplicates, E files with problems", and
// what is under way or was left when the reading stopped.
void LibraryWindow::showStatus()
{
    QString status = tr("%1 files, %2 styles, %3 ghost styles, %4 damaged styles, %5 duplicates, "
                        "%6 files with problems")
                         .arg(mFilesRead)
                         .arg(mModel.rowCount())
                         .arg(mModel.ghostCount())
                         .arg(mModel.damagedCount())
                         .arg(mModel.duplicateCount())
                         .arg(mProblemFiles);
    if (mCanceled && mPhase == Phase::Details)
        status += tr(" (stopped: meter and tempo of %1 files not read)")
                      .arg(mDetailsFiles - mDetailsRead);
    else if (mCanceled)
        status += tr(" (stopped: %1 files not read)").arg(mFilesFound - mFilesRead);
    else if (mPhase == Phase::Details)
        status += tr(" (reading meter and tempo)");
    mStatus->setText(status);
}

// The rows as shown, filter and sort applied, with the columns of quarv-report --csv.
void LibraryWindow::exportList()
{
    QString path = mDialogs.chooseListFile(mFolder + QStringLiteral("/STYLES.CSV"));
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
        for (int row = 0; row < mFilter.rowCount(); ++row) {
            const int source = mFilter.mapToSource(mFilter.index(row, 0)).row();
            const LibraryCatalogue &catalogue = mModel.catalogue();
            const StyleDetails details = catalogue.details(source);
            writer->write(csvLine(
                catalogue.path(source), catalogue.file(source), catalogue.style(source), &details));
        }
        writer->commit();
    } catch (const FileError &error) {
        mDialogs.showMessage({error.writeMessage(), QuarvTitle, MessageIcon::Critical});
    }
}
