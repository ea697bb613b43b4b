#pragma once

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "reports/file_info_captions.h"
#include "styles/shown_rows.h"
#include "styles/style_loader.h"

#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QScrollBar;

// The main window: a thin shell over the loader and the reports. Dialogs and the printer come
// from outside, so tests can answer them.
class frmMain : public QMainWindow, private LoadView {
    Q_OBJECT

public:
    frmMain(CurrentFile &file, Dialogs &dialogs, PrinterFactory printers, QWidget *parent = nullptr);

    // Runs before the window is shown: title, disabled report commands, empty list, and the
    // command line's file, if any.
    void Form_Load(const QString &commandLine);

    void mF_Click(int Index);
    void mh_Click(int Index);
    void mhp_Click(int Index);

    // The controls, for the tests that drive the window.
    std::array<QAction *, 6> mF{};
    std::array<QAction *, 3> mh{};
    std::array<QAction *, 3> mhp{};
    std::array<QLabel *, 6> lbFields{};
    std::array<QLabel *, 6> lbData{};
    std::array<QLabel *, 3> lbColumnHead{};
    std::array<QLabel *, 16> lbColumn0{};
    std::array<QLabel *, 16> lbColumn1{};
    std::array<QLabel *, 16> lbColumn2{};
    QScrollBar *VScroll = nullptr;
    qint16 PageFirst = 0;
    qint16 PageLast = 0;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void SetReportCommandsEnabled(bool enabled) override;
    void ShowFileInfo() override;
    void ClearStyleRows();
    void ShowStylePage();
    void VScroll_Change();
    void PrintInfo();
    void Form_Unload();

    void createMenus();
    void createPanel(QWidget *client);
    void createStyleList(QWidget *client);
    [[nodiscard]] FileInfoCaptions panelCaptions() const;

    CurrentFile &mFile;
    Dialogs &mDialogs;
    PrinterFactory mPrinters;
    StyleLoader mLoader;
    QVector<ShownRow> mRows;
};
