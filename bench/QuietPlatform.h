#pragma once

#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Sound.h"

namespace kugelo {

// The outside world of the benchmarks: asks nothing (every question is answered answerYes), shows nothing,
// plays nothing.
class QuietPlatform final : public Dialogs, public Desktop, public Sound {
public:
    void message(const QString&) override {}
    bool question(const QString&, const QString&) override { return answerYes; }
    QString input(const QString&, const QString&, const QString& proposed) override { return proposed; }
    QString openFileName(const FileDialogOptions&) override { return {}; }
    QString saveFileName(const FileDialogOptions&) override { return {}; }
    bool open(const QString&) override { return true; }
    void startProgram(const QString&, const QStringList&) override {}
    void play(const QString&) override {}

    bool answerYes = false;
};

} // namespace kugelo
