#include "NaiveStatistics.h"

#include "draws/DrawFile.h"
#include "evaluation/HitCheck.h"
#include "state/MainState.h"

#include <array>

namespace kugelo {

StatisticCounts naiveStatistic(Statistic statistic, MainState& state) {
    StatisticCounts out;
    const double lower = toDayNumber(state.statisticsStart);
    const double upper = toDayNumber(state.drawDate);
    DrawReader reader{DrawFile(state.drawFilePath())};
    std::array<int, 50> counts{};
    if (statistic == Statistic::Overdue) counts.fill(1);
    int length = statistic == Statistic::Pairs ? 2 : statistic == Statistic::Triples ? 3 : 4;
    const int lastStart = statistic == Statistic::Pairs ? 48 : 47;
    while (!reader.atEnd()) {
        const DrawRecord r = reader.next();
        const bool inclusive = statistic == Statistic::Frequency || statistic == Statistic::ChanceFrequency;
        if ((inclusive ? r.Datum < lower : r.Datum <= lower) || r.Datum > upper) continue;
        switch (statistic) {
        case Statistic::Frequency:
            for (int i = 0; i < 5; ++i)
                ++counts[r.Zahl[std::size_t(i)]];
            ++out.draws;
            break;
        case Statistic::Pairs:
        case Statistic::Triples:
        case Statistic::Quadruples:
            ++out.draws;
            state.current.Zahl = r.Zahl;
            for (int x = 1; x <= lastStart; ++x) {
                std::array<QString, 7> row;
                for (int j = 0; j < 7; ++j)
                    row[std::size_t(j)] = j < length ? QString::number(x + j) : QStringLiteral("0");
                Zettelcheck(state, row);
                if (state.Gewinn == length) {
                    ++counts[std::size_t(x)];
                    ++out.found;
                }
            }
            break;
        case Statistic::Overdue:
            for (int& c : counts)
                ++c;
            for (int i = 0; i < 5; ++i)
                counts[r.Zahl[std::size_t(i)]] = 1;
            break;
        default:
            break;
        }
    }
    const int last = statistic == Statistic::Pairs ? 48 : statistic == Statistic::Triples ? 47 : 49;
    for (int x = 1; x <= last; ++x)
        out.points.emplace_back(x, counts[std::size_t(x)]);
    return out;
}

} // namespace kugelo
