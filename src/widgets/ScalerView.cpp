#include "widgets/ScalerView.h"

#include <QFontInfo>
#include <QLayout>
#include <cmath>

namespace kugelo {

namespace {
bool managedByLayout(const QWidget* w) {
    const QWidget* parent = w->parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(const_cast<QWidget*>(w)) >= 0;
}

// Inner parts of composite widgets (the edit of a spin box, the viewport of a scroll area) are placed by
// their owner.
bool placedByOwner(const QWidget* w) {
    const QWidget* parent = w->parentWidget();
    return parent && (parent->inherits("QAbstractSpinBox") || parent->inherits("QAbstractScrollArea") ||
                      parent->inherits("QComboBox"));
}

int fontPixelsOf(const QWidget* w) {
    const QFont& f = w->font();
    return f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize();
}
} // namespace

void ContentScaler::capture(QWidget* root) {
    m_designs.clear();
    m_designs.append({root, root->geometry(), fontPixelsOf(root), false});
    for (QWidget* w : root->findChildren<QWidget*>()) {
        // Only the program's own controls; the inner parts of Qt's composite widgets follow their owner.
        if (w->isWindow() || w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        m_designs.append({w, w->geometry(), fontPixelsOf(w), !managedByLayout(w) && !placedByOwner(w)});
    }
}

void ContentScaler::place(QWidget* widget, const QRect& design) {
    for (Design& d : m_designs)
        if (d.widget == widget) d.geometry = design;
    const auto scaled = [this](int v) { return static_cast<int>(std::lround(v * m_factor)); };
    widget->setGeometry(scaled(design.x()), scaled(design.y()), scaled(design.width()),
                        scaled(design.height()));
}

void ContentScaler::scaleBy(double factor) {
    if (factor <= 0 || !std::isfinite(factor)) return;
    m_factor *= factor;
    const auto scaled = [this](int v) { return static_cast<int>(std::lround(v * m_factor)); };
    for (const Design& d : std::as_const(m_designs)) {
        if (!d.widget) continue;
        QFont f = d.widget->font();
        f.setPixelSize(std::max(1, scaled(d.fontPixels)));
        d.widget->setFont(f);
        if (d.positioned)
            d.widget->setGeometry(scaled(d.geometry.x()), scaled(d.geometry.y()), scaled(d.geometry.width()),
                                  scaled(d.geometry.height()));
    }
}

} // namespace kugelo
