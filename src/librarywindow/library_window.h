#pragma once

#include "library/cataloguer.h"
#include "library/library_filter.h"
#include "library/library_model.h"
#include "platform/dialogs.h"

#include <QMainWindow>
#include <QTimer>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSettings;
class QTableView;

// "Quarv library - <folder>": every style of the style files below a folder in one sortable,
// searchable table, read in the background; files that could not be read and damaged styles
// listed below it. A normal window of the desktop's palette and fonts, sized to its columns,
// opened over its owner or where it was last.
class LibraryWindow : public QMainWindow {
    Q_OBJECT

public:
    // `settings`, where given, keep the window's place and size.
    LibraryWindow(const QString &folder, const FileService &files, Dialogs &dialogs,
        QWidget *owner = nullptr, QSettings *settings = nullptr);

    [[nodiscard]] const QString &folder() const { return mFolder; }

signals:
    // A row was chosen (double-click or Return): its file and the style's place in it.
    void styleActivated(const QString &path, int styleIndex);
    void helpRequested();
    void catalogueFinished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    enum class Phase { Reading, Details, Duplicates, Done };

    void createWidgets();
    void createKeys();
    void placeWindow();
    void connectCataloguer();
    void readFiles(const QList<CatalogueFile> &read);
    void readDetails();
    void showDetails(const QList<FileDetails> &files);
    void applyDetails(int most);
    void findDuplicates();
    void showAdded();
    void fitToColumns();
    void activate(const QModelIndex &index);
    void exportList();
    void showPhase(Phase phase, int total, const QString &format);
    void showStatus();

    QString mFolder;
    const FileService &mFiles;
    Dialogs &mDialogs;
    QSettings *mSettings;
    LibraryModel mModel;
    LibraryFilter mFilter;
    Cataloguer mCataloguer;
    QTimer mShowAdded;
    QList<FileDetails> mPendingDetails;
    QTimer mFilterPause;
    Phase mPhase = Phase::Reading;
    int mFilesFound = 0;
    int mFilesRead = 0;
    int mProblemFiles = 0;
    int mPhaseTotal = 0;
    int mPhaseDone = 0;
    int mUnchecked = 0;
    bool mCanceled = false;
    bool mFitted = false;
    bool mFinished = false;
    bool mFinishedSaid = false;

    QLineEdit *mFilterText = nullptr;
    QComboBox *mShow = nullptr;
    QPushButton *mExport = nullptr;
    QTableView *mTable = nullptr;
    QListWidget *mProblems = nullptr;
    QProgressBar *mProgress = nullptr;
    QPushButton *mCancel = nullptr;
    QLabel *mStatus = nullptr;
};
