#include "widgets/LabelsView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kugelo {

namespace {

// What assistive technology sees of a clickable label that the keyboard reaches.
class AccessibleClickableLabel final : public QAccessibleWidget {
public:
    explicit AccessibleClickableLabel(ClickableLabel* label)
        : QAccessibleWidget(label, roleOf(label->keyboardRole())) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return label()->text().remove(QLatin1Char('&'));
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (label()->keyboardRole() == ClickableLabel::Role::Toggle) {
            s.checkable = true;
            s.checked = label()->isChecked();
        }
        return s;
    }
    QStringList actionNames() const override {
        return {label()->keyboardRole() == ClickableLabel::Role::Toggle ? toggleAction() : pressAction()};
    }
    void doAction(const QString& name) override {
        if (name == pressAction() || name == toggleAction()) Q_EMIT label()->clicked();
    }

private:
    static QAccessible::Role roleOf(ClickableLabel::Role role) {
        switch (role) {
        case ClickableLabel::Role::Link:
            return QAccessible::Link;
        case ClickableLabel::Role::Toggle:
            return QAccessible::CheckBox;
        case ClickableLabel::Role::Button:
        case ClickableLabel::Role::None:
            break;
        }
        return QAccessible::Button;
    }
    ClickableLabel* label() const { return static_cast<ClickableLabel*>(widget()); }
};

QAccessibleInterface* clickableLabelInterface(const QString&, QObject* object) {
    auto* label = qobject_cast<ClickableLabel*>(object);
    if (!label || label->keyboardRole() == ClickableLabel::Role::None) return nullptr;
    return new AccessibleClickableLabel(label);
}

} // namespace

void ClickableLabel::setKeyboardRole(Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(clickableLabelInterface);
        return true;
    }();
    Q_UNUSED(installed);
    m_role = role;
    setFocusPolicy(role == Role::None ? Qt::NoFocus : Qt::StrongFocus);
    // Setting the text already made Qt create and keep the interface of a plain label: it goes, so the
    // next query builds the one of the role.
    if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(this);
        known && !dynamic_cast<AccessibleClickableLabel*>(known))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}

void ClickableLabel::setChecked(bool checked) {
    if (m_checked == checked) return;
    m_checked = checked;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (m_role != Role::None && event->modifiers() == Qt::NoModifier &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        event->accept();
        Q_EMIT clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickableLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    update();
}

void ClickableLabel::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    update();
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    paintFocusFrame(this, this, rect());
}

void paintFocusFrame(QWidget* widget, QPaintDevice* device, const QRect& rect) {
    if (!widget->hasFocus()) return;
    // A plain frame in the selection colour, whatever the style: the style's own focus rectangle may be
    // faint or shown only after a key press.
    QPainter painter(device);
    painter.setPen(QPen(widget->palette().color(QPalette::Highlight), 1));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

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
