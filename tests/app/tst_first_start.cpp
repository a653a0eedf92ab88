#include "Doubles.h"
#include "DrawServiceProcess.h"
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "draws/DrawFile.h"
#include "platform/DayNumber.h"
#include "platform/Endpoints.h"
#include "platform/Home.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QUrlQuery>
#include <QtTest>

using namespace kugelo;
using namespace kugelo::test;

namespace {

// The program's HTTP client, remembering the day of every request to the draw service.
class CountingHttp final : public HttpClient {
public:
    HttpResponse get(const HttpRequest& request) override {
        days << QUrlQuery(QUrl(request.url)).queryItemValue(QStringLiteral("Datum"));
        return m_inner.get(request);
    }
    void abort() override { m_inner.abort(); }

    QStringList days;

private:
    QtHttpClient m_inner;
};

// The history the build ships beside the executables.
QString shippedHistory() {
    return qEnvironmentVariable("KUGELO_BIN_DIR") + QStringLiteral("/loto-history.csv");
}

// The window of a first start as main() makes it: a home without a draw file and the shipped history given
// (shippedCsv), the update at the first showing against the service of `endpoints`.
struct FirstStart {
    FirstStart(const QString& shippedCsv, const Endpoints& endpoints, const QDate& today)
        : clock(today), form{Platform{dialogs, desktop, clock, sound, http, settings}, endpoints, home.path(),
                             qEnvironmentVariable("KUGELO_BIN_DIR")} {
        form.controller().setShippedHistory(shippedCsv);
        form.setUpdateOnShow(true);
    }
    // Start-up up to the window's first showing, which starts the update.
    void initialise() {
        form.initialise();
        form.startUp();
    }
    // Shows the window and waits for the update at start-up to end.
    void showAndUpdate() {
        QSignalSpy finished(&form, &TForm1::updateFinished);
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
    }
    std::vector<DrawRecord> draws() const { return DrawFile(home.drawFile()).readAll(); }

    TempHome home;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    FixedDayClock clock;
    RecordingSound sound;
    CountingHttp http;
    MemorySettingsStore settings;
    TForm1 form;
};

QStringList daysFrom(const QDate& first, const QDate& last) {
    QStringList days;
    for (QDate d = first; d <= last; d = d.addDays(1))
        days << d.toString(QStringLiteral("yyyyMMdd"));
    return days;
}

} // namespace

