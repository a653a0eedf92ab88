// kugelo-bench [HISTORY.csv]: imports the draw history into a temporary home and times each statistic as
// its chart command runs it (from the draw file to the chart model), against a straightforward version
// of the same steps where there is one. Prints medians over many runs; the two versions' counts are
// compared before anything is timed.

#include "NaiveAnalysis.h"
#include "NaiveStatistics.h"
#include "QuietPlatform.h"

#include "draws/CurrentDraw.h"
#include "evaluation/HistoricalAnalysis.h"
#include "evaluation/HitCheck.h"
#include "generator/ChanceChoice.h"
#include "generator/GenerationCriteria.h"
#include "generator/GenerationRun.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include "controller/Settings.h"
#include "draws/DrawFile.h"
#include "draws/DrawImport.h"
#include "i18n/MessageTable.h"
#include "i18n/TextFile.h"
#include "platform/SettingsStore.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"
#include "stats/ChartModel.h"
#include "stats/Statistics.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace kugelo;

namespace {

// Median microseconds of one call, over rounds of calls that each last at least a few milliseconds.
double medianMicros(const std::function<void()>& call) {
    int perRound = 1;
    for (;;) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < perRound; ++i)
            call();
        if (t.nsecsElapsed() > 5'000'000 || perRound > (1 << 20)) break;
        perRound *= 2;
    }
    std::vector<double> rounds;
    for (int round = 0; round < 15; ++round) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < perRound; ++i)
            call();
        rounds.push_back(static_cast<double>(t.nsecsElapsed()) / 1000.0 / perRound);
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[rounds.size() / 2];
}

struct RunResult {
    int candidates = 0;
    double seconds = 0;
    double rowSeconds = 0; // from the start of the row loop to the final sheet check
    std::size_t indexBytes = 0;
    NumberPool pool;
    ChanceStatistics chance;
};

// One generation run on the history in home: window from 6 October 2008 to the newest draw, design
// options, twelve rows, UpDown7 = 50.
RunResult generationRun(const QString& home, bool literal, std::uint32_t seed) {
    MainState state;
    state.Home = home;
    state.statisticsStart = earliestDrawDate();
    state.drawDate = QDate(2100, 1, 1);
    TipSheet sheet;
    GenerationCriteria criteria;
    criteria.rowCount.set(12);
    criteria.runLimitThousands.set(50);
    MessageTable messages;
    ChartModel chart;
    QuietPlatform dialogs;
    SystemClock clock;
    RandomSource random(seed);
    CurrentDraw currentDraw(state, messages, dialogs, [&] { Komplettcheck(state, sheet); });
    RunEnvironment environment{state, sheet, criteria, messages, chart, currentDraw, random, clock};
    environment.literal = literal;
    QElapsedTimer t;
    qint64 rowsStart = 0;
    qint64 rowsEnd = 0;
    ProgressFunctions progress;
    progress.onStatus = [&](int, const QString& text) {
        if (text == messages[Msg::RunBegins]) rowsStart = t.nsecsElapsed();
    };
    RunHooks hooks;
    hooks.progress = &progress;
    hooks.sheetCheck = [&] { rowsEnd = t.nsecsElapsed(); };
    GenerationRun run(environment, hooks);
    t.start();
    run.run();
    RunResult result;
    result.seconds = static_cast<double>(t.nsecsElapsed()) / 1e9;
    result.rowSeconds = static_cast<double>(rowsEnd - rowsStart) / 1e9;
    result.candidates = run.counter();
    result.indexBytes = run.history().memoryBytes();
    result.pool = run.pool();
    return result;
}

