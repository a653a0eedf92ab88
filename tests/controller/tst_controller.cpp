// The controller without a window: what it allows while it is busy, and the commands that go through its
// ports and dialogs.

#include "Doubles.h"
#include "Fixtures.h"
#include "TestSupport.h"

#include "controller/Controller.h"
#include "draws/DrawFile.h"
#include "generator/NumberList.h"
#include "platform/HttpClient.h"

#include <QtTest>
#include <functional>

using namespace kugelo;
using namespace kugelo::test;

namespace {

// An HTTP client that runs a callback at every request (the update is then under way) and answers 404.
class CallbackHttp final : public HttpClient {
public:
    HttpResponse get(const HttpRequest&) override {
        if (onRequest) onRequest();
        HttpResponse r;
        r.replied = true;
        r.status = 404;
        r.statusLine = QStringLiteral("HTTP/1.1 404 Not Found");
        return r;
    }
    void abort() override { ++aborts; }
    std::function<void()> onRequest;
    int aborts = 0;
};

// A view that runs a callback whenever a long command pumps.
class PumpView final : public ControllerView {
public:
    void pump() override {
        if (onPump) onPump();
    }
    void status(int panel, const QString& text) override {
        if (panel == 1) lastStatus = text;
    }
    std::function<void()> onPump;
    QString lastStatus;
};

// The number list window: on show, it ticks the given numbers and closes with the given result.
class ScriptedNumberList final : public NumberListPort {
public:
    NumberList& list() override { return m_list; }
    void setRowMode(bool rowMode) override { rowModes << rowMode; }
    void setTitle(const QString& title) override { titles << title; }
    void showList() override {}
    Result runModal() override {
        for (int n = 1; n <= 49; ++n)
            m_list.setSet(n, tick.contains(n));
        return result;
    }
    QList<int> tick;
    Result result = Result::Ok;
    QStringList titles;
    QList<bool> rowModes;

private:
    NumberList m_list;
};

class ScriptedManualEntry final : public ManualEntryPort {
public:
    std::optional<DrawRecord> enter(const DrawRecord& draw) override {
        shown = draw;
        return entered;
    }
    std::optional<DrawRecord> entered;
    DrawRecord shown;
};

struct ControllerFixture {
    TempHome home;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    SteppingClock clock{kRunClockStart};
    RecordingSound sound;
    CallbackHttp http;
    MemorySettingsStore settings;
    PumpView view;
    Controller controller{Platform{dialogs, desktop, clock, sound, http, settings},
                          Endpoints(QStringLiteral("http://127.0.0.1:9"), Endpoints::defaultCompanyHost(),
                                    Endpoints::defaultResultsHost()),
                          home.path()};
    ControllerFixture() {
        controller.setView(&view);
        controller.beginStartUp(450);
        controller.endStartUp();
    }
    void writeHistory() {
        home.writeBytes(QStringLiteral("Kugelo.dat"),
                        encodeDrawRecords(syntheticDraws(99, 60, QDate(2008, 10, 6), nextDrawDay)));
    }
};

const Command kCommands[] = {Command::SelectDraw,     Command::RemoveDraw, Command::EnterDraw,
                             Command::Update,         Command::StopUpdate, Command::Generate,
                             Command::StopGeneration, Command::EditSheet,  Command::SaveTips,
                             Command::LuckyNumber,    Command::Statistic};

// "1" for every command allowed, in the order of kCommands.
QString allowed(const Controller& c) {
    QString s;
    for (Command command : kCommands)
        s += c.allows(command) ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

} // namespace

class TestController : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What may run while the program is idle, updating or generating; commands that are not allowed do
    // nothing when they are called all the same.
    void busyCommandsAreRefused() {
        ControllerFixture f;
        f.writeHistory();
        QCOMPARE(f.controller.activity(), Activity::Idle);
        // Each command of kCommands in its order: select, remove, enter, update, stop update, generate, stop
        // generation, edit sheet, save tips, lucky number, statistic.
        QCOMPARE(allowed(f.controller), QStringLiteral("11110101111"));

        QString duringUpdate;
        f.http.onRequest = [&] {
            if (!duringUpdate.isEmpty()) return;
            duringUpdate = allowed(f.controller);
            f.controller.generate(); // refused: no run starts inside the update
            f.controller.removeDraw();
            f.controller.stopUpdate();
        };
        const QByteArray before = f.home.readBytes(QStringLiteral("Kugelo.dat"));
        const UpdateResult result = f.controller.update();
        QCOMPARE(duringUpdate, QStringLiteral("10001001111"));
        QVERIFY(result.stopped);
        QCOMPARE(f.http.aborts, 1);
        QCOMPARE(f.home.readBytes(QStringLiteral("Kugelo.dat")), before);
        QCOMPARE(f.controller.lastRunCandidates(), 0);
        QCOMPARE(f.controller.activity(), Activity::Idle);

        QString duringRun;
        f.controller.sheet().setText(0, 0, QStringLiteral("7"));
        f.controller.criteria().rowCount.set(12);
        f.view.onPump = [&] {
            if (!duringRun.isEmpty()) return;
            duringRun = allowed(f.controller);
            f.controller.clearSheet(); // refused while the run writes the sheet
            QCOMPARE(f.controller.update().daysRequested, 0);
            f.controller.generate(); // the run button again: stop
        };
        f.controller.generate();
        QCOMPARE(duringRun, QStringLiteral("00000010111"));
        // The stop ended the run at its next candidate: one row at most, the rest empty.
        QVERIFY(f.controller.lastRunCandidates() <= 2);
        QCOMPARE(f.controller.sheet().text(11, 0), QString());
        QCOMPARE(f.controller.activity(), Activity::Idle);
        QVERIFY(!f.controller.stopRequested());
    }

