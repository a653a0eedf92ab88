// A draw file: any bytes as Kugelo.dat, read by every reader, selected from, counted by every statistic,
// indexed for the history tests and updated from.
//
// Contract: the readers agree (the whole records in file order, the last undamaged one alone); the selection
// by date makes the first draw dated on or after the chosen day current, else the last one, and the steps
// move to the draw before or after within the file; every statistic's counts agree with the records in its
// window; the history index answers exactly as reading the draws one by one does; the update asks first for
// the day after the last stored draw (7 October 2008 at the earliest) and for nothing when that day lies
// after today. A damaged record (a date that is no whole day, numbers that are no draw: a main number
// outside 1..49 or twice, an n° CHANCE outside 1..10) is no draw: the selection, the steps and the update
// pass over it, and no reader may stumble over one: they are data, not faults.
#include "FuzzSupport.h"

#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "draws/DrawUpdate.h"
#include "generator/HistoryIndex.h"
#include "i18n/MessageTable.h"
#include "platform/DayNumber.h"
#include "platform/Endpoints.h"
#include "platform/HttpClient.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"
#include "stats/ChartModel.h"
#include "stats/Statistics.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace kugelo;
using namespace kugelo::fuzz;

namespace {

// No service there: every request fails without a reply, and the days asked are noted.
class NoService final : public HttpClient {
public:
    HttpResponse get(const HttpRequest& request) override {
        asked << request.url.section(QLatin1Char('='), -1);
        HttpResponse response;
        response.error = QStringLiteral("Connection refused");
        return response;
    }
    void abort() override {}
    QStringList asked;
};

const QDate kToday(2026, 12, 10);

// Records compared byte for byte (a date that is not a number equals nothing, itself included).
bool sameBytes(const DrawRecord& a, const DrawRecord& b) {
    char x[DrawRecord::Size];
    char y[DrawRecord::Size];
    a.encode(x);
    b.encode(y);
    return std::memcmp(x, y, sizeof x) == 0;
}

// A record is damaged when its date is no whole day of the years 1 to 9999 (not finite, a fraction, far
// out) or its numbers are no draw; the update starts after the last record that is not.
bool wholeDay(double datum) {
    return std::isfinite(datum) && datum == std::floor(datum) && datum >= toDayNumber(QDate(1, 1, 1)) &&
           datum <= toDayNumber(QDate(9999, 12, 31));
}

bool isDraw(const DrawRecord& r) {
    if (!wholeDay(r.Datum) || r.Zahl[6] < 1 || r.Zahl[6] > 10) return false;
    for (int i = 0; i < 5; ++i) {
        if (r.Zahl[i] < 1 || r.Zahl[i] > 49) return false;
        for (int j = 0; j < i; ++j)
            if (r.Zahl[j] == r.Zahl[i]) return false;
    }
    return true;
}

void checkStatistic(Statistic s, const std::vector<DrawRecord>& records, double lower, double upper) {
    const StatisticCounts counts = countStatistic(s, records, lower, upper);
    const bool inclusive = s == Statistic::Frequency || s == Statistic::ChanceFrequency;
    int inWindow = 0;
    long long mainInRange = 0;
    int chanceInRange = 0;
    for (const DrawRecord& r : records) {
        if (!(inclusive ? r.Datum >= lower : r.Datum > lower) || !(r.Datum <= upper)) continue;
        ++inWindow;
        for (int i = 0; i < 5; ++i)
            mainInRange += (r.Zahl[i] >= 1 && r.Zahl[i] <= 49) ? 1 : 0;
        chanceInRange += (r.chance() >= 1 && r.chance() <= 10) ? 1 : 0;
    }
    long long total = 0;
    for (const auto& [x, y] : counts.points) {
        FUZZ_CHECK(y >= 0, QStringLiteral("statistic %1: a count below zero").arg(int(s)));
        total += y;
    }
    const auto xs = [&](int first, int last) {
        if (counts.points.size() != static_cast<std::size_t>(last - first + 1)) return false;
        for (std::size_t i = 0; i < counts.points.size(); ++i)
            if (counts.points[i].first != first + static_cast<int>(i)) return false;
        return true;
    };
    switch (s) {
    case Statistic::Frequency:
        FUZZ_CHECK(xs(1, 49) && counts.draws == inWindow && total == mainInRange,
                   QStringLiteral("frequency: %1 numbers counted of %2").arg(total).arg(mainInRange));
        break;
    case Statistic::CrossSums:
        FUZZ_CHECK(counts.draws == inWindow, QStringLiteral("cross sums: draws"));
        FUZZ_CHECK(total == inWindow,
                   QStringLiteral("cross sums: %1 counted of %2").arg(total).arg(inWindow));
        if (!counts.points.empty())
            FUZZ_CHECK(xs(counts.points.front().first, counts.points.back().first) &&
                           counts.points.front().second > 0 && counts.points.back().second > 0,
                       QStringLiteral("cross sums: the points do not run from the lowest to the highest"));
        break;
    case Statistic::Pairs:
    case Statistic::Triples:
    case Statistic::Quadruples:
        FUZZ_CHECK(counts.draws == inWindow && total == counts.found,
                   QStringLiteral("runs: %1 found, %2 counted").arg(counts.found).arg(total));
        break;
    case Statistic::Overdue:
        FUZZ_CHECK(xs(1, 49), QStringLiteral("overdue: points"));
        for (const auto& [x, y] : counts.points)
            FUZZ_CHECK(y >= 1 && y <= inWindow + 1, QStringLiteral("overdue %1 for %2").arg(y).arg(x));
        break;
    case Statistic::ChanceFrequency:
        FUZZ_CHECK(xs(1, 10) && total == chanceInRange,
                   QStringLiteral("n° CHANCE frequency: %1 counted of %2").arg(total).arg(chanceInRange));
        break;
    case Statistic::ChanceOverdue:
        FUZZ_CHECK(xs(1, 10), QStringLiteral("n° CHANCE overdue: points"));
        for (const auto& [x, y] : counts.points)
            FUZZ_CHECK(inWindow == 0 ? y == 0 : y >= 1 && y <= inWindow,
                       QStringLiteral("n° CHANCE overdue %1 after %2 draws").arg(y).arg(inWindow));
        break;
    case Statistic::RowDistribution:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    // The choices come from the end of the input, the file is the rest.
    const QDate picker = earliestDrawDate().addDays(in.ConsumeIntegralInRange<int>(0, 7000));
    const QDate windowStart = earliestDrawDate().addDays(in.ConsumeIntegralInRange<int>(0, 7000));
    const int chance = in.ConsumeIntegralInRange<int>(1, 10);
    std::array<int, 5> candidate{};
    for (int i = 0; i < 5; ++i) {
        int n = in.ConsumeIntegralInRange<int>(1, 49);
        while (std::find(candidate.begin(), candidate.begin() + i, n) != candidate.begin() + i)
            n = n % 49 + 1;
        candidate[static_cast<std::size_t>(i)] = n;
    }
    const std::vector<std::uint8_t> rest = in.ConsumeRemainingBytes<std::uint8_t>();
    const QByteArray bytes = bytesOf(rest.data(), rest.size());

    MainState state;
    state.Home = scratch();
    const QString path = writeScratch(state.ZahlenFile, bytes);
    const DrawFile file(path);

    // The readers.
    const std::vector<DrawRecord> records = file.readAll();
    FUZZ_CHECK(static_cast<qsizetype>(records.size()) == bytes.size() / DrawRecord::Size,
               QStringLiteral("%1 records from %2 bytes").arg(records.size()).arg(bytes.size()));
    for (std::size_t i = 0; i < records.size(); ++i) {
        DrawRecord r = records[i];
        char raw[DrawRecord::Size];
        r.encode(raw);
        FUZZ_CHECK(QByteArray(raw, DrawRecord::Size) ==
                       bytes.mid(static_cast<qsizetype>(i) * DrawRecord::Size, DrawRecord::Size),
                   QStringLiteral("record %1 does not encode back to its bytes").arg(i));
    }
    DrawReader reader(file);
    for (const DrawRecord& r : records)
        FUZZ_CHECK(!reader.atEnd() && sameBytes(reader.next(), r),
                   QStringLiteral("the reading loop disagrees"));
    FUZZ_CHECK(reader.atEnd(), QStringLiteral("the reading loop reads more"));
    // The last record alone: the last one that is not damaged.
    const auto lastWhole = std::find_if(records.rbegin(), records.rend(), isDraw);
    DrawRecord last;
    const bool haveLast = file.lastRecord(last);
    FUZZ_CHECK(haveLast == (lastWhole != records.rend()) && (!haveLast || last == *lastWhole),
               QStringLiteral("the last record read alone is not the last undamaged one"));

    // The selection by date and the steps.
    MessageTable messages;
    QuietDialogs dialogs;
    CurrentDraw current(state, messages, dialogs);
    state.drawDate = picker;
    state.statisticsStart = windowStart;
    current.selectByDate();
    // The places of the draws in the file.
    std::vector<int> drawAt;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (isDraw(records[i])) drawAt.push_back(static_cast<int>(i));
    if (!drawAt.empty()) {
        const double day = toDayNumber(picker);
        const auto found = std::find_if(drawAt.begin(), drawAt.end(), [&](int i) {
            return records[static_cast<std::size_t>(i)].Datum >= day;
        });
        const int expected = found == drawAt.end() ? drawAt.back() : *found;
        FUZZ_CHECK(state.Position == expected,
                   QStringLiteral("selected position %1, expected %2").arg(state.Position).arg(expected));
        const DrawRecord& chosen = records[static_cast<std::size_t>(expected)];
        if (found != drawAt.end() || chosen.Datum > 0) {
            FUZZ_CHECK(std::memcmp(&state.current.Datum, &chosen.Datum, sizeof(double)) == 0,
                       QStringLiteral("the current draw's date is not the selected record's"));
            FUZZ_CHECK(state.current.Zahl == chosen.Zahl,
                       QStringLiteral("the current draw's numbers are not the selected record's"));
        }
        // A step back goes to the draw before, or stays on the first one.
        const int before = state.Position;
        current.stepBack();
        const auto back = std::upper_bound(drawAt.begin(), drawAt.end(), std::max(0, before - 1));
        const int expectedBack = back == drawAt.begin() ? drawAt.front() : *(back - 1);
        FUZZ_CHECK(state.Position == expectedBack,
                   QStringLiteral("a step back to %1 from %2").arg(state.Position).arg(before));
        FUZZ_CHECK(isDraw(state.current), QStringLiteral("a step back made a damaged record current"));
        current.stepForward();
        current.stepForward();
        FUZZ_CHECK(state.Position >= 0 && state.Position < static_cast<int>(records.size()),
                   QStringLiteral("a step forward left the file: %1").arg(state.Position));
        FUZZ_CHECK(isDraw(records[static_cast<std::size_t>(state.Position)]),
                   QStringLiteral("a step forward stopped on a damaged record"));
    }

    // Every statistic, counted and shown as its command does.
    const double lower = toDayNumber(windowStart);
    const double upper = toDayNumber(picker);
    ChartModel chart;
    TipSheet sheet;
    for (Statistic s : {Statistic::Frequency, Statistic::CrossSums, Statistic::Pairs, Statistic::Triples,
                        Statistic::Quadruples, Statistic::Overdue, Statistic::ChanceFrequency,
                        Statistic::ChanceOverdue, Statistic::RowDistribution}) {
        checkStatistic(s, records, lower, upper);
        state.drawDate = picker;
        state.statisticsStart = windowStart;
        showStatistic(s, state, messages, chart, &sheet);
    }

    // The history index against a scan of the draws.
    HistoryIndex index;
    index.build(records, upper);
    for (int threshold = 2; threshold <= 6; ++threshold) {
        for (bool countChance : {false, true}) {
            if (!countChance && threshold > 5) continue;
            const bool indexed = index.anyMatch(candidate, chance, countChance, threshold, lower);
            const bool scanned =
                scanAnyMatch(records, candidate, chance, countChance, threshold, lower, upper);
            FUZZ_CHECK(indexed == scanned,
                       QStringLiteral("history index says %1, the scan %2 (threshold %3%4)")
                           .arg(indexed)
                           .arg(scanned)
                           .arg(threshold)
                           .arg(countChance ? QStringLiteral(" with the n° CHANCE") : QString()));
        }
    }

    // The update's first day.
    NoService http;
    const FixedClock clock(kToday);
    state.drawDate = picker;
    DrawUpdate(state, messages, http, Endpoints(), clock, current, UpdateHooks()).run();
    QDate expectedFirst = earliestDrawDate();
    for (auto r = records.rbegin(); r != records.rend(); ++r) {
        if (isDraw(*r)) {
            expectedFirst = std::max(expectedFirst, fromDayNumber(r->Datum));
            break;
        }
    }
    expectedFirst = expectedFirst.addDays(1);
    if (expectedFirst > kToday) {
        FUZZ_CHECK(http.asked.isEmpty(), QStringLiteral("the update asked for %1").arg(http.asked.value(0)));
    } else {
        FUZZ_CHECK(http.asked.value(0) == expectedFirst.toString(QStringLiteral("yyyyMMdd")),
                   QStringLiteral("the update asked first for %1, expected %2")
                       .arg(http.asked.value(0), expectedFirst.toString(Qt::ISODate)));
    }
    return 0;
}
