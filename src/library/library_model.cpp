#include "library_model.h"

#include "platform/file_name.h"
#include "reports/number_format.h"

#include <limits>

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

bool LibraryModel::showAddedRows(int most)
{
    const int last = qMin(mCatalogue.styleCount(), mShownRows + most) - 1;
    if (last >= mShownRows) {
        beginInsertRows({}, mShownRows, last);
        mShownRows = last + 1;
        endInsertRows();
    }
    return mShownRows < mCatalogue.styleCount();
}

void LibraryModel::addDetails(const QList<FileDetails> &files)
{
    int first = rowCount();
    int last = -1;
    for (const FileDetails &file : files) {
        const QList<StyleDetails> &styles = file.details.styles;
        for (qsizetype i = 0; i < styles.size(); ++i) {
            mCatalogue.setDetails(file.firstRow + int(i), styles[i]);
            mDamaged += styles[i].integrity == Integrity::Damaged ? 1 : 0;
        }
        first = qMin(first, file.firstRow);
        last = qMax(last, file.firstRow + int(styles.size()) - 1);
    }
    last = qMin(last, rowCount() - 1);  // rows not shown yet show their details when they are
    if (last >= first)
        emit dataChanged(index(first, Meter), index(last, Elements));
}

void LibraryModel::addDuplicates(const QSet<int> &rows)
{
    mDuplicates.unite(rows);
    if (!rows.isEmpty())
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
    if (role == DamagedRole)
        return mCatalogue.details(row).integrity == Integrity::Damaged;
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)
        return {};
    const bool numeric = index.column() == Number || index.column() == Tempo
        || (index.column() >= Total && index.column() <= Supplementary);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (numeric ? Qt::AlignRight : Qt::AlignLeft));
    switch (index.column()) {
    case File: return mCatalogue.pathBelowFolder(row);
    case Format: return mCatalogue.family(row);
    case Number: return formatIndex(mCatalogue.number(row));
    case Name: return displayFileName(mCatalogue.nameText(row));
    case Meter: {
        const auto meter = mCatalogue.details(row).meter;
        return meter ? meter->text() : QString();
    }
    case Tempo: {
        const std::optional<int> tempo = mCatalogue.details(row).tempo;
        return tempo ? QString::number(*tempo) : QString();
    }
    case Elements: {
        const std::optional<quint16> elements = mCatalogue.details(row).elementsWithMusic;
        return elements ? elementNames(*elements).join(QLatin1Char(' ')) : QString();
    }
    case Total:
        return formatGrouped(qint64(mCatalogue.size(row)) + mCatalogue.supplementarySize(row));
    case Main: return formatGrouped(mCatalogue.size(row));
    case Supplementary: return formatGrouped(mCatalogue.supplementarySize(row));
    case Ghost: return mCatalogue.ghost(row) ? tr("yes") : QString();
    case Duplicate: return isDuplicate(row) ? tr("yes") : QString();
    default: return {};
    }
}

QVariant LibraryModel::sortKey(int row, int column) const
{
    constexpr int Unknown = std::numeric_limits<int>::min();  // before every meter and tempo
    switch (column) {
    case File: return mCatalogue.heldPath(row);
    case Format: return mCatalogue.family(row);
    case Number: return mCatalogue.number(row);
    case Name: return mCatalogue.nameText(row);
    case Meter: {
        // By its value, then its denominator: 2/4, 3/4, 6/8, 12/16, 4/4.
        const auto meter = mCatalogue.details(row).meter;
        return meter ? meter->numerator * (16 / meter->denominator) * 32 + meter->denominator
                     : Unknown;
    }
    case Tempo: return mCatalogue.details(row).tempo.value_or(Unknown);
    case Elements: return data(index(row, Elements), Qt::DisplayRole);
    case Total: return qint64(mCatalogue.size(row)) + mCatalogue.supplementarySize(row);
    case Main: return mCatalogue.size(row);
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
        QT_TR_NOOP("#"), QT_TR_NOOP("Name"), QT_TR_NOOP("Meter"), QT_TR_NOOP("Tempo"),
        QT_TR_NOOP("Elements"), QT_TR_NOOP("Total"), QT_TR_NOOP("Main"),
        QT_TR_NOOP("Supplementary"), QT_TR_NOOP("Ghost"), QT_TR_NOOP("Duplicate")};
    return tr(headings[section]);
}
