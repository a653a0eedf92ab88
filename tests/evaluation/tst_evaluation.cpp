#include "evaluation/ChanceBaseline.h"
#include "evaluation/HistoricalAnalysis.h"
#include "evaluation/HitCheck.h"
#include "i18n/MessageTable.h"
#include "i18n/TextFile.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"

#include <QtTest>
#include <bit>
#include <numeric>
#include <random>

using namespace kugelo;

namespace {

MainState stateWithDraw(std::array<int, 5> numbers, int chance) {
    MainState s;
    for (int i = 0; i < 5; ++i)
        s.current.Zahl[std::size_t(i)] = std::uint8_t(numbers[std::size_t(i)]);
    s.current.Zahl[6] = std::uint8_t(chance);
    s.sortieren = true;
    return s;
}

std::array<QString, 7> texts(const QStringList& list) {
    std::array<QString, 7> t;
    for (int i = 0; i < list.size() && i < 7; ++i)
        t[std::size_t(i)] = list[i];
    return t;
}

QString hitMask(const MainState& s) {
    QString mask;
    for (int j = 1; j <= 5; ++j)
        mask += s.Treffer[std::size_t(j)] ? QLatin1Char('x') : QLatin1Char('.');
    return mask;
}

QString backgrounds(const TipSheet& sheet, int r) {
    QString out;
    for (FieldBackground b : sheet.row(r).backgrounds)
        out += b == FieldBackground::Green ? 'G' : b == FieldBackground::Red ? 'R' : '.';
    return out;
}

// Rows as a table: five numbers and the n° CHANCE each.
std::vector<ScoredRow> rowsOf(std::initializer_list<std::array<int, 6>> table) {
    std::vector<ScoredRow> rows;
    for (const auto& t : table)
        rows.push_back({{t[0], t[1], t[2], t[3], t[4]}, t[5]});
    return rows;
}

// A sheet as the generator makes it with the design options: twelve rows that share the 42 and the n° CHANCE.
std::vector<ScoredRow> twelveRowsWith42() {
    return rowsOf({{19, 22, 24, 37, 42, 10},
                   {2, 19, 32, 42, 47, 10},
                   {10, 33, 39, 42, 43, 10},
                   {20, 24, 42, 45, 49, 10},
                   {3, 18, 24, 29, 42, 10},
                   {4, 8, 10, 42, 49, 10},
                   {8, 16, 20, 39, 42, 10},
                   {12, 15, 26, 33, 42, 10},
                   {6, 8, 18, 42, 44, 10},
                   {22, 31, 39, 42, 45, 10},
                   {13, 19, 35, 41, 42, 10},
                   {3, 12, 19, 38, 42, 10}});
}

// The kinds of sheets the comparison with chance meets, one per cycle, drawn with a fixed seed: as the
// generator makes them with the design options (one number in every row, one n° CHANCE for all rows),
// rows from a small pool with a few n° CHANCE numbers, and a few rows from all 49 numbers.
enum class SheetKind { OneNumberInAll, SmallPool, FewSpreadRows };

std::vector<ScoredRow> randomSheet(SheetKind kind, std::mt19937& random) {
    const auto pick = [&random](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    std::vector<int> all(49);
    std::iota(all.begin(), all.end(), 1);
    std::shuffle(all.begin(), all.end(), random);
    std::vector<ScoredRow> rows;
    const int count = kind == SheetKind::FewSpreadRows ? 4 : 12;
    const int chance = pick(1, 10);
    for (int r = 0; r < count; ++r) {
        ScoredRow row;
        std::vector<int> pool;
        switch (kind) {
        case SheetKind::OneNumberInAll: // all[0] in every row, the others from the next 16
            pool.assign(all.begin() + 1, all.begin() + 17);
            std::shuffle(pool.begin(), pool.end(), random);
            pool.insert(pool.begin(), all[0]);
            row.chance = chance;
            break;
        case SheetKind::SmallPool:
            pool.assign(all.begin(), all.begin() + 11);
            std::shuffle(pool.begin(), pool.end(), random);
            row.chance = pick(1, 3);
            break;
        case SheetKind::FewSpreadRows:
            pool = all;
            std::shuffle(pool.begin(), pool.end(), random);
            row.chance = pick(1, 10);
            break;
        }
        std::copy(pool.begin(), pool.begin() + 5, row.numbers.begin());
        rows.push_back(row);
    }
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<kugelo::ScoredRow>)
Q_DECLARE_METATYPE(SheetKind)

class TestEvaluation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowCheck_data() {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<int>("hits");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("chance");
        // The draw is 3 17 20 28 41, n° CHANCE 7.
        QTest::newRow("three hits and the n° CHANCE")
            << QStringList{"3", "9", "17", "28", "44", "7"} << 3 << "x.xx." << true;
        QTest::newRow("a number twice counts twice")
            << QStringList{"3", "3", "5", "6", "8", "1"} << 2 << "xx..." << false;
        QTest::newRow("0 never hits") << QStringList{"0", "17", "5", "6", "8", "7"} << 1 << ".x..." << true;
        QTest::newRow("empty third text stops after Zahl[1]")
            << QStringList{"3", "17", "", "28", "41", "7"} << 1 << "x...." << false;
        QTest::newRow("empty first text: nothing")
            << QStringList{"", "17", "20", "28", "41", "7"} << 0 << "....." << false;
        QTest::newRow("n° CHANCE not a number")
            << QStringList{"3", "17", "20", "28", "41", "x"} << 5 << "xxxxx" << false;
        QTest::newRow("order does not matter")
            << QStringList{"41", "28", "20", "17", "3", "8"} << 5 << "xxxxx" << false;
    }
    void rowCheck() {
        QFETCH(QStringList, row);
        QFETCH(int, hits);
        QFETCH(QString, mask);
        QFETCH(bool, chance);
        MainState s = stateWithDraw({3, 17, 20, 28, 41}, 7);
        s.Super = true;
        Zettelcheck(s, texts(row));
        QCOMPARE(s.Gewinn, hits);
        QCOMPARE(hitMask(s), mask);
        QCOMPARE(s.Zusatz, chance);
        QVERIFY(!s.Super);
        // The row converted once counts the same hits (the draw analysis compares it with every draw).
        QCOMPARE(RowHits(texts(row))(s.current.Zahl), hits);
    }

    void sheetCheckOfOneRow_data() {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<QString>("hits");
        QTest::addColumn<bool>("red");
        QTest::addColumn<QString>("colours"); // backgrounds of the seven fields
        QTest::addColumn<int>("sounds");
        QTest::addColumn<int>("tallyHits");
        QTest::addColumn<int>("tallyChance");
        // The draw is 3 17 20 28 41, n° CHANCE 7.
        QTest::newRow("three hits and the n° CHANCE")
            << QStringList{"3", "9", "17", "28", "44", "7"} << "3" << true << "G.GG.R." << 1 << 3 << 1;
        QTest::newRow("no hit but the n° CHANCE")
            << QStringList{"1", "2", "4", "5", "6", "7"} << "0 + n°" << true << ".....R." << 1 << 0 << 1;
        QTest::newRow("five hits and the n° CHANCE")
            << QStringList{"41", "28", "20", "17", "3", "7"} << "5 + n°" << true << "GGGGGR." << 1 << 5 << 1;
        QTest::newRow("one hit and the n° CHANCE")
            << QStringList{"3", "4", "5", "6", "8", "7"} << "1" << false << "G....R." << 0 << 1 << 1;
        QTest::newRow("two hits") << QStringList{"3", "4", "5", "6", "41", "1"} << "2" << true << "G...G.."
                                  << 1 << 2 << 0;
        QTest::newRow("nothing") << QStringList{"1", "2", "4", "5", "6", "1"} << "0" << false << "......."
                                 << 0 << 0 << 0;
    }
    void sheetCheckOfOneRow() {
        QFETCH(QStringList, row);
        QFETCH(QString, hits);
        QFETCH(bool, red);
        QFETCH(QString, colours);
        QFETCH(int, sounds);
        QFETCH(int, tallyHits);
        QFETCH(int, tallyChance);
        MainState s = stateWithDraw({3, 17, 20, 28, 41}, 7);
        TipSheet sheet;
        for (int f = 0; f < row.size(); ++f)
            sheet.setText(0, f, row[f]);
        int played = 0;
        Komplettcheck(s, sheet, [&] { ++played; });
        QCOMPARE(sheet.row(0).hits, hits);
        QCOMPARE(sheet.row(0).hitsRed, red);
        QCOMPARE(backgrounds(sheet, 0), colours);
        QCOMPARE(played, sounds);
        QCOMPARE(s.Statistik[std::size_t(tallyHits)][std::size_t(tallyChance)], 1);
        int total = 0;
        for (const auto& counters : s.Statistik)
            total += counters[0] + counters[1] + counters[2];
        QCOMPARE(total, 1); // the eleven empty rows are not tallied
    }

    void sheetCheckSortsAndSums() {
        MainState s = stateWithDraw({3, 17, 20, 28, 41}, 7);
        TipSheet sheet;
        const QStringList row{"40", "2", "33", "7", "12", "5"};
        for (int f = 0; f < row.size(); ++f)
            sheet.setText(0, f, row[f]);
        Komplettcheck(s, sheet);
        QCOMPARE(sheet.text(0, 0) + " " + sheet.text(0, 1) + " " + sheet.text(0, 2) + " " + sheet.text(0, 3) +
                     " " + sheet.text(0, 4),
                 QStringLiteral("2 7 12 33 40"));
        QCOMPARE(sheet.row(0).crossSum, QStringLiteral("94"));
    }

    void incompleteRowIsLeftUncheckedAndOthersGoOn() {
        MainState s = stateWithDraw({3, 17, 20, 28, 41}, 7);
        TipSheet sheet;
        for (int r : {0, 1}) {
            for (int f = 0; f < 6; ++f)
                sheet.setText(r, f, QStringList{"3", "17", "20", "1", "2", "7"}[f]);
        }
        Komplettcheck(s, sheet);
        QCOMPARE(sheet.row(0).hits, QStringLiteral("3"));
        sheet.setText(0, 2, ""); // the third field of row 1 emptied
        Komplettcheck(s, sheet);
        QCOMPARE(sheet.row(0).hits, QString());
        QCOMPARE(backgrounds(sheet, 0), QStringLiteral("......."));
        QCOMPARE(sheet.row(0).crossSum, QStringLiteral("43")); // keeps its previous text
        QCOMPARE(sheet.row(1).hits, QStringLiteral("3"));
        QCOMPARE(s.Statistik[3][1], 1);
    }

    void nothingHappensWhileDisarmed() {
        MainState s = stateWithDraw({3, 17, 20, 28, 41}, 7);
        s.sortieren = false;
        s.Statistik[2][0] = 9;
        TipSheet sheet;
        for (int f = 0; f < 5; ++f)
            sheet.setText(0, f, QString::number(41 - f));
        Komplettcheck(s, sheet);
        QCOMPARE(sheet.row(0).hits, QString());
        QCOMPARE(sheet.text(0, 0), QStringLiteral("41"));
        QCOMPARE(s.Statistik[2][0], 9);
    }

    // A stored draw with a repeated number (the file keeps what the service sent) must not write past the
    // tally table.
    void repeatedDrawNumbersStayWithinTheTally() {
        MainState s = stateWithDraw({5, 5, 5, 5, 5}, 1);
        TipSheet sheet;
        for (int f = 0; f < 5; ++f)
            sheet.setText(0, f, "5");
        Komplettcheck(s, sheet);
        QCOMPARE(sheet.row(0).hits, QStringLiteral("25"));
        QCOMPARE(s.Statistik[6][0], 1);
    }

    // What chance alone gives: the five-from-49 probabilities, and the 95 % range of a binomial count (its
    // 2.5 % and 97.5 % quantiles).
    void chanceArithmetic_data() {
        QTest::addColumn<qlonglong>("n");
        QTest::addColumn<double>("p");
        QTest::addColumn<qlonglong>("low");
        QTest::addColumn<qlonglong>("high");
        QTest::newRow("100 fair coins") << 100LL << 0.5 << 40LL << 60LL;
        QTest::newRow("1000 fair coins") << 1000LL << 0.5 << 469LL << 531LL;
        QTest::newRow("low end reaches 0") << 20LL << 0.1 << 0LL << 5LL;
        QTest::newRow("no rows") << 0LL << 0.3 << 0LL << 0LL;
    }
    void chanceArithmetic() {
        QFETCH(qlonglong, n);
        QFETCH(double, p);
        QFETCH(qlonglong, low);
        QFETCH(qlonglong, high);
        QCOMPARE(binomialInterval95(n, p), std::make_pair(low, high));
        double sum = 0;
        for (int h = 0; h <= 5; ++h)
            sum += mainHitProbability(h);
        QCOMPARE(sum, 1.0);
        QCOMPARE(mainHitProbability(2), 132440.0 / 1906884.0); // 10 · C(44,3) / C(49,5)
        QCOMPARE(mainHitProbability(5), 1.0 / 1906884.0);
    }

    // The count of rows with at least two main hits in one cycle (one draw for all rows): its mean and
    // variance, and the expected rows per number of hits, against all 1,906,884 draws.
    void chanceMomentsOfOneCycle_data() {
        QTest::addColumn<std::vector<ScoredRow>>("rows");
        QTest::newRow("twelve rows with 42 in each") << twelveRowsWith42();
        QTest::newRow("disjoint, equal and overlapping rows") << rowsOf({{1, 2, 3, 4, 5, 1},
                                                                         {6, 7, 8, 9, 10, 2},
                                                                         {1, 2, 3, 4, 5, 3},
                                                                         {1, 2, 3, 6, 7, 4},
                                                                         {1, 2, 3, 4, 49, 5}});
        QTest::newRow("a number twice counts twice")
            << rowsOf({{7, 7, 12, 20, 33, 1}, {7, 12, 20, 21, 22, 2}, {33, 33, 33, 40, 41, 3}});
    }
    void chanceMomentsOfOneCycle() {
        QFETCH(std::vector<ScoredRow>, rows);
        ChanceBaseline baseline;
        baseline.addCycle(rows);
        // Every draw: the rows' hits as the row check counts them.
        std::vector<std::array<int, 50>> holds(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (int n : rows[i].numbers)
                ++holds[i][std::size_t(n)];
        double sum = 0;
        double squares = 0;
        std::array<double, 6> byHits{};
        std::vector<int> hits(rows.size());
        const std::function<void(int, int)> draw = [&](int from, int left) {
            if (left == 0) {
                int atLeastTwo = 0;
                for (int h : hits) {
                    byHits[std::size_t(h)] += 1;
                    atLeastTwo += h >= 2 ? 1 : 0;
                }
                sum += atLeastTwo;
                squares += double(atLeastTwo) * atLeastTwo;
                return;
            }
            for (int n = from; n <= 49 - left + 1; ++n) {
                for (std::size_t i = 0; i < rows.size(); ++i)
                    hits[i] += holds[i][std::size_t(n)];
                draw(n + 1, left - 1);
                for (std::size_t i = 0; i < rows.size(); ++i)
                    hits[i] -= holds[i][std::size_t(n)];
            }
        };
        draw(1, 5);
        const double draws = 1906884;
        const double mean = sum / draws;
        QVERIFY(qAbs(baseline.expectedAtLeastTwo() - mean) < 1e-9);
        QVERIFY(qAbs(baseline.varianceAtLeastTwo() - (squares / draws - mean * mean)) < 1e-9);
        for (int h = 0; h <= 5; ++h)
            QVERIFY2(qAbs(baseline.expectedHits(h) - byHits[std::size_t(h)] / draws) < 1e-9,
                     qPrintable(QString::number(h)));
        QCOMPARE(baseline.expectedChanceHits(), double(rows.size()) / 10);
    }

    // Over many histories of random draws the verdict on the rows with at least two main hits, and on the
    // n° CHANCE hits, says "better" or "worse" about as often as its 95 % promise allows: 5 %, give or take
    // a point or two (the counts are whole numbers, so a little less is what a sound range gives).
    void chanceVerdictFalseAlarms_data() {
        QTest::addColumn<SheetKind>("kind");
        QTest::addColumn<int>("cycles");
        QTest::newRow("one number in every row, one n° CHANCE, 300 cycles")
            << SheetKind::OneNumberInAll << 300;
        QTest::newRow("one number in every row, one n° CHANCE, 100 cycles")
            << SheetKind::OneNumberInAll << 100;
        QTest::newRow("rows from a small pool, 300 cycles") << SheetKind::SmallPool << 300;
        QTest::newRow("four spread rows, 300 cycles") << SheetKind::FewSpreadRows << 300;
    }
    void chanceVerdictFalseAlarms() {
        QFETCH(SheetKind, kind);
        QFETCH(int, cycles);
        std::mt19937 random(20081006);
        std::vector<std::vector<ScoredRow>> sheets;
        ChanceBaseline baseline;
        for (int c = 0; c < cycles; ++c) {
            sheets.push_back(randomSheet(kind, random));
            baseline.addCycle(sheets.back());
        }
        const auto [low, high] = baseline.atLeastTwoRange95();
        const auto [chanceLow, chanceHigh] = baseline.chanceRange95();
        // The histories: every cycle's rows against a draw at random.
        std::vector<std::vector<std::uint64_t>> masks;
        for (const auto& sheet : sheets) {
            masks.emplace_back();
            for (const ScoredRow& row : sheet) {
                std::uint64_t mask = 0;
                for (int n : row.numbers)
                    mask |= std::uint64_t(1) << n;
                masks.back().push_back(mask);
            }
        }
        const int histories = 4000;
        int alarms = 0;
        int chanceAlarms = 0;
        std::array<int, 49> balls{};
        std::iota(balls.begin(), balls.end(), 1);
        for (int run = 0; run < histories; ++run) {
            long long atLeastTwo = 0;
            long long chanceHits = 0;
            for (int c = 0; c < cycles; ++c) {
                std::uint64_t drawn = 0;
                for (int i = 0; i < 5; ++i) {
                    std::swap(balls[std::size_t(i)],
                              balls[std::size_t(std::uniform_int_distribution<int>(i, 48)(random))]);
                    drawn |= std::uint64_t(1) << balls[std::size_t(i)];
                }
                const int chance = std::uniform_int_distribution<int>(1, 10)(random);
                for (std::size_t r = 0; r < masks[std::size_t(c)].size(); ++r) {
                    atLeastTwo += std::popcount(masks[std::size_t(c)][r] & drawn) >= 2 ? 1 : 0;
                    chanceHits += sheets[std::size_t(c)][r].chance == chance ? 1 : 0;
                }
            }
            alarms += atLeastTwo < low || atLeastTwo > high ? 1 : 0;
            chanceAlarms += chanceHits < chanceLow || chanceHits > chanceHigh ? 1 : 0;
        }
        const double rate = double(alarms) / histories;
        const double chanceRate = double(chanceAlarms) / histories;
        const QByteArray rates = QStringLiteral("at least two hits %1 to %2: %3 %; n° CHANCE %4 to %5: %6 %")
                                     .arg(low)
                                     .arg(high)
                                     .arg(rate * 100, 0, 'f', 1)
                                     .arg(chanceLow)
                                     .arg(chanceHigh)
                                     .arg(chanceRate * 100, 0, 'f', 1)
                                     .toUtf8();
        qInfo("%s", rates.constData());
        QVERIFY2(rate >= 0.03 && rate <= 0.07, rates.constData());
        QVERIFY2(chanceRate >= 0.03 && chanceRate <= 0.07, rates.constData());
    }

    // The reports as written to the file, byte for byte: the lines of each analysis, then what chance would
    // have given, without the comparisons whose rows knew their draw, and without a verdict where none is
    // left.
    void reportsByteForByte_data() {
        QTest::addColumn<int>("report");
        QTest::addColumn<QByteArray>("bytes");
        // Seven cycles of the twelve rows with 42 in each (above), and one whose draw the rows knew: the
        // range of rows with at least two hits from the cycles' variance, 7 × 1.6244 (binomial: 7 × 0.8277);
        // the n° CHANCE, the same in all rows, hits 12 × a binomial count of 7 with p = 1/10.
        QTest::newRow("parameter analysis: 7 cycles counted, 1 left out, better than chance")
            << 0
            << QByteArray(
                   "Aktuelle Einstellung brachten\r\n"
                   "\r\n"
                   "Anzahl ohne Glanzball\t1x Glanzball\r\n"
                   "0x\t=> 45\t\t=> 4\r\n"
                   "1x\t=> 29\t\t=> 3\r\n"
                   "2x\t=> 10\t\t=> 1\r\n"
                   "3x\t=> 3\t\t=> 0\r\n"
                   "4x\t=> 0\t\t=> 1\r\n"
                   "5x\t=> 0\t\t=> 0\r\n"
                   "\r\n"
                   "Ziehungen: 8mit je 12Tipp => 96 Reihen\r\n"
                   "\r\n"
                   "Was der Zufall allein gebracht h\xc3\xa4tte, f\xc3\xbcr dieselben Reihen gegen "
                   "zuf\xc3\xa4llige "
                   "Ziehungen: 84\r\n"
                   "\tbeobachtet\terwartet\tVerh\xc3\xa4ltnis\r\n"
                   "0x\t42\t47.8\t0.88\r\n"
                   "1x\t28\t29.9\t0.94\r\n"
                   "2x\t10\t5.8\t1.71\r\n"
                   "3x\t3\t0.4\t7.20\r\n"
                   "4x\t1\t0.0\t103.19\r\n"
                   "5x\t0\t0.0\t0.00\r\n"
                   "n\xc2\xb0\t9\t8.4\t1.07\r\n"
                   "Mindestens 2 Richtige: 14, allein durch Zufall mit 95 % Wahrscheinlichkeit: 0 bis 13 => "
                   "besser als der Zufall, mehr als die Zufallsschwankung erkl\xc3\xa4rt\r\n"
                   "1x Glanzball: 9, allein durch Zufall mit 95 % Wahrscheinlichkeit: 0 bis 36 => nicht "
                   "besser "
                   "als der Zufall, im Rahmen der Zufallsschwankung\r\n"
                   "Nicht mitgez\xc3\xa4hlt, weil die Ziehung beim Tippen schon bekannt war: 12\r\n");
        QTest::newRow("parameter analysis: 1 cycle, left out, no verdict")
            << 1
            << QByteArray(
                   "Aktuelle Einstellung brachten\r\n"
                   "\r\n"
                   "Anzahl ohne Glanzball\t1x Glanzball\r\n"
                   "0x\t=> 7\t\t=> 0\r\n"
                   "1x\t=> 4\t\t=> 0\r\n"
                   "2x\t=> 1\t\t=> 0\r\n"
                   "3x\t=> 0\t\t=> 0\r\n"
                   "4x\t=> 0\t\t=> 0\r\n"
                   "5x\t=> 0\t\t=> 0\r\n"
                   "\r\n"
                   "Ziehungen: 1mit je 12Tipp => 12 Reihen\r\n"
                   "\r\n"
                   "Was der Zufall allein gebracht h\xc3\xa4tte, f\xc3\xbcr dieselben Reihen gegen "
                   "zuf\xc3\xa4llige "
                   "Ziehungen: 0\r\n"
                   "\tbeobachtet\terwartet\tVerh\xc3\xa4ltnis\r\n"
                   "0x\t0\t0.0\t-\r\n1x\t0\t0.0\t-\r\n2x\t0\t0.0\t-\r\n3x\t0\t0.0\t-\r\n4x\t0\t0.0\t-\r\n"
                   "5x\t0\t0.0\t-\r\n"
                   "n\xc2\xb0\t0\t0.0\t-\r\n"
                   "Nicht mitgez\xc3\xa4hlt, weil die Ziehung beim Tippen schon bekannt war: 12\r\n");
        QTest::newRow("draw analysis on the newest draw: A all 0, B[5] = 1 the draw with itself")
            << 2
            << QByteArray(
                   "Treffer von Ziehungen in der Datenbank\r\n"
                   "0    =>0\r\n1    =>0\r\n2    =>0\r\n3    =>0\r\n4    =>0\r\n5    =>0\r\n"
                   " \r\n"
                   "Wie oft gab es bei der n\xc3\xa4\x63hsten Ziehung \xc3\xa4hnliche Zahlen\r\n"
                   "0    =>0\r\n1    =>0\r\n2    =>0\r\n3    =>0\r\n4    =>0\r\n5    =>1\r\n"
                   "\r\n"
                   "Treffer von Ziehungen in der Datenbank - Was der Zufall allein gebracht h\xc3\xa4tte, "
                   "bei gleich vielen Vergleichen: 0\r\n"
                   "\tbeobachtet\terwartet\tVerh\xc3\xa4ltnis\r\n"
                   "0x\t0\t0.0\t-\r\n1x\t0\t0.0\t-\r\n2x\t0\t0.0\t-\r\n3x\t0\t0.0\t-\r\n4x\t0\t0.0\t-\r\n"
                   "5x\t0\t0.0\t-\r\n"
                   "\r\n"
                   "Wie oft gab es bei der n\xc3\xa4\x63hsten Ziehung \xc3\xa4hnliche Zahlen - Was der "
                   "Zufall "
                   "allein gebracht h\xc3\xa4tte, bei gleich vielen Vergleichen: 0\r\n"
                   "\tbeobachtet\terwartet\tVerh\xc3\xa4ltnis\r\n"
                   "0x\t0\t0.0\t-\r\n1x\t0\t0.0\t-\r\n2x\t0\t0.0\t-\r\n3x\t0\t0.0\t-\r\n4x\t0\t0.0\t-\r\n"
                   "5x\t0\t0.0\t-\r\n"
                   "Nicht mitgez\xc3\xa4hlt, weil die Ziehung beim Tippen schon bekannt war: 1\r\n");
        // 99 comparisons with earlier draws, 11 with the successor, the last the newest with itself.
        QTest::newRow("draw analysis up to the newest draw and on it")
            << 3
            << QByteArray(
                   "Treffer von Ziehungen in der Datenbank\r\n"
                   "0    =>50\r\n1    =>40\r\n2    =>8\r\n3    =>1\r\n4    =>0\r\n5    =>0\r\n"
                   " \r\n"
                   "Wie oft gab es bei der n\xc3\xa4\x63hsten Ziehung \xc3\xa4hnliche Zahlen\r\n"
                   "0    =>6\r\n1    =>3\r\n2    =>1\r\n3    =>0\r\n4    =>0\r\n5    =>1\r\n"
                   "\r\n"
                   "Treffer von Ziehungen in der Datenbank - Was der Zufall allein gebracht h\xc3\xa4tte, "
                   "bei gleich vielen Vergleichen: 99\r\n"
                   "\tbeobachtet\terwartet\tVerh\xc3\xa4ltnis\r\n"
                   "0x\t50\t56.4\t0.89\r\n1x\t40\t35.2\t1.14\r\n2x\t8\t6.9\t1.16\r\n3x\t1\t0.5\t2.04\r\n"
                   "4x\t0\t0.0\t0.00\r\n5x\t0\t0.0\t0.00\r\n"
                   "Mindestens 2 Richtige: 9, allein durch Zufall mit 95 % Wahrscheinlichkeit: 3 bis 13 => "
                   "nicht besser als der Zufall, im Rahmen der Zufallsschwankung\r\n"
                   "\r\n"
                   "Wie oft gab es bei der n\xc3\xa4\x63hsten Ziehung \xc3\xa4hnliche Zahlen - Was der "
                   "Zufall "
                   "allein gebracht h\xc3\xa4tte, bei gleich vielen Vergleichen: 10\r\n"
                   "\tbeobachtet\terwartet\tVerh\xc3\xa4ltnis\r\n"
                   "0x\t6\t5.7\t1.05\r\n1x\t3\t3.6\t0.84\r\n2x\t1\t0.7\t1.44\r\n3x\t0\t0.0\t0.00\r\n"
                   "4x\t0\t0.0\t0.00\r\n5x\t0\t0.0\t0.00\r\n"
                   "Mindestens 2 Richtige: 1, allein durch Zufall mit 95 % Wahrscheinlichkeit: 0 bis 3 => "
                   "nicht besser als der Zufall, im Rahmen der Zufallsschwankung\r\n"
                   "Nicht mitgez\xc3\xa4hlt, weil die Ziehung beim Tippen schon bekannt war: 1\r\n");
    }
    void reportsByteForByte() {
        QFETCH(int, report);
        QFETCH(QByteArray, bytes);
        const MessageTable messages;
        const std::vector<ScoredRow> sheet = twelveRowsWith42();
        // The tally of the cycle whose draw the rows knew.
        std::array<std::array<int, 3>, 7> known{};
        known[0][0] = 7;
        known[1][0] = 4;
        known[2][0] = 1;
        QByteArray written;
        if (report == 0) {
            // The counted cycles' tally as one (the others' tallies empty).
            std::array<std::array<int, 3>, 7> counted{};
            const int tally[6][2] = {{38, 4}, {25, 3}, {9, 1}, {3, 0}, {0, 1}, {0, 0}};
            for (std::size_t h = 0; h < 6; ++h)
                counted[h] = {tally[h][0], tally[h][1], 0};
            ParameterTotals totals;
            totals.cycles = 8;
            totals.addCycle(counted, sheet, false);
            for (int c = 0; c < 6; ++c)
                totals.addCycle({}, sheet, false);
            totals.addCycle(known, sheet, true);
            written = crlfText(parameterReport(messages, totals, 12));
        } else if (report == 1) {
            ParameterTotals totals;
            totals.cycles = 1;
            totals.addCycle(known, sheet, true);
            written = crlfText(parameterReport(messages, totals, 12));
        } else {
            DrawTallies tallies;
            tallies.successor[5] = 1;
            tallies.successorItself[5] = 1;
            if (report == 3) {
                tallies.earlier = {50, 40, 8, 1, 0, 0};
                tallies.successor = {6, 3, 1, 0, 0, 1};
            }
            written = crlfText(drawReport(messages, tallies));
        }
        QCOMPARE(written, bytes);
    }
};

QTEST_GUILESS_MAIN(TestEvaluation)
#include "tst_evaluation.moc"
