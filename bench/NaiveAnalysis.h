#pragma once

#include "evaluation/HistoricalAnalysis.h"

namespace kugelo {

class CurrentDraw;
class TipSheet;
struct MainState;

// The passes of the draw analysis as their steps read literally: row 1 written as texts, the draw file read
// record by record in every pass, row 1 compared with each draw of the window by the row check with texts,
// then the step forward and its comparison; every question answered Yes. The benchmark's yardstick; it must
// give the same tallies.
DrawTallies naiveDrawComparisons(MainState& state, TipSheet& sheet, CurrentDraw& currentDraw, double limit);

} // namespace kugelo
