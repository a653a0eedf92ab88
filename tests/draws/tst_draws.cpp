#include "Doubles.h"
#include "DrawServiceProcess.h"
#include "TestSupport.h"

#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "draws/DrawImport.h"
#include "draws/DrawUpdate.h"
#include "draws/ManualEntry.h"
#include "i18n/MessageTable.h"
#include "i18n/TextFile.h"
#include "platform/Convert.h"
#include "platform/DayNumber.h"
#include "platform/Endpoints.h"
#include "platform/Errors.h"
#include "platform/HttpClient.h"
#include "state/MainState.h"

#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <cmath>
#include <limits>
#include <memory>

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
        state.drawDate = QDate::fromString(QLatin1String(date), Qt::ISODate);
        draw.selectByDate();
    }
};

// The first two weeks of the game, as the stand-in draw service serves them.
const QByteArray kTwoWeeksCsv = "date,n1,n2,n3,n4,n5,chance,joker\n"
                                "2008-10-06,19,33,41,24,27,9,4674648\n"
                                "2008-10-08,24,48,32,41,22,1,8234403\n"
                                "2008-10-11,46,22,10,39,20,4,4461098\n"
                                "2008-10-13,41,10,48,37,11,4,3725522\n"
                                "2008-10-15,20,49,28,18,40,1,4425002\n"
                                "2008-10-18,35,44,4,32,39,10,6297506\n";
const QDate kTwoWeeksToday(2008, 10, 19);

// An update over a fixture home against the stand-in service (or any host), recording what it shows.
struct UpdateFixture : Fixture {
    QtHttpClient http;
    FixedDayClock clock;
    std::function<bool()> stopWhen;
    std::function<UpdateProxy()> proxy;
    QList<QDate> days;
    QStringList statusLines;
    QStringList shownDraws; // Label29 + " | " + Label13 for every stored draw
    QString panel0;
    QString panel1;

    UpdateResult run(const QString& host, const QDate& today,
                     const FileOpener& opener = FileOpener::standard()) {
        clock.setDay(today);
        const Endpoints endpoints(host, Endpoints::defaultCompanyHost(), Endpoints::defaultResultsHost());
        ProgressFunctions progress;
        progress.onStop = [this] { return stopWhen && stopWhen(); };
        progress.onStatus = [this](int panel, const QString& text) { (panel == 0 ? panel0 : panel1) = text; };
        UpdateHooks hooks;
        hooks.progress = &progress;
        hooks.proxy = proxy;
        hooks.message = [this](const QString& text) { dialogs.message(text); };
        hooks.drawShown = [this] { shownDraws << state.currentDrawLine + " | " + state.crossSumText; };
        hooks.dayDone = [this](const QDate& day, const QString& line) {
            days << day;
            statusLines << line;
        };
        DrawUpdate update(state, messages, http, endpoints, clock, draw, hooks, opener);
        update.setRequestDeadline(1500); // a hostile service costs a day no more than this
        return update.run();
    }
    std::vector<DrawRecord> stored() const { return DrawFile(home.drawFile()).readAll(); }
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
        DrawRecord last;
        QVERIFY(file.lastRecord(last));
        QCOMPARE(last.date(), QDate(2008, 10, 8));

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
        QCOMPARE(f.state.currentDrawLine, line);
        QCOMPARE(f.state.currentDrawStripLine, line);
        QCOMPARE(f.state.Position, position);
        QCOMPARE(f.state.drawDate, QDate::fromString(picker, Qt::ISODate));
        QCOMPARE(f.state.aktDatum, toDayNumber(QDate::fromString(date, Qt::ISODate)));
        int sum = 0;
        for (int n : f.state.current.numbers())
            sum += n;
        QCOMPARE(f.state.crossSumText, QStringLiteral("Quersumme: %1").arg(sum));
        QCOMPARE(f.hitChecks, 1);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void selectionStepsOverADamagedRecord() {
        Fixture f;
        writeFirstWeek(f.home);
        QByteArray bytes = f.home.readBytes("Kugelo.dat");
        bytes.insert(2 * DrawRecord::Size, QByteArray(8, '\xff') + QByteArray(DrawRecord::Size - 8, '\0'));
        f.home.writeBytes("Kugelo.dat", bytes);
        f.select("2008-10-09");
        QCOMPARE(f.state.currentDrawLine, QStringLiteral("Sa 11.10.08    10  20  22  39  46   n°: 4"));
        QCOMPARE(f.state.Position, 3);
    }

