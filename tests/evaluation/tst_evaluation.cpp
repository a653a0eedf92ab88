#include "evaluation/HistoricalAnalysis.h"
#include "evaluation/HitCheck.h"
#include "i18n/MessageTable.h"
#include "i18n/TextFile.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"

#include <QtTest>

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

} // namespace

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

    // The reports as written to the file, byte for byte: the lines of each analysis, then what as many rows
    // (comparisons) at random would have given.
    void reportsByteForByte_data() {
        QTest::addColumn<bool>("parameters");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("parameter analysis: 8 cycles of 12 rows, better than chance")
            << true
            << QByteArray(
                   "Aktuelle Einstellung brachten\r\n"
                   "\r\n"
                   "Anzahl ohne Glanzball\t1x Glanzball\r\n"
                   "0x\t=> 40\t\t=> 5\r\n"
                   "1x\t=> 30\t\t=> 3\r\n"
                   "2x\t=> 10\t\t=> 1\r\n"
                   "3x\t=> 2\t\t=> 0\r\n"
                   "4x\t=> 0\t\t=> 1\r\n"
                   "5x\t=> 0\t\t=> 0\r\n"
                   "\r\n"
                   "Ziehungen: 8mit je 12Tipp => 96 Reihen\r\n"
                   "\r\n"
                   "Was der Zufall allein gebracht h\xc3\xa4tte, bei gleich vielen zuf\xc3\xa4lligen Reihen: "
                   "92\r\n"
                   "\tbeobachtet\terwartet\tVerh\xc3\xa4ltnis\r\n"
                   "0x\t45\t52.4\t0.86\r\n"
                   "1x\t33\t32.7\t1.01\r\n"
                   "2x\t11\t6.4\t1.72\r\n"
                   "3x\t2\t0.5\t4.38\r\n"
                   "4x\t1\t0.0\t94.21\r\n"
                   "5x\t0\t0.0\t0.00\r\n"
                   "n\xc2\xb0\t10\t9.2\t1.09\r\n"
                   "Mindestens 2 Richtige: 14, allein durch Zufall mit 95 % Wahrscheinlichkeit: 2 bis 12 => "
                   "besser als der Zufall, mehr als die Zufallsschwankung erkl\xc3\xa4rt\r\n");
        QTest::newRow("draw analysis on the newest draw: A all 0, B[5] = 1")
            << false
            << QByteArray(
                   "Treffer von Ziehungen in der Datenbank\r\n"
                   "0    =>0\r\n1    =>0\r\n2    =>0\r\n3    =>0\r\n4    =>0\r\n5    =>0\r\n"
                   " \r\n"
                   "Wie oft gab es bei der n\xc3\xa4\x63hsten Ziehung \xc3\xa4hnliche Zahlen\r\n"
                   "0    =>0\r\n1    =>0\r\n2    =>0\r\n3    =>0\r\n4    =>0\r\n5    =>1\r\n"
                   "\r\n"
                   "Treffer von Ziehungen in der Datenbank - Was der Zufall allein gebracht h\xc3\xa4tte, "
                   "bei "
                   "gleich vielen Vergleichen: 0\r\n"
                   "\tbeobachtet\terwartet\tVerh\xc3\xa4ltnis\r\n"
                   "0x\t0\t0.0\t-\r\n1x\t0\t0.0\t-\r\n2x\t0\t0.0\t-\r\n3x\t0\t0.0\t-\r\n4x\t0\t0.0\t-\r\n"
                   "5x\t0\t0.0\t-\r\n"
                   "Mindestens 2 Richtige: 0, allein durch Zufall mit 95 % Wahrscheinlichkeit: 0 bis 0 => "
                   "nicht besser als der Zufall, im Rahmen der Zufallsschwankung\r\n"
                   "\r\n"
                   "Wie oft gab es bei der n\xc3\xa4\x63hsten Ziehung \xc3\xa4hnliche Zahlen - Was der "
                   "Zufall allein "
                   "gebracht h\xc3\xa4tte, bei gleich vielen Vergleichen: 1\r\n"
                   "\tbeobachtet\terwartet\tVerh\xc3\xa4ltnis\r\n"
                   "0x\t0\t0.6\t0.00\r\n1x\t0\t0.4\t0.00\r\n2x\t0\t0.1\t0.00\r\n3x\t0\t0.0\t0.00\r\n"
                   "4x\t0\t0.0\t0.00\r\n5x\t1\t0.0\t1906884.00\r\n"
                   "Mindestens 2 Richtige: 1, allein durch Zufall mit 95 % Wahrscheinlichkeit: 0 bis 1 => "
                   "nicht besser als der Zufall, im Rahmen der Zufallsschwankung\r\n");
    }
    void reportsByteForByte() {
        QFETCH(bool, parameters);
        QFETCH(QByteArray, bytes);
        const MessageTable messages;
        QByteArray written;
        if (parameters) {
            ParameterTotals totals;
            totals.rows = {{{40, 5}, {30, 3}, {10, 1}, {2, 0}, {0, 1}, {0, 0}}};
            totals.cycles = 8;
            written = crlfText(parameterReport(messages, totals, 12));
        } else {
            DrawTallies tallies;
            tallies.successor[5] = 1;
            written = crlfText(drawReport(messages, tallies));
        }
        QCOMPARE(written, bytes);
    }
};

QTEST_GUILESS_MAIN(TestEvaluation)
#include "tst_evaluation.moc"
