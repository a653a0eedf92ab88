#pragma once

#include <QLabel>

namespace kugelo {

// A panel of the status bar: a label whose text, when the panel is narrower, ends in "…" instead of being
// cut off mid-letter; the whole text is its tool tip.
class StatusPanelView final : public QLabel {
    Q_OBJECT
public:
    explicit StatusPanelView(QWidget* parent = nullptr) : QLabel(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kugelo
