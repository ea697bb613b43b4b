#pragma once

#include "library/library_filter.h"
#include "library/library_scan.h"
#include "platform/dialogs.h"

#include <QMainWindow>
#include <QTimer>

class PatternPane;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSettings;
class QSplitter;
class QTableView;

// "Quarv library - <folder>": every style of the style files below a folder in one sortable,
// searchable table, read in the background by a LibraryScan; files that could not be read and
// damaged styles listed below it. A normal window of the desktop's palette and fonts, sized to
// its columns, opened over its owner or where it was last.
class LibraryWindow : public QMainWindow {
    Q_OBJECT

public:
    // `settings`, where given, keep the window's place and size.
    LibraryWindow(const QString &folder, const FileService &files, Dialogs &dialogs,
        QWidget *owner = nullptr, QSettings *settings = nullptr);

    [[nodiscard]] const QString &folder() const { return mScan.folder(); }
    [[nodiscard]] const LibraryScan &scan() const { return mScan; }
    // Steps the window down and right once for each library window open before it, so that it
    // hides none of them.
    void cascade(int windowsBefore);

signals:
    // A row was chosen (double-click or Return): its file and the style's place in it.
    void styleActivated(const QString &path, int styleIndex);
    void helpRequested();
    void catalogueFinished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createWidgets();
    void createStatusBar();
    void createKeys();
    void placeWindow();
    void connectScan();
    void showProblems(const QList<Problem> &problems);
    void showProgress();
    void fitToColumns();
    void keepOnScreen();
    void activate(const QModelIndex &index);
    void exportList();
    void exportMusic();
    void showPattern(const QModelIndex &current);
    void sayMusicExported(const LibraryScan::MusicExported &exported);

    const FileService &mFiles;
    Dialogs &mDialogs;
    QSettings *mSettings;
    LibraryScan mScan;
    LibraryFilter mFilter;
    QTimer mFilterPause;
    bool mFitted = false;        // the window has its size: remembered, or fitted to the columns
    bool mColumnsSized = false;  // the columns were sized to the first rows

    QLineEdit *mFilterText = nullptr;
    QComboBox *mShow = nullptr;
    QPushButton *mExport = nullptr;
    QPushButton *mExportMusic = nullptr;
    QTableView *mTable = nullptr;
    QListWidget *mProblems = nullptr;
    QProgressBar *mProgress = nullptr;
    QPushButton *mCancel = nullptr;
    QLabel *mStatus = nullptr;
    QSplitter *mSplitter = nullptr;
    PatternPane *mPattern = nullptr;
};
