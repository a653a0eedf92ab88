#pragma once

#include "state/DrawRecord.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace kugelo {

// Whether some draw after a date matched a candidate in a number of numbers or more: its shared main
// numbers, plus one when countChance and the n° CHANCE equal.
class HistoryQuery {
public:
    virtual ~HistoryQuery() = default;
    virtual bool anyMatch(const std::array<int, 5>& candidate, int chance, bool countChance, int threshold,
                          double lower) const = 0;
};

// The draws up to the end date, indexed for the two history tests of a candidate: for every subset of
// k of a draw's main numbers (alone, or together with its n° CHANCE) the date of the newest draw that
// holds it. "Some draw after date L matched the candidate in T or more numbers" is then a handful of
// lookups, whatever the length of the history, and gives the same answer as reading the file draw by
// draw. Each subset size is indexed the first time a test asks for it, so a run pays only for the
// thresholds its options use. Draws whose five numbers are not five different numbers from 1 to 49 (the
// file keeps what the service delivered) are kept aside and compared one by one.
class HistoryIndex final : public HistoryQuery {
public:
    // Takes the records dated up to upper (inclusive).
    void build(const std::vector<DrawRecord>& records, double upper);
    // Takes in the records of the same list dated after the present upper bound up to a later one, so that
    // the index answers as one built for the new bound; false (nothing changed) for an earlier bound or
    // another list.
    bool extendTo(const std::vector<DrawRecord>& records, double upper);

    // candidate: five different numbers 1..49.
    bool anyMatch(const std::array<int, 5>& candidate, int chance, bool countChance, int threshold,
                  double lower) const override;

    // The memory the index holds at present.
    std::size_t memoryBytes() const;

private:
    struct Slot {
        std::uint64_t key = 0; // 0: empty
        double newest = 0;
    };
    struct Level {
        std::vector<Slot> slots;
        std::uint64_t mask = 0;
        bool built = false;
    };
    struct Draw {
        std::array<std::uint64_t, 5> bits;
        int chance;
        double date;
    };
    // The table of the subsets of k numbers, with or without the n° CHANCE, built on first use.
    const Level& level(int k, bool withChance) const;
    static void insert(Level& level, int k, bool withChance, const Draw& draw);
    static double newest(const Level& level, std::uint64_t key);

    std::vector<Draw> m_draws;
    std::vector<DrawRecord> m_irregular;
    std::vector<DrawRecord> m_records; // for thresholds below two, which the options never reach
    double m_upper = 0;
    mutable std::array<Level, 12> m_levels;
};

// The question answered the straightforward way: the draw file read from its first record for every question.
// The benchmark's yardstick and the tests' reference for whole runs.
class FileScanHistory final : public HistoryQuery {
public:
    FileScanHistory(QString path, double upper) : m_path(std::move(path)), m_upper(upper) {}
    bool anyMatch(const std::array<int, 5>& candidate, int chance, bool countChance, int threshold,
                  double lower) const override;

private:
    QString m_path;
    double m_upper;
};

// The same question answered by reading the draws one by one, without an index: a draw's match is how many of
// the candidate's numbers it holds (a number it holds twice counts once), plus one for the same n° CHANCE
// when countChance. The index must agree with it (tests and the benchmark compare the two).
bool scanAnyMatch(const std::vector<DrawRecord>& records, const std::array<int, 5>& candidate, int chance,
                  bool countChance, int threshold, double lower, double upper);

} // namespace kugelo
