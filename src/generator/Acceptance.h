#pragma once

#include "generator/HistoryIndex.h"
#include "generator/NumberPool.h"

#include <array>

namespace kugelo {

struct GenerationCriteria;

// A candidate row: five main numbers (ascending once drawn and sorted), its n° CHANCE and the value of
// the row's invisible extra field.
struct Candidate {
    std::array<int, 5> z{};
    int chance = 0;
    int extra = 0;

    int crossSum() const { return z[0] + z[1] + z[2] + z[3] + z[4]; }
    void clear() { *this = Candidate{}; }
};

// The rows placed so far in a run: five main numbers, n° CHANCE and extra value each.
using RowTable = std::array<std::array<int, 7>, 12>;

// What the history tests compare with: the draws up to the end date, indexed, and the window dates.
struct HistoryWindow {
    const HistoryQuery* index = nullptr;
    double start = 0; // date of DateTimePicker2: the database window begins after it
    double end = 0;   // date of DateTimePicker1: both windows end with it
};

// The acceptance sequence for row k (1..12): rows test, forced pair, no groups, cross sum, the last-draw
// limits, even and odd minimums, the database test, the recent-draws test, primes. Every option is read
// as its test runs. reachedHistory, when given, is set when the candidate came as far as the history tests.
bool acceptCandidate(const Candidate& candidate, int k, const RowTable& rows,
                     const GenerationCriteria& criteria, const std::array<DrawRecord, 3>& lastDraws,
                     const HistoryWindow& history, bool* reachedHistory = nullptr);

// The single tests, for the tests of the program.
bool rowsTest(const Candidate& c, int k, const RowTable& rows, const GenerationCriteria& criteria);
bool lastDrawLimits(const Candidate& c, const GenerationCriteria& criteria,
                    const std::array<DrawRecord, 3>& lastDraws);
bool Secheroderfuenfer(const Candidate& c, const GenerationCriteria& criteria, const HistoryWindow& history);
bool dreierodervierer(const Candidate& c, const GenerationCriteria& criteria, const HistoryWindow& history);
bool primzahlen(const Candidate& c, const GenerationCriteria& criteria);

} // namespace kugelo
