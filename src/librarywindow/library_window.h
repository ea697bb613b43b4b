#pragma once

#include "library/cataloguer.h"
#include "library/library_filter.h"
#include "library/library_model.h"
#include "platform/dialogs.h"

#include <QTimer>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableView;

// "Quarv library - <folder>": every style of the style files below a folder in one sortable,
// searchable table, read in the background; files that could not be read listed below it. A
// normal window of the desktop's palette and fonts.
class LibraryWindow : public QWidget {
    Q_OBJECT

public:
    LibraryWindow(const QString &folder, const FileService &files, Dialogs &dialogs,
        QWidget *owner = nullptr);

    [[nodiscard]] const QString &folder() const { return mFolder; }

signals:
    // A row was chosen (double-click or Return): its file and the style's place in it.
    void styleActivated(const QString &path, int styleIndex);
    void catalogueFinished();

private:
    void createWidgets();
    void connectCataloguer();
    void readDetails();
    void showDetails(const QList<FileDetails> &files);
    void showAdded();
    void activate(const QModelIndex &index);
    void exportList();
    void showStatus();

    QString mFolder;
    const FileService &mFiles;
    Dialogs &mDialogs;
    LibraryModel mModel;
    LibraryFilter mFilter;
    Cataloguer mCataloguer;
    QTimer mShowAdded;
    enum class Phase { Reading, Details, Duplicates, Done };
    Phase mPhase = Phase::Reading;
    int mFilesFound = 0;
    int mDetailsFiles = 0;
    int mDetailsRead = 0;
    int mFilesRead = 0;
    int mProblemFiles = 0;
    bool mCanceled = false;

    QLineEdit *mFilterText = nullptr;
    QComboBox *mShow = nullptr;
    QPushButton *mExport = nullptr;
    QTableView *mTable = nullptr;
    QListWidget *mProblems = nullptr;
    QProgressBar *mProgress = nullptr;
    QPushButton *mCancel = nullptr;
    QLabel *mStatus = nullptr;
};
