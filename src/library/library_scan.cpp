#include "library_scan.h"

#include <QLocale>

#include <algorithm>

LibraryScan::LibraryScan(const QString &folder, const FileService &files, QObject *parent)
    : QObject(parent), mFolder(folder), mModel(folder), mCataloguer(files)
{
    // New rows reach the model at most twenty times a second: fewer, larger insertions keep a
    // view quick, and rows still appear as they are read.
    mShowAdded.setSingleShot(true);
    mShowAdded.setInterval(50);
    connect(&mShowAdded, &QTimer::timeout, this, &LibraryScan::showAdded);
    connectCataloguer();
}

void LibraryScan::connectCataloguer()
{
    connect(&mCataloguer, &Cataloguer::folderProblems, this, &LibraryScan::problemsFound);
    connect(&mCataloguer, &Cataloguer::filesFound, this, [this](int count) {
        mModel.expectFiles(count);
        mTotal = count;
        emit progressed();
    });
    connect(&mCataloguer, &Cataloguer::filesRead, this, &LibraryScan::takeFiles);
    connect(&mCataloguer, &Cataloguer::detailsRead, this, &LibraryScan::takeDetails);
    connect(&mCataloguer, &Cataloguer::duplicatesToCheck, this,
        [this](int styles) { enter(Phase::Duplicates, styles); });
    connect(&mCataloguer, &Cataloguer::duplicatesChecked, this, &LibraryScan::takeGroups);
    connect(&mCataloguer, &Cataloguer::musicExported, this, &LibraryScan::takeMusic);
    connect(&mCataloguer, &Cataloguer::jobDone, this, [this] {
        mJobDone = true;
        showAdded();
    });
}

void LibraryScan::start()
{
    enter(Phase::Reading, -1);
    mCataloguer.findAndLoad(mFolder);
}

void LibraryScan::cancel()
{
    if (mExporting)
        mCataloguer.cancelExport();
    else
        mCataloguer.cancel();
}

void LibraryScan::exportMusic(const QList<int> &rows, const QString &folder)
{
    if (!isFinished())
        return;
    // Each file once, with the numbers of its chosen styles, in the library's order.
    const LibraryCatalogue &catalogue = mModel.catalogue();
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    QList<MusicToExport> files;
    for (const int row : std::as_const(sorted)) {
        if (files.isEmpty() || files.last().file.path != catalogue.path(row))
            files.append({catalogue.file(row), {}});
        files.last().file.styles.append(catalogue.style(row));
        files.last().styles.append(catalogue.number(row));
    }
    mExporting = true;
    mExported = {};
    enter(Phase::ExportingMusic, int(rows.size()));
    mCataloguer.exportMusic(files, folder);
}

void LibraryScan::takeMusic(const QList<ExportedMusic> &files)
{
    QList<Problem> problems;
    for (const ExportedMusic &file : files) {
        mDone += file.styles;
        mExported.written += int(file.done.written.size());
        mExported.notKnown += int(file.done.notKnown.size());
        mExported.problems += int(file.done.problems.size());
        problems += file.done.problems;
    }
    if (!problems.isEmpty())
        emit problemsFound(problems);
    emit progressed();
}

void LibraryScan::enter(Phase phase, int total)
{
    mPhase = phase;
    mDone = 0;
    mTotal = total;
    emit phaseChanged();
}

void LibraryScan::takeFiles(const QList<CatalogueFile> &files)
{
    mModel.addFiles(files);
    mFilesRead += int(files.size());
    mDone = mFilesRead;
    QList<Problem> problems;
    for (const CatalogueFile &file : files) {
        if (file.problem)
            problems.append(*file.problem);
    }
    mProblemFiles += int(problems.size());
    if (!problems.isEmpty())
        emit problemsFound(problems);
    if (!mShowAdded.isActive())
        mShowAdded.start();
}

void LibraryScan::takeDetails(const QList<FileDetails> &files)
{
    mPendingDetails += files;
    if (!mShowAdded.isActive())
        mShowAdded.start();
}

