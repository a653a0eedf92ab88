#pragma once

#include <QFrame>
#include <QLabel>

namespace kugelo {

// A label that reports a click with the left mouse button.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

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
