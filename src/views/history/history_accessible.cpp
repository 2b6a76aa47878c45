#include "views/history/history_accessible.h"

#include "views/history/history_delegate.h"
#include "views/history/history_list_view.h"
#include "views/history/history_model.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPersistentModelIndex>
#include <QPointer>

namespace {

using Action = HistoryDelegate::Action;
constexpr Action rowActions[] = {Action::restore, Action::favorite, Action::remove};

QRect onScreen(const HistoryListView* list, const QRect& rect)
{
    return QRect(list->viewport()->mapToGlobal(rect.topLeft()), rect.size());
}

// Whatever child of `parent` lies at the screen point.
QAccessibleInterface* childOn(const QAccessibleInterface* parent, int x, int y)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface* child = parent->child(i);
        if (child && child->rect().contains(x, y))
            return child;
    }
    return nullptr;
}

class RowButton : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    RowButton(HistoryListView* list, QAccessibleInterface* row, QPersistentModelIndex index,
              Action action)
        : m_list(list), m_row(row), m_index(std::move(index)), m_action(action)
    {}

    bool isValid() const override { return m_list && m_index.isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_row->window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return m_row; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? HistoryDelegate::actionName(m_action) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect item = m_list->visualRect(m_index);
        return onScreen(m_list, m_list->historyDelegate()->actionRect(item, m_index, m_action));
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.focused = isValid() && m_list->hasFocus() && m_list->currentIndex() == m_index &&
                        m_list->historyDelegate()->focusedAction() == m_action;
        if (m_action == Action::favorite) {
            state.checkable = true;
            state.checked = isValid() && m_index.data(HistoryModel::FavoriteRole).toBool();
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && isValid())
            m_list->historyDelegate()->act(m_action, m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<HistoryListView> m_list;
    QAccessibleInterface* m_row;
    QPersistentModelIndex m_index;
    Action m_action;
};

class Row : public QAccessibleInterface {
public:
    Row(HistoryListView* list, const QPersistentModelIndex& index) : m_list(list), m_index(index)
    {
        for (const Action action : rowActions)
            m_buttons << QAccessible::registerAccessibleInterface(
                new RowButton(list, this, index, action));
    }
    ~Row() override
    {
        for (const QAccessible::Id id : std::as_const(m_buttons))
            QAccessible::deleteAccessibleInterface(id);
    }

    bool isValid() const override { return m_list && m_index.isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int x, int y) const override { return childOn(this, x, y); }
    QAccessibleInterface* focusChild() const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (child(i)->state().focused)
                return child(i);
        }
        return nullptr;
    }
    QAccessibleInterface* parent() const override
    {
        return m_list ? QAccessible::queryAccessibleInterface(m_list) : nullptr;
    }
    QAccessibleInterface* child(int index) const override
    {
        return index >= 0 && index < m_buttons.size()
                   ? QAccessible::accessibleInterface(m_buttons.at(index))
                   : nullptr;
    }
    int childCount() const override { return int(m_buttons.size()); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return int(
            m_buttons.indexOf(QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child))));
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? m_index.data(Qt::AccessibleTextRole).toString()
                                                   : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        return isValid() ? onScreen(m_list, m_list->visualRect(m_index)) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.focused = isValid() && m_list->hasFocus() && m_list->currentIndex() == m_index;
        state.offscreen =
            !isValid() || !m_list->viewport()->rect().intersects(m_list->visualRect(m_index));
        return state;
    }

private:
    QPointer<HistoryListView> m_list;
    QPersistentModelIndex m_index;
    QList<QAccessible::Id> m_buttons;
};

class List : public QAccessibleWidget {
public:
    explicit List(HistoryListView* list) : QAccessibleWidget(list, QAccessible::List) {}
    ~List() override
    {
        for (const QAccessible::Id id : std::as_const(m_rows))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return view()->model() ? view()->model()->rowCount() : 0; }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        forgetRemovedRows();
        const QPersistentModelIndex row(view()->model()->index(index, 0));
        auto found = m_rows.constFind(row);
        if (found == m_rows.constEnd())
            found =
                m_rows.insert(row, QAccessible::registerAccessibleInterface(new Row(view(), row)));
        return QAccessible::accessibleInterface(*found);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->parent() == this
                   ? int(m_rows.key(QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child)))
                             .row())
                   : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QModelIndex index = view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
        return index.isValid() ? child(index.row()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        const QModelIndex current = view()->currentIndex();
        QAccessibleInterface* row = current.isValid() ? child(current.row()) : nullptr;
        return row && row->focusChild() ? row->focusChild() : row;
    }

private:
    HistoryListView* view() const { return static_cast<HistoryListView*>(widget()); }
    // Rows of readings that have left the list take their buttons with them.
    void forgetRemovedRows() const
    {
        for (auto it = m_rows.begin(); it != m_rows.end();) {
            if (it.key().isValid()) {
                ++it;
                continue;
            }
            QAccessible::deleteAccessibleInterface(it.value());
            it = m_rows.erase(it);
        }
    }

    mutable QHash<QPersistentModelIndex, QAccessible::Id> m_rows;
};

} // namespace

namespace HistoryAccessible {

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    auto* list = qobject_cast<HistoryListView*>(object);
    return className == QLatin1String("HistoryListView") && list ? new List(list) : nullptr;
}

} // namespace HistoryAccessible
