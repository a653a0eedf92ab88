#include "evaluation/HistoricalAnalysis.h"

#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "evaluation/HitCheck.h"
#include "i18n/MessageTable.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"

#include "platform/DayNumber.h"
#include <algorithm>
#include <cmath>

namespace kugelo {

namespace {

constexpr QChar kTab = QLatin1Char('\t');

// Observed, expected and their ratio; the ratio is "-" where nothing was expected.
QString chanceLine(const QString& head, long long observed, double expected) {
    const QString ratio = expected > 0 ? QString::number(static_cast<double>(observed) / expected, 'f', 2)
                                       : QStringLiteral("-");
    return head + kTab + QString::number(observed) + kTab + QString::number(expected, 'f', 1) + kTab + ratio;
}

// A count against the range chance gives it with 95 %: head, the count, the range and the verdict.
QString verdictLine(const MessageTable& m, const QString& head, long long observed,
                    std::pair<long long, long long> range) {
    const auto [low, high] = range;
    const Msg verdict = observed > high  ? Msg::ChanceBetter
                        : observed < low ? Msg::ChanceWorse
                                         : Msg::ChanceWithin;
    return head + QString::number(observed) + m[Msg::ChanceInterval] + QString::number(low) +
           m[Msg::ChanceIntervalTo] + QString::number(high) + m[verdict];
}

double atLeastTwoProbability() {
    double p = 0;
    for (int h = 2; h <= 5; ++h)
        p += mainHitProbability(h);
    return p;
}

// The block for one tally of main hits: heading with the number of rows, the column heads, one line per h
// with the count expected.
void appendHitLines(QStringList& lines, const MessageTable& m, const QString& heading,
                    const std::array<long long, 6>& counts, long long n,
                    const std::array<double, 6>& expected) {
    lines << heading + QString::number(n);
    lines << QString(kTab) + m[Msg::ChanceObserved] + kTab + m[Msg::ChanceExpected] + kTab +
                 m[Msg::ChanceRatio];
    for (int h = 0; h <= 5; ++h)
        lines << chanceLine(QString::number(h) + QLatin1Char('x'), counts[static_cast<std::size_t>(h)],
                            expected[static_cast<std::size_t>(h)]);
}

long long sum(const std::array<long long, 6>& counts, int from = 0) {
    long long total = 0;
    for (int h = from; h <= 5; ++h)
        total += counts[static_cast<std::size_t>(h)];
    return total;
}

// How many rows (comparisons) the comparison with chance left out because the draw was known.
void appendLeftOut(QStringList& lines, const MessageTable& m, long long leftOut) {
    if (leftOut > 0) lines << m[Msg::ChanceLeftOut] + QString::number(leftOut);
}

// One tally of the draw analysis against chance. Each comparison sets one draw against another; over random
// draws a draw shares h numbers with another as a fixed row does, whatever the first draw holds, so any two
// comparisons are independent and the count with at least two hits has a binomial count's mean and variance:
// its range is the binomial one. Without a comparison there is no verdict.
void appendDrawBlock(QStringList& lines, const MessageTable& m, Msg title,
                     const std::array<long long, 6>& counts, long long leftOut) {
    lines << QString();
    const long long n = sum(counts);
    std::array<double, 6> expected{};
    for (int h = 0; h <= 5; ++h)
        expected[static_cast<std::size_t>(h)] = static_cast<double>(n) * mainHitProbability(h);
    appendHitLines(lines, m, m[title] + QStringLiteral(" - ") + m[Msg::ChanceHeadingComparisons], counts, n,
                   expected);
    if (n > 0)
        lines << verdictLine(m, m[Msg::ChanceAtLeastTwo], sum(counts, 2),
                             binomialInterval95(n, atLeastTwoProbability()));
    appendLeftOut(lines, m, leftOut);
}

} // namespace

double mainHitProbability(int h) {
    static constexpr double kWays[6] = {1086008, 678755, 132440, 9460, 220, 1}; // C(5,h)·C(44,5−h)
    if (h < 0 || h > 5) return 0;
    return kWays[h] / 1906884.0; // C(49,5)
}

std::pair<long long, long long> binomialInterval95(long long n, double p) {
    if (n <= 0) return {0, 0};
    const double logP = std::log(p);
    const double logQ = std::log1p(-p);
    const double logN = std::lgamma(static_cast<double>(n) + 1);
    double cumulative = 0;
    long long low = -1;
    for (long long k = 0; k <= n; ++k) {
        const auto kd = static_cast<double>(k);
        cumulative += std::exp(logN - std::lgamma(kd + 1) - std::lgamma(static_cast<double>(n - k) + 1) +
                               kd * logP + static_cast<double>(n - k) * logQ);
        if (low < 0 && cumulative > 0.025) low = k;
        if (cumulative >= 0.975) return {low, k};
    }
    return {std::max(low, 0LL), n};
}

namespace {

// The dates of the draws, in file order.
std::vector<QDate> drawDates(const QString& path) {
    std::vector<QDate> dates;
    for (const DrawRecord& r : DrawFile(path).readDraws())
        dates.push_back(r.date());
    return dates;
}

} // namespace

int parameterCycleCount(const std::vector<QDate>& dates, QDate start, QDate selected, QDate today) {
    if (dates.empty()) return 0;
    // The selection by date: the first draw on or after a day, else the newest.
    const auto select = [&dates](QDate day) {
        const auto found = std::lower_bound(dates.begin(), dates.end(), day);
        return found == dates.end() ? dates.back() : *found;
    };
    int cycles = 0;
    QDate p = start;
    QDate last = today;
    QDate current = selected;
    while (last != p) {
        last = p;
        ++cycles;
        const QDate target = current.addDays(7);
        current = select(target);
        p = current;
    }
    return cycles;
}

void ParameterTotals::addCycle(const std::array<std::array<int, 3>, 7>& tally,
                               const std::vector<ScoredRow>& scored, bool drawKnown) {
    for (std::size_t h = 0; h <= 5; ++h) {
        for (std::size_t c = 0; c < 2; ++c) {
            rows[h][c] += tally[h][c];
            if (drawKnown)
                knownRows += tally[h][c];
            else
                unknownDrawRows[h][c] += tally[h][c];
        }
    }
    if (!drawKnown) chance.addCycle(scored);
}

ParameterTotals runParameterCycles(const ParameterCycleEnvironment& env, QDate start, bool* stopped) {
    MainState& s = env.state;
    ParameterTotals totals;
    if (stopped) *stopped = false;
    const long long expected =
        env.progress ? parameterCycleCount(drawDates(s.drawFilePath()), start, s.drawDate, env.clock.today())
                     : 0;
    QDate p = start;
    QDate last = env.clock.today();
    while (last != p) {
        if (env.progress) {
            env.progress->status(0, env.progressText + QString::number(totals.cycles + 1) +
                                        QStringLiteral(", ") + shortDate(s.drawDate) + env.stopHint);
            env.progress->advanced(totals.cycles + 1, std::max<long long>(expected, totals.cycles + 1), 0);
        }
        last = p;
        const double madeUpTo = toDayNumber(s.drawDate); // the run works on the draws up to this day
        env.generate();
        // A stop ends the run of this cycle at once and the analysis with it.
        if (env.progress && env.progress->stopRequested()) {
            if (stopped) *stopped = true;
            break;
        }
        const QDate target = s.drawDate.addDays(7);
        setPickerDate(s.drawDate, target);
        env.currentDraw.selectByDate();
        ++totals.cycles;
        totals.addCycle(s.Statistik, scoredRows(env.sheet), s.current.Datum <= madeUpTo);
        p = s.drawDate;
        // A history whose draws all lie before the picker's earliest date never moves the picker back onto a
        // draw; the loop would walk on forever.
        if (p == target && toDayNumber(p) != s.current.Datum) break;
    }
    return totals;
}

std::optional<DrawTallies> runDrawComparisons(const DrawComparisonEnvironment& env, double limit,
                                              int threshold) {
    MainState& s = env.state;
    TipSheet& sheet = env.sheet;
    DrawTallies tallies;
    // No command changes the draw file while an analysis runs: every pass reads the same records. A damaged
    // record lies in no window and sets no limit.
    const std::vector<DrawRecord> records = DrawFile(s.drawFilePath()).readDraws();
    // Pass n of N: one pass for every later draw, or the one pass of the newest on itself.
    long long passes = 0;
    long long laterDraws = 0;
    for (const DrawRecord& r : records)
        if (r.Datum > s.current.Datum) ++laterDraws;
    // The window takes its events at a few of the comparisons; a stop is seen at every one.
    constexpr int kPumpEvery = 64;
    int sincePump = 0;
    while (limit > s.current.Datum) {
        ++passes;
        if (env.progress) env.progress->advanced(passes, std::max(passes, laterDraws), 0);
        sheet.clearAll();
        for (int f = 0; f < 5; ++f)
            sheet.setText(0, f, QString::number(s.current.Zahl[static_cast<std::size_t>(f)]));
        sheet.setText(0, TipSheet::Chance, QString::number(s.current.chance()));
        sheet.setText(0, TipSheet::Extra, QString::number(s.current.Zahl[7]));
        if (env.progress) {
            env.progress->status(0, shortDate(fromDayNumber(limit)));
            env.progress->status(1, shortDate(fromDayNumber(s.current.Datum)) + env.stopHint);
        }
        if (env.repaint) env.repaint();

        const double passDraw = s.current.Datum;
        // Row 1 against each draw: the hits of the row check, the row's texts converted once.
        const RowHits row(sheet.row(0).texts);
        const auto hitsOf = [&row](const DrawRecord& r) {
            return static_cast<std::size_t>(
                std::clamp(row(r.Zahl), 0, 5)); // a damaged record may repeat a number
        };
        const double upper = toDayNumber(s.drawDate);
        for (const DrawRecord& r : records) {
            limit = r.Datum;
            if (!(r.Datum >= s.aktDatum && r.Datum < upper)) continue;
            if (env.progress) {
                if (env.progress->stopRequested()) return std::nullopt;
                if (++sincePump == kPumpEvery) {
                    env.progress->pump();
                    sincePump = 0;
                }
            }
            s.current = r;
            const std::size_t h = hitsOf(r);
            ++tallies.earlier[h];
            if (static_cast<int>(h) >= threshold) {
                if (env.beforeQuestion) env.beforeQuestion();
                if (!env.dialogs.question(env.messages[Msg::SearchDrawFound],
                                          env.messages[Msg::SearchHitOn] + shortDate(r.date()) +
                                              env.messages[Msg::SearchFoundContinue]))
                    return std::nullopt;
            }
        }
        env.currentDraw.stepForward();
        const std::size_t h = hitsOf(s.current);
        ++tallies.successor[h];
        if (s.current.Datum == passDraw) ++tallies.successorItself[h];
    }
    return tallies;
}

QStringList parameterReport(const MessageTable& m, const ParameterTotals& totals, int rowsPerRun) {
    QStringList lines;
    lines << m[Msg::CurrentSettingsBrought] << QString();
    lines << m[Msg::CountWithout] + QLatin1Char(' ') + m[Msg::ChanceBall] + kTab + QStringLiteral("1x ") +
                 m[Msg::ChanceBall];
    for (int h = 0; h <= 5; ++h) {
        const auto& row = totals.rows[static_cast<std::size_t>(h)];
        lines << QString::number(h) + QLatin1Char('x') + kTab + QStringLiteral("=> ") +
                     QString::number(row[0]) + kTab + kTab + QStringLiteral("=> ") + QString::number(row[1]);
    }
    lines << QString();
    lines << m[Msg::Draws] + QStringLiteral(": ") + QString::number(totals.cycles) + m[Msg::WithEach] +
                 QLatin1Char(' ') + QString::number(rowsPerRun) + m[Msg::Tip] + QStringLiteral(" => ") +
                 QString::number(static_cast<long long>(rowsPerRun) * totals.cycles) + QLatin1Char(' ') +
                 m[Msg::Rows];

    // What the same rows would have got against random draws, from the cycles whose draw the rows could not
    // know.
    std::array<long long, 6> byHits{};
    long long chanceHits = 0;
    for (std::size_t h = 0; h <= 5; ++h) {
        const auto& row = totals.unknownDrawRows[h];
        byHits[h] = row[0] + row[1];
        chanceHits += row[1];
    }
    const ChanceBaseline& chance = totals.chance;
    const long long n = sum(byHits);
    std::array<double, 6> expected{};
    for (int h = 0; h <= 5; ++h)
        expected[static_cast<std::size_t>(h)] = chance.expectedHits(h);
    lines << QString();
    appendHitLines(lines, m, m[Msg::ChanceHeadingRows], byHits, n, expected);
    lines << chanceLine(QStringLiteral("n°"), chanceHits, chance.expectedChanceHits());
    if (n > 0) {
        lines << verdictLine(m, m[Msg::ChanceAtLeastTwo], sum(byHits, 2), chance.atLeastTwoRange95());
        lines << verdictLine(m, QStringLiteral("1x ") + m[Msg::ChanceBall] + QStringLiteral(": "), chanceHits,
                             chance.chanceRange95());
    }
    appendLeftOut(lines, m, totals.knownRows);
    return lines;
}

QStringList drawReport(const MessageTable& m, const DrawTallies& tallies) {
    QStringList lines;
    lines << m[Msg::HitsOfDrawsInDatabase];
    for (int h = 0; h <= 5; ++h)
        lines << QString::number(h) + QStringLiteral("    =>") +
                     QString::number(tallies.earlier[static_cast<std::size_t>(h)]);
    lines << QStringLiteral(" ");
    lines << m[Msg::SimilarNumbersNextDraw];
    for (int h = 0; h <= 5; ++h)
        lines << QString::number(h) + QStringLiteral("    =>") +
                     QString::number(tallies.successor[static_cast<std::size_t>(h)]);
    appendDrawBlock(lines, m, Msg::HitsOfDrawsInDatabase, tallies.earlier, 0);
    std::array<long long, 6> successors{};
    for (std::size_t h = 0; h <= 5; ++h)
        successors[h] = tallies.successor[h] - tallies.successorItself[h];
    appendDrawBlock(lines, m, Msg::SimilarNumbersNextDraw, successors, sum(tallies.successorItself));
    return lines;
}

} // namespace kugelo
