#include "evaluation/HitCheck.h"
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
};

QTEST_GUILESS_MAIN(TestEvaluation)
#include "tst_evaluation.moc"
