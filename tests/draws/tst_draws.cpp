#include "Doubles.h"
#include "TestSupport.h"

#include "app/MainState.h"
#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "draws/DrawImport.h"
#include "i18n/MessageTable.h"
#include "platform/Errors.h"

#include <QFile>
#include <QtTest>

using namespace kugelo;
using namespace kugelo::test;

namespace {

// Three draws of the first week of the game: Monday, Wednesday, Saturday.
void writeFirstWeek(const TempHome& home) {
    home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9, "4674648"},
                     {"2008-10-08", {24, 48, 32, 41, 22}, 1, "8234403"},
                     {"2008-10-11", {46, 22, 10, 39, 20}, 4, "4461098"}});
}

QStringList datesOf(const std::vector<DrawRecord>& records) {
    QStringList dates;
    for (const DrawRecord& r : records)
        dates << r.date().toString(Qt::ISODate);
    return dates;
}

// A main window state with its home in a temporary folder, and the current-draw commands on it.
struct Fixture {
    TempHome home;
    MainState state;
    MessageTable messages;
    ScriptedDialogs dialogs;
    int hitChecks = 0;
    CurrentDraw draw{state, messages, dialogs, [this] { ++hitChecks; }};

    Fixture() { state.Home = home.path(); }
    void select(const char* date) {
        state.DateTimePicker1 = QDate::fromString(QLatin1String(date), Qt::ISODate);
        draw.selectByDate();
    }
};

} // namespace

