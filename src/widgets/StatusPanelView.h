#pragma once

#include <QLabel>

namespace kugelo {

// A panel of the status bar: a label whose text, when the panel is narrower, ends in "…" instead of being
// cut off mid-letter; the whole text is its tool tip.
class StatusPanelView final : public QLabel {
    Q_OBJECT
public:
    explicit StatusPanelView(QWidget* parent = nullptr) : QLabel(parent) {}

    // Tells assistive technology what a command did: the panel is named by it (until the next text) and
    // the name's change is announced, also when the same text comes again. Call it before the panel's text
    // changes, which then announces nothing of its own.
    void announce(const QString& text);
    // After a text that is no news (a hint, progress): the panel is named by what it shows again.
    void quiet();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kugelo
