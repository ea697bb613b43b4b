#include "about_box.h"

#include "platform/pictures.h"

#include <QEvent>
#include <QLabel>

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint)
{
    // No caption: with an empty title the window manager would show the application's name.
    setWindowTitle(QStringLiteral(" "));
    setAccessibleName(tr("About Quarv"));  // what a screen reader says the blank title is
    setFixedSize(496, 340);
    setModal(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    mPicture = new QLabel(this);
    mPicture->setObjectName(QStringLiteral("picture"));
    mPicture->setGeometry(0, 0, 496, 340);
    mPicture->setPixmap(picture(QStringLiteral("about"), mPicture));
    mPicture->setToolTip(QStringLiteral("Quarv - Brennix 3.00 (August 2004)"));
    mPicture->installEventFilter(this);

    const struct {
        QRect geometry;
        const char *text;
    } notices[3] = {
        {{4, 212, 485, 41},
            QT_TR_NOOP("Quarv is free to use and to give away, unchanged and free of charge, "
                       "together with this notice.")},
        {{4, 256, 485, 41},
            QT_TR_NOOP("Quarv comes with no warranty of any kind: it only reads style files, "
                       "but you use it at your own risk.")},
        {{4, 300, 485, 29}, QT_TR_NOOP("Questions and reports: write to the Quarv developers.")},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        auto *label = new QLabel(tr(notices[i].text), this);
        label->setGeometry(notices[i].geometry);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setAttribute(Qt::WA_TranslucentBackground);
        QPalette navy = label->palette();
        navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
        label->setPalette(navy);
        label->setObjectName(QStringLiteral("notice%1").arg(i));
        label->installEventFilter(this);
        mNotices[i] = label;
    }
}

void AboutBox::keyPressEvent(QKeyEvent *) { mKeyPressedHere = true; }

// Only the release of a key pressed in the box closes it: the release of the Return that chose
// "About" in the menu arrives here too, and must not close the box at once.
void AboutBox::keyReleaseEvent(QKeyEvent *)
{
    if (mKeyPressedHere)
        accept();
}

void AboutBox::mouseReleaseEvent(QMouseEvent *) { accept(); }

bool AboutBox::eventFilter(QObject *watched, QEvent *event)
{
    const bool onNotice = std::find(mNotices.begin(), mNotices.end(), watched) != mNotices.end();
    if (watched == mPicture && event->type() == QEvent::MouseButtonRelease) {
        accept();
        return true;
    }
    if (onNotice && event->type() == QEvent::MouseButtonDblClick) {
        accept();
        return true;
    }
    // A single click on a notice must not fall through to the box, which would close it.
    if (onNotice
        && (event->type() == QEvent::MouseButtonPress
            || event->type() == QEvent::MouseButtonRelease))
        return true;
    return QDialog::eventFilter(watched, event);
}
