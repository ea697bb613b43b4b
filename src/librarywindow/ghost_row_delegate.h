#pragma once

#include <QStyledItemDelegate>

// Draws the rows of ghost styles as the main window lists them: on light red, in black; a text
// cut by its cell can be read whole in its tooltip.
class GhostRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
        const QModelIndex &index) override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
