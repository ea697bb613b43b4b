#include "style_list.h"

#include "fixed_cell.h"
#include "platform/file_name.h"
#include "main_window_layout.h"
#include "style_list_accessible.h"
#include "reports/number_format.h"
#include "window_font.h"

#include <QAccessible>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QScrollBar>

namespace {

// The list stands at the right of the window; its cells are placed in window twips.
constexpr int ListLeft = 3120;
QRect cellRect(int left, int top, int width, int height)
{
    return twipsRect(left - ListLeft, top, width, height);
}

const char *const ColumnNames[3] = {"number", "name", "size"};

// What a wheel turns for one style: a notch, or as many pixels as a row is high.
constexpr int NotchAngle = 120;

}  // namespace

StyleList::StyleList(QWidget *parent) : QWidget(parent)
{
    static const bool accessible = (StyleListAccessible::install(), true);
    Q_UNUSED(accessible)
    setGeometry(twipsRect(ListLeft, 0, 6225 - ListLeft, 4170));
    const char *const headings[3] = {QT_TR_NOOP("# "), QT_TR_NOOP(" Name"), QT_TR_NOOP("Size")};
    const Qt::Alignment alignments[3] = {Qt::AlignRight, Qt::AlignLeft, Qt::AlignRight};
    for (int c = 0; c < 3; ++c) {
        QLabel *heading = fixedCell(this, cellRect(ColumnLefts[c], 30, ColumnWidths[c], 285),
            LightGreen, alignments[c], tr(headings[c]));
        heading->setFont(headingFont());
        for (int r = 0; r < RowsPerPage; ++r) {
            QLabel *cell
                = fixedCell(this, cellRect(ColumnLefts[c], 300 + 240 * r, ColumnWidths[c], 255),
                    White, alignments[c]);
            cell->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(ColumnNames[c])).arg(r));
            // Named, a cell says nothing to screen readers when its text changes: the list
            // speaks for its rows, once a page.
            cell->setAccessibleName(cell->objectName());
            mRows[std::size_t(r)][std::size_t(c)] = cell;
        }
    }
    mScrollBar = new QScrollBar(Qt::Vertical, this);
    mScrollBar->setGeometry(cellRect(5940, 15, 270, 4140));
    mScrollBar->setSingleStep(1);
    mScrollBar->setPageStep(1);
    mScrollBar->setTracking(
        false);  // the page moves when a dragged thumb is released, not meanwhile
    mScrollBar->setEnabled(false);
    mScrollBar->setFocusPolicy(Qt::NoFocus);  // the list itself takes the keys, bar or not
    mScrollBar->setAccessibleName(tr("Style list scroll bar"));
    mScrollBar->setAccessibleDescription(tr("Moves the list of styles one style at a time"));
    connect(mScrollBar, &QScrollBar::valueChanged, this, &StyleList::showPage);
    setAccessibleName(tr("Style list"));
    setFocusPolicy(Qt::StrongFocus);

    // While the list has the keys, a frame in the desktop's highlight colour stands around the
    // current style's row, over the cells, which keep their own colours.
    mFocusFrame = new QFrame(this);
    mFocusFrame->setObjectName(QStringLiteral("focusFrame"));
    mFocusFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
    mFocusFrame->setLineWidth(2);
    mFocusFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    mFocusFrame->hide();
}

void StyleList::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    showCurrent();
}

void StyleList::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    showCurrent();
}

// The frame around the current row while the list has the keys; a screen reader is told which
// row that is.
void StyleList::showCurrent()
{
    const int row = currentRow();
    QPalette highlight = mFocusFrame->palette();
    highlight.setColor(QPalette::WindowText, palette().color(QPalette::Highlight));
    mFocusFrame->setPalette(highlight);
    mFocusFrame->setVisible(hasFocus() && row >= 0);
    if (row < 0)
        return;
    mFocusFrame->setGeometry(rowRect(row).adjusted(-2, -2, 2, 2));
    mFocusFrame->raise();
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(row);
        QAccessible::updateAccessibility(&focus);
    }
}

