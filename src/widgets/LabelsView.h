#pragma once

#include <QFrame>
#include <QLabel>

namespace kugelo {

// A label that reports a click with the left mouse button. Given a keyboard role, it also takes the focus
// (Tab), shows a focus frame, reports Space and Enter as a click, and assistive technology sees it as what
// it does: a button, a link, or a toggle whose state is isChecked().
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    enum class Role { None, Button, Link, Toggle };
    using QLabel::QLabel;

    void setKeyboardRole(Role role);
    Role keyboardRole() const { return m_role; }
    // The state a toggle shows (a locked row); only what assistive technology reads.
    void setChecked(bool checked);
    bool isChecked() const { return m_checked; }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Role m_role = Role::None;
    bool m_checked = false;
};

// Draws the style's focus frame around rect when widget has the focus (for widgets that paint themselves).
void paintFocusFrame(QWidget* widget, QPaintDevice* device, const QRect& rect);

// A panel that reports a click.
class ClickablePanel : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The letter-spaced vertical text of a banner, read from bottom to top.
class VerticalLabel : public ClickableLabel {
    Q_OBJECT
public:
    using ClickableLabel::ClickableLabel;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Creates a child widget with its design name at its design place.
template <class W> W* place(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}
template <class W> W* place(QWidget* parent, const char* name, const QRect& geometry) {
    return place<W>(parent, QLatin1String(name), geometry);
}

// Blue, bold and underlined, with a hand cursor: a web link that shows its own address.
void makeLinkLabel(QLabel* label);

} // namespace kugelo
