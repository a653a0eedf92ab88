#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace kugelo {

class MessageTable;

// What a long job reports as it goes: the unit it works on (from 1) of how many, and what it found so far
// (the draws the update stored, the candidates a run drew).
struct JobCounts {
    long long current = 0;
    long long total = 0;
    long long found = 0;
};

enum class JobKind {
    Update,     // days asked, draws stored
    Generation, // rows computed, candidates drawn
    Analysis,   // draws evaluated (the cycles of the parameter analysis, the passes of the draw analysis)
};

// Below this a job says nothing about the time it still needs: a guess from the first moments jumps about.
constexpr qint64 kEstimateAfterMs = 3000;

// The seconds a job still needs when `finished` of `total` units took elapsedMs; nothing before
// kEstimateAfterMs, before the first unit is done, or once all are.
std::optional<double> secondsLeft(long long finished, long long total, qint64 elapsedMs);

// "noch etwa 2 min 30 s": rounded the coarser the longer it is (whole seconds below 10 s, then 5 s, 10 s,
// whole minutes from 10 min on).
QString timeLeftText(const MessageTable& messages, double seconds);

// The progress line of the status bar: the counts in the job's units, the time left when known, and while
// the job runs how to stop it ("Tag 5 von 80, gespeicherte Ziehungen: 2, noch etwa 20 s – Esc oder …").
QString jobProgressText(const MessageTable& messages, JobKind kind, const JobCounts& counts,
                        std::optional<double> secondsLeft, bool running);

} // namespace kugelo
