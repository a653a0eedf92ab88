#include "widgets/StatusPanelView.h"

#include <QAccessible>
#include <QPainter>
#include <algorithm>

namespace kugelo {

void StatusPanelView::announce(const QString& text) {
    // A screen reader hears a status panel when its name changes; the event goes out also for a name that
    // stays the same, as the same command run twice has news all the same.
    const bool same = accessibleName() == text;
    setAccessibleName(text);
    if (same) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void StatusPanelView::quiet() {
    if (!accessibleName().isEmpty()) setAccessibleName(QString());
}

void StatusPanelView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event); // the sunken frame
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect room = contentsRect().adjusted(std::max(0, indent()), 0, 0, 0);
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

} // namespace kugelo
