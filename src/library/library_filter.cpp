#include "library_filter.h"

#include "library_model.h"

LibraryFilter::LibraryFilter(QObject *parent) : QSortFilterProxyModel(parent) { setDynamicSortFilter(true); }

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
    const auto *library = static_cast<const LibraryModel *>(sourceModel());
    const LibraryCatalogue &catalogue = library->catalogue();
    if ((mShow == Show::Ghosts && !catalogue.ghost(sourceRow)) || (mShow == Show::Duplicates && !library->isDuplicate(sourceRow)))
        return false;
    return mText.isEmpty() || catalogue.name(sourceRow).contains(mText, Qt::CaseInsensitive)
        || catalogue.pathBelowFolder(sourceRow).contains(mText, Qt::CaseInsensitive);
}

bool LibraryFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const auto *library = static_cast<const LibraryModel *>(sourceModel());
    const LibraryCatalogue &catalogue = library->catalogue();
    const int a = left.row();
    const int b = right.row();
    switch (left.column()) {
    case LibraryModel::File: return catalogue.fileBefore(a, b);
    case LibraryModel::Number: return catalogue.number(a) < catalogue.number(b);
    case LibraryModel::Name: return catalogue.name(a).compare(catalogue.name(b), Qt::CaseInsensitive) < 0;
    case LibraryModel::Size: return catalogue.size(a) < catalogue.size(b);
    case LibraryModel::Supplementary: return catalogue.supplementarySize(a) < catalogue.supplementarySize(b);
    case LibraryModel::Ghost: return catalogue.ghost(a) < catalogue.ghost(b);
    case LibraryModel::Duplicate: return library->isDuplicate(a) < library->isDuplicate(b);
    default: return QSortFilterProxyModel::lessThan(left, right);
    }
}