    void editRowThroughTheNumberList_data() {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("OK takes the ticked numbers in order")
            << true << QStringList{"3", "8", "21", "40", "49"};
        QTest::newRow("cancel keeps the row") << false << QStringList{"1", "2", "3", "4", "5"};
    }
    void editRowThroughTheNumberList() {
        QFETCH(bool, ok);
        QFETCH(QStringList, row);
        ControllerFixture f;
        ScriptedNumberList list;
        f.controller.setNumberList(&list);
        for (int i = 0; i < 5; ++i)
            f.controller.sheet().setText(4, i, QString::number(i + 1));
        list.tick = {49, 3, 21, 8, 40};
        list.result = ok ? NumberListPort::Result::Ok : NumberListPort::Result::Cancel;
        f.controller.editRow(4);
        QStringList texts;
        for (int i = 0; i < 5; ++i)
            texts << f.controller.sheet().text(4, i);
        QCOMPARE(texts, row);
        QCOMPARE(list.titles, QStringList({"Zahlen für Tipp  5", "Zahlen für Berechnung wählen"}));
        QCOMPARE(list.rowModes, QList<bool>({true, false}));
    }

    void enterDrawThroughItsWindow() {
        ControllerFixture f;
        f.writeHistory();
        ScriptedManualEntry entry;
        f.controller.setManualEntry(&entry);
        const QByteArray before = f.home.readBytes(QStringLiteral("Kugelo.dat"));
        f.controller.enterDraw(); // cancelled
        QCOMPARE(f.home.readBytes(QStringLiteral("Kugelo.dat")), before);

        entry.entered = makeDrawRecord(QDate(2026, 12, 9), {44, 2, 17, 30, 9}, 6);
        f.controller.enterDraw();
        const std::vector<DrawRecord> records = DrawFile(f.controller.state().drawFilePath()).readAll();
        QCOMPARE(records.size(), std::size_t(61));
        QCOMPARE(records.back(), makeDrawRecord(QDate(2026, 12, 9), {2, 9, 17, 30, 44}, 6));
    }

    void luckyNumberSeedsTheRandomSource_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("status");
        QTest::newRow("a number") << "4711"
                                  << "Glückszahl 4711 gesetzt";
        QTest::newRow("no number: seeded from the clock") << "abc"
                                                          << "";
    }
    void luckyNumberSeedsTheRandomSource() {
        QFETCH(QString, answer);
        QFETCH(QString, status);
        ControllerFixture f;
        f.dialogs.inputs.push_back(answer);
        f.controller.luckyNumber();
        QCOMPARE(f.view.lastStatus, status);
        if (!status.isEmpty()) QCOMPARE(f.controller.random().state(), 4711u);
    }

    // A failure a command lets through is the general error report, and the program goes on.
    void failuresBecomeTheErrorReport() {
        ControllerFixture f;
        f.writeHistory();
        f.controller.windowValues().proxyHost = QStringLiteral("proxy.example");
        f.controller.windowValues().proxyPort = QStringLiteral("achtzig");
        f.controller.run([&] { f.controller.update(); });
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY2(f.dialogs.messages[0].contains(QStringLiteral("achtzig")),
                 qPrintable(f.dialogs.messages[0]));
        QCOMPARE(f.controller.activity(), Activity::Idle);
    }
};

QTEST_GUILESS_MAIN(TestController)
#include "tst_controller.moc"
