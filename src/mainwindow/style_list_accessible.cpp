#include "style_list_accessible.h"

#include "style_list.h"

#include <QPointer>
#include <QScrollBar>

namespace {

// One shown row of the list.
class StyleRowAccessible : public QAccessibleInterface {
public:
    StyleRowAccessible(StyleList *list, int row) : mList(list), mRow(row) { }

    [[nodiscard]] bool isValid() const override { return !mList.isNull(); }
    [[nodiscard]] QObject *object() const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(mList.data());
    }
    [[nodiscard]] QAccessibleInterface *child(int) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && mList ? mList->rowText(mRow) : QString();
    }
    void setText(QAccessible::Text, const QString &) override { }
    [[nodiscard]] QRect rect() const override
    {
        if (!mList)
            return {};
        const QRect row = mList->rowRect(mRow);
        return {mList->mapToGlobal(row.topLeft()), row.size()};
    }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::ListItem; }
    [[nodiscard]] QAccessible::State state() const override { return {}; }

private:
    QPointer<StyleList> mList;
    int mRow;
};

QAccessibleInterface *forStyleList(const QString &className, QObject *object)
{
    auto *list = qobject_cast<StyleList *>(object);
    return className == QLatin1String("StyleList") && list ? new StyleListAccessible(list)
                                                           : nullptr;
}

}  // namespace

StyleListAccessible::StyleListAccessible(StyleList *list)
    : QAccessibleWidget(list, QAccessible::List)
{
    for (int row = 0; row < StyleList::RowsPerPage; ++row)
        mRows.push_back(
            QAccessible::registerAccessibleInterface(new StyleRowAccessible(list, row)));
}

StyleListAccessible::~StyleListAccessible()
{
    for (const QAccessible::Id id : mRows)
        QAccessible::deleteAccessibleInterface(id);
}

void StyleListAccessible::install() { QAccessible::installFactory(forStyleList); }

StyleList *StyleListAccessible::list() const { return static_cast<StyleList *>(widget()); }

int StyleListAccessible::shownRows() const
{
    int rows = 0;
    while (rows < StyleList::RowsPerPage && !list()->rowText(rows).isEmpty())
        ++rows;
    return rows;
}

int StyleListAccessible::childCount() const { return shownRows() + 1; }

QAccessibleInterface *StyleListAccessible::child(int index) const
{
    if (index >= 0 && index < shownRows())
        return QAccessible::accessibleInterface(mRows[std::size_t(index)]);
    return index == shownRows() ? QAccessible::queryAccessibleInterface(list()->scrollBar())
                                : nullptr;
}

int StyleListAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (int row = 0; row < shownRows(); ++row) {
        if (QAccessible::accessibleInterface(mRows[std::size_t(row)]) == child)
            return row;
    }
    return child != nullptr && child->object() == list()->scrollBar() ? shownRows() : -1;
}

QAccessibleInterface *StyleListAccessible::childAt(int x, int y) const
{
    for (int index = 0; index < childCount(); ++index) {
        QAccessibleInterface *item = child(index);
        if (item != nullptr && item->rect().contains(x, y))
            return item;
    }
    return nullptr;
}

QAccessibleInterface *StyleListAccessible::focusChild() const
{
    const int row = list()->currentRow();
    return list()->hasFocus() && row >= 0 && row < shownRows() ? child(row) : nullptr;
}
