#include "stats/Statistics.h"

#include "draws/DrawFile.h"
#include "evaluation/HitCheck.h"
#include "i18n/MessageTable.h"
#include "platform/Convert.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"
#include "stats/ChartModel.h"

#include "platform/DayNumber.h"
#include <array>
#include <cmath>

namespace kugelo {

namespace {

// Length of the runs and the starts examined by the three run statistics.
struct RunShape {
    int length;
    int lastStart;
    int lastPoint;
};

RunShape runShape(Statistic s) {
    switch (s) {
    case Statistic::Pairs:
        return {2, 48, 48};
    case Statistic::Triples:
        return {3, 47, 47};
    default:
        return {4, 47, 49};
    }
}

bool isRun(Statistic s) {
    return s == Statistic::Pairs || s == Statistic::Triples || s == Statistic::Quadruples;
}

template <std::size_t N>
std::vector<std::pair<int, int>> pointsFrom(const std::array<int, N>& counts, int first, int last) {
    std::vector<std::pair<int, int>> points;
    if (last < first) // no draw: the cross sums have no lowest and highest value
        return points;
    points.reserve(static_cast<std::size_t>(last - first + 1));
    for (int x = first; x <= last; ++x)
        points.emplace_back(x, counts[static_cast<std::size_t>(x)]);
    return points;
}

// The row a run statistic hands to the row check: the run, then "0" for the other places.
std::array<QString, 7> runRowTexts(int start, int length) {
    std::array<QString, 7> texts;
    for (int j = 0; j < 7; ++j)
        texts[static_cast<std::size_t>(j)] = (j < length) ? QString::number(start + j) : QStringLiteral("0");
    return texts;
}

} // namespace

QString emptyStatisticsReason(const MessageTable& messages, const MainState& state,
                              const std::vector<DrawRecord>& records, bool lowerInclusive) {
    if (records.empty()) return {};
    const double lower = toDayNumber(state.statisticsStart);
    const double upper = toDayNumber(state.drawDate);
    for (const DrawRecord& r : records)
        if ((lowerInclusive ? r.Datum >= lower : r.Datum > lower) && r.Datum <= upper) return {};
    const QString start = shortDate(state.statisticsStart);
    if (state.statisticsStart > state.drawDate)
        return messages[Msg::StartAfterEnd].arg(start, shortDate(state.drawDate));
    const QDate newest = records.back().date();
    if (lowerInclusive ? state.statisticsStart > newest : state.statisticsStart >= newest)
        return messages[Msg::StartAfterNewest].arg(start, shortDate(newest));
    return {};
}

bool isPrime(int x) {
    if (x < 2) return false;
    for (int d = 2; d * d <= x; ++d)
        if (x % d == 0) return false;
    return true;
}

StatisticCounts countStatistic(Statistic statistic, const std::vector<DrawRecord>& records, double lower,
                               double upper) {
    StatisticCounts out;
    const auto inRange = [lower, upper](const DrawRecord& r) { return r.Datum > lower && r.Datum <= upper; };
    const auto inRangeInclusive = [lower, upper](const DrawRecord& r) {
        return r.Datum >= lower && r.Datum <= upper;
    };

    switch (statistic) {
    case Statistic::Frequency: {
        std::array<int, 50> counts{};
        for (const DrawRecord& r : records) {
            if (!inRangeInclusive(r)) continue;
            for (int i = 0; i < 5; ++i)
                if (r.Zahl[static_cast<std::size_t>(i)] <= 49) // a stored value beyond 49 has no bar
                    ++counts[r.Zahl[static_cast<std::size_t>(i)]];
            ++out.draws;
            out.sum += r.crossSum();
        }
        out.points = pointsFrom(counts, 1, 49);
        break;
    }
    case Statistic::CrossSums: {
        // Room for any five stored bytes; valid draws lie between 15 and 235. The lowest sum starts above
        // every possible one, so a file of impossible records still gets its lowest sum as the first point.
        std::array<int, 5 * 255 + 1> counts{};
        int low = static_cast<int>(counts.size());
        int high = 0;
        for (const DrawRecord& r : records) {
            if (!inRange(r)) continue;
            const int q = r.crossSum();
            ++counts[static_cast<std::size_t>(q)];
            low = std::min(low, q);
            high = std::max(high, q);
            ++out.draws;
            out.sum += q;
        }
        out.points = pointsFrom(counts, low, high);
        break;
    }
    case Statistic::Pairs:
    case Statistic::Triples:
    case Statistic::Quadruples: {
        const RunShape shape = runShape(statistic);
        std::array<int, 50> counts{};
        for (const DrawRecord& r : records) {
            if (!inRange(r)) continue;
            ++out.draws;
            // How often each value stands among the five numbers: the row check's hits of a run row are the
            // occurrences of its numbers, plus those of 0 for each "0" place.
            std::array<int, 256> occurs{};
            for (int i = 0; i < 5; ++i)
                ++occurs[r.Zahl[static_cast<std::size_t>(i)]];
            const int zeroHits = (5 - shape.length) * occurs[0];
            for (int x = 1; x <= shape.lastStart; ++x) {
                int hits = zeroHits;
                for (int k = 0; k < shape.length; ++k)
                    hits += occurs[static_cast<std::size_t>(x + k)];
                if (hits == shape.length) {
                    ++counts[static_cast<std::size_t>(x)];
                    ++out.found;
                }
            }
        }
        out.points = pointsFrom(counts, 1, shape.lastPoint);
        break;
    }
    case Statistic::Overdue: {
        std::array<int, 50> counts;
        counts.fill(1);
        for (const DrawRecord& r : records) {
            if (!inRange(r)) continue;
            for (int& c : counts)
                ++c;
            for (int i = 0; i < 5; ++i)
                if (r.Zahl[static_cast<std::size_t>(i)] <= 49)
                    counts[r.Zahl[static_cast<std::size_t>(i)]] = 1;
        }
        out.points = pointsFrom(counts, 1, 49);
        break;
    }
    case Statistic::ChanceFrequency:
    case Statistic::ChanceOverdue: {
        const bool overdue = statistic == Statistic::ChanceOverdue;
        std::array<int, 11> counts{};
        for (const DrawRecord& r : records) {
            if (overdue ? !inRange(r) : !inRangeInclusive(r)) continue;
            const int c = r.chance();
            if (overdue) {
                for (int x = 1; x <= 10; ++x)
                    ++counts[static_cast<std::size_t>(x)];
                if (c >= 1 && c <= 10) counts[static_cast<std::size_t>(c)] = 1;
            } else if (c >= 1 && c <= 10) {
                ++counts[static_cast<std::size_t>(c)];
            }
        }
        out.points = pointsFrom(counts, 1, 10);
        break;
    }
    case Statistic::RowDistribution:
        break;
    }
    return out;
}

StatisticCounts countRows(const TipSheet& sheet) {
    std::array<int, 50> counts{};
    for (int r = 0; r < TipSheet::RowCount; ++r) {
        bool stop = false;
        for (int f = 0; f <= TipSheet::Chance && !stop; ++f) {
            const auto v = tryStrToInt(sheet.text(r, f));
            if (!v) {
                stop = true;
                break;
            }
            if (*v >= 0 && *v <= 49) ++counts[static_cast<std::size_t>(*v)];
        }
        if (stop) break;
    }
    StatisticCounts out;
    out.points = pointsFrom(counts, 1, 49);
    return out;
}

QString statisticCaption(Statistic statistic, const StatisticCounts& c, const MessageTable& m,
                         bool* keepPrevious) {
    *keepPrevious = false;
    const auto average = [&c] {
        return QString::number(static_cast<long long>(std::nearbyint(c.sum / c.draws)));
    };
    switch (statistic) {
    case Statistic::Frequency:
        if (c.draws == 0) break;
        return m[Msg::NumberDistribution] + QStringLiteral("     ") + m[Msg::Draws] + QStringLiteral(": ") +
               QString::number(c.draws) + QStringLiteral("    ") + m[Msg::CrossSum] + QStringLiteral(": ") +
               average();
    case Statistic::CrossSums:
        if (c.draws == 0) break;
        return m[Msg::CrossSumDistribution] + QStringLiteral("     ") + m[Msg::DrawsCount] +
               QString::number(c.draws) + QStringLiteral("    ") + m[Msg::CrossSum] + QStringLiteral(": ") +
               average();
    case Statistic::Pairs:
    case Statistic::Triples:
    case Statistic::Quadruples: {
        const Msg found = statistic == Statistic::Pairs     ? Msg::PairsFound
                          : statistic == Statistic::Triples ? Msg::TriplesFound
                                                            : Msg::QuadruplesFound;
        return m[Msg::DrawsCount] + QStringLiteral(": ") + QString::number(c.draws) + QStringLiteral("   ") +
               m[found] + QStringLiteral(":") + QString::number(c.found);
    }
    case Statistic::Overdue:
        return m[Msg::OverdueCaption];
    case Statistic::ChanceFrequency:
        return m[Msg::ChanceFrequencyCaption];
    case Statistic::ChanceOverdue:
        return m[Msg::ChanceOverdueCaption];
    case Statistic::RowDistribution:
        return m[Msg::RowDistributionCaption];
    }
    *keepPrevious = true;
    return {};
}

bool showStatistic(Statistic statistic, MainState& state, const MessageTable& messages, ChartModel& chart,
                   const TipSheet* sheet, const FileOpener& opener) {
    StatisticCounts counts;
    QString noDraw; // why the window holds no draw
    if (statistic == Statistic::RowDistribution) {
        if (sheet) counts = countRows(*sheet);
    } else {
        state.aktDatum = toDayNumber(state.statisticsStart);
        const double upper = toDayNumber(state.drawDate);
        if (statistic != Statistic::Pairs && statistic != Statistic::ChanceFrequency &&
            statistic != Statistic::ChanceOverdue)
            state.dfb = upper;
        const std::vector<DrawRecord> records = DrawFile(state.drawFilePath(), opener).readDraws();
        counts = countStatistic(statistic, records, state.aktDatum, upper);
        noDraw = emptyStatisticsReason(messages, state, records,
                                       statistic == Statistic::Frequency ||
                                           statistic == Statistic::ChanceFrequency);

        if (isRun(statistic) && counts.draws > 0) {
            // The run statistics leave the last examined draw and row check behind, as they run on the
            // current-draw fields.
            const DrawRecord* last = nullptr;
            for (const DrawRecord& r : records)
                if (r.Datum > state.aktDatum && r.Datum <= upper) last = &r;
            state.current.Zahl = last->Zahl;
            const RunShape shape = runShape(statistic);
            Zettelcheck(state, runRowTexts(shape.lastStart, shape.length));
        }
    }

    const bool redGreen = statistic == Statistic::Frequency || statistic == Statistic::Overdue ||
                          statistic == Statistic::RowDistribution;
    const bool minMax = statistic != Statistic::CrossSums && statistic != Statistic::Quadruples;
    std::vector<ChartPoint> points;
    points.reserve(counts.points.size());
    for (const auto& [x, y] : counts.points)
        points.push_back({x, y, redGreen && isPrime(x)});
    chart.show(std::move(points), minMax, statistic);
    if (statistic == Statistic::Frequency) chart.hideMarks();
    bool keep = false;
    const QString caption = statisticCaption(statistic, counts, messages, &keep);
    if (!keep) chart.setCaption(caption);
    ChartModel::Legend legend;
    if (redGreen) legend = {messages[Msg::LegendPrimes], messages[Msg::LegendOthers], {}};
    if (statistic == Statistic::Frequency || statistic == Statistic::CrossSums)
        legend.note = messages[Msg::CrossSumExplained].arg(messages[Msg::CrossSum]);
    if (!noDraw.isEmpty()) legend.note = noDraw;
    chart.setLegend(std::move(legend));

    switch (statistic) {
    case Statistic::Pairs:
    case Statistic::Triples:
    case Statistic::Quadruples:
    case Statistic::Overdue:
    case Statistic::RowDistribution:
        return true;
    case Statistic::ChanceOverdue:
        return !state.Berechnunglaeuft;
    default:
        return false;
    }
}

} // namespace kugelo
