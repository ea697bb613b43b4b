#include "ghost_row_delegate.h"

#include "library/library_model.h"
#include "platform/ghost_colour.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

void GhostRowDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!index.siblingAtColumn(LibraryModel::Ghost).data(LibraryModel::SortRole).toBool())
        return;
    option->backgroundBrush = GhostBackground;
    option->palette.setColor(QPalette::Text, Qt::black);
}

bool GhostRowDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
    const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data().toString();
    // The cell's room for text, as the style draws it.
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const bool cut = sizeHint(cell, index).width() > option.rect.width();
    if (cut)
        QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
    else
        QToolTip::hideText();
    return true;
}
