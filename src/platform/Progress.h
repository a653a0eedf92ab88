#pragma once

#include <QString>
#include <functional>

namespace kugelo {

// How a long command (the update, a generation run) reports while it goes on and learns that the user wants
// it to stop. The controller is the one the window and kugelo-cli hand over; tests and benchmarks build one
// from functions.
class Progress {
public:
    virtual ~Progress() = default;
    // Called at every day and candidate: the window processes its pending events when due.
    virtual void pump() {}
    // A text for a status bar panel (0 or 1).
    virtual void status(int panel, const QString& text) {
        (void)panel;
        (void)text;
    }
    // True once the user asked the command to stop; asked before every day and candidate.
    virtual bool stopRequested() const { return false; }
};

// A progress made of functions; each may be empty.
class ProgressFunctions final : public Progress {
public:
    void pump() override {
        if (onPump) onPump();
    }
    void status(int panel, const QString& text) override {
        if (onStatus) onStatus(panel, text);
    }
    bool stopRequested() const override { return onStop && onStop(); }

    std::function<void()> onPump;
    std::function<void(int panel, const QString& text)> onStatus;
    std::function<bool()> onStop;
};

} // namespace kugelo
