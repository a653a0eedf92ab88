#pragma once

#include "platform/AtomicFile.h"
#include "state/DrawRecord.h"

#include <QString>
#include <vector>

namespace kugelo {

class ChartModel;
class MessageTable;
class TipSheet;
struct MainState;

enum class Statistic {
    Frequency,       // how often each main number was drawn
    CrossSums,       // distribution of the draws' cross sums
    Pairs,           // runs x, x+1
    Triples,         // runs x..x+2
    Quadruples,      // runs x..x+3
    Overdue,         // draws since each main number was last drawn
    ChanceFrequency, // how often each n° CHANCE was drawn
    ChanceOverdue,   // draws since each n° CHANCE was last drawn
    RowDistribution, // the numbers used by the rows of the tip sheet
};

// The counts of one statistic: the points (x, y) in the order shown, and the summary values.
struct StatisticCounts {
    std::vector<std::pair<int, int>> points;
    int draws = 0;  // N (frequency, cross sums) or D (runs)
    int found = 0;  // F: runs found
    double sum = 0; // S: sum of the cross sums
};

// A statistic over the draws with lower < date <= upper (lower <= date for the two frequencies), from
// records in file order. The run statistics count a draw's run as the row check does.
StatisticCounts countStatistic(Statistic statistic, const std::vector<DrawRecord>& records, double lower,
                               double upper);

// The distribution of the rows: the five numbers and the n° CHANCE of each row, in sheet order, up to the
// first field that is not a number; values outside 0..49 have no bar.
StatisticCounts countRows(const TipSheet& sheet);

// Runs a statistic as its command does: takes the bounds from the date pickers (aktDatum and, for the
// statistics that keep it, dfb), reads the draw file, puts the points, colours, axis and caption on the
// chart, and leaves the run statistics' last draw and row check in the state. Returns whether the
// Diagramm tab is to be brought to the front. Throws IoError for a missing or unreadable draw file.
bool showStatistic(Statistic statistic, MainState& state, const MessageTable& messages, ChartModel& chart,
                   const TipSheet* sheet = nullptr, const FileOpener& opener = FileOpener::standard());

// The statistic's chart caption, or an empty optional when it stays as it was (no draw for an average).
QString statisticCaption(Statistic statistic, const StatisticCounts& counts, const MessageTable& messages,
                         bool* keepPrevious);

bool isPrime(int x);

// Why the statistics window holds no draw, as the charts and the search say it: its start lies after its
// end date, or after the newest draw of the history. Empty when the window holds a draw or neither is the
// reason (no draw at all). lowerInclusive: whether a draw on the start date counts.
QString emptyStatisticsReason(const MessageTable& messages, const MainState& state,
                              const std::vector<DrawRecord>& records, bool lowerInclusive);

} // namespace kugelo
