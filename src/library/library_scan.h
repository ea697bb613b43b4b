#pragma once

#include "cataloguer.h"
#include "library_model.h"

#include <QObject>
#include <QTimer>

// The work on a library, phase by phase, in the background: the style files below a folder
// found and read, then the details of the styles that keep them, then the search for
// duplicates. It owns the library's model and feeds it a batch at a time, so that a view of it
// keeps answering while a hundred thousand rows come in; it counts what was done, and what was
// left when it was cancelled. A window connects, shows and cancels.
class LibraryScan : public QObject {
    Q_OBJECT

public:
    enum class Phase { Reading, Details, Duplicates, Done, ExportingMusic };

    // What an export of music came to.
    struct MusicExported {
        int written = 0;
        int notKnown = 0;  // styles whose music is not known
        int problems = 0;
    };

    LibraryScan(const QString &folder, const FileService &files, QObject *parent = nullptr);

    void start();
    // Stops the phase under way where it is, and the phases after it; what was done stays. An
    // export of music stops alone.
    void cancel();
    // Once the scan is done: the music of these rows' styles below `folder`, as quarv-midi
    // writes it; musicExported() says what came of it.
    void exportMusic(const QList<int> &rows, const QString &folder);

    [[nodiscard]] const QString &folder() const { return mFolder; }
    [[nodiscard]] LibraryModel &model() { return mModel; }
    [[nodiscard]] const LibraryModel &model() const { return mModel; }
    [[nodiscard]] Phase phase() const { return mPhase; }
    [[nodiscard]] bool isCanceled() const
    {
        return mPhase == Phase::ExportingMusic ? mCataloguer.isExportCanceled()
                                               : mCataloguer.isCanceled();
    }
    // Every phase ended (or was cancelled), every row and detail is in the model, and no export
    // runs.
    [[nodiscard]] bool isFinished() const { return mFinished && !mExporting; }
    // The phase's progress: done of total, in files (reading, details) or styles (duplicates); a
    // total of -1 while the files are still being looked for.
    [[nodiscard]] int done() const { return mDone; }
    [[nodiscard]] int total() const { return mTotal; }
    [[nodiscard]] int filesRead() const { return mFilesRead; }
    [[nodiscard]] int problemFiles() const { return mProblemFiles; }

    // "4 files, 10 styles, 2 ghost styles, 1 damaged style, 2 duplicates, 0 files with problems"
    [[nodiscard]] QString countsText() const;
    // What is under way ("12 of 40 files read"), or what was left when the scan was cancelled
    // ("stopped: 28 files not read"); empty when all is done.
    [[nodiscard]] QString phaseText() const;

signals:
    void phaseChanged();
    void progressed();  // done(), the counts or the model's rows changed
    // Files that could not be read, folders that could not be listed, damaged styles.
    void problemsFound(const QList<Problem> &problems);
    void finished();
    void musicExported(const LibraryScan::MusicExported &exported);

private:
    void connectCataloguer();
    void enter(Phase phase, int total);
    void takeFiles(const QList<CatalogueFile> &files);
    void takeDetails(const QList<FileDetails> &files);
    void takeGroups(const QList<CheckedGroup> &groups);
    void takeMusic(const QList<ExportedMusic> &files);
    void nextPhase();
    void showAdded();
    void applyDetails(int most);

    QString mFolder;
    LibraryModel mModel;
    Cataloguer mCataloguer;
    QTimer mShowAdded;
    QList<FileDetails> mPendingDetails;
    Phase mPhase = Phase::Reading;
    int mDone = 0;
    int mTotal = -1;
    int mFilesRead = 0;
    int mProblemFiles = 0;
    bool mJobDone = false;
    bool mFinished = false;
    bool mExporting = false;
    MusicExported mExported;
};