// Damaged styles are problems like the files'.
void LibraryScan::applyDetails(int most)
{
    const QList<FileDetails> files = mPendingDetails.mid(0, most);
    mPendingDetails.remove(0, files.size());
    mModel.addDetails(files);
    QList<Problem> problems;
    for (const FileDetails &file : files) {
        const QString path = mModel.catalogue().path(file.firstRow);
        if (file.details.problem)
            problems.append(*file.details.problem);
        const QList<StyleDetails> &styles = file.details.styles;
        for (qsizetype i = 0; i < styles.size(); ++i) {
            if (styles[i].integrity == Integrity::Damaged)
                problems.append({Problem::Kind::DamagedStyle, path,
                    damageMessage(styles[i], mModel.catalogue().number(file.firstRow + int(i)))});
        }
    }
    if (mPhase == Phase::Details)
        mDone += int(files.size());
    if (!problems.isEmpty())
        emit problemsFound(problems);
}

void LibraryScan::takeGroups(const QList<CheckedGroup> &groups)
{
    for (const CheckedGroup &group : groups) {
        mModel.addDuplicates(group.result.duplicates);
        mDone += group.styles;
    }
    emit progressed();
}

// New rows a few thousand at a time, and details of a hundred files, each step a turn of the
// event loop: a view keeps answering while a library of a hundred thousand styles comes in,
// sorted and filtered as it comes. Once everything of a job is in, the next phase begins.
void LibraryScan::showAdded()
{
    constexpr int MostRowsAtOnce = 4000;
    constexpr int MostDetailsAtOnce = 100;
    mShowAdded.stop();
    bool more = mModel.showAddedRows(MostRowsAtOnce);
    applyDetails(MostDetailsAtOnce);
    more = more || !mPendingDetails.isEmpty();
    emit progressed();
    if (more)
        QTimer::singleShot(0, this, &LibraryScan::showAdded);
    else if (mJobDone)
        nextPhase();
}

void LibraryScan::nextPhase()
{
    mJobDone = false;
    if (mPhase == Phase::ExportingMusic) {
        mExporting = false;
        if (!isCanceled())
            enter(Phase::Done, 0);  // a cancelled export says what it left
        emit musicExported(mExported);
        emit finished();
        return;
    }
    if (isCanceled() || mPhase == Phase::Duplicates) {
        // A cancelled scan stays in the phase it stopped in, which says what was left.
        if (!isCanceled())
            enter(Phase::Done, 0);
        mFinished = true;
        emit finished();
    } else if (mPhase == Phase::Reading) {
        const QList<std::pair<int, StyleFile>> files = mModel.catalogue().filesWithDetails();
        enter(Phase::Details, int(files.size()));
        mCataloguer.readDetails(files);
    } else {
        // The duplicates' total comes once the look-alikes are known.
        enter(Phase::Duplicates, -1);
        mCataloguer.findDuplicates(mModel.catalogue());
    }
}

QString LibraryScan::countsText() const
{
    return tr("%1, %2, %3, %4, %5, %6",
        "files, styles, ghost styles, damaged styles, duplicates, files with problems")
        .arg(tr("%Ln file(s)", "", mFilesRead), tr("%Ln style(s)", "", mModel.rowCount()),
            tr("%Ln ghost style(s)", "", mModel.ghostCount()),
            tr("%Ln damaged style(s)", "", mModel.damagedCount()),
            tr("%Ln duplicate(s)", "", mModel.duplicateCount()),
            tr("%Ln file(s) with problems", "", mProblemFiles));
}

QString LibraryScan::phaseText() const
{
    const int left = qMax(mTotal - mDone, 0);
    if (isCanceled()) {
        switch (mPhase) {
        case Phase::Reading: return tr("stopped: %Ln file(s) not read", "", left);
        case Phase::Details:
            return tr("stopped: meter and tempo of %Ln file(s) not read", "", left);
        case Phase::Duplicates:
            return tr("stopped: %Ln style(s) not checked for duplicates", "", left);
        case Phase::ExportingMusic:
            return tr("stopped: the music of %Ln style(s) not exported", "", left);
        case Phase::Done: break;
        }
        return {};
    }
    switch (mPhase) {
    case Phase::Reading:
        return mTotal < 0 ? tr("looking for style files")
                          : tr("%L1 of %Ln file(s) read", "", mTotal).arg(mDone);
    case Phase::Details: return tr("meter and tempo: %L1 of %Ln file(s)", "", mTotal).arg(mDone);
    case Phase::Duplicates:
        return mTotal < 0 ? tr("looking for duplicates")
                          : tr("checking duplicates: %L1 of %Ln style(s)", "", mTotal).arg(mDone);
    case Phase::ExportingMusic:
        return tr("exporting music: %L1 of %Ln style(s)", "", mTotal).arg(mDone);
    case Phase::Done: break;
    }
    return {};
}