class TestDraws : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void recordHasTheFileLayout() {
        const DrawRecord r = toRecord({"2008-10-06", {41, 19, 33, 27, 24}, 9, "4674648"});
        char bytes[32];
        std::memset(bytes, 0x55, sizeof bytes);
        r.encode(bytes);
        const QByteArray expected = QByteArray::fromHex("00000000e065e340"     // 39727.0 little-endian
                                                        "13181b21290009"       // 19 24 27 33 41, 0, 9
                                                        "00"                   // byte 15
                                                        "04060704060408"       // digits 4674648
                                                        "000000000000000000"); // 23..31
        QCOMPARE(QByteArray(bytes, 32).toHex(), expected.toHex());
        QCOMPARE(DrawRecord::decode(bytes), r);
        QCOMPARE(r.digits(), QStringLiteral("4674648"));
    }

    void trailingPartialRecordIsIgnoredAndOverwritten() {
        TempHome home;
        home.writeDraws({{"2008-10-06", {1, 2, 3, 4, 5}, 1}, {"2008-10-08", {6, 7, 8, 9, 10}, 2}},
                        QByteArray(13, '\x7f'));
        const DrawFile file(home.drawFile());
        QCOMPARE(file.readAll().size(), std::size_t(2));

        file.append(toRecord({"2008-10-11", {11, 12, 13, 14, 15}, 3}));
        QCOMPARE(QFileInfo(home.drawFile()).size(), qint64(96));
        QCOMPARE(datesOf(file.readAll()), QStringList({"2008-10-06", "2008-10-08", "2008-10-11"}));
        QCOMPARE(file.readAll().back().Zahl[0], std::uint8_t(11));
    }

    void insertKeepsDateOrder_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("before the first")
            << "2008-10-01" << QStringList{"2008-10-01", "2008-10-06", "2008-10-08", "2008-10-11"} << false;
        QTest::newRow("between two") << "2008-10-09"
                                     << QStringList{"2008-10-06", "2008-10-08", "2008-10-09", "2008-10-11"}
                                     << false;
        QTest::newRow("after the last")
            << "2008-10-13" << QStringList{"2008-10-06", "2008-10-08", "2008-10-11", "2008-10-13"} << false;
        QTest::newRow("same date replaces")
            << "2008-10-08" << QStringList{"2008-10-06", "2008-10-08", "2008-10-11"} << true;
    }
    void insertKeepsDateOrder() {
        QFETCH(QString, date);
        QFETCH(QStringList, expected);
        QFETCH(bool, replaced);
        TempHome home;
        writeFirstWeek(home);
        const DrawFile file(home.drawFile());
        const QByteArray d = date.toLatin1();
        QCOMPARE(file.insertInDateOrder(toRecord({d.constData(), {5, 4, 3, 2, 1}, 7})), replaced);
        const auto records = file.readAll();
        QCOMPARE(datesOf(records), expected);
        const auto inserted = std::find_if(records.begin(), records.end(), [&](const DrawRecord& r) {
            return r.date().toString(Qt::ISODate) == date;
        });
        QCOMPARE(inserted->Zahl[0], std::uint8_t(1));
        QCOMPARE(inserted->chance(), std::uint8_t(7));
        QVERIFY(!QFile::exists(home.drawFile() + "~"));
    }

    void removeDateTakesEveryRecordOfThatDateOnly() {
        TempHome home;
        home.writeDraws({{"2008-10-06", {1, 2, 3, 4, 5}, 1},
                         {"2008-10-08", {6, 7, 8, 9, 10}, 2},
                         {"2008-10-08", {11, 12, 13, 14, 15}, 3},
                         {"2008-10-11", {16, 17, 18, 19, 20}, 4}});
        const DrawFile file(home.drawFile());
        QCOMPARE(file.removeDate(toRecord({"2008-10-08", {1, 2, 3, 4, 5}, 1}).Datum), 2);
        QCOMPARE(datesOf(file.readAll()), QStringList({"2008-10-06", "2008-10-11"}));
        QVERIFY(!QFile::exists(home.file("Zahlen.da~")));
    }

    // A rewrite that fails while the temporary file is written must leave the old draw file as it was.
    void failedRewriteLeavesTheOldFileIntact_data() {
        QTest::addColumn<bool>("remove");
        QTest::newRow("remove a draw") << true;
        QTest::newRow("insert a draw") << false;
    }
    void failedRewriteLeavesTheOldFileIntact() {
        QFETCH(bool, remove);
        TempHome home;
        writeFirstWeek(home);
        const QByteArray before = home.readBytes("Kugelo.dat");
        FailingOpener opener;
        opener.failWriteAfter = 40; // one record and a bit of the next
        const DrawFile file(home.drawFile(), opener);
        if (remove)
            QVERIFY_THROWS_EXCEPTION(IoError, file.removeDate(toDayNumber(QDate(2008, 10, 6))));
        else
            QVERIFY_THROWS_EXCEPTION(IoError,
                                     file.insertInDateOrder(toRecord({"2008-10-09", {1, 2, 3, 4, 5}, 1})));
        QCOMPARE(home.readBytes("Kugelo.dat"), before);
        QCOMPARE(DrawFile(home.drawFile()).readAll().size(), std::size_t(3));
        QVERIFY(!QFile::exists(home.file("Zahlen.da~")));
        QVERIFY(!QFile::exists(home.drawFile() + "~"));
    }

    void selectByDate_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("picker");
        QTest::newRow("first draw, more follow")
            << "2008-10-06"
            << "Mo 06.10.08     19  24  27  33  41 n°:9" << 0 << "2008-10-06";
        QTest::newRow("on a draw day") << "2008-10-08"
                                       << "Mi 08.10.08    22  24  32  41  48 n°:1" << 1 << "2008-10-08";
        QTest::newRow("between two draws")
            << "2008-10-09"
            << "Sa 11.10.08    10  20  22  39  46   n°: 4" << 2 << "2008-10-11";
        QTest::newRow("between first and second")
            << "2008-10-07"
            << "Mi 08.10.08    22  24  32  41  48 n°:1" << 1 << "2008-10-08";
        QTest::newRow("the last draw") << "2008-10-11"
                                       << "Sa 11.10.08    10  20  22  39  46   n°: 4" << 2 << "2008-10-11";
        QTest::newRow("after the last draw")
            << "2026-12-10"
            << "Sa 11.10.08    10  20  22  39  46   n°: 4" << 2 << "2008-10-11";
    }
    void selectByDate() {
        QFETCH(QString, date);
        QFETCH(QString, line);
        QFETCH(int, position);
        QFETCH(QString, picker);
        Fixture f;
        writeFirstWeek(f.home);
        f.select(date.toLatin1().constData());
        QCOMPARE(f.state.Label29, line);
        QCOMPARE(f.state.Label35, line);
        QCOMPARE(f.state.Position, position);
        QCOMPARE(f.state.DateTimePicker1, QDate::fromString(picker, Qt::ISODate));
        QCOMPARE(f.state.aktDatum, toDayNumber(QDate::fromString(date, Qt::ISODate)));
        int sum = 0;
        for (int i = 1; i <= 5; ++i)
            sum += f.state.Zahl[i];
        QCOMPARE(f.state.Label13, QStringLiteral("Quersumme: %1").arg(sum));
        QCOMPARE(f.hitChecks, 1);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void selectOnASingleDrawUsesTheLastDrawForm() {
        Fixture f;
        f.home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9}});
        f.select("2008-10-06");
        QCOMPARE(f.state.Label29, QStringLiteral("Mo 06.10.08    19  24  27  33  41   n°: 9"));
        QCOMPARE(f.state.Position, 0);
    }

    void selectWithoutDrawFileAsksForDrawsAndCreatesTheFile() {
        Fixture f;
        f.state.Label29 = "before";
        f.select("2008-10-08");
        QCOMPARE(f.dialogs.messages, QStringList{"Lesen Sie zuerst die Daten der Ziehungen ein"});
        QVERIFY(QFile::exists(f.home.drawFile()));
        QCOMPARE(QFileInfo(f.home.drawFile()).size(), qint64(0));
        QCOMPARE(f.state.Label29, QStringLiteral("before"));
        QCOMPARE(f.hitChecks, 0);
    }

    void emptyFileSelectsNothingAndStepsShowNothing() {
        Fixture f;
        f.home.writeDraws({});
        f.state.Label29 = "before";
        f.select("2008-10-08");
        f.draw.stepBack();
        f.draw.stepForward();
        QCOMPARE(f.state.Label29, QStringLiteral("before"));
        QCOMPARE(f.state.Label13, QStringLiteral("Quersumme"));
        QCOMPARE(f.state.Datum1, 0.0);
        QCOMPARE(f.state.DateTimePicker1, QDate(2008, 10, 8));
    }

    void steppingStopsAtBothEnds() {
        Fixture f;
        writeFirstWeek(f.home);
        f.state.DateTimePicker2 = QDate(2008, 10, 7);
        f.select("2008-10-06");
        f.draw.stepBack();
        QCOMPARE(f.state.Label29, QStringLiteral("Mo 06.10.08    19  24  27  33  41   n°: 9"));
        QCOMPARE(f.state.Position, 0);
        QCOMPARE(f.state.aktDatum, toDayNumber(QDate(2008, 10, 7))); // steps work from DateTimePicker2

        QStringList seen;
        for (int i = 0; i < 4; ++i) {
            f.draw.stepForward();
            seen << f.state.DateTimePicker1.toString(Qt::ISODate) + "@" + QString::number(f.state.Position);
        }
        QCOMPARE(seen, QStringList({"2008-10-08@1", "2008-10-11@2", "2008-10-11@2", "2008-10-11@2"}));
        QCOMPARE(f.state.Label35, QStringLiteral("Sa 11.10.08    10  20  22  39  46   n°: 4"));

        f.draw.stepBack();
        QCOMPARE(f.state.DateTimePicker1, QDate(2008, 10, 8));
        QCOMPARE(f.state.Label13, QStringLiteral("Quersumme: 167"));
        QCOMPARE(f.hitChecks, 7);
    }

    void removingTheCurrentDrawSelectsTheNextLaterOrTheLast() {
        Fixture f;
        writeFirstWeek(f.home);
        f.select("2008-10-08");
        f.draw.removeCurrent();
        QCOMPARE(f.state.DateTimePicker1, QDate(2008, 10, 11));
        QCOMPARE(datesOf(DrawFile(f.home.drawFile()).readAll()), QStringList({"2008-10-06", "2008-10-11"}));

        f.draw.removeCurrent();
        QCOMPARE(f.state.DateTimePicker1, QDate(2008, 10, 6));
        QCOMPARE(f.state.Label29, QStringLiteral("Mo 06.10.08    19  24  27  33  41   n°: 9"));

        f.draw.removeCurrent(); // the only draw: the file is left empty, the lines keep their texts
        QCOMPARE(QFileInfo(f.home.drawFile()).size(), qint64(0));
        QCOMPARE(f.state.Label29, QStringLiteral("Mo 06.10.08    19  24  27  33  41   n°: 9"));
    }

    // A record that cannot be read while searching shows "Fehler" and the search goes on; the record read
    // last before it stays in the buffer and is taken at the end of the file.
    void unreadableRecordsInTheSearchShowFehler() {
        TempHome home;
        writeFirstWeek(home);
        MainState state;
        state.Home = home.path();
        state.DateTimePicker1 = QDate(2008, 10, 11);
        MessageTable messages;
        ScriptedDialogs dialogs;
        FailingOpener opener;
        opener.failReadAfter = 40;
        CurrentDraw(state, messages, dialogs, {}, opener).selectByDate();
        QCOMPARE(dialogs.messages, QStringList({"Fehler", "Fehler"}));
        QCOMPARE(state.Label29, QStringLiteral("Mo 06.10.08    19  24  27  33  41   n°: 9"));
        QCOMPARE(state.Position, 2);
    }

    void removeWithoutDrawFileIsAnIoError() {
        Fixture f;
        QVERIFY_THROWS_EXCEPTION(IoError, f.draw.removeCurrent());
        QVERIFY(!QFile::exists(f.home.drawFile()));
    }

    void importReadsBothFormats_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("expected"); // date numbers chance digits of each draw, ';'-joined
        QTest::newRow("plain with header")
            << QByteArray("date,n1,n2,n3,n4,n5,chance,joker\n"
                          "2008-10-06,19,33,41,24,27,9,4674648\n"
                          "2022-07-02,1,2,3,4,5,10,\n")
            << "2008-10-06 19 24 27 33 41 9 4674648;2022-07-02 1 2 3 4 5 10 0000000";
        QTest::newRow("plain, CR LF, no header") << QByteArray("2008-10-08,24,48,32,41,22,1,8234403\r\n\r\n")
                                                 << "2008-10-08 22 24 32 41 48 1 8234403";
        QTest::newRow("archive, dd/mm/yyyy, spaced Joker+")
            << QByteArray(
                   "\xEF\xBB\xBF"
                   "annee_numero_de_tirage;jour_de_tirage;date_de_tirage;date_de_forclusion;"
                   "boule_1;boule_2;boule_3;boule_4;boule_5;numero_chance;combinaison_gagnante_en_ordre_"
                   "croissant;"
                   "numero_jokerplus;devise;\r\n"
                   "2019015;SAMEDI   ;02/02/2019;03/04/2019;7;36;8;45;20;2;7-8-20-36-45+2;7 581 414;eur;\r\n")
            << "2019-02-02 7 8 20 36 45 2 7581414";
        QTest::newRow("archive, yyyymmdd, numero_7 unavailable")
            << QByteArray("date_de_tirage;boule_1;boule_2;boule_3;boule_4;boule_5;numero_chance;numero_7\n"
                          "20220702;49;1;25;13;37;3;Jokerplus indisponible\n")
            << "2022-07-02 1 13 25 37 49 3 0000000";
    }
    void importReadsBothFormats() {
        QFETCH(QByteArray, csv);
        QFETCH(QString, expected);
        QStringList got;
        for (const DrawRecord& r : parseDrawCsv("x.csv", csv)) {
            QString s = r.date().toString(Qt::ISODate);
            for (int i = 0; i < 5; ++i)
                s += " " + QString::number(r.Zahl[i]);
            got << s + " " + QString::number(r.chance()) + " " + r.digits();
        }
        QCOMPARE(got.join(';'), expected);
    }

    void importRejectsBadLines_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("error");
        const QByteArray good = "date,n1,n2,n3,n4,n5,chance,joker\n2008-10-06,19,33,41,24,27,9,4674648\n";
        QTest::newRow("main number 50") << good + "2008-10-08,24,50,32,41,22,1,8234403\n"
                                        << "in.csv:3: main number out of range 1..49: 50";
        QTest::newRow("main number 0") << good + "2008-10-08,0,48,32,41,22,1,8234403\n"
                                       << "in.csv:3: main number out of range 1..49: 0";
        QTest::newRow("repeated main number") << good + "2008-10-08,24,48,32,24,22,1,8234403\n"
                                              << "in.csv:3: repeated main number: 24";
        QTest::newRow("n° CHANCE 11") << good + "2008-10-08,24,48,32,41,22,11,8234403\n"
                                      << "in.csv:3: n° CHANCE out of range 1..10: 11";
        QTest::newRow("bad date") << good + "2008-02-30,24,48,32,41,22,1,8234403\n"
                                  << "in.csv:3: bad date: \"2008-02-30\"";
        QTest::newRow("letters") << good + "2008-10-08,24,x8,32,41,22,1,8234403\n"
                                 << "in.csv:3: main number is not a number: \"x8\"";
        QTest::newRow("negative") << good + "2008-10-08,24,-8,32,41,22,1,8234403\n"
                                  << "in.csv:3: main number is not a number: \"-8\"";
        QTest::newRow("too few fields") << good + "2008-10-08,24,48\n"
                                        << "in.csv:3: too few fields (3)";
        QTest::newRow("short Joker+") << good + "2008-10-08,24,48,32,41,22,1,823\n"
                                      << "in.csv:3: Joker+ number is not seven digits: \"823\"";
        QTest::newRow("archive without numero_chance")
            << QByteArray("date_de_tirage;boule_1;boule_2;boule_3;boule_4;boule_5\n")
            << "in.csv:1: header lacks numero_chance";
    }
    void importRejectsBadLines() {
        QFETCH(QByteArray, csv);
        QFETCH(QString, error);
        try {
            parseDrawCsv("in.csv", csv);
            QFAIL("no error");
        } catch (const ImportError& e) {
            QCOMPARE(e.text(), error);
        }
    }

    void importMergesByDateAndReplacesStoredDraws() {
        TempHome home;
        home.writeDraws({{"2008-10-06", {1, 2, 3, 4, 5}, 1}, {"2008-10-11", {6, 7, 8, 9, 10}, 2}});
        const DrawFile file(home.drawFile());
        const ImportResult result = importDraws(file, toRecords({{"2008-10-13", {11, 12, 13, 14, 15}, 3},
                                                                 {"2008-10-08", {16, 17, 18, 19, 20}, 4},
                                                                 {"2008-10-11", {21, 22, 23, 24, 25}, 5}}));
        QCOMPARE(result.imported, 3);
        QCOMPARE(result.replaced, 1);
        const auto records = file.readAll();
        QCOMPARE(datesOf(records), QStringList({"2008-10-06", "2008-10-08", "2008-10-11", "2008-10-13"}));
        QCOMPARE(records[2].chance(), std::uint8_t(5));
    }
};

QTEST_GUILESS_MAIN(TestDraws)
#include "tst_draws.moc"
