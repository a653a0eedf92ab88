#include "widgets/AccessibleTabsView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QTabBar>

namespace kugelo {

namespace {

// One tab. The children keep the tab bar's own numbering, so that the focus and selection events Qt sends
// for a tab (by its index) name the right child.
class AccessibleTab final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleTab(QTabBar* bar, int index) : m_bar(bar), m_index(index) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    bool isValid() const override { return m_bar && m_index < m_bar->count(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_bar); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        switch (t) {
        case QAccessible::Name:
            return m_bar->accessibleTabName(m_index).isEmpty()
                       ? QString(m_bar->tabText(m_index)).remove(QLatin1Char('&'))
                       : m_bar->accessibleTabName(m_index);
        case QAccessible::Description:
            return m_bar->tabToolTip(m_index);
        default:
            return {};
        }
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s = parent()->state();
        s.focused = m_index == m_bar->currentIndex() && m_bar->hasFocus();
        s.selected = m_index == m_bar->currentIndex();
        s.selectable = true;
        s.disabled = !m_bar->isTabEnabled(m_index);
        s.invisible = !m_bar->isTabVisible(m_index) || m_bar->isHidden();
        if (s.invisible) {
            s.focusable = false;
            s.offscreen = true;
        }
        return s;
    }
    QRect rect() const override {
        if (!isValid() || !m_bar->isTabVisible(m_index)) return {};
        const QRect r = m_bar->tabRect(m_index);
        return QRect(m_bar->mapToGlobal(r.topLeft()), r.size());
    }

    QStringList actionNames() const override {
        return isValid() && m_bar->isTabVisible(m_index) && m_bar->isTabEnabled(m_index)
                   ? QStringList{pressAction()}
                   : QStringList();
    }
    void doAction(const QString& name) override {
        if (name == pressAction() && !actionNames().isEmpty()) m_bar->setCurrentIndex(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QTabBar> m_bar;
    int m_index;
};

// A tab bar with a hidden tab: its tabs are its children, numbered as the tab bar numbers them.
class AccessibleTabBar final : public QAccessibleWidget {
public:
    explicit AccessibleTabBar(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
    ~AccessibleTabBar() override {
        for (QAccessible::Id id : std::as_const(m_tabs))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return bar()->count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= bar()->count()) return nullptr;
        if (const QAccessible::Id id = m_tabs.value(index)) return QAccessible::accessibleInterface(id);
        auto* tab = new AccessibleTab(bar(), index);
        m_tabs.insert(index, QAccessible::registerAccessibleInterface(tab));
        return tab;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto it = m_tabs.cbegin(); it != m_tabs.cend(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child) return it.key();
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        return bar()->hasFocus() ? child(bar()->currentIndex()) : nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return QString(bar()->tabText(bar()->currentIndex())).remove(QLatin1Char('&'));
        return QAccessibleWidget::text(t);
    }

private:
    QTabBar* bar() const { return static_cast<QTabBar*>(widget()); }
    mutable QHash<int, QAccessible::Id> m_tabs;
};

QAccessibleInterface* tabBarInterface(const QString& className, QObject* object) {
    if (className != QLatin1String("QTabBar")) return nullptr;
    auto* bar = qobject_cast<QTabBar*>(object);
    return bar ? new AccessibleTabBar(bar) : nullptr;
}

} // namespace

void hideHiddenTabsFromAssistiveTechnology(QTabBar* bar) {
    QAccessible::installFactory(tabBarInterface); // once: a second install changes nothing
    // Adding the tabs may have made Qt create and keep its own view of the bar: it goes, so the next
    // query builds this one.
    if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(bar);
        known && !dynamic_cast<AccessibleTabBar*>(known))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}

} // namespace kugelo
