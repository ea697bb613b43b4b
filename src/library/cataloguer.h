#pragma once

#include "catalogue_file.h"
#include "duplicates.h"
#include "library_catalogue.h"
#include "midi/music_export.h"

#include <QFutureWatcher>
#include <QMutex>
#include <QObject>
#include <QThreadPool>
#include <QWaitCondition>

#include <memory>

// What the styles of one file say of themselves (their meter, tempo and damage), from its first
// row on; or why the file could not be read again.
struct FileDetails {
    int firstRow = 0;
    FileStyleDetails details;
};

// How one group of look-alikes came out, and how many styles it has.
struct CheckedGroup {
    int styles = 0;
    GroupResult result;
};

// A file whose styles' music to export (those of these numbers), and what came of it.
struct MusicToExport {
    StyleFile file;
    QList<int> styles;
};
struct ExportedMusic {
    int styles = 0;
    MusicExport done;
};

// The background jobs of a library, on a pool of its own threads, each handing what it makes
// over in batches as they come, so that a window keeps answering: the walk of a folder and the
// loading of its files, the details of files, the search for duplicates. One job runs at a time;
// jobDone() says that it ended and everything it made was handed over. cancel() stops the job
// where it is, and every job after it; what was handed over stays.
class Cataloguer : public QObject {
    Q_OBJECT

public:
    explicit Cataloguer(const FileService &files, QObject *parent = nullptr);
    ~Cataloguer() override;

    void findAndLoad(const QString &folder);
    // The details of these files' styles, each file with its first row.
    void readDetails(QList<std::pair<int, StyleFile>> files);
    // The styles of `library` that have a twin in it.
    void findDuplicates(const LibraryCatalogue &library);
    // The music of these files' styles, below `folder`; once the other jobs are done. It stops
    // apart from them: cancelExport() ends this export, and the next may begin.
    void exportMusic(QList<MusicToExport> files, const QString &folder);
    void cancel();
    void cancelExport();
    [[nodiscard]] bool isCanceled() const { return mCanceled->load(); }
    [[nodiscard]] bool isExportCanceled() const { return mExportCanceled->load(); }

signals:
    void folderProblems(const QList<Problem> &problems);  // folders that could not be read
    void filesFound(int count);
    void filesRead(const QList<CatalogueFile> &files);
    void detailsRead(const QList<FileDetails> &files);
    void duplicatesToCheck(int styles);  // the look-alike styles, before their groups are checked
    void duplicatesChecked(const QList<CheckedGroup> &groups);
    void musicExported(const QList<ExportedMusic> &files);
    void jobDone();

private:
    // What a job's threads made, waiting for the window's thread. Handed over as it comes rather
    // than kept as a QFuture's results: a library is held once, and a cancelled job keeps what
    // it finished.
    template <typename T> struct Waiting {
        QMutex mutex;
        QWaitCondition taken;
        QList<T> items;
    };
    template <typename T>
    static void put(Cataloguer *to, Waiting<T> &waiting, T item, const StopFlag &canceled);
    template <typename T>
    bool handOver(Waiting<T> &waiting, void (Cataloguer::*signal)(const QList<T> &));
    void handOverAll();
    void loadFiles(const QStringList &paths);
    void checkGroups(const QList<LookAlikeGroup> &groups);

    const FileService &mFiles;
    // A pool of our own: its threads may wait for the window, which the global pool's must not
    // (Qt paints with them).
    QThreadPool mPool;
    QFutureWatcher<void> mWalk;
    QFutureWatcher<QList<LookAlikeGroup>> mGrouping;
    QFutureWatcher<void> mJob;
    bool mJobFinished = false;
    // What the job works through; QtConcurrent::map keeps only its bounds.
    QStringList mPaths;
    QList<std::pair<int, StyleFile>> mDetailFiles;
    QList<LookAlikeGroup> mGroups;
    QList<MusicToExport> mExports;
    std::shared_ptr<StopFlag> mCanceled = std::make_shared<StopFlag>(false);
    std::shared_ptr<StopFlag> mExportCanceled = std::make_shared<StopFlag>(false);
    // Shared with the threads, which may still hold them while the cataloguer goes.
    std::shared_ptr<Waiting<CatalogueFile>> mFilesRead = std::make_shared<Waiting<CatalogueFile>>();
    std::shared_ptr<Waiting<FileDetails>> mDetailsRead = std::make_shared<Waiting<FileDetails>>();
    std::shared_ptr<Waiting<CheckedGroup>> mGroupsChecked
        = std::make_shared<Waiting<CheckedGroup>>();
    std::shared_ptr<Waiting<ExportedMusic>> mMusicExported
        = std::make_shared<Waiting<ExportedMusic>>();
};