// The parameter analysis over the history in home from 6 October 2008, design options with UpDown8 = 12 and
// the seed 4711, as the controller runs it: every cycle a whole generation run, then the selection of the
// draw a week on and its tally. reuse: the runs share the draws read once and the history index; literal:
// each run reads the draw file for every history test and candidate. maxCycles > 0 ends the analysis after so
// many; start: the date it starts from.
// The clock of the analyses: today's date, and a counter that advances by 1000 at every reading, so that the
// n° CHANCE choices (seeded from the counter) come out the same in every analysis.
class CountingClock final : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    std::uint64_t performanceCounter() const override { return m_next += 1000; }
    std::uint32_t tickCount() const override { return 1; }

private:
    mutable std::uint64_t m_next = 0;
};

struct AnalysisResult {
    int cycles = 0;
    double seconds = 0;
    QByteArray report;
};
AnalysisResult parameterAnalysis(const QString& home, bool reuse, bool literal, int maxCycles = 0,
                                 QDate start = earliestDrawDate()) {
    MainState state;
    state.Home = home;
    state.sortieren = true;
    state.statisticsStart = earliestDrawDate();
    state.drawDate = start;
    TipSheet sheet;
    GenerationCriteria criteria;
    criteria.rowCount.set(12);
    MessageTable messages;
    ChartModel chart;
    QuietPlatform quiet;
    const CountingClock clock;
    RandomSource random;
    CurrentDraw currentDraw(state, messages, quiet, [&] { Komplettcheck(state, sheet); });
    RunReuse shared;
    int cycles = 0;
    ProgressFunctions progress;
    progress.onStop = [&] { return maxCycles > 0 && cycles >= maxCycles; };
    const auto generate = [&] {
        random.setState(4711);
        RunEnvironment environment{state, sheet, criteria, messages, chart, currentDraw, random, clock};
        environment.literal = literal;
        environment.reuse = reuse ? &shared : nullptr;
        RunHooks hooks;
        hooks.sheetCheck = [&] { Komplettcheck(state, sheet); };
        GenerationRun(environment, hooks).run();
        ++cycles;
    };
    QElapsedTimer t;
    t.start();
    currentDraw.selectByDate();
    const ParameterCycleEnvironment environment{state,    currentDraw, sheet, clock,
                                                generate, &progress,   {},    {}};
    const ParameterTotals totals = runParameterCycles(environment, start);
    AnalysisResult result;
    result.report = crlfText(parameterReport(messages, totals, criteria.rowCount.value));
    result.seconds = static_cast<double>(t.nsecsElapsed()) / 1e9;
    result.cycles = cycles; // the runs done: a stop ends the analysis after its run, before its tally
    return result;
}

