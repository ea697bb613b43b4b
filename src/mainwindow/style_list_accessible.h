#pragma once

#include <QAccessibleWidget>

class StyleList;

// The style list as screen readers see it: a list whose items are the shown rows, each read as
// one ("03, Ghost, 500 bytes, ghost"), then its scroll bar; not 48 cells read column by column.
class StyleListAccessible : public QAccessibleWidget {
public:
    explicit StyleListAccessible(StyleList *list);
    ~StyleListAccessible() override;

    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface *child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface *child) const override;
    [[nodiscard]] QAccessibleInterface *childAt(int x, int y) const override;
    // The current style's row while the list has the keys.
    [[nodiscard]] QAccessibleInterface *focusChild() const override;

    // Makes every StyleList use this interface.
    static void install();

private:
    [[nodiscard]] StyleList *list() const;
    [[nodiscard]] int shownRows() const;

    std::vector<QAccessible::Id> mRows;  // the row items, registered with QAccessible
};
