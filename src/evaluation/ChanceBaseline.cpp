#include "evaluation/ChanceBaseline.h"

#include "evaluation/HistoricalAnalysis.h"
#include "platform/Convert.h"
#include "sheet/TipSheet.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace kugelo {

std::vector<ScoredRow> scoredRows(const TipSheet& sheet) {
    std::vector<ScoredRow> rows;
    for (int r = 0; r < TipSheet::RowCount; ++r) {
        ScoredRow row;
        bool whole = true;
        for (int f = 0; f < 5 && whole; ++f) {
            const auto value = tryStrToInt(sheet.text(r, f));
            whole = value.has_value();
            if (whole) row.numbers[static_cast<std::size_t>(f)] = *value;
        }
        if (!whole) continue;
        row.chance = tryStrToInt(sheet.text(r, TipSheet::Chance)).value_or(0);
        rows.push_back(row);
    }
    return rows;
}

namespace {

constexpr double kDraws = 1906884.0; // C(49,5)
// The normal quantile of 97.5 %.
constexpr double kZ975 = 1.959963984540054;

double choose(int n, int k) {
    if (k < 0 || k > n) return 0;
    double c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

// The different numbers 1..49 of two rows with how often each row holds them; a number outside 1..49 is
// never drawn and counts for nothing.
struct Holding {
    int number;
    int inA;
    int inB;
};
std::vector<Holding> holdings(const ScoredRow& a, const ScoredRow* b) {
    std::vector<Holding> held;
    const auto add = [&held](int n, bool first) {
        if (n < 1 || n > 49) return;
        auto it = std::find_if(held.begin(), held.end(), [n](const Holding& h) { return h.number == n; });
        if (it == held.end()) it = held.insert(held.end(), {n, 0, 0});
        ++(first ? it->inA : it->inB);
    };
    for (int n : a.numbers)
        add(n, true);
    if (b)
        for (int n : b->numbers)
            add(n, false);
    return held;
}

// Every way a draw can meet the rows' numbers: each set of at most five of them, with the number of draws
// that hold exactly that set of them, handed to visit(hits of a, hits of b, draws).
template <typename Visit> void everyMeeting(const std::vector<Holding>& held, Visit visit) {
    const int u = static_cast<int>(held.size());
    std::array<double, 6> draws{}; // by the size of the set: the draws' other numbers from the 49 − u
    for (int size = 0; size <= 5; ++size)
        draws[static_cast<std::size_t>(size)] = choose(49 - u, 5 - size);
    const auto walk = [&](const auto& self, int next, int size, int hitsA, int hitsB) -> void {
        visit(hitsA, hitsB, draws[static_cast<std::size_t>(size)]);
        if (size == 5) return;
        for (int i = next; i < u; ++i) {
            const Holding& h = held[static_cast<std::size_t>(i)];
            self(self, i + 1, size + 1, hitsA + h.inA, hitsB + h.inB);
        }
    };
    walk(walk, 0, 0, 0, 0);
}

// Five different numbers 1..49: what the tables below are for.
bool plain(const ScoredRow& row) {
    std::uint64_t mask = 0;
    for (int n : row.numbers) {
        if (n < 1 || n > 49 || (mask & (std::uint64_t(1) << n))) return false;
        mask |= std::uint64_t(1) << n;
    }
    return true;
}

std::uint64_t maskOf(const ScoredRow& row) {
    std::uint64_t mask = 0;
    for (int n : row.numbers)
        mask |= std::uint64_t(1) << n;
    return mask;
}

double atLeastTwo(const std::array<double, 6>& distribution) {
    return distribution[2] + distribution[3] + distribution[4] + distribution[5];
}

// For two rows of five different numbers sharing k of them: the probability that both get at least two hits.
const std::array<double, 6>& bothByOverlap() {
    static const std::array<double, 6> table = [] {
        std::array<double, 6> t{};
        for (int k = 0; k <= 5; ++k) {
            ScoredRow a{{1, 2, 3, 4, 5}, 0};
            ScoredRow b{{6 - k, 7 - k, 8 - k, 9 - k, 10 - k}, 0};
            double both = 0;
            everyMeeting(holdings(a, &b), [&both](int hitsA, int hitsB, double draws) {
                if (hitsA >= 2 && hitsB >= 2) both += draws;
            });
            t[static_cast<std::size_t>(k)] = both / kDraws;
        }
        return t;
    }();
    return table;
}

// The range [low, high] holding 95 % of a count with P(count = from + i) at p[i]: at most 2.5 % left out on
// each side, as binomialInterval95 leaves it.
std::pair<long long, long long> range95(const std::vector<double>& p, long long from) {
    constexpr double kSlack = 1e-12; // rounding in sums of exact tenths
    double cumulative = 0;
    long long low = -1;
    for (std::size_t i = 0; i < p.size(); ++i) {
        cumulative += p[i];
        const long long k = from + static_cast<long long>(i);
        if (low < 0 && cumulative > 0.025 + kSlack) low = k;
        if (cumulative >= 0.975 - kSlack) return {low, k};
    }
    const long long last = from + static_cast<long long>(p.size()) - 1;
    return {low < 0 ? last : low, last};
}

} // namespace

std::array<double, 6> rowHitDistribution(const ScoredRow& row) {
    std::array<double, 6> d{};
    if (plain(row)) {
        for (int h = 0; h <= 5; ++h)
            d[static_cast<std::size_t>(h)] = mainHitProbability(h);
        return d;
    }
    everyMeeting(holdings(row, nullptr), [&d](int hits, int, double draws) {
        d[static_cast<std::size_t>(std::min(hits, 5))] += draws / kDraws;
    });
    return d;
}

double bothAtLeastTwo(const ScoredRow& a, const ScoredRow& b) {
    if (plain(a) && plain(b))
        return bothByOverlap()[static_cast<std::size_t>(std::popcount(maskOf(a) & maskOf(b)))];
    double both = 0;
    everyMeeting(holdings(a, &b), [&both](int hitsA, int hitsB, double draws) {
        if (hitsA >= 2 && hitsB >= 2) both += draws;
    });
    return both / kDraws;
}

ChanceBaseline::ChanceBaseline() : m_chance{1.0} {}

void ChanceBaseline::addCycle(const std::vector<ScoredRow>& rows) {
    m_rows += static_cast<long long>(rows.size());
    // The main hits: the mean and the variance of this cycle's count, from every row and every pair.
    std::vector<double> single;
    for (const ScoredRow& row : rows) {
        const std::array<double, 6> d = rowHitDistribution(row);
        for (std::size_t h = 0; h < d.size(); ++h)
            m_expected[h] += d[h];
        single.push_back(atLeastTwo(d));
    }
    double mean = 0;
    double square = 0; // E[count²]
    for (std::size_t i = 0; i < rows.size(); ++i) {
        mean += single[i];
        square += single[i];
        for (std::size_t j = i + 1; j < rows.size(); ++j)
            square += 2 * bothAtLeastTwo(rows[i], rows[j]);
    }
    m_mean += mean;
    m_variance += square - mean * mean;

    // The n° CHANCE: the count is the number of rows holding the drawn number, each of 1..10 alike.
    std::array<int, 11> holding{};
    for (const ScoredRow& row : rows)
        if (row.chance >= 1 && row.chance <= 10) ++holding[static_cast<std::size_t>(row.chance)];
    const int most = *std::max_element(holding.begin(), holding.end());
    std::vector<double> next(m_chance.size() + static_cast<std::size_t>(most), 0.0);
    for (std::size_t i = 0; i < m_chance.size(); ++i)
        for (int v = 1; v <= 10; ++v)
            next[i + static_cast<std::size_t>(holding[static_cast<std::size_t>(v)])] += m_chance[i] / 10;
    // What lies below 1e-18 at either end never moves a 2.5 % bound; cutting it keeps the convolution short.
    constexpr double kNegligible = 1e-18;
    std::size_t first = 0;
    while (first + 1 < next.size() && next[first] < kNegligible)
        ++first;
    std::size_t end = next.size();
    while (end > first + 1 && next[end - 1] < kNegligible)
        --end;
    m_chance.assign(next.begin() + static_cast<std::ptrdiff_t>(first),
                    next.begin() + static_cast<std::ptrdiff_t>(end));
    m_chanceFrom += static_cast<long long>(first);
    m_chanceExpected += static_cast<double>(std::accumulate(holding.begin(), holding.end(), 0)) / 10;
}

double ChanceBaseline::expectedHits(int h) const {
    if (h < 0 || h > 5) return 0;
    return m_expected[static_cast<std::size_t>(h)];
}

std::pair<long long, long long> ChanceBaseline::atLeastTwoRange95() const {
    if (m_variance <= 0) {
        const auto only = std::llround(m_mean);
        return {only, only};
    }
    // The smallest counts whose continuity-corrected normal probability reaches past 2.5 % and 97.5 %.
    const double spread = kZ975 * std::sqrt(m_variance);
    const auto low = static_cast<long long>(std::floor(m_mean - 0.5 - spread)) + 1;
    const auto high = static_cast<long long>(std::ceil(m_mean - 0.5 + spread));
    return {std::clamp(low, 0LL, m_rows), std::clamp(high, 0LL, m_rows)};
}

double ChanceBaseline::expectedChanceHits() const {
    return m_chanceExpected;
}

std::pair<long long, long long> ChanceBaseline::chanceRange95() const {
    return range95(m_chance, m_chanceFrom);
}

} // namespace kugelo
