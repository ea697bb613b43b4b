#pragma once

#include "styles/style_entry.h"

#include <QList>
#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QScrollBar;

// The styles, 16 rows at a time, under the headings "#", "Name" and "Size", with a scroll bar
// that moves the page one style at a time; ghost styles on light red. Every page but a short
// list's is full: the last one ends with the last style.
class StyleList : public QWidget {
    Q_OBJECT

public:
    static constexpr int RowsPerPage = 16;

    explicit StyleList(QWidget *parent = nullptr);

    // Shows the first page of `styles`, the bar at the top.
    void showStyles(const QList<StyleEntry> &styles);
    // Moves the page by `styles` (negative: up), as far as the bar goes.
    void scrollBy(int styles);
    void scrollToFirst();
    void scrollToLast();
    // Shows the page on which the style at that place of the list stands at the top, or the last
    // page.
    void scrollToStyle(int index);
    // Moves the page as a wheel turned by `angle` (1/8 degrees) or a touchpad by `pixels`:
    // parts of a notch add up.
    void scrollByWheel(int angle, int pixels);

    // For screen readers: a shown row as one text ("03, Ghost, 500 bytes, ghost"), or empty, and
    // where it stands.
    [[nodiscard]] QString rowText(int row) const;
    [[nodiscard]] QRect rowRect(int row) const;
    [[nodiscard]] QScrollBar *scrollBar() const { return mScrollBar; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPage(int first);

    QList<StyleEntry> mStyles;
    std::array<std::array<QLabel *, 3>, RowsPerPage> mRows {};
    QScrollBar *mScrollBar = nullptr;
    QFrame *mFocusFrame = nullptr;
    int mFirst = 1;  // the style at the top, from 1
    int mWheelAngle = 0;
    int mWheelPixels = 0;
};