class TestFirstStart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // A home without a draw file gets the whole shipped history, 6 October 2008 included, before the update
    // asks the service for the days after its last draw, and only for those.
    void theFirstStartWritesTheShippedHistoryBeforeTheUpdate() {
        const std::vector<DrawRecord> shipped = readHistoryCsv(shippedHistory());
        QVERIFY2(shipped.size() >= 2812, qPrintable(shippedHistory()));
        const QDate last = shipped.back().date();
        // The service has the next draw after the shipped ones.
        const QDate next = last.addDays(2);
        ServedHistory service("date,n1,n2,n3,n4,n5,chance,joker\n" + next.toString(Qt::ISODate).toLatin1() +
                              ",5,17,23,38,44,7,1234567\n");
        KUGELO_REQUIRE_SERVICE(service);
        FirstStart w(shippedHistory(), service.endpoints(), last.addDays(7));

        w.initialise();
        const std::vector<DrawRecord> seeded = w.draws();
        QCOMPARE(seeded, shipped);
        QCOMPARE(seeded.front().date(), QDate(2008, 10, 6));
        QVERIFY(w.http.days.isEmpty());
        QVERIFY(w.form.statusText(1).isEmpty());
        QVERIFY(!w.form.windowIcon().availableSizes().isEmpty());

        w.showAndUpdate();
        QCOMPARE(w.http.days, daysFrom(last.addDays(1), last.addDays(7)));
        QCOMPARE(w.draws().size(), shipped.size() + 1);
        QCOMPARE(w.draws().back().date(), next);
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    // A draw file that is there, even an empty one, is the player's: start-up leaves its bytes alone.
    void anExistingDrawFileIsLeftAlone_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one draw and a partial record")
            << encodeDrawRecords(toRecords({{"2008-10-08", {24, 48, 32, 41, 22}, 1}})) + QByteArray("abc");
    }
    void anExistingDrawFileIsLeftAlone() {
        QFETCH(QByteArray, bytes);
        FirstStart w(shippedHistory(), Endpoints(), QDate(2026, 12, 10)); // after the shipped draws
        w.home.writeBytes(QStringLiteral("Kugelo.dat"), bytes);
        w.initialise();
        QCOMPARE(w.home.readBytes(QStringLiteral("Kugelo.dat")), bytes);
        QVERIFY(w.form.statusText(1).isEmpty());
    }

    // A shipped history that is missing or cannot be taken whole: the program starts as it did without one
    // (an empty draw file, the update from 7 October 2008) and says why in the status bar.
    void anUnusableShippedHistoryStartsAsBefore_data() {
        QTest::addColumn<QByteArray>("csv"); // empty: no file at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << "not found";
        QTest::newRow("no draws") << QByteArray("date,n1,n2,n3,n4,n5,chance,joker\n") << "no draws";
        QTest::newRow("a number out of range")
            << QByteArray("date,n1,n2,n3,n4,n5,chance,joker\n2008-10-06,19,33,41,24,27,9,4674648\n"
                          "2008-10-08,24,48,32,41,50,1,8234403\n")
            << "loto-history.csv:3";
        QTest::newRow("a draw after today")
            << QByteArray("date,n1,n2,n3,n4,n5,chance,joker\n2008-10-06,19,33,41,24,27,9,4674648\n"
                          "2030-01-02,24,48,32,41,22,1,8234403\n")
            << "loto-history.csv:3";
        QTest::newRow("not text") << QByteArray("\x00\x01\xff\xfe\x00", 5) << "loto-history.csv:1";
    }
    void anUnusableShippedHistoryStartsAsBefore() {
        QFETCH(QByteArray, csv);
        QFETCH(QString, reason);
        ServedHistory service("date,n1,n2,n3,n4,n5,chance,joker\n"
                              "2008-10-06,19,33,41,24,27,9,4674648\n"
                              "2008-10-08,24,48,32,41,22,1,8234403\n"
                              "2008-10-11,46,22,10,39,20,4,4461098\n");
        KUGELO_REQUIRE_SERVICE(service);
        TempHome program;
        if (!csv.isEmpty()) program.writeBytes(QStringLiteral("loto-history.csv"), csv);
        FirstStart w(program.file(QStringLiteral("loto-history.csv")), service.endpoints(),
                     QDate(2008, 10, 12));

        w.initialise();
        QVERIFY(DrawFile(w.home.drawFile()).exists());
        QVERIFY(w.draws().empty());
        const QString notice = w.form.messages()[Msg::ShippedHistoryUnusable];
        QVERIFY2(w.form.statusText(1).startsWith(notice) && w.form.statusText(1).contains(reason),
                 qPrintable(w.form.statusText(1)));

        w.showAndUpdate();
        QCOMPARE(w.http.days, daysFrom(QDate(2008, 10, 7), QDate(2008, 10, 12)));
        QCOMPARE(w.draws().size(), std::size_t(2)); // 8 and 11 October
        QVERIFY2(w.form.statusText(1).startsWith(notice), qPrintable(w.form.statusText(1)));
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    // Installed, the shipped files come from the share folder beside bin/ and the player's files go to the
    // per-user data folder, even where bin/ is writable; from the build folder both stay beside the
    // executable.
    void theInstalledProgramUsesItsShareFolderAndThePerUserFolder() {
        QStandardPaths::setTestModeEnabled(true);
        const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/";
        const QProcessEnvironment noOverride;

        TempHome prefix;
        QDir().mkpath(prefix.file("bin"));
        QDir().mkpath(prefix.file("share/kugelo/Land"));
        const QString bin = prefix.file("bin");
        QVERIFY(runsInstalled(bin));
        QCOMPARE(programDataFolder(bin), prefix.file("share/kugelo"));
        QCOMPARE(resolveHome(bin, noOverride), perUser);

        TempHome build;
        QDir().mkpath(build.file("bin/Land"));
        QDir().mkpath(build.file("share/kugelo")); // an install into the build folder does not count
        QVERIFY(!runsInstalled(build.file("bin")));
        QCOMPARE(programDataFolder(build.file("bin")), build.file("bin"));
        QCOMPARE(resolveHome(build.file("bin"), noOverride), build.file("bin/"));

        TempHome alone; // no Land/ and no share folder: the executable's folder as before
        QCOMPARE(programDataFolder(alone.path()), alone.path());
        QCOMPARE(resolveHome(alone.path(), noOverride), alone.path());

        QProcessEnvironment chosen;
        chosen.insert("KUGELO_HOME", build.file("mine"));
        QCOMPARE(resolveHome(bin, chosen), build.file("mine/"));
    }
};

QTEST_MAIN(TestFirstStart)
#include "tst_first_start.moc"
