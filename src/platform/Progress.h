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
    // How far the command has come: it works on unit `current` (from 1) of `total` in its own unit (days,
    // rows, draws) and has found `found` so far (draws stored). Called at each unit, never per candidate.
    virtual void advanced(long long current, long long total, long long found) {
        (void)current;
        (void)total;
        (void)found;
    }
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
    void advanced(long long current, long long total, long long found) override {
        if (onAdvanced) onAdvanced(current, total, found);
    }

    std::function<void()> onPump;
    std::function<void(int panel, const QString& text)> onStatus;
    std::function<bool()> onStop;
    std::function<void(long long current, long long total, long long found)> onAdvanced;
};

} // namespace kugelo
