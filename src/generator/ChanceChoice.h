#pragma once

#include <QString>
#include <array>

namespace kugelo {

class Clock;
class MessageTable;
class RandomSource;
struct GenerationCriteria;

// The n° CHANCE statistics over the statistics window: f(c) how often c was drawn, o(c) how long it has
// been overdue (index 1..10).
struct ChanceStatistics {
    std::array<int, 11> f{};
    std::array<int, 11> o{};
};

// Chooses the n° CHANCE of a candidate in the mode of the radio buttons, avoiding recent numbers under
// CheckBox16 (o(c) < UpDown19). Seeds the random source from the clock first, every time. Where every
// number the mode could take is recent, the number the mode would choose without that rule is returned.
int chooseChance(const GenerationCriteria& criteria, const ChanceStatistics& statistics, RandomSource& random,
                 const Clock& clock);

// How chooseChance chooses in the mode of the radio buttons, as a run's final text says it: the rarest and
// the longest overdue modes give every row the run computes the same n° CHANCE.
QString chanceRuleText(const MessageTable& messages, const GenerationCriteria& criteria);

} // namespace kugelo