// The draw analysis over the history in home from 6 October 2008 with the threshold 5 and every question
// answered Yes, from the selection of the start draw to the tallies: as the command runs it (a stop asked
// at every compared draw, the window's events at some of them), or literally.
struct DrawAnalysisResult {
    DrawTallies tallies;
    double seconds = 0;
};
DrawAnalysisResult drawAnalysis(const QString& home, bool literal) {
    MainState state;
    state.Home = home;
    state.sortieren = true;
    state.statisticsStart = earliestDrawDate();
    state.drawDate = earliestDrawDate();
    TipSheet sheet;
    MessageTable messages;
    QuietPlatform quiet;
    quiet.answerYes = true;
    CurrentDraw currentDraw(state, messages, quiet, [&] { Komplettcheck(state, sheet); });
    ProgressFunctions progress;
    const bool stop = false;
    progress.onStop = [&stop] { return stop; };
    progress.onPump = [] {};
    QElapsedTimer t;
    t.start();
    currentDraw.selectByDate();
    const double limit = toDayNumber(state.drawDate) + 10;
    DrawAnalysisResult result;
    if (literal) {
        result.tallies = naiveDrawComparisons(state, sheet, currentDraw, limit);
    } else {
        const DrawComparisonEnvironment environment{state,     sheet, currentDraw, messages, quiet,
                                                    &progress, {},    {},          {}};
        result.tallies = runDrawComparisons(environment, limit, 5).value_or(DrawTallies{});
    }
    result.seconds = static_cast<double>(t.nsecsElapsed()) / 1e9;
    return result;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString csv = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KUGELO_DEFAULT_HISTORY);
    QTemporaryDir home;
    MainState state;
    state.Home = home.path() + QLatin1Char('/');
    std::vector<DrawRecord> draws;
    try {
        draws = parseDrawCsv(csv, readTextFile(csv, TextFileKind::DrawArchive));
        importDraws(DrawFile(state.drawFilePath()), draws);
    } catch (const KugeloError& e) {
        QTextStream(stderr) << "kugelo-bench: " << e.text() << '\n';
        return 1;
    }
    state.statisticsStart = earliestDrawDate();
    state.drawDate = QDate(2100, 1, 1);
    MessageTable messages;
    ChartModel chart;
    TipSheet sheet;

    out << "kugelo-bench: " << draws.size() << " draws from " << csv << "\n";
    out << "statistic, from the draw file to the chart     median us   straightforward us   ratio\n";
    const struct {
        const char* name;
        Statistic statistic;
        bool naive;
    } cases[] = {
        {"frequency", Statistic::Frequency, true},
        {"crosssums", Statistic::CrossSums, false},
        {"pairs", Statistic::Pairs, true},
        {"triples", Statistic::Triples, true},
        {"quadruples", Statistic::Quadruples, true},
        {"overdue", Statistic::Overdue, true},
        {"chance", Statistic::ChanceFrequency, false},
        {"chance-overdue", Statistic::ChanceOverdue, false},
    };
    for (const auto& c : cases) {
        const double fast = medianMicros([&] { showStatistic(c.statistic, state, messages, chart, &sheet); });
        QString line = QStringLiteral("%1 %2").arg(QLatin1String(c.name), -44).arg(fast, 12, 'f', 1);
        if (c.naive) {
            const StatisticCounts reference = naiveStatistic(c.statistic, state);
            showStatistic(c.statistic, state, messages, chart, &sheet);
            for (std::size_t i = 0; i < reference.points.size(); ++i) {
                if (chart.yAt(static_cast<int>(i)) != reference.points[i].second) {
                    QTextStream(stderr)
                        << "kugelo-bench: " << c.name << " differs from the straightforward count\n";
                    return 1;
                }
            }
            const double naive = medianMicros([&] { naiveStatistic(c.statistic, state); });
            line += QStringLiteral(" %1 %2").arg(naive, 20, 'f', 1).arg(naive / fast, 7, 'f', 1);
        }
        out << line << '\n';
    }

    // The generation run, its bare candidate loop, and the run done literally.
    out << "\ngeneration: window 2008-10-06 to the newest draw, design options, UpDown8 = 12, UpDown7 = 50\n";
    std::vector<RunResult> runs;
    for (std::uint32_t seed = 1; seed <= 9; ++seed)
        runs.push_back(generationRun(state.Home, false, seed));
    std::sort(runs.begin(), runs.end(), [](const RunResult& a, const RunResult& b) {
        return a.candidates / a.seconds < b.candidates / b.seconds;
    });
    const RunResult& median = runs[runs.size() / 2];
    const double runRate = median.candidates / median.seconds;
    const double loopRate = median.candidates / median.rowSeconds;
    out << QStringLiteral(
               "run      %1 candidates in %2 ms: %3 candidates/s (median of %4 runs; index %5 MiB)\n")
               .arg(median.candidates)
               .arg(median.seconds * 1000, 0, 'f', 2)
               .arg(runRate, 0, 'f', 0)
               .arg(runs.size())
               .arg(static_cast<double>(median.indexBytes) / (1 << 20), 0, 'f', 2);
    out << QStringLiteral(
               "  rows   %1 ms of it in the row loop (history read and indexed there): %2 candidates/s\n")
               .arg(median.rowSeconds * 1000, 0, 'f', 2)
               .arg(loopRate, 0, 'f', 0);

    // The floor: draw five numbers, choose the n° CHANCE, sort; no tests.
    {
        GenerationCriteria criteria;
        SystemClock clock;
        RandomSource random(3);
        ChanceStatistics chance;
        const std::vector<DrawRecord> records = DrawFile(state.drawFilePath()).readAll();
        for (const auto& [x, y] :
             countStatistic(Statistic::ChanceFrequency, records, EarliestDrawDay, 1e9).points)
            chance.f[static_cast<std::size_t>(x)] = y;
        for (const auto& [x, y] :
             countStatistic(Statistic::ChanceOverdue, records, EarliestDrawDay, 1e9).points)
            chance.o[static_cast<std::size_t>(x)] = y;
        const NumberPool& pool = median.pool;
        long long sink = 0;
        const int n = 2'000'000;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < n; ++i) {
            std::array<int, 5> z = pool.drawCandidate(random);
            const int c = chooseChance(criteria, chance, random, clock);
            std::sort(z.begin(), z.end());
            sink += z[0] + c;
        }
        const double floorRate = n / (static_cast<double>(t.nsecsElapsed()) / 1e9);
        out << QStringLiteral("floor    %1 candidates/s (draw, n° CHANCE, sort; checksum %2)\n")
                   .arg(floorRate, 0, 'f', 0)
                   .arg(sink % 1000);
        const RunResult literal = generationRun(state.Home, true, 5);
        const double literalRate = literal.candidates / literal.seconds;
        const double literalLoopRate = literal.candidates / literal.rowSeconds;
        out << QStringLiteral("literal  %1 candidates in %2 ms: %3 candidates/s; row loop %4 candidates/s\n")
                   .arg(literal.candidates)
                   .arg(literal.seconds * 1000, 0, 'f', 1)
                   .arg(literalRate, 0, 'f', 0)
                   .arg(literalLoopRate, 0, 'f', 0);
        out << QStringLiteral("run/floor %1 (row loop %2)   literal/run per candidate %3 (row loop %4)\n")
                   .arg(runRate / floorRate, 0, 'f', 3)
                   .arg(loopRate / floorRate, 0, 'f', 3)
                   .arg(runRate / literalRate, 0, 'f', 1)
                   .arg(loopRate / literalLoopRate, 0, 'f', 1);
    }
    {
        // The parameter analysis: the whole history with what the cycles share, without it (the report must
        // be the same), and the literal runs over a few cycles, scaled to the whole history.
        out << "\nparameter analysis from 2008-10-06 over the whole history, design options, UpDown8 = 12\n";
        const AnalysisResult shared = parameterAnalysis(state.Home, true, false);
        const AnalysisResult own = parameterAnalysis(state.Home, false, false);
        if (shared.report != own.report) {
            QTextStream(stderr)
                << "kugelo-bench: the analysis with shared runs differs from the one without\n";
            return 1;
        }
        // A literal cycle costs more the longer its history: two cycles from each of five dates spread over
        // the history give the mean cost of a cycle.
        AnalysisResult literal;
        const QDate last = draws.back().date();
        for (int part = 1; part <= 9; part += 2) {
            const QDate from = earliestDrawDate().addDays(earliestDrawDate().daysTo(last) * part / 10);
            const AnalysisResult sample = parameterAnalysis(state.Home, false, true, 2, from);
            literal.cycles += sample.cycles;
            literal.seconds += sample.seconds;
        }
        const double literalScaled = literal.seconds / literal.cycles * shared.cycles;
        out << QStringLiteral(
                   "shared   %1 cycles in %2 s: %3 cycles/s (the same report as each run on its own)\n")
                   .arg(shared.cycles)
                   .arg(shared.seconds, 0, 'f', 2)
                   .arg(shared.cycles / shared.seconds, 0, 'f', 0);
        out << QStringLiteral("own      %1 cycles in %2 s: %3 cycles/s\n")
                   .arg(own.cycles)
                   .arg(own.seconds, 0, 'f', 2)
                   .arg(own.cycles / own.seconds, 0, 'f', 0);
        out << QStringLiteral(
                   "literal  %1 cycles (2 from each odd tenth of the history) in %2 s: %3 cycles/s, %4 s "
                   "for the whole history\n")
                   .arg(literal.cycles)
                   .arg(literal.seconds, 0, 'f', 2)
                   .arg(literal.cycles / literal.seconds, 0, 'f', 1)
                   .arg(literalScaled, 0, 'f', 0);
        out << QStringLiteral("literal/shared %1   own/shared %2\n")
                   .arg(literalScaled / shared.seconds, 0, 'f', 0)
                   .arg(own.seconds / shared.seconds, 0, 'f', 2);
    }
    {
        // The draw analysis as the command runs it and literally: the same tallies, then the median of five
        // runs each.
        out << "\ndraw analysis from 2008-10-06 over the whole history, threshold 5\n";
        std::vector<double> runs;
        std::vector<double> literals;
        for (int i = 0; i < 5; ++i) {
            const DrawAnalysisResult run = drawAnalysis(state.Home, false);
            const DrawAnalysisResult literal = drawAnalysis(state.Home, true);
            if (run.tallies.earlier != literal.tallies.earlier ||
                run.tallies.successor != literal.tallies.successor ||
                run.tallies.successorItself != literal.tallies.successorItself) {
                QTextStream(stderr) << "kugelo-bench: the draw analysis differs from the literal one\n";
                return 1;
            }
            runs.push_back(run.seconds);
            literals.push_back(literal.seconds);
        }
        std::sort(runs.begin(), runs.end());
        std::sort(literals.begin(), literals.end());
        const double run = runs[runs.size() / 2];
        const double literal = literals[literals.size() / 2];
        out << QStringLiteral(
                   "run      %1 s (median of %2, %3 to %4 s; the same tallies as the literal one)\n")
                   .arg(run, 0, 'f', 3)
                   .arg(runs.size())
                   .arg(runs.front(), 0, 'f', 3)
                   .arg(runs.back(), 0, 'f', 3);
        out << QStringLiteral("literal  %1 s (median of %2, %3 to %4 s)\n")
                   .arg(literal, 0, 'f', 3)
                   .arg(literals.size())
                   .arg(literals.front(), 0, 'f', 3)
                   .arg(literals.back(), 0, 'f', 3);
        out << QStringLiteral("literal/run %1\n").arg(literal / run, 0, 'f', 1);
    }
    {
        // The settings as a close and a start handle them: every value saved and the file written whole, then
        // the file read and every value restored.
        const QString path = state.Home + QStringLiteral("settings.json");
        MainState settingsState;
        GenerationCriteria criteria;
        TipSheet tips;
        WindowValues window;
        KeptWindowValues kept;
        for (int r = 0; r < 12; ++r)
            for (int f = 0; f < 6; ++f)
                tips.setText(r, f, QString::number(f == 5 ? r % 10 + 1 : (r * 5 + f) % 49 + 1));
        const SettingsTargets targets{settingsState, criteria, tips, window, kept};
        std::size_t stored = 0;
        const double save = medianMicros([&] {
            FileSettingsStore store(path);
            store.openKey(SettingsStore::kugeloKey(), true);
            saveSettings(store, targets);
            stored = store.values().size();
            store.closeKey();
        });
        const double restore = medianMicros([&] {
            FileSettingsStore store(path);
            store.openKey(SettingsStore::kugeloKey(), true);
            SettingsRestore(store, targets).restoreAll(QString());
            store.closeKey();
        });
        out << QStringLiteral(
                   "\nsettings: %1 values; save and write the file %2 us, read the file and restore %3 us\n")
                   .arg(stored)
                   .arg(save, 0, 'f', 1)
                   .arg(restore, 0, 'f', 1);
    }
    return 0;
}
