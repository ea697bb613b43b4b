#pragma once

#include "duplicates.h"
#include "library_catalogue.h"
#include "style_folder.h"

#include <QFutureWatcher>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QThreadPool>
#include <QWaitCondition>

#include <atomic>
#include <memory>

// What the styles of one file say of themselves (their meter, tempo and damage), from its first
// row on; or why the file could not be read again.
struct FileDetails {
    int firstRow = 0;
    QList<StyleDetails> styles;
    QString problem;
};

// Reads a library in the background: finds the style files below a folder, loads them on the
// thread pool and hands them over in batches as they are read; then, when asked, reads the
// details of the styles that have them, and looks for duplicates among the styles listed.
// cancel() stops the job where it is; what was read stays read.
class Cataloguer : public QObject {
    Q_OBJECT

public:
    explicit Cataloguer(const FileService &files, QObject *parent = nullptr);
    ~Cataloguer() override;

    void start(const QString &folder);
    // Once every file was read: the details of these files' styles (each with its first row).
    void readDetails(const QList<std::pair<int, StyleFile>> &files);
    // Once every file was read: the styles of `library` that have a twin in it.
    void findDuplicatesIn(const LibraryCatalogue &library);
    void cancel();

signals:
    void folderProblems(const QList<FolderProblem> &problems);  // folders that could not be read
    void filesFound(int count);
    void filesRead(const QList<CatalogueFile> &files);
    void allFilesRead();
    void detailsRead(const QList<FileDetails> &files);
    void allDetailsRead();
    // The look-alike styles' files to read, then how many were read, then what was found (and
    // how many look-alike styles were left unchecked when the search was cancelled).
    void duplicatesToCheck(int files);
    void duplicatesChecked(int files);
    void duplicatesFound(const QSet<int> &styles, int unchecked);
    void finished(bool canceled);

private:
    void loadFiles();
    void connectDuplicateSteps();
    void handOver();
    void finish();

    // Files read on the pool, waiting for the window's thread. Handed over as they come rather
    // than kept as a QFuture's results, so a library is held once.
    struct ReadQueue {
        static constexpr qsizetype MostWaiting = 512;
        QMutex mutex;
        QWaitCondition taken;
        QList<CatalogueFile> files;
    };

    const FileService &mFiles;
    // A pool of our own: its threads may wait for the window, which the global pool's must not
    // (Qt paints with them).
    QThreadPool mPool;
    QStringList mPaths;
    std::shared_ptr<ReadQueue> mRead = std::make_shared<ReadQueue>();
    QFutureWatcher<void> mWalk;
    QFutureWatcher<void> mLoads;
    QFutureWatcher<FileDetails> mDetails;
    QFutureWatcher<QList<DuplicateCandidates>> mLookAlikes;
    QFutureWatcher<QList<StyleDigest>> mDigests;
    QFutureWatcher<QSet<int>> mTwins;
    int mCandidateStyles = 0;
    int mUncheckedStyles = 0;
    std::shared_ptr<std::atomic<bool>> mCanceled = std::make_shared<std::atomic<bool>>(false);
    bool mLoadsDone = false;
};
