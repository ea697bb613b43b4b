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
    const auto *library = static_cast<const LibraryModel *>(sourceModel());
    const LibraryCatalogue &catalogue = library->catalogue();
    if ((mShow == Show::Ghosts && !catalogue.ghost(sourceRow))
        || (mShow == Show::Duplicates && !library->isDuplicate(sourceRow)))
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
    const auto compare = [](auto x, auto y) { return int(x > y) - int(x < y); };
    int order = 0;
    switch (left.column()) {
    case LibraryModel::File: order = catalogue.compareFiles(a, b); break;
    case LibraryModel::Format:
        order = left.data().toString().compare(right.data().toString(), Qt::CaseInsensitive);
        break;
    case LibraryModel::Number: order = compare(catalogue.number(a), catalogue.number(b)); break;
    case LibraryModel::Name:
        order = catalogue.name(a).compare(catalogue.name(b), Qt::CaseInsensitive);
        break;
    case LibraryModel::Size: order = compare(catalogue.size(a), catalogue.size(b)); break;
    case LibraryModel::Supplementary:
        order = compare(catalogue.supplementarySize(a), catalogue.supplementarySize(b));
        break;
    case LibraryModel::Ghost: order = compare(catalogue.ghost(a), catalogue.ghost(b)); break;
    case LibraryModel::Duplicate:
        order = compare(library->isDuplicate(a), library->isDuplicate(b));
        break;
    default: break;
    }
    // Equal rows keep the library's order, files by path and styles as they stand in them, whatever
    // was sorted before.
    return order != 0 ? order < 0 : a < b;
}
