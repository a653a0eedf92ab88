#include "widgets/LabelsView.h"

#include <QMouseEvent>
#include <QPainter>

namespace kugelo {

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    event->accept(); // the label takes the click; the panel under it does not see it
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Q_EMIT clicked();
}

void ClickablePanel::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Q_EMIT clicked();
}

QSize VerticalLabel::sizeHint() const {
    const QFontMetrics fm(font());
    return {fm.height() + 4, fm.horizontalAdvance(text()) + 8};
}

void VerticalLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.translate(0, height());
    painter.rotate(-90);
    painter.drawText(QRect(0, 0, height(), width()), Qt::AlignCenter, text());
}

void makeLinkLabel(QLabel* label) {
    QFont f = label->font();
    f.setBold(true);
    f.setUnderline(true);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(p);
    label->setCursor(Qt::PointingHandCursor);
}

} // namespace kugelo
