#pragma once

#include "cataloguer.h"

#include <QAbstractTableModel>
#include <QSet>

// Every style of a library, a row each: File (below the folder), Format, #, Name, Meter, Tempo,
// Elements (those that hold music), Total (the main window's size), Main, Supplementary, Ghost,
// Duplicate. Rows come in as files
// are read, their details after.
class LibraryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        File,
        Format,
        Number,
        Name,
        Meter,
        Tempo,
        Elements,
        Total,
        Main,
        Supplementary,
        Ghost,
        Duplicate,
        ColumnCount
    };
    // What a column sorts by: numbers as numbers, flags as bools, texts as texts.
    static constexpr int SortRole = Qt::UserRole;
    // Whether the row's style is damaged, in any column.
    static constexpr int DamagedRole = Qt::UserRole + 1;

    explicit LibraryModel(const QString &folder, QObject *parent = nullptr);

    // Room for the files that were found, so the lists need not grow (and copy) as they come.
    void expectFiles(int count);
    // Takes files in at once, but shows their rows only at showAddedRows(): fewer, larger
    // insertions keep a view quick while thousands of files come in.
    void addFiles(const QList<CatalogueFile> &read);
    // At most `most` rows at a time; returns whether rows are left to show.
    bool showAddedRows(int most);
    void addDetails(const QList<FileDetails> &files);
    void addDuplicates(const QSet<int> &rows);

    [[nodiscard]] const LibraryCatalogue &catalogue() const { return mCatalogue; }
    [[nodiscard]] bool isDuplicate(int row) const { return mDuplicates.contains(row); }
    [[nodiscard]] int ghostCount() const { return mGhosts; }
    [[nodiscard]] int damagedCount() const { return mDamaged; }
    [[nodiscard]] int duplicateCount() const { return int(mDuplicates.size()); }

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(
        int section, Qt::Orientation orientation, int role) const override;

private:
    [[nodiscard]] QVariant sortKey(int row, int column) const;

    LibraryCatalogue mCatalogue;
    int mShownRows = 0;
    QSet<int> mDuplicates;
    int mGhosts = 0;
    int mDamaged = 0;
};
