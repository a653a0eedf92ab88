#pragma once

#include "evaluation/ChanceBaseline.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace kugelo {

class Clock;
class CurrentDraw;
class Dialogs;
class MessageTable;
class Progress;
class TipSheet;
struct MainState;

// The name of the report both analyses write into the home folder.
inline QString analysisReportName() {
    return QStringLiteral("Test.rtf");
}

// The parameter analysis' tally: per number of main hits 0..5 the rows without and with the n° CHANCE hit,
// summed over all cycles.
struct ParameterTotals {
    std::array<std::array<long long, 2>, 6> rows{};
    int cycles = 0;

    // The comparison with chance counts only the cycles whose draw came after the draws their rows were made
    // from (the last cycles score their rows against the newest draw, which those draws held): their tally
    // and what random draws give for their rows. knownRows: the rows of the other cycles.
    std::array<std::array<long long, 2>, 6> unknownDrawRows{};
    ChanceBaseline chance;
    long long knownRows = 0;

    // One cycle: the sheet check's tally (Statistik), the rows it scored, and whether the draw was among the
    // draws the rows were made from.
    void addCycle(const std::array<std::array<int, 3>, 7>& tally, const std::vector<ScoredRow>& scored,
                  bool drawKnown);
};

// What the cycles of the parameter analysis drive.
struct ParameterCycleEnvironment {
    MainState& state;
    CurrentDraw& currentDraw;
    const TipSheet& sheet; // the rows each cycle scores, for the comparison with chance
    const Clock& clock;
    // Seeds the random source with the seed again and runs one generation run on the draws up to
    // DateTimePicker1.
    std::function<void()> generate;
    Progress* progress = nullptr; // a stop request ends the analysis after the cycle; panel 0 texts
    QString progressText;         // before the cycle number in panel 0
    QString stopHint;             // after it
};

// The cycles: from the chosen date P, reseed and generate, move the picker a week on, select by date (which
// checks the new rows against that draw) and add the sheet check's tally, until the picker stays on the
// newest draw. Without cycles (P is today) the totals stay 0. With stopped set the analysis ended on a stop
// request and the totals hold the cycles done.
ParameterTotals runParameterCycles(const ParameterCycleEnvironment& env, QDate start,
                                   bool* stopped = nullptr);

// How many cycles runParameterCycles will run over draws of these dates (ascending), started on `start`
// with the draw of `selected` current: the length of its progress line.
int parameterCycleCount(const std::vector<QDate>& dates, QDate start, QDate selected, QDate today);

// The draw analysis' tallies by main hits: A, each draw against the earlier draws of the window; B, each
// draw against its successor. successorItself: of B, the comparisons of the newest draw with itself (a
// step forward from the newest stays there), which the comparison with chance leaves out.
struct DrawTallies {
    std::array<long long, 6> earlier{};
    std::array<long long, 6> successor{};
    std::array<long long, 6> successorItself{};
};

struct DrawComparisonEnvironment {
    MainState& state;
    TipSheet& sheet;
    CurrentDraw& currentDraw;
    const MessageTable& messages;
    Dialogs& dialogs;
    Progress* progress = nullptr;  // events and the stop request at every compared draw; the two panels
    std::function<void()> repaint; // once per pass
    QString stopHint;              // after the current draw's date in panel 1
    std::function<void()> beforeQuestion; // the window shows the row asked about
};

// The passes of the draw analysis from the current draw on (selected before), with the limit date L and
// the threshold of the questions. Empty when a question was answered No or a stop was requested (no report).
std::optional<DrawTallies> runDrawComparisons(const DrawComparisonEnvironment& env, double limit,
                                              int threshold);

// The probability that a row of five different numbers shares h of the five drawn: C(5,h)·C(44,5−h)/C(49,5).
double mainHitProbability(int h);
// The range [low, high] that holds a binomial count of n trials with probability p with 95 % probability
// (2.5 % of the mass left out on each side).
std::pair<long long, long long> binomialInterval95(long long n, double p);

// The report lines of the parameter analysis (rowsPerRun: UpDown8 now), then what chance would have given:
// per number of main hits and for the n° CHANCE the rows observed and expected, and whether the rows with at
// least two main hits and those with the n° CHANCE hit lie within the 95 % ranges of random draws.
QStringList parameterReport(const MessageTable& messages, const ParameterTotals& totals, int rowsPerRun);
// The report lines of the draw analysis, then what chance would have given. The file is these lines
// through crlfText.
QStringList drawReport(const MessageTable& messages, const DrawTallies& tallies);

} // namespace kugelo
