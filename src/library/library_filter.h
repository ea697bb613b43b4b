#pragma once

#include <QSortFilterProxyModel>

// The rows of a LibraryModel that the window shows: those whose name, file or meter holds the
// filter text (in any letter case), and of them all, the ghosts, the duplicates or the damaged
// styles; sorted by the
// column's SortRole, numbers as numbers and texts in any letter case, equal rows in the
// library's order.
class LibraryFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    enum class Show { All, Ghosts, Duplicates, Damaged };

    explicit LibraryFilter(QObject *parent = nullptr);

    void setText(const QString &text);
    void setShow(Show show);

protected:
    [[nodiscard]] bool filterAcceptsRow(
        int sourceRow, const QModelIndex &sourceParent) const override;
    [[nodiscard]] bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    QString mText;
    Show mShow = Show::All;
};
