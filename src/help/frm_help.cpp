#include "frm_help.h"

#include "help_page_text.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace {
int wrapPage(int page) { return (page + HelpPageCount) % HelpPageCount; }
int tagOf(const QPushButton *button) { return button->property("Tag").toString().toInt(); }
}

frmHelp::frmHelp(const std::array<QString, 3> &captions, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      mCaptions(captions)
{
    setWindowTitle(QStringLiteral("Using ") + QStringLiteral("Quarv"));
    setFixedSize(277, 239);
    setModal(true);

    auto *picture = new QLabel(this);
    picture->setGeometry(36, 4, 200, 63);
    picture->setPixmap(QPixmap(QStringLiteral(":/quarv/help.png")));

    lbHelp = new QLabel(this);
    lbHelp->setGeometry(4, 76, 269, 137);
    lbHelp->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lbHelp->setWordWrap(true);
    lbHelp->setFrameStyle(QFrame::Box | QFrame::Plain);
    lbHelp->setAutoFillBackground(true);
    QPalette white = lbHelp->palette();
    white.setColor(QPalette::Window, Qt::white);
    lbHelp->setPalette(white);
    lbHelp->setToolTip(QStringLiteral("Press any key to exit"));

    const auto button = [this](const QString &caption, const QRect &geometry) {
        auto *b = new QPushButton(caption, this);
        b->setGeometry(geometry);
        b->setToolTip(caption);
        b->setAutoDefault(false);
        b->installEventFilter(this);
        return b;
    };
    cbPrevious = button(QStringLiteral("Previous"), {4, 216, 89, 21});
    cbNext = button(QStringLiteral("Next"), {184, 216, 89, 21});
    cbExit = button(QStringLiteral("Exit"), {96, 216, 85, 21});
    setTabOrder(cbPrevious, cbNext);
    setTabOrder(cbNext, cbExit);
    installEventFilter(this);

    connect(cbNext, &QPushButton::clicked, this, &frmHelp::cbNext_Click);
    connect(cbPrevious, &QPushButton::clicked, this, &frmHelp::cbPrevious_Click);
    connect(cbExit, &QPushButton::clicked, this, &QDialog::accept);
}

void frmHelp::showPage(int page)
{
    lbHelp->setText(HelpPageText(mCaptions[std::size_t(wrapPage(page))], qint16(page)));
    cbNext->setProperty("Tag", QString::number(wrapPage(page + 1)));
    cbPrevious->setProperty("Tag", QString::number(wrapPage(page - 1)));
}

void frmHelp::cbNext_Click() { showPage(tagOf(cbNext)); }

void frmHelp::cbPrevious_Click() { showPage(tagOf(cbPrevious)); }

// Any key closes the window, whichever control has the focus.
bool frmHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
