#include "ghost_row_delegate.h"

#include "library/library_model.h"
#include "platform/ghost_colour.h"

void GhostRowDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!index.siblingAtColumn(LibraryModel::Ghost).data(LibraryModel::SortRole).toBool())
        return;
    option->backgroundBrush = GhostBackground;
    option->palette.setColor(QPalette::Text, Qt::black);
}
