// kugelo-bench [HISTORY.csv]: imports the draw history into a temporary home and times each statistic as
// its chart command runs it (from the draw file to the chart model), against a straightforward version
// of the same steps where there is one. Prints medians over many runs; the two versions' counts are
// compared before anything is timed.

#include "NaiveStatistics.h"

#include "app/MainState.h"
#include "draws/DrawFile.h"
#include "draws/DrawImport.h"
#include "i18n/MessageTable.h"
#include "platform/AtomicFile.h"
#include "sheet/TipSheet.h"
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
        if (t.nsecsElapsed() > 5'000'000 || perRound > (1 << 20))
            break;
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
        draws = parseDrawCsv(csv, readFileWhole(csv));
        importDraws(DrawFile(state.drawFilePath()), draws);
    } catch (const KugeloError& e) {
        QTextStream(stderr) << "kugelo-bench: " << e.text() << '\n';
        return 1;
    }
    state.DateTimePicker2 = earliestDrawDate();
    state.DateTimePicker1 = QDate(2100, 1, 1);
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
        {"frequency", Statistic::Frequency, true},      {"crosssums", Statistic::CrossSums, false},
        {"pairs", Statistic::Pairs, true},              {"triples", Statistic::Triples, true},
        {"quadruples", Statistic::Quadruples, true},    {"overdue", Statistic::Overdue, true},
        {"chance", Statistic::ChanceFrequency, false},  {"chance-overdue", Statistic::ChanceOverdue, false},
    };
    for (const auto& c : cases) {
        const double fast = medianMicros([&] { showStatistic(c.statistic, state, messages, chart, &sheet); });
        QString line = QStringLiteral("%1 %2").arg(QLatin1String(c.name), -44).arg(fast, 12, 'f', 1);
        if (c.naive) {
            const StatisticCounts reference = naiveStatistic(c.statistic, state);
            showStatistic(c.statistic, state, messages, chart, &sheet);
            for (std::size_t i = 0; i < reference.points.size(); ++i) {
                if (chart.yAt(static_cast<int>(i)) != reference.points[i].second) {
                    QTextStream(stderr) << "kugelo-bench: " << c.name << " differs from the straightforward count\n";
                    return 1;
                }
            }
            const double naive = medianMicros([&] { naiveStatistic(c.statistic, state); });
            line += QStringLiteral(" %1 %2").arg(naive, 20, 'f', 1).arg(naive / fast, 7, 'f', 1);
        }
        out << line << '\n';
    }
    return 0;
}
