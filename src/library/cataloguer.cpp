#include "cataloguer.h"

#include "style_folder.h"

#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// Readers wait while this many files are on their way: a window that is behind must not make
// the library pile up in memory twice.
constexpr qsizetype MostFilesWaiting = 512;
// What is handed over at one turn of the window's event loop; the rest comes at the next.
constexpr qsizetype MostAtOnce = 256;

}  // namespace

Cataloguer::Cataloguer(const FileService &files, QObject *parent) : QObject(parent), mFiles(files)
{
    connect(&mJob, &QFutureWatcherBase::finished, this, [this] {
        mJobFinished = true;
        handOverAll();
    });
    connect(&mGrouping, &QFutureWatcherBase::finished, this, [this] {
        checkGroups(
            mGrouping.future().resultCount() > 0 ? mGrouping.result() : QList<LookAlikeGroup>());
    });
}

Cataloguer::~Cataloguer()
{
    cancel();
    for (QFutureWatcherBase *job :
        std::initializer_list<QFutureWatcherBase *> {&mWalk, &mGrouping, &mJob})
        job->waitForFinished();
}

void Cataloguer::findAndLoad(const QString &folder)
{
    const FileService &files = mFiles;
    const auto canceled = mCanceled;
    mWalk.setFuture(QtConcurrent::run(&mPool, [this, folder, &files, canceled] {
        const StyleFolder found
            = findStyleFiles(folder, files, [canceled] { return canceled->load(); });
        // Handed over, not kept as the job's result: the paths are held once, and only while they
        // are read.
        QMetaObject::invokeMethod(this, [this, found] {
            QList<Problem> problems;
            for (const FolderProblem &problem : found.problems)
                problems.append({Problem::Kind::UnreadableFolder, problem.path, problem.reason});
            if (!problems.isEmpty())
                emit folderProblems(problems);
            emit filesFound(int(found.files.size()));
            loadFiles(found.files);
        });
    }));
}

void Cataloguer::loadFiles(const QStringList &paths)
{
    mPaths = isCanceled() ? QStringList() : paths;
    const FileService &files = mFiles;
    const auto waiting = mFilesRead;
    const auto canceled = mCanceled;
    // Each item looks at the flag itself: QtConcurrent stops only between blocks of items.
    mJob.setFuture(
        QtConcurrent::map(&mPool, mPaths, [this, &files, waiting, canceled](const QString &path) {
            if (!canceled->load())
                put(this, *waiting, catalogueFile(path, files), *canceled);
        }));
}

void Cataloguer::readDetails(QList<std::pair<int, StyleFile>> files)
{
    mDetailFiles = isCanceled() ? QList<std::pair<int, StyleFile>>() : std::move(files);
    const FileService &fileService = mFiles;
    const auto waiting = mDetailsRead;
    const auto canceled = mCanceled;
    mJob.setFuture(QtConcurrent::map(&mPool, mDetailFiles,
        [this, &fileService, waiting, canceled](const std::pair<int, StyleFile> &file) {
            if (canceled->load())
                return;
            FileDetails read {
                file.first, readStyleDetails(file.second, fileService, canceled.get())};
            if (!canceled->load())  // else some of its styles were not read
                put(this, *waiting, std::move(read), *canceled);
        }));
}

// The look-alikes are found on the pool (a library of 100,000 styles takes a while), then their
// groups are checked side by side.
void Cataloguer::findDuplicates(const LibraryCatalogue &library)
{
    mGrouping.setFuture(QtConcurrent::run(&mPool, [library] { return lookAlikes(library); }));
}

void Cataloguer::checkGroups(const QList<LookAlikeGroup> &groups)
{
    int styles = 0;
    for (const LookAlikeGroup &group : groups)
        styles += int(group.size());
    emit duplicatesToCheck(styles);
    mGroups = isCanceled() ? QList<LookAlikeGroup>() : groups;
    const FileService &files = mFiles;
    const auto waiting = mGroupsChecked;
    const auto canceled = mCanceled;
    mJob.setFuture(QtConcurrent::map(
        &mPool, mGroups, [this, &files, waiting, canceled](const LookAlikeGroup &group) {
            if (canceled->load())
                return;
            GroupResult result = duplicatesIn(group, files, canceled.get());
            // A group stopped midway keeps what it confirmed, but is not counted as checked.
            put(this, *waiting, CheckedGroup {result.stopped ? 0 : int(group.size()), result},
                *canceled);
        }));
}

