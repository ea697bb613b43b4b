#include "cataloguer.h"

#include "duplicates.h"
#include "platform/file_error.h"
#include "style_folder.h"

#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

Cataloguer::Cataloguer(const FileService &files, QObject *parent) : QObject(parent), mFiles(files)
{
    connect(&mLoads, &QFutureWatcherBase::finished, this, [this] {
        mLoadsDone = true;
        handOver();
    });
    connect(&mDetails, &QFutureWatcherBase::resultsReadyAt, this, [this](int begin, int end) {
        QList<FileDetails> batch;
        for (int i = begin; i < end; ++i)
            batch.append(mDetails.resultAt(i));
        emit detailsRead(batch);
    });
    connect(&mDetails, &QFutureWatcherBase::finished, this, [this] {
        if (mCanceled->load())
            finish();
        else
            emit allDetailsRead();
    });
    connectDuplicateSteps();
}

Cataloguer::~Cataloguer()
{
    cancel();
    for (QFutureWatcherBase *job : std::initializer_list<QFutureWatcherBase *> {
             &mWalk, &mLoads, &mDetails, &mLookAlikes, &mDigests, &mTwins})
        job->waitForFinished();
}

void Cataloguer::start(const QString &folder)
{
    const FileService &files = mFiles;
    const auto canceled = mCanceled;
    mWalk.setFuture(QtConcurrent::run(&mPool, [this, folder, &files, canceled] {
        const StyleFolder found
            = findStyleFiles(folder, files, [canceled] { return canceled->load(); });
        // Handed over, not kept as the job's result: the paths are held once, and only while they
        // are read.
        QMetaObject::invokeMethod(this, [this, found] {
            if (!found.problems.isEmpty())
                emit folderProblems(found.problems);
            emit filesFound(int(found.files.size()));
            mPaths = found.files;
            if (mCanceled->load())
                return finish();
            loadFiles();
        });
    }));
}

void Cataloguer::loadFiles()
{
    const FileService &files = mFiles;
    const std::shared_ptr<ReadQueue> queue = mRead;
    const auto canceled = mCanceled;
    mLoads.setFuture(
        QtConcurrent::map(&mPool, mPaths, [this, &files, queue, canceled](const QString &path) {
            CatalogueFile read = catalogueFile(path, files);
            QMutexLocker lock(&queue->mutex);
            // Readers wait while the window is behind, so that files do not pile up on their way.
            while (queue->files.size() >= ReadQueue::MostWaiting && !canceled->load())
                queue->taken.wait(&queue->mutex);
            queue->files.append(std::move(read));
            if (queue->files.size() == 1)  // the first since the last hand-over: ask for one
                QMetaObject::invokeMethod(this, &Cataloguer::handOver, Qt::QueuedConnection);
        }));
}

// At most 256 files at a time, the rest at the next turn of the event loop: the window
// must keep answering while thousands of files come in. Once the last is handed over, the files
// are all read.
void Cataloguer::handOver()
{
    constexpr qsizetype MostAtOnce = 256;
    QMutexLocker lock(&mRead->mutex);
    const QList<CatalogueFile> batch = mRead->files.mid(0, MostAtOnce);
    mRead->files.remove(0, batch.size());
    const bool more = !mRead->files.isEmpty();
    mRead->taken.wakeAll();
    lock.unlock();
    if (!batch.isEmpty())
        emit filesRead(batch);
    if (more) {
        QMetaObject::invokeMethod(this, &Cataloguer::handOver, Qt::QueuedConnection);
        return;
    }
    if (!mLoadsDone)
        return;
    mLoadsDone = false;
    mPaths.clear();
    if (mCanceled->load())
        finish();
    else
        emit allFilesRead();
}

void Cataloguer::readDetails(const QList<std::pair<int, StyleFile>> &files)
{
    const FileService &fileService = mFiles;
    mDetails.setFuture(
        QtConcurrent::mapped(&mPool, files, [&fileService](const std::pair<int, StyleFile> &file) {
            FileDetails details;
            details.firstRow = file.first;
            try {
                details.styles = readStyleDetails(file.second, fileService);
            } catch (const FileError &error) {
                details.problem = error.readMessage();
            }
            return details;
        }));
}

// Look-alikes, their bytes' digests a file at a time (counted as they come), then the twins:
// each step on the pool, so that the window keeps answering.
void Cataloguer::findDuplicatesIn(const LibraryCatalogue &library)
{
    mLookAlikes.setFuture(QtConcurrent::run(&mPool, [library] { return lookAlikes(library); }));
}

void Cataloguer::connectDuplicateSteps()
{
    connect(&mLookAlikes, &QFutureWatcherBase::finished, this, [this] {
        const QList<DuplicateCandidates> candidates = mLookAlikes.result();
        mCandidateStyles = 0;
        for (const DuplicateCandidates &file : candidates)
            mCandidateStyles += int(file.rows.size());
        emit duplicatesToCheck(int(candidates.size()));
        if (mCanceled->load()) {
            emit duplicatesFound({}, mCandidateStyles);
            return finish();
        }
        const FileService &files = mFiles;
        mDigests.setFuture(QtConcurrent::mapped(&mPool, candidates,
            [&files](const DuplicateCandidates &file) { return styleDigests(file, files); }));
    });
    connect(
        &mDigests, &QFutureWatcherBase::progressValueChanged, this, &Cataloguer::duplicatesChecked);
    connect(&mDigests, &QFutureWatcherBase::finished, this, [this] {
        // A canceled future keeps none of its results: after Cancel no candidate was checked.
        const QList<QList<StyleDigest>> digests = mDigests.future().results();
        mUncheckedStyles = mCanceled->load() ? mCandidateStyles : 0;
        mTwins.setFuture(QtConcurrent::run(&mPool, [digests] { return twins(digests); }));
    });
    connect(&mTwins, &QFutureWatcherBase::finished, this, [this] {
        emit duplicatesFound(mTwins.result(), mUncheckedStyles);
        finish();
    });
}

void Cataloguer::cancel()
{
    {
        // Under the readers' lock: a reader about to wait for the window sees the flag, or is
        // already waiting and is woken below.
        QMutexLocker lock(&mRead->mutex);
        mCanceled->store(true);
    }
    mLoads.cancel();
    mDetails.cancel();
    mDigests.cancel();
    mRead->taken.wakeAll();
}

void Cataloguer::finish() { emit finished(mCanceled->load()); }
