#include "generator/NumberPool.h"

#include "generator/GenerationCriteria.h"
#include "generator/NumberList.h"
#include "i18n/MessageTable.h"
#include "platform/Convert.h"
#include "platform/Progress.h"
#include "state/MainState.h"
#include "stats/ChartModel.h"
#include "stats/Statistics.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kugelo {

int roundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

int NumberPool::count(int number) const {
    return static_cast<int>(
        std::count(m_entries.begin(), m_entries.end(), static_cast<std::uint8_t>(number)));
}

int NumberPool::distinctNumbers() const {
    std::array<bool, 256> seen{};
    int distinct = 0;
    for (std::uint8_t e : m_entries)
        if (!seen[e]) {
            seen[e] = true;
            ++distinct;
        }
    return distinct;
}

void NumberPool::append(int number, int times) {
    for (int i = 0; i < times; ++i)
        m_entries.push_back(static_cast<std::uint8_t>(number));
}

void NumberPool::removeAll(int number) {
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), static_cast<std::uint8_t>(number)),
                    m_entries.end());
}

void NumberPool::removeFirst(int number) {
    const auto it = std::find(m_entries.begin(), m_entries.end(), static_cast<std::uint8_t>(number));
    if (it != m_entries.end()) m_entries.erase(it);
}

void NumberPool::rebuildFrom(NumberList& list) {
    m_entries.clear();
    for (int n = 1; n <= 49; ++n) {
        if (!list.isSet(n)) continue;
        if (list.weight(n).isEmpty()) list.setWeight(n, QStringLiteral("0"));
        const int w = strToInt(list.weight(n));
        if (w >= 0) append(n, std::max(1, w));
    }
}

namespace {

// A statistic as the pool reads it back from the chart: the bars by position and their range.
struct Bars {
    std::vector<int> y; // y[i] is the bar at position i
    int min = 0;
    int max = 0;
};

class PoolBuilder {
public:
    PoolBuilder(NumberPool& pool, MainState& state, const MessageTable& messages, ChartModel& chart,
                const PoolHooks& hooks)
        : m_pool(pool), m_state(state), m_messages(messages), m_chart(chart), m_hooks(hooks) {}

    // Computes a statistic once per build (the chart shows it), with its progress text first.
    const Bars& statistic(Statistic s, Msg progress) {
        std::optional<Bars>& slot = m_cache[static_cast<std::size_t>(s)];
        if (!slot) {
            status(m_messages[progress]);
            if (m_hooks.showChart) m_hooks.showChart();
            showStatistic(s, m_state, m_messages, m_chart);
            Bars bars;
            for (int i = 0; i < m_chart.count(); ++i)
                bars.y.push_back(m_chart.yAt(i));
            if (!bars.y.empty()) {
                bars.min = *std::min_element(bars.y.begin(), bars.y.end());
                bars.max = *std::max_element(bars.y.begin(), bars.y.end());
            }
            slot = std::move(bars);
        }
        return *slot;
    }

    void thresholds(int low, int high, bool oneBlank = false) {
        status(QStringLiteral("Min: ") + QString::number(low) +
               (oneBlank ? QStringLiteral(" Max: ") : QStringLiteral("  Max: ")) + QString::number(high) +
               QStringLiteral("  ") + QString::number(m_pool.size()));
    }

    // Steps 1 to 6: runs of the given length whose bar lies in the frequent or the rare part of the range.
    void groups(Statistic s, Msg progress, int length, int lastStart, bool rarest) {
        const Bars& bars = statistic(s, progress);
        const double span = bars.max - bars.min;
        const int low = rarest ? 0 : roundHalfEven(bars.max - 0.3 * span);
        const int high = rarest ? roundHalfEven(bars.min + 0.3 * span) : roundHalfEven(bars.max);
        thresholds(low, high, rarest && length == 4);
        for (int x = 1; x <= lastStart && x <= static_cast<int>(bars.y.size()); ++x) {
            const int y = bars.y[static_cast<std::size_t>(x - 1)];
            if (low < y && y <= high)
                for (int k = 0; k < length; ++k)
                    m_pool.append(x + k);
        }
    }

