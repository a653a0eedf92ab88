#include "widgets/TabOrderView.h"

#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace kugelo {

namespace {

// Controls whose tops lie this close share a row (a caption beside its field sits a little lower).
constexpr int kRowTolerance = 6;

// The tab widget whose pages hold w, below page; nullptr when w lies on the page itself.
QTabWidget* innerTabs(QWidget* w, QWidget* page) {
    QTabWidget* found = nullptr;
    for (QWidget* p = w->parentWidget(); p && p != page; p = p->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(p)) found = tabs;
    return found;
}

struct Stop {
    QWidget* widget; // a control, or a tab widget standing for its tab bar and pages
    QRect place;     // on the page
};

void collect(QWidget* page, std::vector<QWidget*>& order) {
    std::vector<Stop> stops;
    std::vector<QTabWidget*> tabs;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (QTabWidget* inner = innerTabs(w, page)) {
            // Everything of an inner tab widget goes in its own order, the tab widget takes its place here.
            if (std::find(tabs.begin(), tabs.end(), inner) == tabs.end()) {
                tabs.push_back(inner);
                stops.push_back({inner, QRect(inner->mapTo(page, QPoint(0, 0)), inner->size())});
            }
            continue;
        }
        if (qobject_cast<QTabWidget*>(w)) continue; // met through its children
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || w->focusProxy() || w->isWindow()) continue;
        stops.push_back({w, QRect(w->mapTo(page, QPoint(0, 0)), w->size())});
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Stop& a, const Stop& b) { return a.place.top() < b.place.top(); });
    // Rows: each begins at the highest control not yet placed and takes those a little lower.
    for (auto row = stops.begin(); row != stops.end();) {
        const int top = row->place.top();
        auto end = std::find_if(row, stops.end(),
                                [top](const Stop& s) { return s.place.top() > top + kRowTolerance; });
        std::stable_sort(row, end,
                         [](const Stop& a, const Stop& b) { return a.place.left() < b.place.left(); });
        row = end;
    }
    for (const Stop& s : stops) {
        auto* inner = qobject_cast<QTabWidget*>(s.widget);
        if (!inner) {
            order.push_back(s.widget);
            continue;
        }
        if (QTabBar* bar = inner->tabBar(); bar && (bar->focusPolicy() & Qt::TabFocus)) order.push_back(bar);
        for (int i = 0; i < inner->count(); ++i)
            collect(inner->widget(i), order);
    }
}

} // namespace

void followScreenWithTab(QWidget* page) {
    std::vector<QWidget*> order;
    collect(page, order);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace kugelo
