#include "widgets/StatusPanelView.h"

#include <QPainter>
#include <algorithm>

namespace kugelo {

void StatusPanelView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event); // the sunken frame
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect room = contentsRect().adjusted(std::max(0, indent()), 0, 0, 0);
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

} // namespace kugelo