    // Steps 7 to 9: the numbers whose bar lies in the top (or bottom) P % of the range twice, those in
    // the top (bottom) P/2 % once more.
    void numbers(Statistic s, Msg progress, int percent, bool rarest, bool firstPassOneBlank = false) {
        const Bars& bars = statistic(s, progress);
        const double span = bars.max - bars.min;
        for (int pass = 0; pass < 2; ++pass) {
            const double share = pass == 0 ? percent / 100.0 : percent / 200.0;
            const int low = rarest ? roundHalfEven(bars.min) : roundHalfEven(bars.max - share * span);
            const int high = rarest ? roundHalfEven(bars.min + share * span) : roundHalfEven(bars.max);
            thresholds(low, high, pass == 0 && firstPassOneBlank);
            for (int x = 1; x <= 49 && x <= static_cast<int>(bars.y.size()); ++x) {
                const int y = bars.y[static_cast<std::size_t>(x - 1)];
                if (low <= y && y <= high) m_pool.append(x, pass == 0 ? 2 : 1);
            }
        }
    }

private:
    void status(const QString& text) {
        if (m_hooks.progress) m_hooks.progress->status(1, text);
    }

    NumberPool& m_pool;
    MainState& m_state;
    const MessageTable& m_messages;
    ChartModel& m_chart;
    const PoolHooks& m_hooks;
    std::array<std::optional<Bars>, 9> m_cache;
};

} // namespace

bool buildNumberPool(NumberPool& pool, const GenerationCriteria& c, MainState& state,
                     const MessageTable& messages, ChartModel& chart,
                     const std::array<DrawRecord, 3>& lastDraws, const PoolHooks& hooks) {
    pool.clear();
    PoolBuilder b(pool, state, messages, chart, hooks);
    if (c.frequentPairs) b.groups(Statistic::Pairs, Msg::ComputingPairs, 2, 47, false);
    if (c.rarePairs) b.groups(Statistic::Pairs, Msg::ComputingPairs, 2, 47, true);
    if (c.frequentTriples) b.groups(Statistic::Triples, Msg::ComputingTriples, 3, 45, false);
    if (c.rareTriples) b.groups(Statistic::Triples, Msg::ComputingTriples, 3, 45, true);
    if (c.frequentQuadruples) b.groups(Statistic::Quadruples, Msg::ComputingQuadruples, 4, 46, false);
    if (c.rareQuadruples) b.groups(Statistic::Quadruples, Msg::ComputingQuadruples, 4, 46, true);
    if (c.preferFrequent)
        b.numbers(Statistic::Frequency, Msg::ComputingDistribution, c.frequentPercent.value, false);
    if (c.preferRare) b.numbers(Statistic::Frequency, Msg::ComputingDistribution, c.rarePercent.value, true);
    if (c.preferOverdue)
        b.numbers(Statistic::Overdue, Msg::ComputingOverdue, c.overduePercent.value, false, true);
    if (c.lastDrawNeighbours) {
        if (hooks.progress) hooks.progress->status(1, messages[Msg::ComputingNeighbours]);
        for (const int n : lastDraws[0].numbers()) {
            if (n > 1) pool.append(n - 1, 4);
            if (n < 49) pool.append(n + 1, 4);
        }
    }
    if (!c.onlyPreferred) {
        for (int n = 1; n <= 49; ++n)
            pool.append(n);
        pool.append(1);
    }
    const auto removeDraw = [&pool](const DrawRecord& draw) {
        for (int number : draw.numbers())
            pool.removeAll(number);
    };
    if (c.limitLastDraw && c.lastDrawShared.value == 0) removeDraw(lastDraws[0]);
    if (c.limitSecondLastDraw && c.secondLastDrawShared.value == 0) removeDraw(lastDraws[1]);
    if (c.limitThirdLastDraw && c.thirdLastDrawShared.value == 0) removeDraw(lastDraws[2]);
    if (c.avoidOneToTwelve)
        for (int n = 1; n <= 12; ++n)
            pool.removeAll(n);
    if (c.devalueOneToThirtyOne)
        for (int n = 1; n <= 31; ++n)
            pool.removeFirst(n);
    if (c.showPool && hooks.numberList) return hooks.numberList(pool) != PoolChoice::Cancel;
    return true;
}

} // namespace kugelo
