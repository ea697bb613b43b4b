#include "library_filter.h"

#include "library_model.h"

LibraryFilter::LibraryFilter(QObject *parent) : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
}

void LibraryFilter::setText(const QString &text)
{
    mText = text;
    invalidateRowsFilter();
}

void LibraryFilter::setShow(Show show)
{
    mShow = show;
    invalidateRowsFilter();
}

bool LibraryFilter::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    const auto cell
        = [&](int column, int role) { return sourceModel()->index(sourceRow, column).data(role); };
    if ((mShow == Show::Ghosts && !cell(LibraryModel::Ghost, LibraryModel::SortRole).toBool())
        || (mShow == Show::Duplicates
            && !cell(LibraryModel::Duplicate, LibraryModel::SortRole).toBool()))
        return false;
    return mText.isEmpty()
        || cell(LibraryModel::Name, Qt::DisplayRole).toString().contains(mText, Qt::CaseInsensitive)
        || cell(LibraryModel::File, Qt::DisplayRole)
               .toString()
               .contains(mText, Qt::CaseInsensitive);
}

bool LibraryFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const QVariant a = left.data(LibraryModel::SortRole);
    const QVariant b = right.data(LibraryModel::SortRole);
    const int order = a.userType() == QMetaType::QString
        ? a.toString().compare(b.toString(), Qt::CaseInsensitive)
        : QVariant::compare(a, b) == QPartialOrdering::Less    ? -1
        : QVariant::compare(a, b) == QPartialOrdering::Greater ? 1
                                                               : 0;
    // Equal rows keep the library's order, files by path and styles as they stand in them,
    // whatever was sorted before.
    return order != 0 ? order < 0 : left.row() < right.row();
}
