#pragma once

#include "platform/dialogs.h"
#include "platform/file_service.h"
#include "platform/printer.h"
#include "recent_files.h"
#include "styles/style_file.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <array>

class FileInfoPanel;
class LibraryWindow;
class StyleList;

class QSettings;

// The main window: a thin shell over the loader and the reports. The file service, the dialogs,
// the printer and the settings come from outside, so tests can script them.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(const FileService &files, Dialogs &dialogs, PrinterFactory printers,
        QSettings &settings, QWidget *parent = nullptr);

    // Loads a style file and shows it; a file that cannot be read leaves the last one shown.
    void openFile(const QString &path);
    // The library window of a folder: opened, or raised when it is open already.
    void showLibrary(const QString &folder);
    // Loads a style file and shows the page of its list that holds the style; comes to the front.
    void showStyle(const QString &path, int styleIndex);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void open();
    void openFolder();
    void print();
    void exportInfo();
    void showHelpPage(int page, QWidget *over = nullptr);
    void about();

    void openRecent(const QString &path);
    void fillRecentMenu();

    void createActions();
    void createMenus();
    void createListKeys();
    void setReportActionsEnabled(bool enabled);

    const FileService &mFiles;
    Dialogs &mDialogs;
    PrinterFactory mPrinters;
    QSettings &mSettings;
    RecentFiles mRecentFiles;
    QHash<QString, QPointer<LibraryWindow>> mLibraries;  // by canonical folder
    StyleFile mFile;
    FileInfoPanel *mPanel = nullptr;
    StyleList *mStyleList = nullptr;

    QAction *mOpenAction = nullptr;
    QAction *mOpenFolderAction = nullptr;
    QMenu *mRecentMenu = nullptr;
    QAction *mPrintAction = nullptr;
    QAction *mExportAction = nullptr;
    QAction *mQuitAction = nullptr;
    std::array<QAction *, 4> mHelpPageActions {};
    QAction *mAboutAction = nullptr;
};
