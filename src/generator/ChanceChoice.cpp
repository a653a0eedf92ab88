#include "generator/ChanceChoice.h"

#include "generator/GenerationCriteria.h"
#include "generator/RandomSource.h"
#include "i18n/MessageTable.h"

#include <algorithm>

namespace kugelo {

int chooseChance(const GenerationCriteria& g, const ChanceStatistics& s, RandomSource& random,
                 const Clock& clock) {
    const auto recent = [&](int c) {
        return g.chanceNotRecent && s.o[static_cast<std::size_t>(c)] < g.chanceRecentDraws.value;
    };
    bool anyFree = false;
    for (int c = 1; c <= 10; ++c)
        anyFree |= !recent(c);

    random.seedFromClock(clock);
    if (g.chanceOverdue) {
        int m = 0;
        for (int c = 1; c <= 10; ++c)
            m = std::max(m, s.o[static_cast<std::size_t>(c)]);
        const bool highest = !g.chanceNotRecent || m >= g.chanceRecentDraws.value;
        for (int i = 1; i <= 10; ++i) {
            const int c = highest ? 11 - i : i;
            if (s.o[static_cast<std::size_t>(c)] == m) return c;
        }
        return 1;
    }
    if (g.chanceRarest) {
        int fmin = s.f[1];
        int fmax = s.f[1];
        for (int c = 2; c <= 10; ++c) {
            fmin = std::min(fmin, s.f[static_cast<std::size_t>(c)]);
            fmax = std::max(fmax, s.f[static_cast<std::size_t>(c)]);
        }
        int first = 10;
        while (s.f[static_cast<std::size_t>(first)] != fmin)
            --first;
        int c = first;
        std::array<bool, 11> marked{};
        while (recent(c)) {
            marked[static_cast<std::size_t>(c)] = true;
            int next = 0;
            for (int x = 1; x <= 10; ++x) {
                const int fx = s.f[static_cast<std::size_t>(x)];
                if (!marked[static_cast<std::size_t>(x)] && fx < fmax &&
                    (next == 0 || fx < s.f[static_cast<std::size_t>(next)]))
                    next = x;
            }
            if (next == 0) // nothing left to take: the choice without the recent rule
                return first;
            c = next;
        }
        return c;
    }
    // At random.
    int c = random.oneTo(10);
    if (!anyFree) return c;
    while (recent(c)) {
        random.seedFromClock(clock);
        c = random.oneTo(10);
    }
    return c;
}

QString chanceRuleText(const MessageTable& messages, const GenerationCriteria& g) {
    if (g.chanceOverdue) return messages[Msg::ChanceLongestOverdue];
    if (g.chanceRarest) return messages[Msg::ChanceRarest];
    return messages[Msg::ChanceByChance];
}

} // namespace kugelo
