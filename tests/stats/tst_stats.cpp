#include "Fixtures.h"

#include "draws/DrawFile.h"
#include "platform/Errors.h"
#include "stats/Statistics.h"

#include <QtTest>

using namespace kugelo;
using namespace kugelo::test;

Q_DECLARE_METATYPE(kugelo::Statistic)

namespace {

// Four draws: one on the lower bound, two inside, one after the upper bound.
void writeBoundsFixture(const TempHome& home) {
    home.writeDraws({{"2020-01-04", {1, 2, 3, 4, 5}, 1},
                     {"2020-01-06", {10, 20, 30, 40, 49}, 2},
                     {"2020-01-08", {1, 2, 10, 11, 12}, 3},
                     {"2020-01-11", {45, 46, 47, 48, 49}, 4}});
}

// A home whose date window runs from 4 to 8 January 2020, the bounds of the bounds fixture.
struct Fixture : HomeFixture {
    Fixture() : HomeFixture(QDate(2020, 1, 4), QDate(2020, 1, 8)) {}
    bool show(Statistic s) { return showStatistic(s, state, messages, chart, &sheet); }
    // "x:y" of the points whose y is not 0.
    QString nonZero() const {
        QStringList out;
        for (const ChartPoint& p : chart.series2())
            if (p.y != 0) out << QStringLiteral("%1:%2").arg(p.x).arg(p.y);
        return out.join(' ');
    }
};

} // namespace

