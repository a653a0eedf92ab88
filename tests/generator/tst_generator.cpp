#include "generator/NumberList.h"
#include "generator/RandomSource.h"
#include "i18n/TextFile.h"

#include <QtTest>
#include <set>

using namespace kugelo;

namespace {

// The numbers of the set boxes among 1..59, ascending.
QList<int> setBoxes(const NumberList& list) {
    QList<int> numbers;
    for (int n = 1; n <= NumberList::BoxCount; ++n) {
        if (list.isSet(n)) numbers << n;
    }
    return numbers;
}

// "+w" for a set box of weight w, "-w" for a box that is not set.
QString state(const NumberList& list, int n) {
    return (list.isSet(n) ? QLatin1Char('+') : QLatin1Char('-')) + list.weight(n);
}

QByteArray lines(int count, const QByteArray& line, const QByteArray& end = "\r\n") {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += line + end;
    return bytes;
}

} // namespace

class TestGenerator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Actions on the box under test: R right press, L other press, S set and C clear by an operation,
    // r right press on box 20 (not set), which only makes Minus true.
    void weightStep_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<bool>("set");
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("expected");

        QTest::newRow("right press lowers") << 7 << true << "3"
                                            << "R"
                                            << "+2";
        QTest::newRow("right press to 0 clears") << 7 << true << "1"
                                                 << "R"
                                                 << "-0";
        QTest::newRow("right press on unset box") << 7 << false << "3"
                                                  << "R"
                                                  << "-3";
        QTest::newRow("not a number") << 7 << true << "x1"
                                      << "R"
                                      << "-0";
        QTest::newRow("empty weight") << 7 << true << ""
                                      << "R"
                                      << "-0";
        QTest::newRow("below 0") << 7 << true << "-4"
                                 << "R"
                                 << "-0";
        QTest::newRow("other press only") << 7 << true << "3"
                                          << "L"
                                          << "+3";
        QTest::newRow("hidden box") << 55 << true << "2"
                                    << "R"
                                    << "+1";
        QTest::newRow("box 2 set: no step") << 2 << false << "1"
                                            << "S"
                                            << "+1";
        QTest::newRow("box 1 set raises") << 1 << false << "1"
                                          << "S"
                                          << "+2";
        QTest::newRow("box 1 cleared") << 1 << true << "4"
                                       << "C"
                                       << "-4";
        QTest::newRow("box 1 set again: no change") << 1 << true << "4"
                                                    << "S"
                                                    << "+4";
        QTest::newRow("box 1 set after right press") << 1 << false << "3"
                                                     << "rS"
                                                     << "+2";
        QTest::newRow("box 1 set after right, then other press") << 1 << false << "3"
                                                                 << "rLS"
                                                                 << "+4";
        QTest::newRow("box 1 set after right press, weight 1") << 1 << false << "1"
                                                               << "rS"
                                                               << "-0";
        QTest::newRow("box 1 set, not a number") << 1 << false << "abc"
                                                 << "S"
                                                 << "-0";
        QTest::newRow("box 1 right press to 0") << 1 << true << "1"
                                                << "R"
                                                << "-0";
        QTest::newRow("box 1 right press, then set by click") << 1 << true << "1"
                                                              << "RLS"
                                                              << "+1";
    }
    void weightStep() {
        QFETCH(int, box);
        QFETCH(bool, set);
        QFETCH(QString, weight);
        QFETCH(QString, actions);
        QFETCH(QString, expected);

        NumberList list;
        list.setSet(box, set);
        list.setWeight(box, weight);
        list.Minus = false;
        for (QChar action : actions) {
            switch (action.toLatin1()) {
            case 'R':
                list.mousePressed(box, true);
                break;
            case 'L':
                list.mousePressed(box, false);
                break;
            case 'S':
                list.setSet(box, true);
                break;
            case 'C':
                list.setSet(box, false);
                break;
            case 'r':
                list.mousePressed(20, true);
                break;
            }
        }
        QCOMPARE(state(list, box), expected);
        QCOMPARE(state(list, 20), QStringLiteral("-1"));
    }

    void statusTextNamesTheBoxAndItsWeight() {
        NumberList list;
        QCOMPARE(list.statusText(), QString());
        list.setSet(7, true);
        list.setWeight(7, QStringLiteral("4"));
        list.mousePressed(7, true);
        QCOMPARE(list.statusText(),
                 QStringLiteral("Die Zahl 7 geht mit der Gewichtung 3 in die Berechnung ein"));

        // A right press on a box that is not set changes nothing but still shows the box.
        list.setWeight(12, QStringLiteral("9"));
        list.mousePressed(12, true);
        QCOMPARE(list.statusText(),
                 QStringLiteral("Die Zahl 12 geht mit der Gewichtung 9 in die Berechnung ein"));

        // Moving over a box only shows its text.
        list.mouseOver(7);
        QCOMPARE(list.statusText(),
                 QStringLiteral("Die Zahl 7 geht mit der Gewichtung 3 in die Berechnung ein"));
        QCOMPARE(setBoxes(list), QList<int>{7});
        QCOMPARE(list.weight(7), QStringLiteral("3"));
        QVERIFY(list.Minus);
    }

    void randomDrawFixesOnePositionPerPress() {
        NumberList list;
        list.Zufall = QStringLiteral("Hasard");
        list.Stopp = QStringLiteral("Arrêt");
        for (int n : {3, 49, 50, 59}) {
            list.setSet(n, true);
            list.setColour(n, BoxColour::Yellow);
        }
        QCOMPARE(list.randomButtonCaption(), QStringLiteral("&Zufall"));

        RandomSource random(20240611);
        RandomSource twin(random.state());
        list.pressRandom(random);
        QVERIFY(list.timerActive());
        QCOMPARE(list.Losgeht, 1);
        QCOMPARE(setBoxes(list), QList<int>{});
        QCOMPARE(list.colour(59), BoxColour::Normal);

        // The first tick draws 1..MaxZahl from the program's random source until five distinct numbers.
        list.tick(random);
        QList<int> expected;
        while (expected.size() < 5) {
            const int a = twin.oneTo(49);
            if (!expected.contains(a)) expected << a;
        }
        QCOMPARE(QList<int>(list.Tippreihe.begin() + 1, list.Tippreihe.begin() + 6), expected);
        QCOMPARE(list.randomButtonCaption(), QStringLiteral("1 Arrêt"));

        for (int press = 2; press <= 5; ++press) {
            list.pressRandom(random);
            QCOMPARE(list.Losgeht, press);
            const auto fixed = list.Tippreihe;
            bool othersMoved = false;
            for (int t = 0; t < 4; ++t) {
                list.tick(random);
                for (int i = 1; i < press; ++i)
                    QCOMPARE(list.Tippreihe[i], fixed[i]);
                for (int i = press; i <= 5; ++i)
                    othersMoved = othersMoved || list.Tippreihe[i] != fixed[i];

                const std::set<int> drawn(list.Tippreihe.begin() + 1, list.Tippreihe.begin() + 6);
                QCOMPARE(setBoxes(list), QList<int>(drawn.begin(), drawn.end()));
                QCOMPARE(int(drawn.size()), 5);
                QVERIFY(*drawn.begin() >= 1 && *drawn.rbegin() <= 49);
                for (int n = 1; n <= 49; ++n)
                    QCOMPARE(list.colour(n), drawn.count(n) ? BoxColour::Yellow : BoxColour::Normal);
            }
            QVERIFY(othersMoved);
            QCOMPARE(list.randomButtonCaption(), QString::number(press) + QStringLiteral(" Arrêt"));
        }

        const QList<int> shown = setBoxes(list);
        list.pressRandom(random);
        QVERIFY(!list.timerActive());
        QCOMPARE(list.Losgeht, 1);
        QCOMPARE(list.randomButtonCaption(), QStringLiteral("Hasard"));
        QCOMPARE(setBoxes(list), shown);
    }

    void closingEndsTheDraw() {
        NumberList list;
        RandomSource random(5);
        list.pressRandom(random);
        list.tick(random);
        list.pressRandom(random);
        list.closed();
        QVERIFY(!list.timerActive());
        QCOMPARE(list.Losgeht, 1);
        QCOMPARE(list.randomButtonCaption(), QStringLiteral("Zufall"));
        QCOMPARE(setBoxes(list).size(), 5);
    }

    void drawWithMorePositionsThanNumbersEnds() {
        NumberList list;
        list.MaxZahl = 3;
        RandomSource random(1);
        list.pressRandom(random);
        list.tick(random);
        QCOMPARE(setBoxes(list), QList<int>({1, 2, 3}));
    }

    // Box 1 can lose its tick to its own weight reaction right after the draw set it (after a right
    // press); the draw must still give distinct numbers.
    void drawnRowsHoldDistinctNumbersEvenWhenBoxOneLosesItsTick() {
        for (std::uint32_t seed = 0; seed < 40; ++seed) {
            NumberList list;
            list.MaxZahl = 3;
            list.MaxTipp = 3;
            list.mousePressed(2, true); // Minus := true
            list.setWeight(1, "1");
            RandomSource random(seed);
            list.pressRandom(random);
            list.tick(random);
            QList<int> row{list.Tippreihe[1], list.Tippreihe[2], list.Tippreihe[3]};
            std::sort(row.begin(), row.end());
            QCOMPARE(row, QList<int>({1, 2, 3}));
        }
    }

    void nlfWritesOneLinePerNumber() {
        NumberList list;
        list.setSet(1, true);
        list.setWeight(1, QStringLiteral("2"));
        list.setWeight(2, QStringLiteral("8")); // not set: empty line
        list.setSet(3, true);
        list.setSet(4, true);
        list.setWeight(4, QString());
        list.setSet(49, true);
        list.setWeight(49, QStringLiteral("12"));
        list.setSet(50, true);

        QCOMPARE(list.toNlf(), "2\r\n\r\n1\r\n\r\n" + lines(44, "") + "12\r\n");
        // Saving gives an empty weight of a set box the weight 1 first.
        QCOMPARE(list.saveNlf(), "2\r\n\r\n1\r\n1\r\n" + lines(44, "") + "12\r\n");
        QCOMPARE(list.weight(4), QStringLiteral("1"));

        list.MaxZahl = 10;
        QCOMPARE(list.toNlf().count("\r\n"), 10);
    }

    // Before each load, every box 2..50 is set with weight 7 and box 1 is not set (weight 1), so the
    // step that setting box 1 runs would show in its weight.
    void nlfLoad_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected"); // boxes 1, 2, 3, 48, 49, 50

        const QStringList full{"+3", "-1", "+5", "-1", "+4", "+7"};
        QTest::newRow("CR LF") << "3\r\n\r\n5\r\n" + lines(45, "") + "4\r\n" << full;
        QTest::newRow("LF") << "3\n\n5\n" + lines(45, "", "\n") + "4\n" << full;
        QTest::newRow("no end after the last line") << "3\r\n\r\n5\r\n" + lines(45, "") + "4" << full;
        QTest::newRow("CR") << "3\r\r5\r" + lines(45, "", "\r") + "4\r" << full;
        QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        QTest::newRow("UTF-16 LE with mark")
            << QByteArray(utf16.encode(QString::fromLatin1("3\r\n\r\n5\r\n" + lines(45, "") + "4\r\n")))
            << full;
        QTest::newRow("more lines are ignored") << lines(49, "2") + "9\r\n"
                                                << QStringList{"+2", "+2", "+2", "+2", "+2", "+7"};
        QTest::newRow("fewer lines") << QByteArray("3\r\n\r\n5\r\n")
                                     << QStringList{"+3", "-1", "+5", "-1", "-1", "+7"};
        QTest::newRow("empty file") << QByteArray() << QStringList{"-1", "-1", "-1", "-1", "-1", "+7"};
        QTest::newRow("not numbers") << QByteArray("abc\r\n4x\r\n -1\r\n")
                                     << QStringList{"+abc", "+4x", "+ -1", "-1", "-1", "+7"};
    }
    void nlfLoad() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);

        NumberList list;
        for (int n = 2; n <= 50; ++n) {
            list.setSet(n, true);
            list.setWeight(n, QStringLiteral("7"));
        }
        list.fromNlf(textLines(bytes));
        QStringList states;
        for (int n : {1, 2, 3, 48, 49, 50})
            states << state(list, n);
        QCOMPARE(states, expected);
    }

    void weightThatIsNotANumberBecomesZeroAtTheNextChange() {
        NumberList list;
        list.fromNlf(textLines("abc\n\nxyz"));
        list.mousePressed(3, true);
        QCOMPARE(state(list, 3), QStringLiteral("-0"));

        // Box 1 changes with its set state: clearing it leaves the weight, setting it again runs the step.
        list.setSet(1, false);
        QCOMPARE(state(list, 1), QStringLiteral("-abc"));
        list.setSet(1, true);
        QCOMPARE(state(list, 1), QStringLiteral("-0"));
    }

    void nlfRoundTrip() {
        NumberList list;
        const QByteArray written = "2\r\n\r\n1\r\n17\r\n" + lines(40, "") + lines(5, "3");
        list.fromNlf(textLines(written));
        QCOMPARE(list.saveNlf(), written);

        NumberList other;
        other.fromNlf(textLines(list.toNlf()));
        for (int n = 1; n <= 49; ++n)
            QCOMPARE(state(other, n), state(list, n));
    }
};

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"
