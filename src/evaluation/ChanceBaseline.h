#pragma once

#include <array>
#include <utility>
#include <vector>

namespace kugelo {

class TipSheet;

// One row as the sheet check scores it: its five numbers (a number may repeat, and then counts for each
// time it stands in the row) and its n° CHANCE (0 for none).
struct ScoredRow {
    std::array<int, 5> numbers{};
    int chance = 0;
};

// The rows the sheet check scores: those whose five number fields hold whole numbers.
std::vector<ScoredRow> scoredRows(const TipSheet& sheet);

// What chance alone gives for rows scored against draws made at random: the count of rows with at least two
// main hits and the count of n° CHANCE hits, with the ranges that hold them with 95 % probability.
//
// The rows of one cycle are scored against the same draw and share numbers, so their hits go together: the
// counts vary far more than as many independent rows would make them. Cycles are independent. For the main
// hits, the mean and the variance of the count are exact (per cycle, from the probability of each row and of
// each pair of rows to have at least two hits, which for rows of five different numbers depends only on how
// many numbers they share), and the range is that of a normal count with this mean and variance (continuity
// corrected); the sum over many cycles is close to normal. For the n° CHANCE, shared by all rows of a cycle,
// the distribution of the count is exact: each cycle's count is the number of its rows with the drawn
// n° CHANCE, one of ten values alike, and the cycles' distributions are convolved.
class ChanceBaseline {
public:
    ChanceBaseline();

    // One cycle: rows scored against one random draw.
    void addCycle(const std::vector<ScoredRow>& rows);

    long long rows() const { return m_rows; }
    // The expected number of rows with h main hits (0..5).
    double expectedHits(int h) const;
    // The count of rows with at least two main hits: its mean, its variance and its 95 % range.
    double expectedAtLeastTwo() const { return m_mean; }
    double varianceAtLeastTwo() const { return m_variance; }
    std::pair<long long, long long> atLeastTwoRange95() const;
    // The count of rows with the n° CHANCE hit: its mean and its 95 % range.
    double expectedChanceHits() const;
    std::pair<long long, long long> chanceRange95() const;

private:
    long long m_rows = 0;
    std::array<double, 6> m_expected{};
    double m_mean = 0;
    double m_variance = 0;
    // The distribution of the n° CHANCE hits over the cycles so far: P(count = m_chanceFrom + i) at i (the
    // negligible ends cut off).
    std::vector<double> m_chance;
    long long m_chanceFrom = 0;
    double m_chanceExpected = 0;
};

// The probability that a random draw gives this row h main hits (0..5), counted as the row check counts.
std::array<double, 6> rowHitDistribution(const ScoredRow& row);
// The probability that a random draw gives both rows at least two main hits.
double bothAtLeastTwo(const ScoredRow& a, const ScoredRow& b);

} // namespace kugelo
