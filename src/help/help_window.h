#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

// The how-to pages in a ring: Next and Previous step through them, Exit or any key closes.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    // captions: the help submenu's item captions, from which each page takes its heading.
    explicit HelpWindow(const std::array<QString, 4> &captions, QWidget *parent = nullptr);

    void showPage(int page);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QString, 4> mCaptions;
    int mPage = 0;
    QLabel *mText = nullptr;
};