    // A record that holds no draw is passed over as one whose date is no day: the selection finds the draws
    // around it, the steps go past it, and the last draw (where the update starts) is the one before it.
    void aRecordThatHoldsNoDrawIsPassedOver_data() { addImpossibleDrawRows(); }
    void aRecordThatHoldsNoDrawIsPassedOver() {
        QFETCH(QList<int>, numbers);
        Fixture f;
        f.home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9}, {"2008-10-08", {24, 48, 32, 41, 22}, 1}},
                          encodeDrawRecords({impossibleRecord("2008-10-09", numbers),
                                             toRecord({"2008-10-11", {46, 22, 10, 39, 20}, 4}),
                                             impossibleRecord("2008-10-13", numbers)}));
        QStringList seen;
        const auto see = [&] { seen << f.state.currentDrawLine + " @" + QString::number(f.state.Position); };
        for (const char* date : {"2008-10-09", "2008-10-12", "2026-12-10"}) {
            f.select(date);
            see();
        }
        f.draw.stepBack();
        see();
        f.draw.stepForward();
        see();
        f.draw.stepForward();
        see();
        QCOMPARE(seen, QStringList({"Sa 11.10.08    10  20  22  39  46   n°: 4 @3",
                                    "Sa 11.10.08    10  20  22  39  46   n°: 4 @3",
                                    "Sa 11.10.08    10  20  22  39  46   n°: 4 @3",
                                    "Mi 08.10.08    22  24  32  41  48   n°: 1 @1",
                                    "Sa 11.10.08    10  20  22  39  46   n°: 4 @3",
                                    "Sa 11.10.08    10  20  22  39  46   n°: 4 @3"}));
        const DrawFile file(f.home.drawFile());
        DrawRecord last;
        QVERIFY(file.lastRecord(last));
        QCOMPARE(last.date(), QDate(2008, 10, 11));
        QCOMPARE(datesOf(file.readDraws()), QStringList({"2008-10-06", "2008-10-08", "2008-10-11"}));
        QCOMPARE(file.readAll().size(), std::size_t(5)); // the file keeps them
    }

    // A draw typed in after the last draw but before a later record that holds no draw goes before that
    // record: the file stays in date order.
    void manualEntryBeforeARecordThatHoldsNoDrawKeepsDateOrder() {
        TempHome home;
        home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9}},
                        encodeDrawRecords({impossibleRecord("2008-10-11", {7, 7, 7, 7, 7, 3})}));
        const DrawFile file(home.drawFile());
        const DrawRecord entered = toRecord({"2008-10-08", {24, 48, 32, 41, 22}, 1});
        storeManualEntry(file, entered, entered);
        QCOMPARE(datesOf(file.readAll()), QStringList({"2008-10-06", "2008-10-08", "2008-10-11"}));
    }

    void selectOnASingleDrawUsesTheLastDrawForm() {
        Fixture f;
        f.home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9}});
        f.select("2008-10-06");
        QCOMPARE(f.state.currentDrawLine, QStringLiteral("Mo 06.10.08    19  24  27  33  41   n°: 9"));
        QCOMPARE(f.state.Position, 0);
    }

    void selectWithoutDrawFileAsksForDrawsAndCreatesTheFile() {
        Fixture f;
        f.state.currentDrawLine = "before";
        f.select("2008-10-08");
        QCOMPARE(f.dialogs.messages, QStringList{"Lesen Sie zuerst die Daten der Ziehungen ein"});
        QVERIFY(QFile::exists(f.home.drawFile()));
        QCOMPARE(QFileInfo(f.home.drawFile()).size(), qint64(0));
        QCOMPARE(f.state.currentDrawLine, QStringLiteral("before"));
        QCOMPARE(f.hitChecks, 0);
    }

    void emptyFileSelectsNothingAndStepsShowNothing() {
        Fixture f;
        f.home.writeDraws({});
        f.state.currentDrawLine = "before";
        f.select("2008-10-08");
        f.draw.stepBack();
        f.draw.stepForward();
        QCOMPARE(f.state.currentDrawLine, QStringLiteral("before"));
        QCOMPARE(f.state.crossSumText, QStringLiteral("Quersumme"));
        QCOMPARE(f.state.current.Datum, 0.0);
        QCOMPARE(f.state.drawDate, QDate(2008, 10, 8));
    }

    void steppingStopsAtBothEnds() {
        Fixture f;
        writeFirstWeek(f.home);
        f.state.statisticsStart = QDate(2008, 10, 7);
        f.select("2008-10-06");
        f.draw.stepBack();
        QCOMPARE(f.state.currentDrawLine, QStringLiteral("Mo 06.10.08    19  24  27  33  41   n°: 9"));
        QCOMPARE(f.state.Position, 0);
        QCOMPARE(f.state.aktDatum, toDayNumber(QDate(2008, 10, 7))); // steps work from DateTimePicker2

        QStringList seen;
        for (int i = 0; i < 4; ++i) {
            f.draw.stepForward();
            seen << f.state.drawDate.toString(Qt::ISODate) + "@" + QString::number(f.state.Position);
        }
        QCOMPARE(seen, QStringList({"2008-10-08@1", "2008-10-11@2", "2008-10-11@2", "2008-10-11@2"}));
        QCOMPARE(f.state.currentDrawStripLine, QStringLiteral("Sa 11.10.08    10  20  22  39  46   n°: 4"));

        f.draw.stepBack();
        QCOMPARE(f.state.drawDate, QDate(2008, 10, 8));
        QCOMPARE(f.state.crossSumText, QStringLiteral("Quersumme: 167"));
        QCOMPARE(f.hitChecks, 7);
    }

    void removingTheCurrentDrawSelectsTheNextLaterOrTheLast() {
        Fixture f;
        writeFirstWeek(f.home);
        f.select("2008-10-08");
        f.draw.removeCurrent();
        QCOMPARE(f.state.drawDate, QDate(2008, 10, 11));
        QCOMPARE(datesOf(DrawFile(f.home.drawFile()).readAll()), QStringList({"2008-10-06", "2008-10-11"}));

        f.draw.removeCurrent();
        QCOMPARE(f.state.drawDate, QDate(2008, 10, 6));
        QCOMPARE(f.state.currentDrawLine, QStringLiteral("Mo 06.10.08    19  24  27  33  41   n°: 9"));

        f.draw.removeCurrent(); // the only draw: the file is left empty, the lines keep their texts
        QCOMPARE(QFileInfo(f.home.drawFile()).size(), qint64(0));
        QCOMPARE(f.state.currentDrawLine, QStringLiteral("Mo 06.10.08    19  24  27  33  41   n°: 9"));
    }

    // A record that cannot be read while searching shows "Fehler" and the search goes on; the record read
    // last before it stays in the buffer and is taken at the end of the file.
    void unreadableRecordsInTheSearchShowFehler() {
        TempHome home;
        writeFirstWeek(home);
        MainState state;
        state.Home = home.path();
        state.drawDate = QDate(2008, 10, 11);
        MessageTable messages;
        ScriptedDialogs dialogs;
        FailingOpener opener;
        opener.failReadAfter = 40;
        CurrentDraw(state, messages, dialogs, {}, opener).selectByDate();
        QCOMPARE(dialogs.messages, QStringList({"Fehler", "Fehler"}));
        QCOMPARE(state.currentDrawLine, QStringLiteral("Mo 06.10.08    19  24  27  33  41   n°: 9"));
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
        for (const DrawRecord& r : parseDrawCsv("x.csv", textLines(csv))) {
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
        // A typo in the year would make every later update ask for nothing.
        QTest::newRow("date after today") << good + "2062-07-15,24,48,32,41,22,1,8234403\n"
                                          << "in.csv:3: date after today: \"2062-07-15\"";
        QTest::newRow("date before the first draw")
            << good + "2008-10-04,24,48,32,41,22,1,8234403\n"
            << "in.csv:3: date before the first draw of this game (2008-10-06): \"2008-10-04\"";
        QTest::newRow("year 1")
            << good + "0001-01-01,24,48,32,41,22,1,8234403\n"
            << "in.csv:3: date before the first draw of this game (2008-10-06): \"0001-01-01\"";
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
            parseDrawCsv("in.csv", textLines(csv), QDate(2026, 12, 10));
            QFAIL("no error");
        } catch (const ImportError& e) {
            QCOMPARE(e.text(), error);
        }
        // Leaving bad lines out instead (the window's import): the same reason, and the lines around the bad
        // one are read; a header without its columns leaves out the whole file.
        SkippedLines skipped;
        const std::vector<DrawRecord> draws =
            parseDrawCsv("in.csv", textLines(csv + "2008-10-11,46,22,10,39,20,4,4461098\n"),
                         QDate(2026, 12, 10), &skipped);
        QCOMPARE(skipped.count, 1);
        QCOMPARE(skipped.reasons, QStringList{error});
        QCOMPARE(draws.size(), std::size_t(csv.startsWith("date,") ? 2 : 0));
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

    void answerLineParsing_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("parsed");
        QTest::addColumn<QString>("numbers"); // five main numbers, n° CHANCE, digits
        QTest::newRow("the example") << "3,49,17,5,22,7,1234567" << true << "3 5 17 22 49 7 1234567";
        QTest::newRow("blanks around numbers")
            << " 3 , 49,17 ,5,22 , 7 ,1234567 " << true << "3 5 17 22 49 7 1234567";
        QTest::newRow("blanks after the digits")
            << "3,49,17,5,22,7,1234567  " << true << "3 5 17 22 49 7 1234567";
        QTest::newRow("the lowest and highest numbers")
            << "49,1,2,3,48,10,0000000" << true << "1 2 3 48 49 10 0000000";
        // Numbers no draw has: once stored as their lowest byte they would score wrongly in every check.
        QTest::newRow("eight digits") << "3,49,17,5,22,7,12345678" << false << "";
        QTest::newRow("nine digits") << "3,49,17,5,22,7,123456789" << false << "";
        QTest::newRow("main number 0") << "0,2,3,4,5,1,1234567" << false << "";
        QTest::newRow("main number 50") << "1,2,3,4,50,1,1234567" << false << "";
        QTest::newRow("main number -1") << "-1,2,3,4,5,1,1234567" << false << "";
        QTest::newRow("main number 305 (49 as a byte)") << "305,2,3,4,5,1,1234567" << false << "";
        QTest::newRow("values beyond a byte") << "300,2,3,4,5,266,0000000" << false << "";
        QTest::newRow("n° CHANCE 0") << "1,2,3,4,5,0,1234567" << false << "";
        QTest::newRow("n° CHANCE 11") << "1,2,3,4,5,11,1234567" << false << "";
        QTest::newRow("five equal numbers") << "7,7,7,7,7,1,1234567" << false << "";
        QTest::newRow("one number twice") << "7,8,9,10,7,1,1234567" << false << "";
        QTest::newRow("blank before the digits") << "3,49,17,5,22,7, 1234567" << false << "";
        QTest::newRow("six fields") << "3,49,17,5,22,7" << false << "";
        QTest::newRow("short remainder") << "3,49,17,5,22,7,123456" << false << "";
        QTest::newRow("remainder not a number") << "3,49,17,5,22,7,1234567x" << false << "";
        QTest::newRow("field not a number") << "3,4a,17,5,22,7,1234567" << false << "";
        QTest::newRow("empty field") << "3,,17,5,22,7,1234567" << false << "";
        QTest::newRow("empty line") << "" << false << "";
        QTest::newRow("a notice") << "Wartungsarbeiten bis 18 Uhr" << false << "";
    }
    void answerLineParsing() {
        QFETCH(QString, line);
        QFETCH(bool, parsed);
        QFETCH(QString, numbers);
        const double datum = toDayNumber(QDate(2008, 10, 8));
        DrawRecord record;
        QCOMPARE(parseDrawLine(line, datum, record), parsed);
        if (!parsed) return;
        QCOMPARE(record.Datum, datum);
        QString got;
        for (int i = 0; i < 5; ++i)
            got += QString::number(record.Zahl[i]) + ' ';
        got += QString::number(record.chance()) + ' ' + record.digits();
        QCOMPARE(got, numbers);
        QCOMPARE(record.Zahl[5], std::uint8_t(0));
        QCOMPARE(record.Zahl[7], std::uint8_t(0));
    }

    void answerBodiesSplitIntoLines_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("one line with CR LF") << QByteArray("a\r\n") << QStringList{"a"};
        QTest::newRow("no ending") << QByteArray("a") << QStringList{"a"};
        QTest::newRow("mixed endings") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("only a line end") << QByteArray("\r\n") << QStringList{""};
    }
    void answerBodiesSplitIntoLines() {
        QFETCH(QByteArray, body);
        QFETCH(QStringList, lines);
        QCOMPARE(answerLines(body), lines);
    }

    // The whole real history served by the stand-in service, fetched day by day into an empty file.
    void fullUpdateFromTheRealHistory() {
        const QString csv = realHistoryCsv();
        if (csv.isEmpty()) QSKIP("the public draw history (../shared/data/loto-history.csv) is absent");
        DrawServiceProcess service({"--csv", csv});
        KUGELO_REQUIRE_SERVICE(service);
        std::vector<DrawRecord> expected = readHistoryCsv(csv);
        const QDate last = expected.back().date();
        UpdateFixture f;
        const UpdateResult result = f.run(service.baseUrl(), last);

        // An empty file starts the day after the first draw date, so the first draw is not asked for.
        expected.erase(expected.begin());
        QCOMPARE(f.days.first(), QDate(2008, 10, 7));
        QCOMPARE(f.days.last(), last);
        QCOMPARE(result.daysRequested, int(QDate(2008, 10, 7).daysTo(last) + 1));
        QCOMPARE(result.drawsStored, int(expected.size()));
        const std::vector<DrawRecord> stored = f.stored();
        QCOMPARE(stored.size(), expected.size());
        for (std::size_t i = 0; i < stored.size(); ++i)
            if (!(stored[i] == expected[i]))
                QFAIL(
                    qPrintable("record " + QString::number(i) + " differs: " + stored[i].date().toString()));
        // The newest draw is current and the sheet was checked against it.
        QCOMPARE(f.state.current.Datum, expected.back().Datum);
        QCOMPARE(f.state.currentDrawStripLine, f.state.currentDrawLine);
        QVERIFY(f.hitChecks > 0);
        QCOMPARE(f.panel0, QStringLiteral("HTTP/1.1 200 OK"));
        QCOMPARE(f.panel1, f.messages[45]);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // Every fault the service can inject costs at most the draw of its day; the run goes on and the file
    // stays in date order.
    void faultsCostOnlyTheirDay_data() {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QStringList>("shown"); // messages
        const QStringList all{"2008-10-08", "2008-10-11", "2008-10-13", "2008-10-15", "2008-10-18"};
        const QStringList without13{"2008-10-08", "2008-10-11", "2008-10-15", "2008-10-18"};
        QTest::newRow("no fault") << QStringList() << all << QStringList();
        QTest::newRow("error status")
            << QStringList{"--error", "2008-10-13=503"} << without13 << QStringList();
        QTest::newRow("not found") << QStringList{"--error", "2008-10-13=404"} << without13 << QStringList();
        QTest::newRow("body cut in a line")
            << QStringList{"--cut", "2008-10-13"} << without13 << QStringList();
        QTest::newRow("connection closed")
            << QStringList{"--drop", "2008-10-13"} << without13 << QStringList();
        QTest::newRow("body of several MiB")
            << QStringList{"--huge", "2008-10-13"} << without13 << QStringList();
        QTest::newRow("a notice") << QStringList{"--notice", "2008-10-13=Wartung bis 20 Uhr"} << without13
                                  << QStringList{"Wartung bis 20 Uhr\r\n"};
        QTest::newRow("a whole reply ending in a line") << QStringList{"--notice", "2008-10-13=41,10,48,37"}
                                                        << without13 << QStringList{"41,10,48,37\r\n"};
        QTest::newRow("a draw line, then a notice: the draw stays")
            << QStringList{"--notice", "2008-10-13=41,10,48,37,11,4,3725522\nWartung"} << all
            << QStringList{"41,10,48,37,11,4,3725522\nWartung\r\n"};
        QTest::newRow("two days without reply, then replies again")
            << QStringList{"--drop", "2008-10-09", "--drop", "2008-10-10"} << all << QStringList();
        // A hostile service: slow, endless or broken replies cost their day within the deadline, and
        // numbers no draw has are shown, not stored.
        QTest::newRow("headers, then one byte per second")
            << QStringList{"--trickle", "2008-10-13"} << without13 << QStringList();
        QTest::newRow("headers, then silence")
            << QStringList{"--stall", "2008-10-13"} << without13 << QStringList();
        QTest::newRow("a body that never ends")
            << QStringList{"--endless-body", "2008-10-13"} << without13 << QStringList();
        QTest::newRow("headers that never end")
            << QStringList{"--endless-headers", "2008-10-13"} << without13 << QStringList();
        QTest::newRow("a body that cannot be decompressed")
            << QStringList{"--bad-gzip", "2008-10-13"} << without13 << QStringList();
        QTest::newRow("impossible numbers") << QStringList{"--impossible", "2008-10-13"} << without13
                                            << QStringList{"1,2,3,4,50,1,1234567\r\n"};
        QTest::newRow("five equal numbers") << QStringList{"--notice", "2008-10-13=7,7,7,7,7,1,1234567"}
                                            << without13 << QStringList{"7,7,7,7,7,1,1234567\r\n"};
    }
    void faultsCostOnlyTheirDay() {
        QFETCH(QStringList, faults);
        QFETCH(QStringList, dates);
        QFETCH(QStringList, shown);
        ServedHistory service(kTwoWeeksCsv, faults);
        KUGELO_REQUIRE_SERVICE(service);
        UpdateFixture f;
        const UpdateResult result = f.run(service.baseUrl(), kTwoWeeksToday);
        QCOMPARE(result.daysRequested, 13);
        QVERIFY(!result.unreachable);
        QCOMPARE(datesOf(f.stored()), dates);
        QCOMPARE(f.dialogs.messages, shown);
        QCOMPARE(QFileInfo(f.home.drawFile()).size(), qint64(dates.size()) * DrawRecord::Size);
        QCOMPARE(f.state.current.Datum, toDayNumber(QDate(2008, 10, 18)));
    }

    void twoDrawsOnOneDateAreBothStored() {
        ServedHistory service(kTwoWeeksCsv, {"--double", "2008-10-13"});
        KUGELO_REQUIRE_SERVICE(service);
        UpdateFixture f;
        f.run(service.baseUrl(), kTwoWeeksToday);
        QCOMPARE(datesOf(f.stored()), QStringList({"2008-10-08", "2008-10-11", "2008-10-13", "2008-10-13",
                                                   "2008-10-15", "2008-10-18"}));
        QVERIFY(!(f.stored()[2] == f.stored()[3]));
    }

    void theExampleLineIsStoredAndShown() {
        ServedHistory service(kTwoWeeksCsv, {"--notice", "2008-10-07=3,49,17,5,22,7,1234567"});
        KUGELO_REQUIRE_SERVICE(service);
        UpdateFixture f;
        f.run(service.baseUrl(), QDate(2008, 10, 7));
        QCOMPARE(f.days, QList<QDate>{QDate(2008, 10, 7)});
        const std::vector<DrawRecord> stored = f.stored();
        QCOMPARE(stored.size(), std::size_t(1));
        QCOMPARE(stored[0], toRecord({"2008-10-07", {3, 5, 17, 22, 49}, 7, "1234567"}));
        QCOMPARE(f.shownDraws, QStringList{"Di 07.10.08     3  5  17  22  49   n°: 7 | Quersumme: 96"});
    }

    void stopAndResumeAfterTheLastStoredDraw() {
        ServedHistory service(kTwoWeeksCsv);
        KUGELO_REQUIRE_SERVICE(service);
        UpdateFixture f;
        f.stopWhen = [&f] { return f.days.size() >= 6; }; // stop after Sunday 12 October
        const UpdateResult first = f.run(service.baseUrl(), kTwoWeeksToday);
        QVERIFY(first.stopped);
        QCOMPARE(first.daysRequested, 6);
        QCOMPARE(datesOf(f.stored()), QStringList({"2008-10-08", "2008-10-11"}));

        // The next run starts on the Sunday after the last stored draw, a Saturday.
        f.stopWhen = {};
        f.days.clear();
        const UpdateResult second = f.run(service.baseUrl(), kTwoWeeksToday);
        QVERIFY(!second.stopped);
        QCOMPARE(f.days.first(), QDate(2008, 10, 12));
        QCOMPARE(f.days.last(), kTwoWeeksToday);
        QCOMPARE(datesOf(f.stored()),
                 QStringList({"2008-10-08", "2008-10-11", "2008-10-13", "2008-10-15", "2008-10-18"}));
    }

    // Nothing listens on port 1 of the loopback address: every request is refused at once. The last status
    // text names what failed, the proxy or the service, and where to look.
    void anUnreachableServiceEndsTheRunAfterThreeDays_data() {
        QTest::addColumn<QString>("proxy"); // "listening": a proxy that takes connections and closes them
        QTest::addColumn<QString>("hint");
        QTest::newRow("no proxy") << ""
                                  << "Der Ziehungsdienst http://127.0.0.1:1 antwortet nicht (Connection "
                                     "refused). Prüfen Sie die Internetverbindung und den Produkt-Server auf "
                                     "der Registerkarte \u201EInternet-Optionen\u201C.";
        QTest::newRow("unreachable proxy") << "127.0.0.1:1"
                                           << "Der Proxy 127.0.0.1:1 antwortet nicht (Connection refused). "
                                              "Prüfen Sie Proxy und Port auf der "
                                              "Registerkarte \u201EInternet-Optionen\u201C.";
        QTest::newRow("proxy reached, no answer") << "listening"
                                                  << "Der Ziehungsdienst http://127.0.0.1:1 antwortet nicht";
    }
    void anUnreachableServiceEndsTheRunAfterThreeDays() {
        QFETCH(QString, proxy);
        QFETCH(QString, hint);
        QTcpServer listening;
        QObject::connect(&listening, &QTcpServer::newConnection, &listening, [&listening] {
            while (QTcpSocket* socket = listening.nextPendingConnection())
                socket->abort();
        });
        UpdateFixture f;
        if (proxy == QLatin1String("listening")) {
            QVERIFY(listening.listen(QHostAddress::LocalHost));
            f.proxy = [&] { return UpdateProxy{QStringLiteral("127.0.0.1"), int(listening.serverPort())}; };
        } else if (!proxy.isEmpty()) {
            f.proxy = [&] { return UpdateProxy{proxy.section(':', 0, 0), proxy.section(':', 1).toInt()}; };
        }
        const UpdateResult result = f.run(QStringLiteral("http://127.0.0.1:1"), kTwoWeeksToday);
        QVERIFY(result.unreachable);
        QCOMPARE(result.daysRequested, DrawUpdate::MaxDaysWithoutReply);
        QCOMPARE(f.panel0, QStringLiteral("Keine Verbindung"));
        QVERIFY2(f.panel1.startsWith(hint), qPrintable(f.panel1));
        QVERIFY(f.stored().empty());
        QVERIFY(QFile::exists(f.home.drawFile()));
    }

    void aProxyPortThatIsNoNumberEndsTheUpdate() {
        ServedHistory service(kTwoWeeksCsv);
        KUGELO_REQUIRE_SERVICE(service);
        UpdateFixture f;
        f.proxy = [] { return UpdateProxy{QString(), strToInt(u"8o")}; };
        QVERIFY_THROWS_EXCEPTION(ConversionError, f.run(service.baseUrl(), kTwoWeeksToday));
        QVERIFY(f.days.isEmpty());
        QVERIFY(f.stored().empty());
    }

    // A draw file that cannot be written ends the update; the half record it may leave is never read.
    void aDrawFileThatCannotBeWrittenEndsTheUpdate() {
        ServedHistory service(kTwoWeeksCsv);
        KUGELO_REQUIRE_SERVICE(service);
        UpdateFixture f;
        FailingOpener opener;
        opener.failWriteAfter = 10;
        QVERIFY_THROWS_EXCEPTION(IoError, f.run(service.baseUrl(), kTwoWeeksToday, opener));
        QCOMPARE(f.days.size(), 2); // up to the first draw, 8 October
        QVERIFY(f.stored().empty());
    }

    // A full disk shows only when the appended record is flushed: the append fails with its cause, for the
    // update and for manual entry alike; an import names the cause too.
    void aFullDiskEndsTheAppend_data() {
        QTest::addColumn<QString>("writer");
        QTest::newRow("update") << "update";
        QTest::newRow("manual entry") << "manual entry";
        QTest::newRow("import") << "import";
    }
    void aFullDiskEndsTheAppend() {
        QFETCH(QString, writer);
        ServedHistory service(kTwoWeeksCsv);
        KUGELO_REQUIRE_SERVICE(service);
        UpdateFixture f;
        f.home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9, "4674648"}});
        const DrawFile file(f.home.drawFile());
        const DrawRecord later = toRecord({"2008-10-08", {24, 48, 32, 41, 22}, 1, "8234403"});
        try {
            const FileSizeLimit full(DrawRecord::Size + 8);
            if (writer == "update")
                f.run(service.baseUrl(), kTwoWeeksToday);
            else if (writer == "manual entry")
                storeManualEntry(file, later, later);
            else
                importDraws(file, {later});
            QFAIL("no error");
        } catch (const IoError& e) {
            QVERIFY2(e.text().contains(FileSizeLimit::reason()), qPrintable(e.text()));
        }
        QCOMPARE(datesOf(f.stored()), QStringList{"2008-10-06"});
    }

    // A damaged record (its date no day) does not restart the update at the first draw.
    void theUpdateStartsAfterTheLastUndamagedDraw() {
        ServedHistory service(kTwoWeeksCsv);
        KUGELO_REQUIRE_SERVICE(service);
        UpdateFixture f;
        DrawRecord damaged = toRecord({"2008-10-13", {41, 10, 48, 37, 11}, 4});
        damaged.Datum = std::numeric_limits<double>::quiet_NaN();
        f.home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9}, {"2008-10-11", {46, 22, 10, 39, 20}, 4}},
                          encodeDrawRecords({damaged}));
        f.run(service.baseUrl(), kTwoWeeksToday);
        QCOMPARE(f.days.first(), QDate(2008, 10, 12));
        QCOMPARE(f.stored().size(), std::size_t(6)); // three before, three new: no draw twice
    }

    void dayNumbersThatAreNoDay_data() {
        QTest::addColumn<double>("day");
        QTest::addColumn<QDate>("date");
        QTest::newRow("the first draw") << 39727.0 << QDate(2008, 10, 6);
        QTest::newRow("a time of day is dropped") << 39727.75 << QDate(2008, 10, 6);
        QTest::newRow("1 January of the year 1") << -693593.0 << QDate(1, 1, 1);
        QTest::newRow("31 December 9999") << 2958465.0 << QDate(9999, 12, 31);
        QTest::newRow("after 9999") << 2958466.0 << QDate();
        QTest::newRow("before the year 1") << -693594.0 << QDate();
        QTest::newRow("1e300") << 1e300 << QDate();
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QDate();
        QTest::newRow("infinite") << -std::numeric_limits<double>::infinity() << QDate();
    }
    void dayNumbersThatAreNoDay() {
        QFETCH(double, day);
        QFETCH(QDate, date);
        QCOMPARE(fromDayNumber(day), date);
        DrawRecord record = toRecord({"2008-10-06", {19, 33, 41, 24, 27}, 9});
        record.Datum = day;
        QCOMPARE(record.isDamaged(), !date.isValid() || day != std::floor(day));
    }

    // No real draw file comes near the bound; a larger one ends the command with a message and is not read.
    void aDrawFileLargerThanAnyRealOneIsNotRead() {
        TempHome home;
        QFile file(home.drawFile());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(DrawFile::MaxBytes + DrawRecord::Size));
        file.close();
        const DrawFile draws(home.drawFile());
        try {
            draws.readAll();
            QFAIL("no error");
        } catch (const IoError& e) {
            QVERIFY2(e.text().contains("more than"), qPrintable(e.text()));
        }
        QVERIFY_THROWS_EXCEPTION(IoError, DrawReader{draws});
    }

    void aDanglingLinkIsNoDrawFileToCreate() {
        TempHome home;
        QVERIFY(QFile::link(home.file("missing/Kugelo.dat"), home.drawFile()));
        QVERIFY_THROWS_EXCEPTION(IoError, DrawFile(home.drawFile()).createIfMissing());
        QVERIFY(!QFileInfo::exists(home.file("missing/Kugelo.dat")));
    }

    void aFileWithDrawsUpToTodayAsksForNothing() {
        ServedHistory service(kTwoWeeksCsv);
        KUGELO_REQUIRE_SERVICE(service);
        UpdateFixture f;
        f.home.writeDraws({{"2008-10-19", {1, 2, 3, 4, 5}, 1}});
        const UpdateResult result = f.run(service.baseUrl(), kTwoWeeksToday);
        QCOMPARE(result.daysRequested, 0);
        QCOMPARE(f.state.current.Datum, toDayNumber(kTwoWeeksToday));
    }
};

QTEST_GUILESS_MAIN(TestDraws)
#include "tst_draws.moc"
