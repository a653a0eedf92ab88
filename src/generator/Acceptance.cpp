#include "generator/Acceptance.h"

#include "generator/GenerationCriteria.h"

namespace kugelo {

namespace {

// How many of the candidate's numbers occur among the five numbers (0..5). A number that stands twice in
// the five (a locked row may hold one twice) still counts once.
int shared(const std::array<int, 5>& z, const int* numbers) {
    int n = 0;
    for (int i = 0; i < 5; ++i) {
        const int number = z[static_cast<std::size_t>(i)];
        n += numbers[0] == number || numbers[1] == number || numbers[2] == number || numbers[3] == number ||
             numbers[4] == number;
    }
    return n;
}

constexpr bool kPrime[50] = {false, false, true,  true,  false, true,  false, true,  false, false,
                             false, true,  false, true,  false, false, false, true,  false, true,
                             false, false, false, true,  false, false, false, false, false, true,
                             false, true,  false, false, false, false, false, true,  false, false,
                             false, true,  false, true,  false, false, false, true,  false, false};

} // namespace

bool rowsTest(const Candidate& c, int k, const RowTable& rows, const GenerationCriteria& g) {
    if (k < 2) return true;
    int smax = 0;
    int smin = 6;
    for (int j = 0; j < k - 1; ++j) {
        const int s = shared(c.z, rows[static_cast<std::size_t>(j)].data());
        if (g.pairwiseOverlap && (s > g.maxOverlap.value || s < g.minOverlap.value)) return false;
        smax = std::max(smax, s);
        smin = std::min(smin, s);
    }
    if (g.limitMaxOverlap && smin > g.maxOverlap.value) return false;
    if (g.limitMinOverlap && smax < g.minOverlap.value) return false;
    return true;
}

bool lastDrawLimits(const Candidate& c, const GenerationCriteria& g, const std::array<DrawRecord, 3>& last) {
    const struct {
        bool on;
        int limit;
    } limits[3] = {{g.limitLastDraw, g.lastDrawShared.value},
                   {g.limitSecondLastDraw, g.secondLastDrawShared.value},
                   {g.limitThirdLastDraw, g.thirdLastDrawShared.value}};
    for (std::size_t d = 0; d < 3; ++d) {
        if (!limits[d].on || limits[d].limit <= 0) continue;
        int count = shared(c.z, last[d].numbers().data());
        if (g.chanceCountsAsMatch && c.chance == last[d].chance()) ++count;
        if (count > limits[d].limit) return false;
    }
    return true;
}

bool Secheroderfuenfer(const Candidate& c, const GenerationCriteria& g, const HistoryWindow& h) {
    if (!g.avoidHistoryMatch) return true;
    return !h.index->anyMatch(c.z, c.chance, g.chanceCountsAsMatch, g.historyMatchSize.value, h.start);
}

bool dreierodervierer(const Candidate& c, const GenerationCriteria& g, const HistoryWindow& h) {
    if (!g.avoidRecentMatch) return true;
    return !h.index->anyMatch(c.z, c.chance, g.chanceCountsAsMatch, g.recentMatchSize.value,
                              h.end - 7.0 * g.recentWeeks.value);
}

bool primzahlen(const Candidate& c, const GenerationCriteria& g) {
    if (!g.requirePrimes) return true;
    int primes = 0;
    for (int n : c.z)
        primes += (n >= 0 && n < 50) && kPrime[n];
    return primes >= g.minPrimes.value;
}

bool acceptCandidate(const Candidate& c, int k, const RowTable& rows, const GenerationCriteria& g,
                     const std::array<DrawRecord, 3>& last, const HistoryWindow& history,
                     bool* reachedHistory) {
    if (!rowsTest(c, k, rows, g)) return false;
    const auto& z = c.z;
    if (g.forcePair) {
        bool pair = false;
        for (int i = 0; i < 4; ++i)
            pair |= z[static_cast<std::size_t>(i)] + 1 == z[static_cast<std::size_t>(i) + 1];
        if (!pair) return false;
    }
    if (g.noThreeConsecutive) {
        for (std::size_t i = 0; i < 3; ++i)
            if (z[i] + 1 == z[i + 1] && z[i + 1] + 1 == z[i + 2]) return false;
    }
    const int sum = c.crossSum();
    if (sum < g.crossSumMin.value || sum > g.crossSumMax.value) return false;
    if (!lastDrawLimits(c, g, last)) return false;
    int even = 0;
    for (int n : z)
        even += n % 2 == 0;
    if (g.requireEven && even < g.minEven.value) return false;
    if (g.requireOdd && 5 - even < g.minOdd.value) return false;
    if (reachedHistory) *reachedHistory = g.avoidHistoryMatch || g.avoidRecentMatch;
    if (!Secheroderfuenfer(c, g, history)) return false;
    if (!dreierodervierer(c, g, history)) return false;
    return primzahlen(c, g);
}

} // namespace kugelo
