#include "generator/HistoryIndex.h"

#include "draws/DrawFile.h"

#include <algorithm>
#include <bit>

namespace kugelo {

namespace {

constexpr std::uint64_t kChanceFlag = std::uint64_t(1) << 62;

std::uint64_t chanceKey(std::uint64_t mask, int chance) {
    return mask | (static_cast<std::uint64_t>(chance & 0xFF) << 50) | kChanceFlag;
}

bool regular(const DrawRecord& r) {
    std::uint64_t mask = 0;
    for (int i = 0; i < 5; ++i) {
        const int n = r.Zahl[static_cast<std::size_t>(i)];
        if (n < 1 || n > 49 || (mask >> n & 1)) return false;
        mask |= std::uint64_t(1) << n;
    }
    return true;
}

// The subsets of the five positions with k members, as bit sets of positions.
struct Subsets {
    std::array<std::array<unsigned, 10>, 6> of{};
    std::array<int, 6> count{};
    constexpr Subsets() {
        for (unsigned subset = 0; subset < 32; ++subset) {
            const int k = std::popcount(subset);
            of[static_cast<std::size_t>(k)][static_cast<std::size_t>(count[static_cast<std::size_t>(k)]++)] =
                subset;
        }
    }
};
constexpr Subsets kSubsetsOf;

std::uint64_t keyOf(const std::array<std::uint64_t, 5>& bits, unsigned subset) {
    std::uint64_t key = 0;
    for (int i = 0; i < 5; ++i)
        if (subset >> i & 1) key |= bits[static_cast<std::size_t>(i)];
    return key;
}

std::uint64_t hashKey(std::uint64_t key) {
    key ^= key >> 33;
    key *= 0xff51afd7ed558ccdULL;
    key ^= key >> 33;
    return key;
}

} // namespace

void HistoryIndex::build(const std::vector<DrawRecord>& records, double upper) {
    m_records = records;
    m_upper = upper;
    m_draws.clear();
    m_irregular.clear();
    for (Level& l : m_levels)
        l = Level{};
    for (const DrawRecord& r : records) {
        if (!(r.Datum <= upper)) continue; // after the window, or a damaged date
        if (!regular(r)) {
            m_irregular.push_back(r);
            continue;
        }
        Draw d{{}, r.Zahl[6], r.Datum};
        for (int i = 0; i < 5; ++i)
            d.bits[static_cast<std::size_t>(i)] = std::uint64_t(1) << r.Zahl[static_cast<std::size_t>(i)];
        m_draws.push_back(d);
    }
}

const HistoryIndex::Level& HistoryIndex::level(int k, bool withChance) const {
    Level& l = m_levels[static_cast<std::size_t>(k + (withChance ? 6 : 0))];
    if (l.built) return l;
    const auto ks = static_cast<std::size_t>(k);
    std::size_t size = 64;
    while (size * 6 < m_draws.size() * static_cast<std::size_t>(kSubsetsOf.count[ks]) * 10)
        size *= 2;
    l.slots.assign(size, Slot{});
    l.mask = size - 1;
    for (const Draw& d : m_draws)
        insert(l, k, withChance, d);
    l.built = true;
    return l;
}

void HistoryIndex::insert(Level& l, int k, bool withChance, const Draw& d) {
    const auto ks = static_cast<std::size_t>(k);
    for (int n = 0; n < kSubsetsOf.count[ks]; ++n) {
        std::uint64_t key = keyOf(d.bits, kSubsetsOf.of[ks][static_cast<std::size_t>(n)]);
        if (withChance) key = chanceKey(key, d.chance);
        for (std::uint64_t i = hashKey(key) & l.mask;; i = (i + 1) & l.mask) {
            Slot& s = l.slots[i];
            if (s.key == 0) {
                s = {key, d.date};
                break;
            }
            if (s.key == key) {
                s.newest = std::max(s.newest, d.date);
                break;
            }
        }
    }
}

bool HistoryIndex::extendTo(const std::vector<DrawRecord>& records, double upper) {
    if (!(upper >= m_upper) || records.size() != m_records.size() ||
        !std::equal(records.begin(), records.end(), m_records.begin()))
        return false;
    const double previous = m_upper;
    m_upper = upper;
    std::size_t added = 0;
    for (const DrawRecord& r : records) {
        if (!(r.Datum > previous && r.Datum <= upper)) continue;
        if (!regular(r)) {
            m_irregular.push_back(r);
            continue;
        }
        Draw d{{}, r.Zahl[6], r.Datum};
        for (int i = 0; i < 5; ++i)
            d.bits[static_cast<std::size_t>(i)] = std::uint64_t(1) << r.Zahl[static_cast<std::size_t>(i)];
        m_draws.push_back(d);
        ++added;
    }
    // A table that is built takes the new draws in while it stays as full as a new one may be; else it is
    // built anew at its next use, sized for the new number of draws.
    for (std::size_t li = 0; li < m_levels.size(); ++li) {
        Level& l = m_levels[li];
        if (!l.built) continue;
        const int k = static_cast<int>(li % 6);
        const bool withChance = li >= 6;
        const std::size_t keys =
            m_draws.size() * static_cast<std::size_t>(kSubsetsOf.count[static_cast<std::size_t>(k)]);
        if (l.slots.size() * 6 < keys * 10) {
            l = Level{};
            continue;
        }
        for (std::size_t d = m_draws.size() - added; d < m_draws.size(); ++d)
            insert(l, k, withChance, m_draws[d]);
    }
    return true;
}

double HistoryIndex::newest(const Level& l, std::uint64_t key) {
    for (std::uint64_t i = hashKey(key) & l.mask;; i = (i + 1) & l.mask) {
        const Slot& s = l.slots[i];
        if (s.key == key) return s.newest;
        if (s.key == 0) return -1e300;
    }
}

std::size_t HistoryIndex::memoryBytes() const {
    std::size_t bytes = (m_irregular.capacity() + m_records.capacity()) * sizeof(DrawRecord) +
                        m_draws.capacity() * sizeof(Draw);
    for (const Level& l : m_levels)
        bytes += l.slots.capacity() * sizeof(Slot);
    return bytes;
}

bool HistoryIndex::anyMatch(const std::array<int, 5>& candidate, int chance, bool countChance, int threshold,
                            double lower) const {
    // Below two the options never go; the plain comparison answers it.
    if (threshold < 2)
        return scanAnyMatch(m_records, candidate, chance, countChance, threshold, lower, m_upper);
    std::array<std::uint64_t, 5> bits{};
    for (int i = 0; i < 5; ++i)
        bits[static_cast<std::size_t>(i)] = std::uint64_t(1) << candidate[static_cast<std::size_t>(i)];
    // A match of threshold: threshold shared numbers, or threshold - 1 and the same n° CHANCE.
    const auto anyKey = [&](int k, bool withChance) {
        if (k < 1 || k > 5) return false;
        const Level& l = level(k, withChance);
        const auto ks = static_cast<std::size_t>(k);
        for (int n = 0; n < kSubsetsOf.count[ks]; ++n) {
            std::uint64_t key = keyOf(bits, kSubsetsOf.of[ks][static_cast<std::size_t>(n)]);
            if (withChance) key = chanceKey(key, chance);
            if (newest(l, key) > lower) return true;
        }
        return false;
    };
    if (anyKey(threshold, false) || (countChance && anyKey(threshold - 1, true))) return true;
    return scanAnyMatch(m_irregular, candidate, chance, countChance, threshold, lower, m_upper);
}

bool scanAnyMatch(const std::vector<DrawRecord>& records, const std::array<int, 5>& candidate, int chance,
                  bool countChance, int threshold, double lower, double upper) {
    for (const DrawRecord& r : records) {
        // Written so that a damaged date (not a number) is outside every window.
        if (!(r.Datum > lower && r.Datum <= upper)) continue;
        // How many of the candidate's numbers the draw holds: a number the draw holds twice counts once.
        int hits = 0;
        for (int number : candidate)
            hits += std::find(r.Zahl.begin(), r.Zahl.begin() + 5, number) != r.Zahl.begin() + 5;
        if (countChance && r.Zahl[6] == chance) ++hits;
        if (hits >= threshold) return true;
    }
    return false;
}

} // namespace kugelo

namespace kugelo {

bool FileScanHistory::anyMatch(const std::array<int, 5>& candidate, int chance, bool countChance,
                               int threshold, double lower) const {
    return scanAnyMatch(DrawFile(m_path).readDraws(), candidate, chance, countChance, threshold, lower,
                        m_upper);
}

} // namespace kugelo
