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
// list's is full: the last one ends with the last style. One style is the current one: the
// keyboard's and a screen reader's place, framed while the list has the keys. It keeps its row
// while the page moves, and moves on its page where the page cannot.
class StyleList : public QWidget {
    Q_OBJECT

public:
    static constexpr int RowsPerPage = 16;

    explicit StyleList(QWidget *parent = nullptr);

    // Shows the first page of `styles`, the bar at the top, the first style current.
    void showStyles(const QList<StyleEntry> &styles);
    // Moves the current style by `styles` (negative: up), and the page with it as far as the bar
    // goes.
    void moveBy(int styles);
    void moveToFirst();
    void moveToLast();
    // Makes the style at that place of the list current, on the page where it stands at the top
    // or on the last page.
    void setCurrentStyle(int index);
    [[nodiscard]] int currentStyle() const { return mCurrent; }
    // Moves the page as a wheel turned by `angle` (1/8 degrees) or a touchpad by `pixels`:
    // parts of a notch add up.
    void scrollByWheel(int angle, int pixels);

    // For screen readers: a shown row as one text ("03, Ghost, 500 bytes, ghost"), or empty, and
    // where it stands; the current style's row, or -1.
    [[nodiscard]] QString rowText(int row) const;
    [[nodiscard]] QRect rowRect(int row) const;
    [[nodiscard]] int currentRow() const { return mCurrent < 0 ? -1 : mCurrent - (mFirst - 1); }
    [[nodiscard]] QScrollBar *scrollBar() const { return mScrollBar; }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showPage(int first);
    void showCurrent();

    QList<StyleEntry> mStyles;
    std::array<std::array<QLabel *, 3>, RowsPerPage> mRows {};
    QScrollBar *mScrollBar = nullptr;
    QFrame *mFocusFrame = nullptr;
    int mFirst = 1;     // the style at the top, from 1
    int mCurrent = -1;  // the current style's place in the list, from 0; -1 when there is none
    int mWheelAngle = 0;
    int mWheelPixels = 0;
};
