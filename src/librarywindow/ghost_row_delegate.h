#pragma once

#include <QStyledItemDelegate>

// Draws the rows of ghost styles as the main window lists them: on light red, in black.
class GhostRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
