#pragma once

#include <QHash>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace kugelo {

// Scales a widget's children proportionally: positions, sizes and font heights. Each child's design
// geometry and font are remembered once, and every scaling applies the accumulated factor to them, so
// repeated resizing does not drift through rounding.
class ContentScaler {
public:
    // Remembers the design geometry of every named descendant of root (call once the content is built).
    void capture(QWidget* root);
    // Multiplies the accumulated factor by factor and lays the content out again.
    void scaleBy(double factor);
    // Gives a control a new design geometry (the content was laid out again, for another language): it is
    // placed there at the accumulated factor now and at every later scaling.
    void place(QWidget* widget, const QRect& design);
    double factor() const { return m_factor; }

private:
    struct Design {
        QPointer<QWidget> widget;
        QRect geometry;
        int fontPixels;
        bool positioned; // placed by hand, not by a layout
    };
    QList<Design> m_designs;
    double m_factor = 1.0;
};

} // namespace kugelo