void Cataloguer::exportMusic(QList<MusicToExport> files, const QString &folder)
{
    mExportCanceled = std::make_shared<StopFlag>(isCanceled());
    mExports = std::move(files);
    const FileService &fileService = mFiles;
    const auto waiting = mMusicExported;
    const auto canceled = mExportCanceled;
    mJob.setFuture(QtConcurrent::map(&mPool, mExports,
        [this, &fileService, waiting, canceled, folder](const MusicToExport &file) {
            if (canceled->load())
                return;
            const MusicExportOptions options {folder, file.styles, false};
            MusicExport done = exportStyleMusic(file.file, fileService, options, canceled.get());
            // A file stopped midway keeps what it wrote, but is not counted as exported.
            put(this, *waiting,
                ExportedMusic {canceled->load() ? 0 : int(file.styles.size()), std::move(done)},
                *canceled);
        }));
}

void Cataloguer::cancelExport()
{
    {
        QMutexLocker lock(&mMusicExported->mutex);
        mExportCanceled->store(true);
    }
    mJob.cancel();
    mMusicExported->taken.wakeAll();
}

template <typename T>
void Cataloguer::put(Cataloguer *to, Waiting<T> &waiting, T item, const StopFlag &canceled)
{
    QMutexLocker lock(&waiting.mutex);
    while (waiting.items.size() >= MostFilesWaiting && !canceled.load())
        waiting.taken.wait(&waiting.mutex);
    waiting.items.append(std::move(item));
    if (waiting.items.size() == 1)  // the first since the last hand-over: ask for one
        QMetaObject::invokeMethod(to, &Cataloguer::handOverAll, Qt::QueuedConnection);
}

// Returns whether more is waiting.
template <typename T>
bool Cataloguer::handOver(Waiting<T> &waiting, void (Cataloguer::*signal)(const QList<T> &))
{
    QMutexLocker lock(&waiting.mutex);
    const QList<T> batch = waiting.items.mid(0, MostAtOnce);
    waiting.items.remove(0, batch.size());
    const bool more = !waiting.items.isEmpty();
    waiting.taken.wakeAll();
    lock.unlock();
    if (!batch.isEmpty())
        emit(this->*signal)(batch);
    return more;
}

// At most a batch of each at a time, the rest at the next turn of the event loop. Once the job
// ended and the last is handed over, the job is done.
void Cataloguer::handOverAll()
{
    const bool moreFiles = handOver(*mFilesRead, &Cataloguer::filesRead);
    const bool moreDetails = handOver(*mDetailsRead, &Cataloguer::detailsRead);
    const bool moreGroups = handOver(*mGroupsChecked, &Cataloguer::duplicatesChecked);
    const bool moreMusic = handOver(*mMusicExported, &Cataloguer::musicExported);
    if (moreFiles || moreDetails || moreGroups || moreMusic) {
        QMetaObject::invokeMethod(this, &Cataloguer::handOverAll, Qt::QueuedConnection);
        return;
    }
    if (!mJobFinished)
        return;
    mJobFinished = false;
    mPaths.clear();
    mDetailFiles.clear();
    mGroups.clear();
    mExports.clear();
    emit jobDone();
}

void Cataloguer::cancel()
{
    cancelExport();
    {
        // Under the waiting threads' locks: a thread about to wait for the window sees the flag,
        // or is already waiting and is woken below.
        QMutexLocker files(&mFilesRead->mutex);
        QMutexLocker details(&mDetailsRead->mutex);
        QMutexLocker groups(&mGroupsChecked->mutex);
        mCanceled->store(true);
    }
    mJob.cancel();
    mFilesRead->taken.wakeAll();
    mDetailsRead->taken.wakeAll();
    mGroupsChecked->taken.wakeAll();
}
