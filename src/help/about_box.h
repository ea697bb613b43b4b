#pragma once

#include <QDialog>

#include <array>

class QLabel;

// The About box: a picture with three notices over it. A key release, a mouse release on the
// picture or the box, or a double-click on a notice closes it; a single click on a notice does not.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *mPicture = nullptr;
    std::array<QLabel *, 3> mNotices {};  // top to bottom: distribution terms, warranty, contact
    bool mKeyPressedHere = false;
};
