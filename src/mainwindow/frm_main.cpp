#include "frm_main.h"

#include "help/frm_about.h"
#include "help/frm_help.h"
#include "main_window_layout.h"
#include "quarv_main.h"
#include "reports/export_info.h"
#include "reports/print_info.h"
#include "style_page.h"
#include "window_font.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>

namespace {

const QColor White(255, 255, 255);
const QColor LightGrey(224, 224, 224);
const QColor LightGreen(192, 255, 192);
const QColor LightRed(255, 192, 192);

void setBackground(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
}

QLabel *cell(QWidget *parent, const QRect &geometry, const QColor &colour, Qt::Alignment alignment,
             const QString &text = {})
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAutoFillBackground(true);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    setBackground(label, colour);
    return label;
}

} // namespace

frmMain::frmMain(CurrentFile &file, Dialogs &dialogs, PrinterFactory printers, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowCloseButtonHint),
      mFile(file), mDialogs(dialogs), mPrinters(std::move(printers)), mLoader(file, dialogs, *this)
{
    setWindowTitle(QStringLiteral("Quarv - Brennix"));
    setWindowIcon(QIcon(QStringLiteral(":/quarv/icon.png")));
    setFont(MainWindowFont());
    setAcceptDrops(true);

    auto *client = new QWidget(this);
    client->setFixedSize(px(6225), px(4170));
    setCentralWidget(client);
    auto *logo = new QLabel(client);
    logo->setGeometry(twipsRect(60, 240, 3000, 945));
    logo->setPixmap(QPixmap(QStringLiteral(":/quarv/logo.png")));
    createMenus();
    createPanel(client);
    createStyleList(client);
    setFixedSize(sizeHint());
}

void frmMain::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    const char *const fileCaptions[6] = {"&Open", nullptr, "Print Info", "Export Info", nullptr, "&Quit"};
    for (int i = 0; i < 6; ++i) {
        mF[std::size_t(i)] = fileCaptions[i] ? file->addAction(QString::fromLatin1(fileCaptions[i]))
                                             : file->addSeparator();
        connect(mF[std::size_t(i)], &QAction::triggered, this, [this, i] { mF_Click(i); });
    }
    mF[0]->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    mF[5]->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    QMenu *howTo = help->addMenu(QStringLiteral("&Using Quarv: How to ... "));
    mh[0] = howTo->menuAction();
    const char *const pages[3] = {"... open a .STY file", "... export .STY file informations to a .TXT file",
                                  "... print .STY file informations"};
    for (int i = 0; i < 3; ++i) {
        mhp[std::size_t(i)] = howTo->addAction(QString::fromLatin1(pages[i]));
        connect(mhp[std::size_t(i)], &QAction::triggered, this, [this, i] { mhp_Click(i); });
    }
    mh[1] = help->addSeparator();
    mh[2] = help->addAction(QStringLiteral("&About"));
    connect(mh[2], &QAction::triggered, this, [this] { mh_Click(2); });
}

void frmMain::createPanel(QWidget *client)
{
    auto *frame = new QGroupBox(QStringLiteral(" File informations "), client);
    frame->setGeometry(twipsRect(0, 1395, 3075, 2085));
    for (int i = 0; i < 6; ++i) {
        const int top = 240 + 300 * i;
        lbFields[std::size_t(i)] = cell(frame, twipsRect(120, top, FieldNameWidth, 255), LightGrey, Qt::AlignRight,
                                        QString::fromLatin1(FieldNames[i]));
        const Qt::Alignment alignment = (i == 0 || i == 3) ? Qt::AlignLeft : Qt::AlignRight;
        lbData[std::size_t(i)] = cell(frame, twipsRect(1320, top, DataWidths[i], 255), White, alignment);
    }
}

void frmMain::createStyleList(QWidget *client)
{
    const char *const headings[3] = {"# ", " Name", "Size"};
    const Qt::Alignment alignments[3] = {Qt::AlignRight, Qt::AlignLeft, Qt::AlignRight};
    for (int c = 0; c < 3; ++c) {
        lbColumnHead[std::size_t(c)] = cell(client, twipsRect(ColumnLefts[c], 30, ColumnWidths[c], 285), LightGreen,
                                            alignments[c], QString::fromLatin1(headings[c]));
        lbColumnHead[std::size_t(c)]->setFont(HeadingFont());
    }
    for (int r = 0; r < StyleRowsPerPage; ++r) {
        const int top = 300 + 240 * r;
        const auto at = [&](int c) { return twipsRect(ColumnLefts[c], top, ColumnWidths[c], 255); };
        lbColumn0[std::size_t(r)] = cell(client, at(0), White, Qt::AlignRight);
        lbColumn1[std::size_t(r)] = cell(client, at(1), White, Qt::AlignLeft);
        lbColumn2[std::size_t(r)] = cell(client, at(2), White, Qt::AlignRight);
    }
    VScroll = new QScrollBar(Qt::Vertical, client);
    VScroll->setGeometry(twipsRect(5940, 15, 270, 4140));
    VScroll->setSingleStep(1);
    VScroll->setPageStep(1);
    VScroll->setTracking(false);  // the page moves when a dragged thumb is released, not meanwhile
    VScroll->setEnabled(false);
    connect(VScroll, &QScrollBar::valueChanged, this, &frmMain::VScroll_Change);
}

