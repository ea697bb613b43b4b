#pragma once

#include "styles/style_entry.h"

#include <QList>
#include <QWidget>

#include <array>

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

private:
    void showPage(int first);

    QList<StyleEntry> mStyles;
    std::array<std::array<QLabel *, 3>, RowsPerPage> mRows {};
    QScrollBar *mScrollBar = nullptr;
};