void StyleList::scrollByWheel(int angle, int pixels)
{
    // Touchpads and fine wheels send parts of a notch, or pixels: they add up to whole styles.
    const auto whole = [](int &sum, int add, int unit) {
        sum += add;
        const int styles = sum / unit;
        sum -= styles * unit;
        return styles;
    };
    const int styles = -(pixels != 0 ? whole(mWheelPixels, pixels, qMax(1, mRows[0][0]->height()))
                                     : whole(mWheelAngle, angle, NotchAngle));
    if (mScrollBar->isEnabled())
        mScrollBar->setValue(mScrollBar->value() + styles);
}

QString StyleList::rowText(int row) const
{
    const auto &cells = mRows[std::size_t(row)];
    if (cells[0]->text().isEmpty())
        return {};
    const qsizetype i = mFirst - 1 + row;
    const bool known = i >= 0 && i < mStyles.size();
    const bool ghost = known && mStyles[i].ghost;
    const int bytes = known ? mStyles[i].size + mStyles[i].supplementarySize : 0;
    return (ghost ? tr("%1, %2, %3 byte(s), ghost", "number, name, size", bytes)
                  : tr("%1, %2, %3 byte(s)", "number, name, size", bytes))
        .arg(cells[0]->text().trimmed(), cells[1]->text().trimmed(), cells[2]->text().trimmed());
}

QRect StyleList::rowRect(int row) const
{
    const auto &cells = mRows[std::size_t(row)];
    return cells[0]->geometry().united(cells[2]->geometry());
}

void StyleList::showStyles(const QList<StyleEntry> &styles)
{
    mStyles = styles;
    const int lastFirst = int(styles.size()) - (RowsPerPage - 1);
    {
        // A new list starts at its first page, with the bar at the top.
        const QSignalBlocker quiet(mScrollBar);
        if (lastFirst > 1)
            mScrollBar->setRange(1, lastFirst);
        mScrollBar->setValue(mScrollBar->minimum());
    }
    mScrollBar->setEnabled(lastFirst > 1);
    mCurrent = styles.isEmpty() ? -1 : 0;
    mFirst = 1;
    showPage(1);
}

void StyleList::moveBy(int styles)
{
    if (mStyles.isEmpty())
        return;
    const int current = qBound(0, mCurrent + styles, int(mStyles.size()) - 1);
    const int first = mScrollBar->isEnabled()
        ? qBound(mScrollBar->minimum(), mFirst + styles, mScrollBar->maximum())
        : 1;
    if (mScrollBar->isEnabled()) {
        const QSignalBlocker quiet(mScrollBar);
        mScrollBar->setValue(first);
    }
    mCurrent = current;
    mFirst = first;  // the current style moved itself
    showPage(first);
}

void StyleList::moveToFirst() { moveBy(-int(mStyles.size())); }

void StyleList::moveToLast() { moveBy(int(mStyles.size())); }

void StyleList::setCurrentStyle(int index) { moveBy(index - mCurrent); }

// A page moved by the bar or the wheel takes the current style along, on its row.
void StyleList::showPage(int first)
{
    if (mCurrent >= 0)
        mCurrent = qBound(0, mCurrent + first - mFirst, int(mStyles.size()) - 1);
    mFirst = first;
    for (int r = 0; r < RowsPerPage; ++r) {
        const auto &cells = mRows[std::size_t(r)];
        const qsizetype i = first - 1 + r;
        const bool shown = i < mStyles.size();
        const StyleEntry style = shown ? mStyles[i] : StyleEntry();
        const QString texts[3] = {shown ? formatIndex(style.number) + QLatin1Char(' ') : QString(),
            shown ? QLatin1Char(' ') + displayFileName(style.nameText()) : QString(),
            shown ? formatGrouped(qint64(style.size) + style.supplementarySize) + QLatin1Char(' ')
                  : QString()};
        for (int c = 0; c < 3; ++c)
            cells[std::size_t(c)]->setText(texts[c]);
        // A name cut by its cell can be read whole.
        QLabel *name = cells[1];
        name->setToolTip(
            name->fontMetrics().horizontalAdvance(texts[1]) > name->contentsRect().width()
                ? texts[1].trimmed()
                : QString());
        setCellBackground(cells[0], style.ghost ? LightRed : White);
        setCellBackground(cells[1], style.ghost ? LightRed : White);
        setCellBackground(cells[2], White);
    }
    QAccessibleEvent changed(this, QAccessible::VisibleDataChanged);
    QAccessible::updateAccessibility(&changed);
    showCurrent();
}
