#include "frm_about.h"

#include <QEvent>
#include <QLabel>

QString AboutToolTip()
{
    return QStringLiteral("Quarv") + QStringLiteral(" - ") + QStringLiteral("Brennix") + QStringLiteral(" ")
        + QStringLiteral("3.00") + QStringLiteral(" (") + QStringLiteral("August 2004") + QStringLiteral(")");
}

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint)
{
    setFixedSize(496, 340);
    setModal(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 496, 340);
    Image1->setPixmap(QPixmap(QStringLiteral(":/quarv/about.png")));
    Image1->setToolTip(AboutToolTip());
    Image1->installEventFilter(this);

    const struct {
        QRect geometry;
        const char *text;
    } notices[3] = {
        {{4, 212, 485, 41}, "Quarv is free to use and to give away, unchanged and free of charge, "
                            "together with this notice."},
        {{4, 256, 485, 41}, "Quarv comes with no warranty of any kind: it only reads style files, "
                            "but you use it at your own risk."},
        {{4, 300, 485, 29}, "Questions and reports: write to the Quarv developers."},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        auto *label = new QLabel(QString::fromLatin1(notices[i].text), this);
        label->setGeometry(notices[i].geometry);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setAttribute(Qt::WA_TranslucentBackground);
        QPalette navy = label->palette();
        navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
        label->setPalette(navy);
        label->installEventFilter(this);
        Label1[i] = label;
    }
}

void frmAbout::keyPressEvent(QKeyEvent *) { mKeyPressedHere = true; }

// Only the release of a key pressed in the box closes it: the release of the Return that chose
// "About" in the menu arrives here too, and must not close the box at once.
void frmAbout::keyReleaseEvent(QKeyEvent *)
{
    if (mKeyPressedHere)
        accept();
}

void frmAbout::mouseReleaseEvent(QMouseEvent *) { accept(); }

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    const bool onNotice = std::find(Label1.begin(), Label1.end(), watched) != Label1.end();
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        accept();
        return true;
    }
    if (onNotice && event->type() == QEvent::MouseButtonDblClick) {
        accept();
        return true;
    }
    // A single click on a notice must not fall through to the box, which would close it.
    if (onNotice && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease))
        return true;
    return QDialog::eventFilter(watched, event);
}
