#include "Doubles.h"
#include "DrawServiceProcess.h"
#include "TestSupport.h"

#include "cli/Cli.h"
#include "controller/Controller.h"
#include "draws/DrawFile.h"
#include "platform/AtomicFile.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QtTest>
#include <limits>

using namespace kugelo;
using namespace kugelo::test;

namespace {

class CliNoHttp final : public HttpClient {
public:
    HttpResponse get(const HttpRequest&) override { return {}; }
    void abort() override {}
};

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Run runCli(const QStringList& args, const QString& home = QString()) {
    Run r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = cli::run(args, home, out, err);
    out.flush();
    err.flush();
    return r;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void wrongUsageExitsWithTwo_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("unknown command") << QStringList{"frobnicate"};
        QTest::newRow("unknown option") << QStringList{"--colour", "draws"};
        QTest::newRow("--home without value") << QStringList{"--home"};
        QTest::newRow("--home of no folder") << QStringList{"--home", "/no/such/folder", "draws"};
        QTest::newRow("select without date") << QStringList{"select"};
        QTest::newRow("select with a bad date") << QStringList{"select", "2019-02-30"};
        QTest::newRow("draws with a stray argument") << QStringList{"draws", "2019"};
        QTest::newRow("draws --from without value") << QStringList{"draws", "--from"};
        QTest::newRow("import without files") << QStringList{"import"};
        QTest::newRow("update with a stray argument") << QStringList{"update", "now"};
        QTest::newRow("update with a bad --today") << QStringList{"update", "--today", "yesterday"};
        QTest::newRow("search without a tip file") << QStringList{"search", "--threshold", "3"};
        QTest::newRow("analyse without a kind") << QStringList{"analyse", "--from", "2020-01-01"};
        QTest::newRow("analyse params without --from") << QStringList{"analyse", "params"};
        QTest::newRow("analyse draws with --seed")
            << QStringList{"analyse", "draws", "--from", "2020-01-01", "--seed", "1"};
        QTest::newRow("print without a tip file") << QStringList{"print", "--end", "2026-12-09"};
        QTest::newRow("basket with --tips beyond 12") << QStringList{"basket", "t.tpf", "--tips", "13"};
        QTest::newRow("script without --script") << QStringList{"script", "t.tpf", "--zahl1", "1"};
    }
    void wrongUsageExitsWithTwo() {
        QFETCH(QStringList, args);
        TempHome home;
        const Run r = runCli(args, home.path());
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("Usage: kugelo-cli"));
        QVERIFY(r.out.isEmpty());
    }

    void drawsListsStoredRecordsWithinInclusiveBounds() {
        TempHome home;
        home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9, "4674648"},
                         {"2008-10-08", {24, 48, 32, 41, 22}, 1, "8234403"},
                         {"2008-10-11", {46, 22, 10, 39, 20}, 4, "4461098"}});
        QCOMPARE(runCli({"--home", home.path(), "draws"}).out,
                 QStringLiteral("2008-10-06 19 24 27 33 41 9 4674648\n"
                                "2008-10-08 22 24 32 41 48 1 8234403\n"
                                "2008-10-11 10 20 22 39 46 4 4461098\n"));
        const Run r = runCli({"--home", home.path(), "draws", "--from", "2008-10-08", "--to", "2008-10-11"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.count('\n'), 2);
        QVERIFY(r.out.startsWith("2008-10-08 "));
    }

    void drawsWithoutDrawFileFails() {
        TempHome home;
        const Run r = runCli({"--home", home.path(), "draws"});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains("Kugelo.dat"));
    }

    void selectPrintsTheLineAndTheCrossSum() {
        TempHome home;
        home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9}, {"2008-10-08", {24, 48, 32, 41, 22}, 1}});
        const Run r = runCli({"--home", home.path(), "select", "2008-10-07"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Mi 08.10.08    22  24  32  41  48   n°: 1\nQuersumme: 167\n"));
    }

    void selectWithoutDrawFileCreatesItAndFails() {
        TempHome home;
        const Run r = runCli({"--home", home.path(), "select", "2020-01-01"});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("Lesen Sie zuerst die Daten der Ziehungen ein\n"));
        QVERIFY(QFile::exists(home.drawFile()));
    }

    void importWithABadLineWritesNothing() {
        TempHome home;
        home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9}});
        const QByteArray before = home.readBytes("Kugelo.dat");
        home.writeBytes("good.csv", "2008-10-08,24,48,32,41,22,1,8234403\n");
        home.writeBytes("bad.csv", "date,n1,n2,n3,n4,n5,chance,joker\n2008-10-11,46,22,10,39,20,4,4461098\n"
                                   "2008-10-13,11,10,41,37,48,12,3725522\n");
        const Run r = runCli({"--home", home.path(), "import", home.file("good.csv"), home.file("bad.csv")});
        QCOMPARE(r.code, 1);
        QCOMPARE(
            r.err,
            QStringLiteral("kugelo-cli: %1:3: n° CHANCE out of range 1..10: 12\n").arg(home.file("bad.csv")));
        QCOMPARE(home.readBytes("Kugelo.dat"), before);
    }

    // The whole public history: imported into an empty home, listed back, and compared line by line with
    // the CSV read here independently (numbers sorted, digits as given).
    void realHistoryRoundTrip() {
        const QString csv = realHistoryCsv();
        if (csv.isEmpty()) QSKIP("../shared/data/loto-history.csv is not present");
        TempHome home;
        const Run imported = runCli({"--home", home.path(), "import", csv});
        QCOMPARE(imported.code, 0);

        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
        f.readLine();
        QStringList expected;
        while (!f.atEnd()) {
            const QStringList fields = QString::fromUtf8(f.readLine()).trimmed().split(',');
            QList<int> numbers;
            for (int i = 1; i <= 5; ++i)
                numbers << fields[i].toInt();
            std::sort(numbers.begin(), numbers.end());
            QString line = fields[0];
            for (int n : numbers)
                line += ' ' + QString::number(n);
            line += ' ' + fields[6] + ' ' + (fields[7].isEmpty() ? QStringLiteral("0000000") : fields[7]);
            expected << line;
        }
        QCOMPARE(imported.out, QStringLiteral("imported %1 draws (0 replaced)\n").arg(expected.size()));
        const QStringList listed =
            runCli({"--home", home.path(), "draws"}).out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(listed, expected);

        // Importing again replaces every draw and changes no byte.
        const QByteArray before = home.readBytes("Kugelo.dat");
        QCOMPARE(runCli({"--home", home.path(), "import", csv}).out,
                 QStringLiteral("imported %1 draws (%1 replaced)\n").arg(expected.size()));
        QCOMPARE(home.readBytes("Kugelo.dat"), before);
        QCOMPARE(before.size(), qsizetype(expected.size()) * 32);
    }

    void checkPrintsTheSheetAgainstTheDrawOfTheDate() {
        TempHome home;
        home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9}, {"2008-10-08", {24, 48, 32, 41, 22}, 1}});
        home.writeBytes("tips.tpf", "41,19,2,3,4,9,\r\n22,24,32,41,48,1,5\r\n1,2,3,4,5,9,\r\n5,6,7\n");
        const Run r = runCli({"--home", home.path(), "check", home.file("tips.tpf"), "--date", "2008-10-06"});
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split('\n');
        QCOMPARE(lines.mid(0, 6),
                 QStringList({"Mo 06.10.08     19  24  27  33  41 n°:9", "1\t2,3,4,19,41,9,\t2\t69\tred",
                              "2\t22,24,32,41,48,1,5\t2\t167\tred", "3\t1,2,3,4,5,9,\t0 + n°\t15\tred",
                              "4\t5,6,,,,,7\t\t\t-", "5\t,,,,,,\t\t\t-"}));
        QCOMPARE(lines.mid(13), QStringList({"Statistik 0 0 1 0", "Statistik 1 0 0 0", "Statistik 2 1 1 0",
                                             "Statistik 3 0 0 0", "Statistik 4 0 0 0", "Statistik 5 0 0 0",
                                             "Statistik 6 0 0 0", ""}));
        // Without --date the newest draw is taken.
        QVERIFY(
            runCli({"--home", home.path(), "check", home.file("tips.tpf")}).out.startsWith("Mi 08.10.08"));
        QCOMPARE(runCli({"--home", home.path(), "check", home.file("missing.tpf")}).code, 1);
        QCOMPARE(runCli({"--home", home.path(), "check"}).code, 2);
    }

    void statsPrintsPointsCaptionAndAxis() {
        TempHome home;
        home.writeDraws({{"2008-10-06", {1, 2, 3, 4, 5}, 9},
                         {"2008-10-08", {1, 2, 10, 11, 12}, 1},
                         {"2008-10-11", {46, 22, 10, 39, 20}, 4}});
        const Run pairs =
            runCli({"--home", home.path(), "stats", "pairs", "--from", "2008-10-06", "--to", "2008-10-08"});
        QCOMPARE(pairs.code, 0);
        const QStringList lines = pairs.out.split('\n');
        QCOMPARE(lines.size(), 48 + 3);
        QCOMPARE(lines.mid(0, 2), QStringList({"1 1", "2 0"}));
        QCOMPARE(lines[9], QStringLiteral("10 1"));
        QCOMPARE(lines.mid(48),
                 QStringList({"caption: Ziehungen: 1   Paare gefunden:3", "axis: min-max", ""}));

        const Run sums = runCli(
            {"--home", home.path(), "stats", "crosssums", "--from", "2008-10-11", "--to", "2008-10-11"});
        QCOMPARE(sums.out, QStringLiteral("caption: \naxis: auto\n")); // no draw: no bar, caption unchanged

        home.writeBytes("t.tpf", "1,2,3,4,5,7,\r\n");
        const Run rows = runCli({"--home", home.path(), "stats", "rows", "--from", "2008-10-06", "--to",
                                 "2008-10-11", "--tips", home.file("t.tpf")});
        QVERIFY(rows.out.startsWith("1 1\n2 1\n3 1\n4 1\n5 1\n6 0\n7 1\n"));
        QVERIFY(rows.out.endsWith("caption: Zahlenverteilung des Tippes\naxis: min-max\n"));

        for (const QStringList& bad :
             {QStringList{"stats", "pairs", "--from", "2008-10-06"},
              QStringList{"stats", "rows", "--from", "2008-10-06", "--to", "2008-10-11"},
              QStringList{"stats", "sextuples", "--from", "2008-10-06", "--to", "2008-10-11"}})
            QCOMPARE(runCli(QStringList{"--home", home.path()} + bad).code, 2);
    }

    void generateIsReproducibleWithSeedAndClock() {
        TempHome home;
        std::vector<DrawRow> rows;
        home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9},
                         {"2008-10-08", {24, 48, 32, 41, 22}, 1},
                         {"2008-10-11", {46, 22, 10, 39, 20}, 4},
                         {"2008-10-13", {11, 10, 41, 37, 48}, 4}});
        const QStringList args{
            "--home",         home.path(), "generate",      "--to",  "2008-10-13",        "--seed",
            "4711",           "--clock",   "1000",          "--set", "UpDown8=4",         "--set",
            "RadioButton3=1", "--lock",    "2:1,2,3,4,5,6", "--out", home.file("out.tpf")};
        const Run first = runCli(args);
        QCOMPARE(first.code, 0);
        QCOMPARE(runCli(args).out, first.out);
        const QStringList lines = first.out.split('\n');
        QCOMPARE(lines.size(), 12 + 3);
        QCOMPARE(lines[1], QStringLiteral("2\t1,2,3,4,5,6,\t15"));
        QVERIFY(lines[0].startsWith("1\t"));
        QVERIFY(!lines[0].startsWith("1\t,"));
        QCOMPARE(lines[4], QStringLiteral("5\t,,,,,,\t0"));
        QCOMPARE(lines[12], QStringLiteral("status: Tipps wurden neu berechnet — n° CHANCE: die am längsten "
                                           "ausstehende, überall dieselbe"));
        QVERIFY(lines[13].startsWith("candidates: "));
        QCOMPARE(home.readBytes("out.tpf").count("\r\n"), 4);

        for (const char* bad : {"UpDown8=13", "CheckBox99=1", "CheckBox27=2", "UpDown6=6"})
            QCOMPARE(runCli({"--home", home.path(), "generate", "--set", QString::fromLatin1(bad)}).code, 2);
        // UpDown6 may reach 6 when CheckBox31 is on, as the spin's limit is 7 then.
        QCOMPARE(runCli({"--home", home.path(), "generate", "--to", "2008-10-13", "--set", "CheckBox31=1",
                         "--set", "UpDown6=6", "--set", "UpDown8=1"})
                     .code,
                 0);
        QCOMPARE(runCli({"--home", home.path(), "generate", "--lock", "13:1,2,3,4,5,6"}).code, 2);
    }

    // What scripts parse: the search prints one line per stop and the number of draws examined; the analyses
    // print the report as written to Test.rtf, the parameter analysis the same again with the same seed and
    // clock.
    void searchAndAnalysePrintTheirContracts() {
        TempHome home;
        home.writeDraws({{"2019-12-30", {1, 2, 3, 4, 5}, 1},
                         {"2020-01-04", {1, 2, 3, 4, 5}, 1},
                         {"2020-01-06", {10, 11, 12, 13, 14}, 2},
                         {"2020-01-08", {1, 2, 3, 4, 9}, 3}});
        home.writeBytes("tips.tpf", "1,2,3,4,5,3,\r\n10,11,12,13,14,2,\r\n");
        const QStringList search{"--home", home.path(),  "search", home.file("tips.tpf"),
                                 "--from", "2020-01-04", "--to",   "2020-01-08"};
        Run r = runCli(search);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("2020-01-04\t1\t5\n2020-01-06\t2\t5\nexamined 3 draws\n"));
        r = runCli(search + QStringList{"--set", "CheckBox31=1", "--threshold", "5"});
        QCOMPARE(r.out,
                 QStringLiteral("2020-01-04\t1\t5\n2020-01-06\t2\t5\n2020-01-08\t1\t5\nexamined 3 draws\n"));

        r = runCli({"--home", home.path(), "analyse", "draws", "--from", "2020-01-08"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.toUtf8(), home.readBytes("Test.rtf"));
        QVERIFY(r.out.startsWith("Treffer von Ziehungen in der Datenbank\r\n0    =>0\r\n"));

        const QStringList params{"--home",     home.path(), "analyse", "params",  "--from",
                                 "2020-01-06", "--seed",    "4711",    "--clock", "1"};
        r = runCli(params);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.toUtf8(), home.readBytes("Test.rtf"));
        QVERIFY2(r.out.contains("\r\nZiehungen: 2mit je 5Tipp => 10 Reihen\r\n"), qPrintable(r.out));
        QCOMPARE(runCli(params).out, r.out);
    }

    // The search window ends on --to as given, also before the first draw, where it holds none.
    void searchExaminesTheDrawsFromToAsGiven_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("out");
        QTest::newRow("ending the day before the first draw") << "2008-10-06"
                                                              << "2008-10-05"
                                                              << "examined 0 draws\n";
        QTest::newRow("ending years before the first draw") << "2008-10-06"
                                                            << "2000-01-01"
                                                            << "examined 0 draws\n";
        QTest::newRow("ending before it starts") << "2008-10-08"
                                                 << "2008-10-06"
                                                 << "examined 0 draws\n";
        QTest::newRow("the first draw alone") << "2008-10-06"
                                              << "2008-10-06"
                                              << "2008-10-06\t1\t5\nexamined 1 draws\n";
        QTest::newRow("starting before the first draw") << "2008-10-01"
                                                        << "2008-10-08"
                                                        << "2008-10-06\t1\t5\nexamined 2 draws\n";
    }
    void searchExaminesTheDrawsFromToAsGiven() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, out);
        TempHome home;
        home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9}, {"2008-10-08", {24, 48, 32, 41, 22}, 1}});
        home.writeBytes("tips.tpf", "19,24,27,33,41,9,\r\n");
        const Run r =
            runCli({"--home", home.path(), "search", home.file("tips.tpf"), "--from", from, "--to", to});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, out);
    }

    // --seed takes what the seed input boxes take, negative numbers too (the parameter analysis proposes
    // them), with their meaning there: -5 sets the random state 4294967291, as --seed 4294967291 does.
    void seedsAreTakenAsTheInputBoxesTakeThem_data() {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("analyse params")
            << QStringList{"analyse", "params", "--from", "2020-01-06", "--clock", "1"};
        QTest::newRow("generate") << QStringList{"generate", "--to", "2020-01-08", "--clock", "1"};
    }
    void seedsAreTakenAsTheInputBoxesTakeThem() {
        QFETCH(QStringList, command);
        TempHome home;
        home.writeDraws({{"2019-12-30", {1, 2, 3, 4, 5}, 1},
                         {"2020-01-04", {1, 2, 3, 4, 5}, 1},
                         {"2020-01-06", {10, 11, 12, 13, 14}, 2},
                         {"2020-01-08", {1, 2, 3, 4, 9}, 3}});
        const auto run = [&](const QString& seed) {
            return runCli(QStringList{"--home", home.path()} + command + QStringList{"--seed", seed});
        };
        const Run negative = run("-5");
        QCOMPARE(negative.code, 0);
        QCOMPARE(run(" -5").out, negative.out);
        QCOMPARE(run("4294967291").out, negative.out);
        QCOMPARE(run("-2147483648").code, 0);
        for (const char* bad : {"4294967296", "-2147483649", "5x", ""})
            QVERIFY2(run(QString::fromLatin1(bad)).code == 2, bad);
    }

    void settingsPrintsEveryStoredValue() {
        TempHome home;
        {
            FileSettingsStore store(home.file("settings.json"));
            store.openKey(SettingsStore::kugeloKey(), true);
            store.writeInteger("UpDown8", 3);
            store.writeString("ProxyHostEdit", "proxy.example");
            store.writeBytes("DruckSchrift", QByteArray(1, '\x03'));
            store.writeDateTime("DateTimePicker2", 39727);
            store.closeKey();
        }
        const Run r = runCli({"--settings", home.file("settings.json"), "settings"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("UpDown8\tinteger\t3\n"
                                       "ProxyHostEdit\tstring\tproxy.example\n"
                                       "DruckSchrift\tbytes\t03\n"
                                       "DateTimePicker2\tbytes\t00000000e065e340\n"));
        // No store yet: nothing to print.
        QCOMPARE(runCli({"--settings", home.file("none.json"), "settings"}).out, QString());
        // A damaged store is reported and left where it is: the program moves it aside when it starts.
        home.writeBytes("bad.json", "{");
        const Run bad = runCli({"--settings", home.file("bad.json"), "settings"});
        QCOMPARE(bad.code, 1);
        QVERIFY(bad.err.contains("bad.json"));
        QVERIFY(QFile::exists(home.file("bad.json")));
    }

    // The stored options are the base of generate: the same rows as with the options given by --set.
    void generateStartsFromTheStoredOptions() {
        TempHome home;
        home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9},
                         {"2008-10-08", {24, 48, 32, 41, 22}, 1},
                         {"2008-10-11", {46, 22, 10, 39, 20}, 4}});
        {
            FileSettingsStore store(home.file("settings.json"));
            store.openKey(SettingsStore::kugeloKey(), true);
            store.writeInteger("UpDown8", 3);
            store.writeBool("RadioButton3", true);
            store.writeBool("Chekcbox27", false);
            store.closeKey();
        }
        const QStringList common{"--home", home.path(), "generate", "--to", "2008-10-11",
                                 "--seed", "99",        "--clock",  "5"};
        const Run stored = runCli(QStringList{"--settings", home.file("settings.json")} + common);
        const Run given =
            runCli(QStringList{"--settings", home.file("none.json")} + common +
                   QStringList{"--set", "UpDown8=3", "--set", "RadioButton3=1", "--set", "CheckBox27=0"});
        QCOMPARE(stored.code, 0);
        QCOMPARE(stored.out, given.out);
        QVERIFY(stored.out.startsWith("1\t"));
        QVERIFY(stored.out.contains("\n4\t,,,,,,\t0\n"));
        // --set still changes a stored option.
        const Run more = runCli(QStringList{"--settings", home.file("settings.json")} + common +
                                QStringList{"--set", "UpDown8=4"});
        QVERIFY(!more.out.contains("\n4\t,,,,,,\t0\n"));
    }

    // Each requested day with its status line, then the summary; a notice goes to the error stream.
    void updatePrintsEachDayAndTheSummary() {
        TempHome home;
        ServedHistory service("date,n1,n2,n3,n4,n5,chance,joker\n"
                              "2008-10-06,19,33,41,24,27,9,4674648\n"
                              "2008-10-08,24,48,32,41,22,1,8234403\n"
                              "2008-10-11,46,22,10,39,20,4,4461098\n",
                              {"--error", "2008-10-09=503", "--notice", "2008-10-10=Wartung"});
        KUGELO_REQUIRE_SERVICE(service);
        const Run r =
            runCli({"update", "--product-host", service.baseUrl(), "--today", "2008-10-12"}, home.path());
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("2008-10-07 HTTP/1.1 200 OK\n"
                                       "2008-10-08 HTTP/1.1 200 OK\n"
                                       "2008-10-09 HTTP/1.1 503 Service Unavailable\n"
                                       "2008-10-10 HTTP/1.1 200 OK\n"
                                       "2008-10-11 HTTP/1.1 200 OK\n"
                                       "2008-10-12 HTTP/1.1 200 OK\n"
                                       "stored 2 draws, last 2008-10-11\n"));
        QVERIFY(r.err.contains("Wartung"));

        // The stored product host serves as well.
        {
            FileSettingsStore store(home.file("settings.json"));
            store.openKey(SettingsStore::kugeloKey(), true);
            store.writeString("ProductHost", service.baseUrl());
            store.closeKey();
        }
        const Run again = runCli(
            {"--settings", home.file("settings.json"), "update", "--today", "2008-10-12"}, home.path());
        QCOMPARE(again.out, QStringLiteral("2008-10-12 HTTP/1.1 200 OK\nstored 0 draws, last 2008-10-11\n"));
    }

    // Text of the service reaches the terminal with its control characters replaced: no escape sequence
    // retitles or clears it.
    void serviceTextReachesTheTerminalWithoutControlCharacters() {
        TempHome home;
        ServedHistory service("date,n1,n2,n3,n4,n5,chance,joker\n2008-10-06,19,33,41,24,27,9,4674648\n",
                              {"--control", "2008-10-07"});
        KUGELO_REQUIRE_SERVICE(service);
        const Run r =
            runCli({"update", "--product-host", service.baseUrl(), "--today", "2008-10-07"}, home.path());
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.contains("Wartung") && r.err.contains("]0;pwned"), qPrintable(r.err));
        for (const QChar c : r.err + r.out)
            QVERIFY2(
                c.category() != QChar::Other_Control || c == '\n',
                qPrintable(QStringLiteral("U+%1 in the output").arg(c.unicode(), 4, 16, QLatin1Char('0'))));
    }

    // A record whose date is no day is reported and skipped; the others are listed.
    void drawsReportsDamagedRecords() {
        TempHome home;
        DrawRecord damaged;
        damaged.Datum = std::numeric_limits<double>::infinity();
        home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9, "4674648"}}, encodeDrawRecords({damaged}));
        const Run r = runCli({"--home", home.path(), "draws"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("2008-10-06 19 24 27 33 41 9 4674648\n"));
        QVERIFY2(r.err.contains("record 2") && r.err.contains("damaged"), qPrintable(r.err));
    }

    // A stored record that holds no draw of the game (an older build or a hand-edited file) is reported by
    // `draws` and passed over by everything else: each command prints what it prints for the same history
    // without it. One stands among the draws, one after the last.
    void recordsThatHoldNoDrawArePassedOverByEveryCommand_data() { addImpossibleDrawRows(); }
    void recordsThatHoldNoDrawArePassedOverByEveryCommand() {
        QFETCH(QList<int>, numbers);
        const std::vector<DrawRecord> draws = toRecords({{"2019-12-30", {1, 2, 3, 4, 5}, 1},
                                                         {"2020-01-04", {7, 8, 9, 10, 11}, 3},
                                                         {"2020-01-06", {10, 11, 12, 13, 14}, 2},
                                                         {"2020-01-08", {1, 2, 3, 4, 9}, 3}});
        std::vector<DrawRecord> withImpossible = draws;
        withImpossible.insert(withImpossible.begin() + 3, impossibleRecord("2020-01-07", numbers));
        withImpossible.push_back(impossibleRecord("2020-01-11", numbers));
        TempHome clean;
        TempHome damaged;
        clean.writeBytes("Kugelo.dat", encodeDrawRecords(draws));
        damaged.writeBytes("Kugelo.dat", encodeDrawRecords(withImpossible));
        // The first row shares four or five numbers with each impossible record.
        for (const TempHome* home : {&clean, &damaged})
            home->writeBytes("tips.tpf", "7,20,33,46,49,3,\r\n1,2,3,4,9,3,\r\n");

        const QList<QStringList> commands{
            {"draws"},
            {"select", "2020-01-07"},
            {"check", "TIPS"},
            {"check", "TIPS", "--date", "2020-01-07"},
            {"stats", "frequency", "--from", "2019-12-30", "--to", "2020-01-11"},
            {"stats", "crosssums", "--from", "2019-12-30", "--to", "2020-01-11"},
            {"stats", "pairs", "--from", "2019-12-30", "--to", "2020-01-11"},
            {"stats", "overdue", "--from", "2019-12-30", "--to", "2020-01-11"},
            {"stats", "chance", "--from", "2019-12-30", "--to", "2020-01-11"},
            {"stats", "chance-overdue", "--from", "2019-12-30", "--to", "2020-01-11"},
            {"search", "TIPS", "--from", "2019-12-30", "--to", "2020-01-11", "--threshold", "4"},
            {"analyse", "draws", "--from", "2020-01-04", "--threshold", "4"},
            {"analyse", "params", "--from", "2020-01-04", "--seed", "4711", "--clock", "1"},
            {"generate", "--to", "2020-01-11", "--seed", "4711", "--clock", "1", "--set", "UpDown8=3"},
            {"update", "--product-host", "http://127.0.0.1:1", "--today", "2020-01-13"}};
        QStringList differing; // the commands whose exit code or output differ
        for (const QStringList& command : commands) {
            const auto run = [&command](const TempHome& home) {
                QStringList args{"--home", home.path()};
                for (const QString& a : command)
                    args << (a == "TIPS" ? home.file("tips.tpf") : a);
                return runCli(args);
            };
            const Run expected = run(clean);
            const Run got = run(damaged);
            if (got.code != expected.code || got.out != expected.out ||
                (command[0] != "draws" && got.err != expected.err))
                differing << command.join(' ');
        }
        QVERIFY2(differing.isEmpty(), qPrintable("differing: " + differing.join("; ")));
        const Run listed = runCli({"--home", damaged.path(), "draws"});
        for (const char* record : {"record 4 of ", "record 6 of "})
            QVERIFY2(
                listed.err.contains(QLatin1String(record) + damaged.drawFile() + " is damaged (its numbers "),
                qPrintable(listed.err));
        QCOMPARE(listed.err.count("are no draw); the programs skip it\n"), 2);
    }

    void updateFromAnUnreachableServiceFails() {
        TempHome home;
        const Run r =
            runCli({"update", "--product-host", "http://127.0.0.1:1", "--today", "2008-10-20"}, home.path());
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out.count('\n'), 4); // three days, then the summary
        QVERIFY(r.out.endsWith("stored 0 draws, last none\n"));
        QVERIFY(r.err.contains("Keine Verbindung"));
    }

    // --- the listing, the basket links, the filled click script ---

    void printWritesTheListingAndPrintsIt() {
        TempHome home;
        home.writeDraws({{"2026-12-07", {1, 2, 3, 4, 5}, 1}, {"2026-12-09", {6, 7, 8, 9, 10}, 2}});
        home.writeBytes("good.tpf", "5,12,23,34,45,7,\r\n1,2,3,4,9,10,\r\n");
        const Run r = runCli({"--home", home.path(), "print", home.file("good.tpf"), "--end", "2026-12-09"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out,
                 QStringLiteral("Velmars Lotto-Tipp für  12.12.26\n"
                                "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n\n"
                                " 1. Velmars Lotto-Tipp für :  5   12   23   34   45   n° CHANCE:  7\n"
                                " 2. Velmars Lotto-Tipp für :  1    2    3    4    9   n° CHANCE: 10\n"));
        QCOMPARE(home.readBytes("Tipp.txt"), r.out.toUtf8().replace("\n", "\r\n"));

        home.writeBytes("short.tpf", "5,12,23\r\n");
        QFile::remove(home.file("Tipp.txt"));
        const Run bad = runCli({"--home", home.path(), "print", home.file("short.tpf")});
        QCOMPARE(bad.code, 1);
        QVERIFY2(bad.err.contains("is not a valid integer value"), qPrintable(bad.err));
        QVERIFY(!QFile::exists(home.file("Tipp.txt")));
    }

    // The links against the stand-in service: the second one five seconds after the first; a link that is
    // no web address is refused.
    void basketPrintsTheLinksItWouldOpen() {
        TempHome home;
        home.writeBytes("tips.tpf", "5,12,23,34,45,7,\r\n1,2,3,4,5,6,\r\n1,2,3,4,5,6,\r\n1,2,3,4,5,6,\r\n"
                                    "1,2,3,4,5,6,\r\n1,2,3,4,5,6,\r\n1,2,3,4,9,10,\r\n");
        DrawServiceProcess service;
        KUGELO_REQUIRE_SERVICE(service);
        QElapsedTimer clock;
        clock.start();
        const Run r =
            runCli({"basket", home.file("tips.tpf"), "--product-host", service.baseUrl()}, home.path());
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(r.code, 0);
        const QStringList links = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(links.size(), 2);
        QVERIFY2(
            links[0].startsWith(service.baseUrl() + "/lotto/warenkorb2.asp?Tipps=6&kasten1=5,12,23,34,45,7&"),
            qPrintable(links[0]));
        QVERIFY2(links[1].contains("?Tipps=1&kasten1=1,2,3,4,9,10&kasten2=,,,,,&"), qPrintable(links[1]));
        QVERIFY2(elapsed >= 4900, qPrintable(QString::number(elapsed)));

        home.writeBytes("template.txt", "javascript:alert('[KASTEN1]')");
        DrawServiceProcess hostile({"--basket-template", home.file("template.txt")});
        KUGELO_REQUIRE_SERVICE(hostile);
        const Run refused =
            runCli({"basket", home.file("tips.tpf"), "--product-host", hostile.baseUrl()}, home.path());
        QCOMPARE(refused.code, 1);
        QCOMPARE(refused.out, QString());
        QVERIFY2(refused.err.contains("keine http- oder https-Adresse: javascript:"),
                 qPrintable(refused.err));
    }

    void scriptPrintsThePathAndTheArguments() {
        TempHome home;
        home.writeBytes("tips.tpf", "5,12,23,34,45,7,\r\n");
        home.writeBytes("lotto.csf", "SET [Z2_1];[CHANCE1];[Z1_2]\n");
        const Run r = runCli({"--home", home.path(), "script", home.file("tips.tpf"), "--script",
                              home.file("lotto.csf"), "--text1", "Max \"M\" x", "--zahl2", "3"});
        QCOMPARE(r.code, 0);
        const QString filled = home.file("Tipps/") + QDate::currentDate().toString("yyyyMMdd") + ".csf";
        QCOMPARE(r.out, filled + "\nSTART\n" + filled + "\n0\nMax \"M\" x\n3\n\n");
        QCOMPARE(QFile(filled).exists(), true);
        QFile file(filled);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("SET 12;7;\r\n"));
    }

    // Only http and https are ever asked (LOCAL: a local file that holds a draw line): a host of another
    // scheme is refused at once from --product-host and from KUGELO_PRODUCT_HOST, and ignored with a note
    // from the stored settings (the built-in host, which does not exist, is asked instead); http and https
    // are taken in any case (SERVICE: the stand-in's address and port).
    void onlyHttpAndHttpsHostsAreAsked_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("used");
        for (const char* command : {"update", "basket"})
            for (const char* entry : {"--product-host", "KUGELO_PRODUCT_HOST", "settings"}) {
                for (const char* host :
                     {"file://LOCAL#", "FILE://LOCAL#", "data:text/plain,19,33,41,24,27,9,1#",
                      "ftp://127.0.0.1:9", "javascript:alert(1)//"})
                    QTest::addRow("%s, %s, %s", command, entry, host) << command << entry << host << false;
                for (const char* host : {"HTTP://SERVICE", "hTtP://SERVICE/"})
                    QTest::addRow("%s, %s, %s", command, entry, host) << command << entry << host << true;
            }
    }
    void onlyHttpAndHttpsHostsAreAsked() {
        QFETCH(QString, command);
        QFETCH(QString, entry);
        QFETCH(QString, host);
        QFETCH(bool, used);
        TempHome home;
        home.writeBytes("served.txt", "19,33,41,24,27,9,4674648\r\nhttp://evil.example/\r\n");
        home.writeBytes("tips.tpf", "5,12,23,34,45,7,\r\n");
        ServedHistory service("date,n1,n2,n3,n4,n5,chance,joker\n2008-10-06,19,33,41,24,27,9,4674648\n");
        KUGELO_REQUIRE_SERVICE(service);
        host.replace("LOCAL", home.file("served.txt"));
        host.replace("SERVICE", service.baseUrl().mid(int(strlen("http://"))));
        QStringList args{"--settings", home.file("settings.json"), command};
        args << (command == "update" ? QStringList{"--today", "2008-10-07"}
                                     : QStringList{home.file("tips.tpf")});
        const auto unset = qScopeGuard([] { qunsetenv("KUGELO_PRODUCT_HOST"); });
        if (entry == "--product-host") {
            args << entry << host;
        } else if (entry == "KUGELO_PRODUCT_HOST") {
            qputenv("KUGELO_PRODUCT_HOST", host.toUtf8());
        } else {
            FileSettingsStore store(home.file("settings.json"));
            store.openKey(SettingsStore::kugeloKey(), true);
            store.writeString("ProductHost", host);
            store.closeKey();
        }
        const Run r = runCli(args, home.path());
        QVERIFY(!r.out.contains("evil.example"));
        // Nothing came from the local file.
        QVERIFY(!QFile::exists(home.drawFile()) || DrawFile(home.drawFile()).readAll().empty());
        if (used) {
            QCOMPARE(r.err, QString());
            QCOMPARE(r.code, 0);
            if (command == "update")
                QCOMPARE(r.out, QStringLiteral("2008-10-07 HTTP/1.1 200 OK\nstored 0 draws, last none\n"));
            else
                QVERIFY2(r.out.startsWith(service.baseUrl() +
                                          "/lotto/warenkorb2.asp?Tipps=1&kasten1=5,12,23,34,45,7&"),
                         qPrintable(r.out));
            return;
        }
        const QString refused = QStringLiteral("kugelo-cli: Nur http:// und https:// sind erlaubt, nicht ");
        if (entry == "--product-host") {
            QCOMPARE(r.code, 2);
            QVERIFY2(r.err.startsWith(refused + host + "\n\nUsage: kugelo-cli"), qPrintable(r.err));
            QCOMPARE(r.out, QString());
        } else if (entry == "KUGELO_PRODUCT_HOST") {
            QCOMPARE(r.code, 1);
            QCOMPARE(r.err, refused + "KUGELO_PRODUCT_HOST=" + host + "\n");
            QCOMPARE(r.out, QString());
        } else {
            // The built-in www.kugelo.example is asked, which does not answer.
            if (command == "update")
                QVERIFY2(r.out.endsWith("stored 0 draws, last none\n"), qPrintable(r.out));
            else
                QCOMPARE(r.code, 1);
            QVERIFY2(r.err.startsWith("kugelo-cli: Gespeicherter Server " + host +
                                      " nicht benutzt, nur http:// und https:// sind erlaubt; es gilt "
                                      "http://www.kugelo.example\n"),
                     qPrintable(r.err));
            QVERIFY(!r.out.contains("200 OK"));
        }
    }

    // The basket command prints exactly the address the window opens: one line, percent-encoded as the
    // desktop reads the link; a link the window refuses is refused here too.
    void basketPrintsTheAddressTheWindowOpens_data() {
        QTest::addColumn<QByteArray>("linkTemplate");
        QTest::addColumn<QString>("printed"); // empty: refused
        const QByteArray head = "http://shop.example/?a=[KASTEN1]&p=";
        const QString filled = QStringLiteral("http://shop.example/?a=5,12,23,34,45,7&p=");
        QTest::newRow("a line end inside")
            << head + "x\nfile:///etc/passwd" << filled + "x%0Afile:///etc/passwd";
        QTest::newRow("CR LF inside")
            << head + "x\r\nhttp://evil.example/" << filled + "x%0D%0Ahttp://evil.example/";
        QTest::newRow("a line end at the end") << head + "x\r\n" << filled + "x";
        QTest::newRow("a blank inside") << head + "x y" << filled + "x%20y";
        QTest::newRow("an umlaut") << head + "\xC3\xA4" << filled + "%C3%A4";
        const QByteArray pad(2047 - head.size(), 'x');
        QTest::newRow("a character of two units across the cut")
            << head + pad + "\xF0\x9F\x98\x80tail" << filled + QString::fromLatin1(pad);
        QTest::newRow("javascript: before a line end")
            << QByteArray("javascript:alert('[KASTEN1]')\nhttp://shop.example/") << QString();
    }
    void basketPrintsTheAddressTheWindowOpens() {
        QFETCH(QByteArray, linkTemplate);
        QFETCH(QString, printed);
        TempHome home;
        home.writeBytes("tips.tpf", "5,12,23,34,45,7,\r\n");
        home.writeBytes("template.txt", linkTemplate);
        DrawServiceProcess service({"--basket-template", home.file("template.txt")});
        KUGELO_REQUIRE_SERVICE(service);
        const Run r =
            runCli({"basket", home.file("tips.tpf"), "--product-host", service.baseUrl()}, home.path());
        if (printed.isEmpty()) {
            QCOMPARE(r.code, 1);
            QCOMPARE(r.out, QString());
            QVERIFY2(
                r.err.startsWith("kugelo-cli: Nicht geöffnet, keine http- oder https-Adresse: javascript:"),
                qPrintable(r.err));
            QCOMPARE(r.err.count('\n'), 1);
            return;
        }
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, printed + "\n");
    }

    // The commands that load a tip file do what the window does after loading: the selection of the draw
    // checks the rows, which sorts each row's numbers.
    void loadedRowsAreSortedAsInTheWindow_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("print") << "print";
        QTest::newRow("basket") << "basket";
        QTest::newRow("script") << "script";
        QTest::newRow("script without a draw file") << "script, no draws";
    }
    void loadedRowsAreSortedAsInTheWindow() {
        QFETCH(QString, command);
        TempHome home;
        if (!command.endsWith("no draws"))
            home.writeDraws({{"2026-12-07", {1, 2, 3, 4, 5}, 1}, {"2026-12-09", {6, 7, 8, 9, 10}, 2}});
        home.writeBytes("tips.tpf", "45,12,5,34,23,7,\r\n9,3,4,1,2,10,\r\n");
        if (command == "print") {
            const Run r =
                runCli({"--home", home.path(), "print", home.file("tips.tpf"), "--end", "2026-12-09"});
            QCOMPARE(r.code, 0);
            QCOMPARE(r.out,
                     QStringLiteral("Velmars Lotto-Tipp für  12.12.26\n"
                                    "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n\n"
                                    " 1. Velmars Lotto-Tipp für :  5   12   23   34   45   n° CHANCE:  7\n"
                                    " 2. Velmars Lotto-Tipp für :  1    2    3    4    9   n° CHANCE: 10\n"));
        } else if (command == "basket") {
            DrawServiceProcess service;
            KUGELO_REQUIRE_SERVICE(service);
            const Run r =
                runCli({"basket", home.file("tips.tpf"), "--product-host", service.baseUrl()}, home.path());
            QCOMPARE(r.code, 0);
            QVERIFY2(r.out.startsWith(service.baseUrl() + "/lotto/warenkorb2.asp?Tipps=2"
                                                          "&kasten1=5,12,23,34,45,7&kasten2=1,2,3,4,9,10&"),
                     qPrintable(r.out));
        } else {
            home.writeBytes("lotto.csf", "SET [Z1_1] [Z2_1] [Z5_1];[Z1_2] [Z5_2]\n");
            const Run r = runCli(
                {"--home", home.path(), "script", home.file("tips.tpf"), "--script", home.file("lotto.csf")});
            QCOMPARE(r.code, 0);
            QCOMPARE(home.readBytes("Tipps/" + QDate::currentDate().toString("yyyyMMdd") + ".csf"),
                     QByteArray("SET 5 12 45;1 9\r\n"));
            QCOMPARE(r.err, QString());
        }
    }

    // "print" gives the listing the window gives for the same tip file and end date: the rows loaded with
    // "Tipps laden" (the controller's own load, after the stored settings armed the sheet check), then
    // "Tipp ausdrucken".
    void printGivesTheWindowsListing() {
        TempHome home;
        home.writeDraws({{"2026-12-07", {1, 2, 3, 4, 5}, 1}, {"2026-12-09", {6, 7, 8, 9, 10}, 2}});
        home.writeBytes("tips.tpf", "45,12,5,34,23,7,\r\n9,3,4,1,2,10,\r\n,,,,,,\r\n49,1,48,2,47,3,\r\n");
        QByteArray window;
        {
            ScriptedDialogs dialogs;
            RecordingDesktop desktop;
            FixedDayClock clock(QDate(2026, 12, 10));
            RecordingSound sound;
            CliNoHttp http;
            MemorySettingsStore settings;
            Controller controller(Platform{dialogs, desktop, clock, sound, http, settings}, Endpoints(),
                                  home.path());
            controller.beginStartUp(450);
            controller.state().sortieren = true; // as the window's restore of the settings sets it
            controller.endStartUp();
            setPickerDate(controller.state().drawDate, QDate(2026, 12, 9));
            dialogs.fileNames.push_back(home.file("tips.tpf"));
            controller.loadTips();
            controller.printTips();
            QCOMPARE(dialogs.messages, QStringList());
            window = home.readBytes("Tipp.txt");
            QFile::remove(home.file("Tipp.txt"));
        }
        const Run r = runCli({"--home", home.path(), "print", home.file("tips.tpf"), "--end", "2026-12-09"});
        QCOMPARE(r.code, 0);
        QCOMPARE(home.readBytes("Tipp.txt"), window);
        QVERIFY2(window.contains(" 4. Velmars Lotto-Tipp für :  1    2   47   48   49   n° CHANCE:  3\r\n"),
                 window);
    }

    // A file argument that is a FIFO or a device is refused at once with the reason; the command neither
    // waits for a writer nor reads on.
    void fileArgumentsThatAreNoFilesAreRefused_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("refused"); // "fifo" or "device"
        QTest::newRow("script, the click script is a FIFO") << "script"
                                                            << "fifo";
        QTest::newRow("check, the tip file is a FIFO") << "check"
                                                       << "fifo";
        QTest::newRow("import, the archive is a device") << "import"
                                                         << "device";
    }
    void fileArgumentsThatAreNoFilesAreRefused() {
        QFETCH(QString, command);
        QFETCH(QString, refused);
        TempHome home;
        home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9}});
        home.writeBytes("tips.tpf", "5,12,23,34,45,7,\r\n");
        const QString fifo = home.file("pipe");
        QVERIFY(makeFifo(fifo));
        const QString path = refused == "fifo" ? fifo : QStringLiteral("/dev/zero");
        QStringList args{"--home", home.path(), command};
        if (command == "script")
            args << home.file("tips.tpf") << "--script" << path;
        else
            args << path;
        Run r;
        QVERIFY2(endsWithoutWaiting(fifo, [&] { r = runCli(args); }), "the command waited for a writer");
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(notRegularFileText(path)), qPrintable(r.err));
        QVERIFY(!QDir(home.file("Tipps")).exists() || QDir(home.file("Tipps")).isEmpty());
    }

    void executableAnswersHelpAndWrongUsage() {
        const QString program = qEnvironmentVariable("KUGELO_BIN_DIR") + "/kugelo-cli";
        QProcess p;
        p.start(program, {"--version"});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardOutput().startsWith("kugelo-cli "));
        p.start(program, {"nonsense"});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardError().contains("Usage:"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