class TestStats : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The lower bound counts for the two frequencies only; nothing after the upper bound counts.
    void boundsAndStartValues_data() {
        QTest::addColumn<Statistic>("statistic");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("nonZero");
        QTest::newRow("frequency") << Statistic::Frequency << 49
                                   << "1:2 2:2 3:1 4:1 5:1 10:2 11:1 12:1 20:1 30:1 40:1 49:1";
        QTest::newRow("pairs") << Statistic::Pairs << 48 << "1:1 10:1 11:1";
        QTest::newRow("triples") << Statistic::Triples << 47 << "10:1";
        QTest::newRow("quadruples") << Statistic::Quadruples << 49 << "";
        QTest::newRow("n° CHANCE frequency") << Statistic::ChanceFrequency << 10 << "1:1 2:1 3:1";
        // Overdue starts at 1 + draws (two draws in the range) for the main numbers, at the number of
        // draws for the n° CHANCE.
        QTest::newRow("n° CHANCE overdue")
            << Statistic::ChanceOverdue << 10 << "1:2 2:2 3:1 4:2 5:2 6:2 7:2 8:2 9:2 10:2";
    }
    void boundsAndStartValues() {
        QFETCH(Statistic, statistic);
        QFETCH(int, points);
        QFETCH(QString, nonZero);
        Fixture f;
        writeBoundsFixture(f.home);
        f.show(statistic);
        QCOMPARE(f.chart.count(), points);
        QCOMPARE(f.nonZero(), nonZero);
        QCOMPARE(f.chart.xAt(0), 1);
    }

    void overdueOfTheMainNumbers() {
        Fixture f;
        writeBoundsFixture(f.home);
        f.show(Statistic::Overdue);
        QCOMPARE(f.chart.count(), 49);
        QCOMPARE(f.chart.yAt(0), 1);  // 1 drawn in the newest draw of the range
        QCOMPARE(f.chart.yAt(19), 2); // 20: one draw followed
        QCOMPARE(f.chart.yAt(2), 3);  // 3 only on the lower bound: never in the range, 1 + 2 draws
        QCOMPARE(f.chart.yAt(44), 3); // 45 only after the upper bound
    }

    void crossSumsRunFromLowestToHighest() {
        Fixture f;
        writeBoundsFixture(f.home);
        f.show(Statistic::CrossSums); // 149 and 36; the draw on the lower bound (15) is not counted
        QCOMPARE(f.chart.count(), 149 - 36 + 1);
        QCOMPARE(f.chart.xAt(0), 36);
        QCOMPARE(f.nonZero(), QStringLiteral("36:1 149:1"));
        QCOMPARE(f.chart.caption(), QStringLiteral("Quersummenverteilung     Ziehungen2    Quersumme: 92"));
        QVERIFY(f.chart.automaticAxis());
    }

    // Stored bytes beyond 49 (a damaged file) can sum past any valid draw: the points still run from the
    // lowest sum found to the highest.
    void crossSumsOfImpossibleRecords() {
        std::vector<DrawRecord> records(2);
        records[0].Datum = 10;
        records[0].Zahl = {200, 200, 200, 200, 200, 0, 1, 0};
        records[1].Datum = 11;
        records[1].Zahl = {255, 255, 255, 255, 250, 0, 1, 0};
        const StatisticCounts counts = countStatistic(Statistic::CrossSums, records, 0, 20);
        QCOMPARE(counts.points.size(), std::size_t(1270 - 1000 + 1));
        QCOMPARE(counts.points.front(), std::make_pair(1000, 1));
        QCOMPARE(counts.points.back(), std::make_pair(1270, 1));
    }

    // A draw 1 2 3 4 5 holds the pairs 1..4, the triples 1..3 and the quadruples 1 and 2.
    void runsOfADrawOneToFive_data() {
        QTest::addColumn<Statistic>("statistic");
        QTest::addColumn<QString>("nonZero");
        QTest::addColumn<QString>("caption");
        QTest::newRow("pairs") << Statistic::Pairs << "1:1 2:1 3:1 4:1"
                               << "Ziehungen: 1   Paare gefunden:4";
        QTest::newRow("triples") << Statistic::Triples << "1:1 2:1 3:1"
                                 << "Ziehungen: 1   Dreier gefunden:3";
        QTest::newRow("quadruples") << Statistic::Quadruples << "1:1 2:1"
                                    << "Ziehungen: 1   Vierer gefunden:2";
    }
    void runsOfADrawOneToFive() {
        QFETCH(Statistic, statistic);
        QFETCH(QString, nonZero);
        QFETCH(QString, caption);
        Fixture f;
        f.home.writeDraws({{"2020-01-06", {5, 4, 3, 2, 1}, 7}, {"2020-01-20", {9, 8, 7, 6, 44}, 1}});
        f.state.drawDate = QDate(2020, 1, 10);
        QVERIFY(f.show(statistic)); // the run charts bring the Diagramm tab to the front
        QCOMPARE(f.nonZero(), nonZero);
        QCOMPARE(f.chart.caption(), caption);
        // The last examined draw and row stay in the current-draw fields.
        QCOMPARE(int(f.state.current.Zahl[0]), 1);
        QCOMPARE(int(f.state.current.chance()), 7);
        QCOMPARE(f.state.Gewinn, 0); // the last start (47 or 48) is no run of this draw
    }

    void captionsAndAxes_data() {
        QTest::addColumn<Statistic>("statistic");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<bool>("diagramTab");
        QTest::newRow("frequency") << Statistic::Frequency
                                   << "Zahlenverteilung     Ziehungen: 3    Quersumme: 67" << false << false;
        QTest::newRow("overdue")
            << Statistic::Overdue
            << "Welche Zahl ist überfällig, wurde als seit wievielen Ziehungen nicht gezogen?" << false
            << true;
        QTest::newRow("n° CHANCE") << Statistic::ChanceFrequency
                                   << "Wie oft wurden die einzelnen Sternenzahlen gezogen?" << false << false;
        QTest::newRow("n° CHANCE overdue")
            << Statistic::ChanceOverdue << "Welche Glanzballzahl wurde am längsten nicht gezogen?" << false
            << true;
        QTest::newRow("rows") << Statistic::RowDistribution << "Zahlenverteilung des Tippes" << false << true;
        QTest::newRow("quadruples") << Statistic::Quadruples << "Ziehungen: 2   Vierer gefunden:0" << true
                                    << true;
    }
    void captionsAndAxes() {
        QFETCH(Statistic, statistic);
        QFETCH(QString, caption);
        QFETCH(bool, automatic);
        QFETCH(bool, diagramTab);
        Fixture f;
        writeBoundsFixture(f.home); // cross sums 15, 149 and 36: average 66.67
        QCOMPARE(f.show(statistic), diagramTab);
        QCOMPARE(f.chart.caption(), caption);
        QCOMPARE(f.chart.automaticAxis(), automatic);
        QVERIFY(!f.chart.series1Active());
        QVERIFY(f.chart.series2Active());
    }

    // The average cross sum is rounded to the nearest whole number, halves to the even neighbour.
    void averageRoundsHalvesToEven_data() {
        QTest::addColumn<int>("second"); // the first draw has cross sum 125 (21 22 23 24 35)
        QTest::addColumn<QString>("average");
        QTest::newRow("125.5 -> 126") << 126 << "126";
        QTest::newRow("124.5 -> 124") << 124 << "124";
        QTest::newRow("125.0") << 125 << "125";
    }
    void averageRoundsHalvesToEven() {
        QFETCH(int, second);
        QFETCH(QString, average);
        Fixture f;
        f.home.writeDraws(
            {{"2020-01-06", {21, 22, 23, 24, 35}, 1}, {"2020-01-08", {21, 22, 23, 24, second - 90}, 1}});
        f.show(Statistic::Frequency);
        QVERIFY(f.chart.caption().endsWith("Quersumme: " + average));
    }

    void emptyRangeKeepsTheCaption() {
        Fixture f;
        writeBoundsFixture(f.home);
        f.chart.setCaption("before");
        f.state.statisticsStart = QDate(2021, 1, 1);
        f.state.drawDate = QDate(2021, 2, 1);
        f.show(Statistic::Frequency);
        QCOMPARE(f.chart.caption(), QStringLiteral("before"));
        QCOMPARE(f.chart.count(), 49);
        QCOMPARE(f.nonZero(), QString());
        f.show(Statistic::CrossSums);
        QCOMPARE(f.chart.count(), 0);
        QCOMPARE(f.chart.caption(), QStringLiteral("before"));
    }

    // Under the chart: the red/green charts say what the colours stand for, the charts with an average
    // cross sum what it is; a window without a draw says why instead, when its start lies after its end
    // or after the newest draw. Dates in the user's short format.
    void theLegendExplainsTheChart_data() {
        QTest::addColumn<Statistic>("statistic");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QString>("colours"); // red|green
        QTest::addColumn<QString>("note");
        const QString sum = QStringLiteral("Quersumme: Durchschnitt der Summe der fünf Zahlen einer Ziehung");
        const QString afterEnd = QStringLiteral(
            "Keine Ziehung im Zeitraum: der Statistikbeginn (09.01.20) liegt nach dem Enddatum "
            "(08.01.20)");
        QTest::newRow("frequency") << Statistic::Frequency << QDate(2020, 1, 4) << QDate(2020, 1, 8)
                                   << "Primzahlen|übrige Zahlen" << sum;
        QTest::newRow("cross sums") << Statistic::CrossSums << QDate(2020, 1, 4) << QDate(2020, 1, 8) << "|"
                                    << sum;
        QTest::newRow("overdue") << Statistic::Overdue << QDate(2020, 1, 4) << QDate(2020, 1, 8)
                                 << "Primzahlen|übrige Zahlen"
                                 << "";
        QTest::newRow("pairs") << Statistic::Pairs << QDate(2020, 1, 4) << QDate(2020, 1, 8) << "|"
                               << "";
        QTest::newRow("frequency, start after the end")
            << Statistic::Frequency << QDate(2020, 1, 9) << QDate(2020, 1, 8) << "Primzahlen|übrige Zahlen"
            << afterEnd;
        QTest::newRow("n° CHANCE, start after the end")
            << Statistic::ChanceFrequency << QDate(2020, 1, 9) << QDate(2020, 1, 8) << "|" << afterEnd;
        QTest::newRow("pairs, start after the newest draw")
            << Statistic::Pairs << QDate(2020, 1, 12) << QDate(2020, 2, 1) << "|"
            << "Keine Ziehung im Zeitraum: der Statistikbeginn (12.01.20) liegt nach der letzten "
               "gespeicherten "
               "Ziehung (11.01.20)";
        QTest::newRow("pairs, start on the newest draw, which it leaves out")
            << Statistic::Pairs << QDate(2020, 1, 11) << QDate(2020, 2, 1) << "|"
            << "Keine Ziehung im Zeitraum: der Statistikbeginn (11.01.20) liegt nach der letzten "
               "gespeicherten "
               "Ziehung (11.01.20)";
        QTest::newRow("frequency, start on the newest draw, which it counts")
            << Statistic::Frequency << QDate(2020, 1, 11) << QDate(2020, 2, 1) << "Primzahlen|übrige Zahlen"
            << sum;
        QTest::newRow("pairs, a gap between the draws is no reason")
            << Statistic::Pairs << QDate(2020, 1, 8) << QDate(2020, 1, 10) << "|"
            << "";
    }
    void theLegendExplainsTheChart() {
        QFETCH(Statistic, statistic);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QString, colours);
        QFETCH(QString, note);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Fixture f;
        writeBoundsFixture(f.home);
        f.state.statisticsStart = start;
        f.state.drawDate = end;
        f.show(statistic);
        const ChartModel::Legend& legend = f.chart.legend();
        QCOMPARE(legend.red + '|' + legend.green, colours);
        QCOMPARE(legend.note, note);
        // Bars that no statistic gave (the search's) have no legend.
        f.chart.show({{1, 0, false}}, false);
        QCOMPARE(f.chart.legend().note, QString());
        QCOMPARE(f.chart.legend().red, QString());
    }

    void primesAreRedInTheRedGreenChartsOnly() {
        Fixture f;
        writeBoundsFixture(f.home);
        const auto redXs = [&f] {
            QList<int> xs;
            for (const ChartPoint& p : f.chart.series2())
                if (p.red) xs << p.x;
            return xs;
        };
        const QList<int> primes{2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47};
        f.show(Statistic::Overdue);
        QCOMPARE(redXs(), primes);
        QVERIFY(f.chart.marksVisible());
        f.show(Statistic::Frequency);
        QCOMPARE(redXs(), primes);
        QVERIFY(!f.chart.marksVisible()); // hidden for good after the frequency chart
        f.show(Statistic::Pairs);
        QCOMPARE(redXs(), QList<int>());
        QVERIFY(!f.chart.marksVisible());
        QCOMPARE(f.chart.axisMinimum(), 0);
        QCOMPARE(f.chart.axisMaximum(), 1);
    }

    void boundsAreKeptInTheState() {
        Fixture f;
        writeBoundsFixture(f.home);
        f.state.dfb = 0;
        f.show(Statistic::Pairs); // the pairs leave dfb alone
        QCOMPARE(f.state.aktDatum, toDayNumber(QDate(2020, 1, 4)));
        QCOMPARE(f.state.dfb, 0.0);
        f.show(Statistic::Overdue);
        QCOMPARE(f.state.dfb, toDayNumber(QDate(2020, 1, 8)));
    }

    void nChanceOverdueKeepsTheTabWhileARunIsInProgress() {
        Fixture f;
        writeBoundsFixture(f.home);
        f.state.Berechnunglaeuft = true;
        QVERIFY(!f.show(Statistic::ChanceOverdue));
        QVERIFY(f.show(Statistic::Overdue));
    }

    void rowDistributionCountsUpToTheFirstNonNumber() {
        Fixture f;
        const QStringList rows[] = {
            {"1", "2", "3", "4", "5", "7"}, {"7", "8", "9", "10", "11", "7"}, {"12", "", "14"}};
        for (int r = 0; r < 3; ++r)
            for (int i = 0; i < rows[r].size(); ++i)
                f.sheet.setText(r, i, rows[r][i]);
        f.sheet.setText(3, 0, "49");
        f.show(Statistic::RowDistribution);
        QCOMPARE(f.nonZero(), QStringLiteral("1:1 2:1 3:1 4:1 5:1 7:3 8:1 9:1 10:1 11:1 12:1"));
    }

    void missingDrawFileIsAnIoError() {
        Fixture f;
        QVERIFY_THROWS_EXCEPTION(IoError, f.show(Statistic::Frequency));
    }

    // The frequency and the n° CHANCE frequency of the whole public history, counted here from the CSV.
    void realHistoryMatchesACountFromTheCsv() {
        const QString csv = realHistoryCsv();
        if (csv.isEmpty()) QSKIP("../shared/data/loto-history.csv is not present");
        QMap<int, int> numbers;
        QMap<int, int> chances;
        QByteArray records;
        int draws = 0;
        for (const HistoryRow& row : readHistoryRows(csv)) {
            for (int n : row.numbers)
                ++numbers[n];
            ++chances[row.chance];
            ++draws;
            records += encodeDrawRecords({makeDrawRecord(row.date, row.numbers, row.chance)});
        }
        Fixture f;
        f.home.writeBytes("Kugelo.dat", records);
        f.state.statisticsStart = QDate(2008, 10, 6);
        f.state.drawDate = QDate(2026, 12, 31);
        f.show(Statistic::Frequency);
        for (int x = 1; x <= 49; ++x)
            QCOMPARE(f.chart.yAt(x - 1), numbers.value(x));
        QVERIFY(f.chart.caption().contains(QStringLiteral("Ziehungen: %1 ").arg(draws)));
        f.show(Statistic::ChanceFrequency);
        for (int x = 1; x <= 10; ++x)
            QCOMPARE(f.chart.yAt(x - 1), chances.value(x));
    }
};

QTEST_GUILESS_MAIN(TestStats)
#include "tst_stats.moc"
