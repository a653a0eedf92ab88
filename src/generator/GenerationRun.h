#pragma once

#include "generator/Acceptance.h"
#include "generator/ChanceChoice.h"
#include "generator/HistoryIndex.h"
#include "generator/NumberPool.h"
#include "platform/Progress.h"

#include <QString>
#include <functional>
#include <memory>

namespace kugelo {

class ChartModel;
class Clock;
class CurrentDraw;
class MessageTable;
class RandomSource;
class TipSheet;
struct GenerationCriteria;
struct MainState;

// What the runs of one analysis share, where sharing gives the same rows: the draw file read once (nothing
// may change it while the analysis runs) and the history index, extended from one run's end date to the
// next later one instead of built anew.
class RunReuse {
public:
    const std::vector<DrawRecord>& records(const QString& path);
    // The index of the records up to upper; records must be those of records().
    HistoryIndex& index(const std::vector<DrawRecord>& records, double upper);

private:
    std::vector<DrawRecord> m_records;
    bool m_read = false;
    HistoryIndex m_index;
    bool m_indexed = false;
};

// What a run works on.
struct RunEnvironment {
    MainState& state;
    TipSheet& sheet;
    GenerationCriteria& criteria;
    const MessageTable& messages;
    ChartModel& chart;
    CurrentDraw& currentDraw;
    RandomSource& random;
    const Clock& clock;
    // Reads the draw file for every history test and computes the n° CHANCE statistics for every
    // candidate, the straightforward way, instead of once per run. Same rows, far slower: the benchmark's
    // yardstick and the tests' reference.
    bool literal = false;
    // Shared with the other runs of an analysis; none for a run of its own.
    RunReuse* reuse = nullptr;
};

// What a run asks of the window. Every hook may be empty (the command-line tool leaves most of them so).
struct RunHooks {
    // Status texts (panel 1), the window's events at every candidate, the stop asked at every candidate.
    Progress* progress = nullptr;
    std::function<void()> showTipTab;                  // bring the tip overview to the front
    std::function<void()> showChartTab;                // bring the Diagramm tab to the front
    std::function<void()> criteriaChanged;             // the run changed options (relaxation, putting back)
    std::function<PoolChoice(NumberPool&)> numberList; // the number list dialog in pool mode
    std::function<void()> sheetCheck;                  // the sheet check at the end (with the win sound)
};

// "Tipps berechnen": collects the last three draws, builds the pool, and fills rows 1 to 12 with accepted
// candidates (locked rows stay), relaxing options near the run limit, then checks the sheet. The history
// the tests and the n° CHANCE choice need is read once per run and indexed.
class GenerationRun {
public:
    enum class Outcome { Finished, Cancelled };

    GenerationRun(RunEnvironment environment, RunHooks hooks);

    // The whole run. After an error the options, the flags and the hit check are put back as at a normal end
    // and the error goes on to the caller.
    Outcome run();

    int counter() const { return m_counter; }
    int laufMax() const { return m_laufMax; }
    // The progress line of the last candidate drawn.
    QString progressLine() const;
    const NumberPool& pool() const { return m_pool; }
    const HistoryIndex& history() const { return m_index; }

private:
    struct Saved {
        bool forcePair;
        int lastDrawShared;
        int secondLastDrawShared;
        int historyMatchSize;
    };
    void prepare();
    void rows();
    void relax(int row);
    // f and o of the n° CHANCE over the statistics window.
    void countChanceStatistics(const std::vector<DrawRecord>& records);
    void putBack();

    RunEnvironment m_env;
    RunHooks m_hooks;
    Saved m_saved{};
    int m_laufMax = 0;
    int m_counter = 0;
    std::array<DrawRecord, 3> m_lastDraws{};
    NumberPool m_pool;
    HistoryIndex m_index;
    std::unique_ptr<FileScanHistory> m_scan;
    ChanceStatistics m_chance;
    HistoryWindow m_window;
    RowTable m_rows{};
    Candidate m_candidate;
    Candidate m_shown; // the candidate of the progress line
    int m_shownRow = 0;
    bool m_chartEmptied = false;
};

} // namespace kugelo