void frmMain::Form_Load(const QString &commandLine)
{
    setWindowTitle(QString::fromLatin1(ReportTitle));
    mF[2]->setEnabled(false);
    mF[3]->setEnabled(false);
    ClearStyleRows();
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    if (!commandLine.isEmpty())
        mLoader.OpenStyleFile(QString(commandLine).remove(QLatin1Char('"')));
}

void frmMain::mF_Click(int Index)
{
    switch (Index) {
    case 0:
        mLoader.OpenStyleFile(QString());
        break;
    case 2:
        PrintInfo();
        break;
    case 3:
        if (mDialogs.MsgBox(QStringLiteral("Confirm information data export to text file?"), MbYesNoQuestion,
                            QStringLiteral("Quarv")) == AnswerYes)
            ExportInfo(QString(), ReportSourceFor(mFile, panelCaptions()), *mFile.FileService, mDialogs);
        break;
    case 5:
        close();
        break;
    default:
        break;
    }
}

void frmMain::mh_Click(int Index)
{
    if (Index != 2)
        return;
    frmAbout about;
    about.exec();
}

void frmMain::mhp_Click(int Index)
{
    frmHelp help({mhp[0]->text(), mhp[1]->text(), mhp[2]->text()}, this);
    help.showPage(Index);
    help.exec();
}

void frmMain::PrintInfo() { ::PrintInfo(ReportSourceFor(mFile, panelCaptions()), mPrinters, mDialogs); }

void frmMain::SetReportCommandsEnabled(bool enabled)
{
    mF[2]->setEnabled(enabled);
    mF[3]->setEnabled(enabled);
}

void frmMain::ShowFileInfo()
{
    const FileInfoCaptions captions = FileInfoCaptionsFor(mFile);
    for (std::size_t i = 0; i < captions.size(); ++i)
        lbData[i]->setText(captions[i]);

    mRows = ShownRows(mFile);
    const qint32 total = qint32(mRows.size());
    const ScrollSetup scroll = ScrollSetupFor(total);
    PageFirst = 1;
    PageLast = qint16(qMin(total, StyleRowsPerPage));
    {
        // A new file starts at its first page, with the bar at the top.
        const QSignalBlocker quiet(VScroll);
        if (scroll.enabled)
            VScroll->setRange(scroll.minimum, scroll.maximum);
        VScroll->setValue(VScroll->minimum());
    }
    VScroll->setEnabled(scroll.enabled);
    ClearStyleRows();
    ShowStylePage();
}

void frmMain::ClearStyleRows()
{
    for (int r = 0; r < StyleRowsPerPage; ++r) {
        for (QLabel *label : {lbColumn0[std::size_t(r)], lbColumn1[std::size_t(r)], lbColumn2[std::size_t(r)]}) {
            label->clear();
            setBackground(label, White);
        }
    }
}

void frmMain::ShowStylePage()
{
    std::size_t r = 0;
    for (qint32 i = PageFirst; i <= PageLast && i <= mRows.size(); ++i, ++r) {
        const ListRowCells cells = ListRowCellsFor(mRows[i - 1]);
        lbColumn0[r]->setText(cells.number);
        lbColumn1[r]->setText(cells.name);
        lbColumn2[r]->setText(cells.size);
        const QColor background = cells.ghost ? LightRed : White;
        setBackground(lbColumn0[r], background);
        setBackground(lbColumn1[r], background);
    }
}

void frmMain::VScroll_Change()
{
    PageFirst = qint16(VScroll->value());
    PageLast = qint16(VScroll->value() + StyleRowsPerPage - 1);
    ShowStylePage();
}

FileInfoCaptions frmMain::panelCaptions() const
{
    FileInfoCaptions captions;
    for (std::size_t i = 0; i < captions.size(); ++i)
        captions[i] = lbData[i]->text();
    return captions;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload() { ReleaseServices(mFile); }

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().constFirst().isLocalFile())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return;
    event->acceptProposedAction();
    mLoader.OpenStyleFile(urls.constFirst().toLocalFile());
}

void frmMain::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y() / 120;
    if (VScroll->isEnabled() && notches != 0)
        VScroll->setValue(VScroll->value() - notches);
    event->accept();
}
