#include "help_window.h"

#include "help_page_text.h"
#include "platform/pictures.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int TextHeight = 137;
constexpr int ButtonTop = 216;
}  // namespace

HelpWindow::HelpWindow(const std::array<QString, 4> &captions, QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      mCaptions(captions)
{
    setWindowTitle(tr("Using Quarv"));
    setFixedSize(277, 239);
    setModal(true);

    auto *banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("banner"));
    banner->setGeometry(36, 4, 200, 63);
    banner->setPixmap(picture(QStringLiteral("help"), banner));

    mText = new QLabel(this);
    mText->setObjectName(QStringLiteral("helpText"));
    mText->setGeometry(4, 76, 269, TextHeight);
    mText->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    mText->setWordWrap(true);
    mText->setFrameStyle(QFrame::Box | QFrame::Plain);
    mText->setAutoFillBackground(true);
    QPalette blackOnWhite
        = mText->palette();  // fixed together, so a dark colour scheme cannot hide the text
    blackOnWhite.setColor(QPalette::Window, Qt::white);
    blackOnWhite.setColor(QPalette::WindowText, Qt::black);
    mText->setPalette(blackOnWhite);
    mText->setToolTip(tr("Press any key to exit"));

    const auto button = [this](const QString &caption, const QRect &geometry) {
        auto *b = new QPushButton(caption, this);
        b->setGeometry(geometry);
        b->setToolTip(caption);
        b->setAutoDefault(false);
        b->installEventFilter(this);
        return b;
    };
    QPushButton *previous = button(tr("Previous"), {4, ButtonTop, 89, 21});
    QPushButton *next = button(tr("Next"), {184, ButtonTop, 89, 21});
    QPushButton *exit = button(tr("Exit"), {96, ButtonTop, 85, 21});
    setTabOrder(previous, next);
    setTabOrder(next, exit);
    installEventFilter(this);

    connect(next, &QPushButton::clicked, this, [this] { showPage(mPage + 1); });
    connect(previous, &QPushButton::clicked, this, [this] { showPage(mPage - 1); });
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
}

void HelpWindow::showPage(int page)
{
    mPage = (page % HelpPageCount + HelpPageCount) % HelpPageCount;
    mText->setText(helpPageText(mCaptions[std::size_t(mPage)], mPage));
    // A longer page makes the window taller, the buttons below it, never its text cut.
    const int extra = qMax(0, mText->heightForWidth(mText->width()) - TextHeight);
    mText->resize(mText->width(), TextHeight + extra);
    for (QPushButton *button : findChildren<QPushButton *>())
        button->move(button->x(), ButtonTop + extra);
    setFixedSize(277, 239 + extra);
}

// Any key closes the window, whichever control has the focus.
bool HelpWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
