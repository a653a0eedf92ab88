#pragma once

#include "stats/Statistics.h"

namespace kugelo {

struct MainState;

// The statistics as their steps read literally: the reading loop record by record, and for the runs one
// row check with texts per start and draw. The benchmark's yardstick; it must give the same counts.
StatisticCounts naiveStatistic(Statistic statistic, MainState& state);

} // namespace kugelo
