#pragma once

#include "Doubles.h"
#include "TestSupport.h"

#include "draws/CurrentDraw.h"
#include "generator/GenerationCriteria.h"
#include "generator/GenerationRun.h"
#include "generator/RandomSource.h"
#include "i18n/MessageTable.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"
#include "stats/ChartModel.h"

#include <QDate>
#include <QStringList>
#include <memory>
#include <vector>

namespace kugelo::test {

// Rows given as "ROW:n1,n2,n3,n4,n5,chance" (ROW from 1; fewer texts fill the first fields); every text
// goes through the field validation.
void fillSheet(TipSheet& sheet, const QStringList& rows);

// The draw day after `day` when draws fall on Monday, Wednesday and Saturday.
QDate nextDrawDay(QDate day);

// `count` draws of five different random numbers and a random n° CHANCE each, taken from a RandomSource
// seeded with `seed`: the first on `first`, each further one `next(previous day)`.
std::vector<DrawRecord> syntheticDraws(std::uint32_t seed, int count, QDate first, QDate (*next)(QDate));

// A temporary home with the state, the tip sheet, the message table and the chart that the statistics
// and the generation read and fill. The date window runs from `from` (DateTimePicker2) to `to`
// (DateTimePicker1).
struct HomeFixture {
    HomeFixture(QDate from, QDate to);
    // The seven texts of a sheet row.
    QStringList row(int r) const;
    // Sixty synthetic draws (seed 99 unless given) on every Monday, Wednesday and Saturday from 6 October
    // 2008.
    void writeSyntheticHistory(std::uint32_t seed = 99) const;

    TempHome home;
    MainState state;
    TipSheet sheet;
    MessageTable messages;
    ChartModel chart;
};

// The clock of the generation tests: first reading 978, then every 977 further; the tick count is 5.
inline const SteppingClock::Start kRunClockStart{.first = 978, .step = 977, .ticks = 5};

// A home with everything a generation run needs, the options at their design values, the window from
// 6 October 2008 to 10 December 2026, a random source seeded with 7 and the clock of the generation tests.
struct RunFixture : HomeFixture {
    RunFixture();
    // Runs "Tipps berechnen" with sorting on; `out` receives the run, which lives as long as the fixture
    // or until the next run.
    GenerationRun::Outcome run(GenerationRun** out = nullptr, bool literal = false);

    GenerationCriteria criteria;
    ScriptedDialogs dialogs;
    RandomSource random{7};
    SteppingClock clock{kRunClockStart};
    CurrentDraw currentDraw;
    QString status; // the last status text of the run
    ProgressFunctions progress;
    RunHooks hooks;
    std::unique_ptr<GenerationRun> lastRun;
};

} // namespace kugelo::test
