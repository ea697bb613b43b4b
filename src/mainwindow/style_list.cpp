#include "style_list.h"

#include "fixed_cell.h"
#include "main_window_layout.h"
#include "reports/number_format.h"
#include "window_font.h"

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
const char *const ColumnTitles[3] = {QT_TRANSLATE_NOOP("StyleList", "Number"),
    QT_TRANSLATE_NOOP("StyleList", "Name"), QT_TRANSLATE_NOOP("StyleList", "Size")};

}  // namespace

StyleList::StyleList(QWidget *parent) : QWidget(parent)
{
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
            cell->setAccessibleName(tr("%1, row %2").arg(tr(ColumnTitles[c])).arg(r + 1));
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
    mScrollBar->setFocusPolicy(
        Qt::StrongFocus);  // reachable with Tab: the keyboard moves the list too
    mScrollBar->setAccessibleName(tr("Style list"));
    mScrollBar->setAccessibleDescription(tr("Moves the list of styles one style at a time"));
    connect(mScrollBar, &QScrollBar::valueChanged, this, &StyleList::showPage);
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
    showPage(1);
}

void StyleList::scrollBy(int styles)
{
    if (mScrollBar->isEnabled())
        mScrollBar->setValue(mScrollBar->value() + styles);
}

void StyleList::scrollToFirst() { scrollBy(-mScrollBar->maximum()); }

void StyleList::scrollToLast() { scrollBy(mScrollBar->maximum()); }

void StyleList::scrollToStyle(int index) { scrollBy(index + 1 - mScrollBar->value()); }

void StyleList::showPage(int first)
{
    for (int r = 0; r < RowsPerPage; ++r) {
        const auto &cells = mRows[std::size_t(r)];
        const qsizetype i = first - 1 + r;
        const bool shown = i < mStyles.size();
        const StyleEntry style = shown ? mStyles[i] : StyleEntry();
        const QString texts[3] = {shown ? formatIndex(style.number) + QLatin1Char(' ') : QString(),
            shown ? QLatin1Char(' ') + QString::fromLatin1(style.name) : QString(),
            shown ? formatGrouped(qint64(style.size) + style.supplementarySize) + QLatin1Char(' ')
                  : QString()};
        for (int c = 0; c < 3; ++c) {
            cells[std::size_t(c)]->setText(texts[c]);
            cells[std::size_t(c)]->setAccessibleDescription(texts[c].trimmed());
        }
        setCellBackground(cells[0], style.ghost ? LightRed : White);
        setCellBackground(cells[1], style.ghost ? LightRed : White);
        setCellBackground(cells[2], White);
    }
}
