#include "library_model.h"

#include "reports/number_format.h"

LibraryModel::LibraryModel(const QString &folder, QObject *parent)
    : QAbstractTableModel(parent), mCatalogue(folder)
{
}

void LibraryModel::expectFiles(int count) { mCatalogue.reserve(count); }

void LibraryModel::addFiles(const QList<CatalogueFile> &read)
{
    for (const CatalogueFile &entry : read) {
        mCatalogue.add(entry);
        mGhosts += entry.file ? entry.file->ghostCount() : 0;
    }
}

void LibraryModel::showAddedRows()
{
    if (mShownRows == mCatalogue.styleCount())
        return;
    beginInsertRows({}, mShownRows, mCatalogue.styleCount() - 1);
    mShownRows = mCatalogue.styleCount();
    endInsertRows();
}

void LibraryModel::markDuplicates(const QSet<int> &rows)
{
    mDuplicates = rows;
    if (rowCount() > 0)
        emit dataChanged(index(0, Duplicate), index(rowCount() - 1, Duplicate));
}

int LibraryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : mShownRows;
}

int LibraryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LibraryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    if (role == SortRole)
        return sortKey(row, index.column());
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)
        return {};
    const bool numeric
        = index.column() == Number || index.column() == Size || index.column() == Supplementary;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (numeric ? Qt::AlignRight : Qt::AlignLeft));
    switch (index.column()) {
    case File: return mCatalogue.pathBelowFolder(row);
    case Format: return mCatalogue.family(row);
    case Number: return formatIndex(mCatalogue.number(row));
    case Name: return QString(mCatalogue.name(row));
    case Size: return formatGrouped(mCatalogue.size(row));
    case Supplementary: return formatGrouped(mCatalogue.supplementarySize(row));
    case Ghost: return mCatalogue.ghost(row) ? tr("yes") : QString();
    case Duplicate: return isDuplicate(row) ? tr("yes") : QString();
    default: return {};
    }
}

QVariant LibraryModel::sortKey(int row, int column) const
{
    switch (column) {
    case File: return mCatalogue.heldPath(row);
    case Format: return mCatalogue.family(row);
    case Number: return mCatalogue.number(row);
    case Name: return QString(mCatalogue.name(row));
    case Size: return mCatalogue.size(row);
    case Supplementary: return mCatalogue.supplementarySize(row);
    case Ghost: return mCatalogue.ghost(row);
    case Duplicate: return isDuplicate(row);
    default: return {};
    }
}

QVariant LibraryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const headings[ColumnCount] = {QT_TR_NOOP("File"), QT_TR_NOOP("Format"),
        QT_TR_NOOP("#"), QT_TR_NOOP("Name"), QT_TR_NOOP("Size"), QT_TR_NOOP("Supplementary"),
        QT_TR_NOOP("Ghost"), QT_TR_NOOP("Duplicate")};
    return tr(headings[section]);
}
