#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

// The how-to pages in a ring: Next and Previous step through them, Exit or any key closes.
// The targets of Next and Previous live in the buttons' "Tag" property, as page numbers.
class frmHelp : public QDialog {
    Q_OBJECT

public:
    // captions: the help submenu's three item captions, from which each page takes its heading.
    explicit frmHelp(const std::array<QString, 3> &captions, QWidget *parent = nullptr);

    void showPage(int page);

    QLabel *lbHelp = nullptr;
    QPushButton *cbPrevious = nullptr;
    QPushButton *cbExit = nullptr;
    QPushButton *cbNext = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cbNext_Click();
    void cbPrevious_Click();

    std::array<QString, 3> mCaptions;
};
