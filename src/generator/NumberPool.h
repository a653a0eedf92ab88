#pragma once

#include "generator/RandomSource.h"
#include "state/DrawRecord.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace kugelo {

class Progress;

class ChartModel;
class MessageTable;
class NumberList;
class TipSheet;
struct GenerationCriteria;
struct MainState;

// The weighted list of main numbers that candidates are drawn from: a number with three entries is three
// times as likely as a number with one.
class NumberPool {
public:
    const std::vector<std::uint8_t>& entries() const { return m_entries; }
    std::size_t size() const { return m_entries.size(); }
    int count(int number) const;
    int distinctNumbers() const;

    void append(int number, int times = 1);
    void removeAll(int number);
    void removeFirst(int number);
    void clear() { m_entries.clear(); }

    // Five distinct numbers in the order drawn: picks positions at random until five differ. The pool must
    // hold at least five distinct numbers.
    std::array<int, 5> drawCandidate(RandomSource& random) const {
        std::array<int, 5> chosen{};
        int n = 0;
        const auto size = static_cast<std::uint32_t>(m_entries.size());
        while (n < 5) {
            const int number = m_entries[random.below(size)];
            bool taken = false;
            for (int i = 0; i < n; ++i)
                taken |= chosen[static_cast<std::size_t>(i)] == number;
            if (!taken) chosen[static_cast<std::size_t>(n++)] = number;
        }
        return chosen;
    }

    // Empties the pool and fills it from the number list dialog: each set box 1..49 w times for its weight
    // w (an empty weight reads and is written back as "0"; 0 gives one entry, a negative weight none).
    // Throws ConversionError for a weight that is not a number.
    void rebuildFrom(NumberList& list);

private:
    std::vector<std::uint8_t> m_entries;
};

// What the number list dialog did with the pool.
enum class PoolChoice { Keep, Rebuild, Cancel };

// What building the pool needs from the window: progress texts for panel 1, bringing the chart tab to
// the front and repainting, and the number list dialog.
struct PoolHooks {
    Progress* progress = nullptr; // panel 1 of the status bar shows what is computed
    std::function<void()> showChart;
    std::function<PoolChoice(NumberPool&)> numberList; // shows the pool; Rebuild fills it from the dialog
};

// Builds the pool in its fixed steps from the statistics over the statistics window, the last draws and
// the options. Returns false when the number list dialog was left without choosing a pool.
bool buildNumberPool(NumberPool& pool, const GenerationCriteria& criteria, MainState& state,
                     const MessageTable& messages, ChartModel& chart,
                     const std::array<DrawRecord, 3>& lastDraws, const PoolHooks& hooks);

// v rounded to the nearest whole number, halves to the even neighbour.
int roundHalfEven(double v);

} // namespace kugelo
