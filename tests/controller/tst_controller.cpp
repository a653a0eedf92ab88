// The controller without a window: what it allows while it is busy, and the commands that go through its
// ports and dialogs.

#include "Doubles.h"
#include "Fixtures.h"
#include "TestSupport.h"

#include "controller/Controller.h"
#include "controller/JobProgress.h"
#include "draws/DrawFile.h"
#include "draws/DrawImport.h"
#include "evaluation/HistoricalAnalysis.h"
#include "generator/NumberList.h"
#include "platform/HttpClient.h"

#include <QtTest>
#include <functional>
#include <optional>

Q_DECLARE_METATYPE(kugelo::Command)

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
        if (panel >= 0 && panel < 2) panels[panel] = text;
        if (onStatus) onStatus(text);
    }
    void stateChanged() override {
        if (onStateChanged) onStateChanged();
    }
    std::function<void()> onPump;
    std::function<void()> onStateChanged;
    std::function<void(const QString& text)> onStatus;
    QString lastStatus;
    QString panels[2];
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

// Draws for the search: the window runs from 4 to 8 January 2020, with one draw just outside at each end.
void writeSearchDraws(const TempHome& home) {
    home.writeDraws({{"2019-12-30", {1, 2, 3, 4, 5}, 1},
                     {"2020-01-04", {1, 2, 3, 4, 5}, 1},
                     {"2020-01-06", {10, 11, 12, 13, 14}, 2},
                     {"2020-01-08", {1, 2, 3, 4, 9}, 3},
                     {"2020-01-11", {10, 11, 12, 13, 14}, 4}});
}

// The report's lines as the analysis wrote them.
QStringList reportLines(const ControllerFixture& f) {
    return QString::fromUtf8(f.home.readBytes(analysisReportName())).split(QStringLiteral("\r\n"));
}

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

// Every row of the sheet as text: fields, their colours, the lock, the labels. Compared whole by the undo
// tests, so that a difference shows where it is.
QStringList rowsText(const TipSheet::Rows& rows) {
    QStringList out;
    for (const TipSheet::Row& row : rows) {
        QStringList colours;
        for (FieldBackground b : row.backgrounds)
            colours << QString::number(static_cast<int>(b));
        out << QStringList(row.texts.begin(), row.texts.end()).join(' ') + " | " + colours.join("") +
                   (row.locked ? " locked" : "") + " | " + row.hits + (row.hitsRed ? "(red)" : "") + " | " +
                   row.crossSum;
    }
    return out;
}

// A history with a trailing partial record, which every rewrite from the records drops, and a sheet with
// filled, locked and empty rows, checked against the draw of 13 October 2008.
void prepareUndo(ControllerFixture& f) {
    f.home.writeBytes(QStringLiteral("Kugelo.dat"),
                      encodeDrawRecords(syntheticDraws(99, 60, QDate(2008, 10, 6), nextDrawDay)) +
                          QByteArray("\x07\x01\x02", 3));
    f.controller.state().sortieren = true;
    setPickerDate(f.controller.state().drawDate, QDate(2008, 10, 13));
    f.controller.selectDraw();
    // Row 1 the draw itself (a winning row), row 2 locked, row 3 without hits.
    const DrawRecord& draw = f.controller.state().current;
    QStringList won;
    for (int i = 0; i < 5; ++i)
        won << QString::number(draw.Zahl[std::size_t(i)]);
    won << QString::number(draw.chance());
    const QStringList rows[] = {won, {"5", "9", "13", "28", "44", "7"}, {"1", "2", "3", "4", "5", "1"}};
    for (int r = 0; r < 3; ++r)
        for (int i = 0; i < 6; ++i)
            f.controller.sheet().setText(r, i, rows[r][i]);
    f.controller.sheet().toggleLock(1);
    f.controller.checkSheet();
}

enum class Undoable { RemoveDraw, EnterOverStoredDraw, Import, ClearSheet, RunOverFilledRows, LoadTips };

} // namespace

class TestController : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // The time left: whole seconds at first, then the coarser the longer it is, so the figure does not
    // flicker; a rounding that reaches the next unit is written in it.
    void timeLeftIsRoundedTheCoarserTheLonger_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("under a second") << 0.2 << "noch etwa 1 s";
        QTest::newRow("7.4 s") << 7.4 << "noch etwa 7 s";
        QTest::newRow("9.6 s: tens") << 9.6 << "noch etwa 10 s";
        QTest::newRow("43 s: fives") << 43.0 << "noch etwa 45 s";
        QTest::newRow("57.6 s: a minute") << 57.6 << "noch etwa 1 min";
        QTest::newRow("151 s") << 151.0 << "noch etwa 2 min 30 s";
        QTest::newRow("594 s") << 594.0 << "noch etwa 9 min 50 s";
        QTest::newRow("596 s: whole minutes") << 596.0 << "noch etwa 10 min";
        QTest::newRow("3599 s: an hour") << 3599.0 << "noch etwa 1 h";
        QTest::newRow("3700 s") << 3700.0 << "noch etwa 1 h 2 min";
    }
    void timeLeftIsRoundedTheCoarserTheLonger() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(timeLeftText(MessageTable(), seconds), text);
    }

    // The estimate: the time per finished unit times the units left, once a few seconds have passed.
    void timeLeftFromTheFinishedUnits_data() {
        QTest::addColumn<int>("finished");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("elapsedMs");
        QTest::addColumn<double>("seconds"); // -1: no estimate
        QTest::newRow("too early") << 5 << 10 << 2999 << -1.0;
        QTest::newRow("nothing finished") << 0 << 10 << 5000 << -1.0;
        QTest::newRow("all finished") << 10 << 10 << 5000 << -1.0;
        QTest::newRow("2 of 10 in 4 s") << 2 << 10 << 4000 << 16.0;
        QTest::newRow("1000 of 30000 in 3 s") << 1000 << 30000 << 3000 << 87.0;
    }
    void timeLeftFromTheFinishedUnits() {
        QFETCH(int, finished);
        QFETCH(int, total);
        QFETCH(int, elapsedMs);
        QFETCH(double, seconds);
        const std::optional<double> left = secondsLeft(finished, total, elapsedMs);
        QCOMPARE(left.has_value(), seconds >= 0);
        if (left) QCOMPARE(*left, seconds);
    }

    // The progress line in each job's units: while it runs with the time left (when known) and how to stop
    // it, afterwards its final counts alone.
    void progressLineOfEachJob_data() {
        QTest::addColumn<int>("kind"); // JobKind
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("found");
        QTest::addColumn<double>("left"); // -1: not known
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("text");
        QTest::newRow("update, early")
            << int(JobKind::Update) << 5 << 80 << 2 << -1.0 << true
            << "Tag 5 von 80, gespeicherte Ziehungen: 2 – Esc oder Stopp-Taste beendet";
        QTest::newRow("update, with the time left")
            << int(JobKind::Update) << 5 << 80 << 2 << 20.0 << true
            << "Tag 5 von 80, gespeicherte Ziehungen: 2, noch etwa 20 s – Esc oder Stopp-Taste beendet";
        QTest::newRow("update, done") << int(JobKind::Update) << 80 << 80 << 31 << -1.0 << false
                                      << "Tag 80 von 80, gespeicherte Ziehungen: 31";
        QTest::newRow("run, grouped digits")
            << int(JobKind::Generation) << 3 << 12 << 12345 << -1.0 << true
            << "Tipp 3 von 12, Kandidaten: 12.345 – Esc oder „Stoppen“ beendet";
        QTest::newRow("analysis")
            << int(JobKind::Analysis) << 7 << 300 << 0 << 130.0 << true
            << "Ziehung 7 von 300, noch etwa 2 min 10 s – Esc oder erneuter Klick beendet";
        QTest::newRow("no counts: no line") << int(JobKind::Analysis) << 0 << 0 << 0 << -1.0 << true << "";
    }
    void progressLineOfEachJob() {
        QFETCH(int, kind);
        QFETCH(int, current);
        QFETCH(int, total);
        QFETCH(int, found);
        QFETCH(double, left);
        QFETCH(bool, running);
        QFETCH(QString, text);
        const std::optional<double> estimate = left < 0 ? std::nullopt : std::optional<double>(left);
        QCOMPARE(jobProgressText(MessageTable(), JobKind(kind), {current, total, found}, estimate, running),
                 text);
    }

    // A run counts the rows it computes: a locked row and the rows beyond UpDown8 are none of them.
    void runProgressCountsTheRowsItComputes() {
        ControllerFixture f;
        f.writeHistory();
        f.controller.state().sortieren = true;
        f.controller.criteria().rowCount.set(5);
        for (int field = 0; field < 6; ++field)
            f.controller.sheet().setText(1, field, QString::number(field + 1));
        f.controller.sheet().toggleLock(1);
        QString during;
        f.view.onPump = [&] {
            if (during.isEmpty()) during = f.controller.progressText();
        };
        f.controller.generate();
        QCOMPARE(during, QStringLiteral("Tipp 1 von 4, Kandidaten: 0 – Esc oder „Stoppen“ beendet"));
        QCOMPARE(f.controller.progressText(), QStringLiteral("Tipp 4 von 4, Kandidaten: %1")
                                                  .arg(QLocale().toString(f.controller.lastRunCandidates())));
    }

    // Every command against every activity, each activity reached as the program reaches it (an update
    // waiting for its request, a run at its first candidate, a search at its first draw): what the window
    // greys and what a call does.
    void eachCommandInEachActivity_data() {
        QTest::addColumn<Command>("command");
        QTest::addColumn<bool>("idle");
        QTest::addColumn<bool>("updating");
        QTest::addColumn<bool>("generating");
        QTest::addColumn<bool>("analysing");
        // Stepping through the draws is fine during an update (it appends after them), not while a run or
        // a search reads the current draw.
        QTest::newRow("select a draw") << Command::SelectDraw << true << true << false << false;
        // The draw file: an update writes it, a run and an analysis read it.
        QTest::newRow("remove a draw") << Command::RemoveDraw << true << false << false << false;
        QTest::newRow("enter a draw") << Command::EnterDraw << true << false << false << false;
        QTest::newRow("import draws") << Command::ImportDraws << true << false << false << false;
        QTest::newRow("update") << Command::Update << true << false << false << false;
        QTest::newRow("stop the update") << Command::StopUpdate << false << true << false << false;
        // The sheet: a run and an analysis write it.
        QTest::newRow("generate") << Command::Generate << true << false << false << false;
        QTest::newRow("edit the sheet") << Command::EditSheet << true << true << false << false;
        QTest::newRow("save tips") << Command::SaveTips << true << true << true << false;
        QTest::newRow("print") << Command::Print << true << true << false << false;
        QTest::newRow("undo") << Command::Undo << true << false << false << false;
        // The run button stops a run, and the current cycle of the parameter analysis.
        QTest::newRow("stop the run") << Command::StopGeneration << false << false << true << true;
        QTest::newRow("lucky number") << Command::LuckyNumber << true << true << true << false;
        QTest::newRow("a chart") << Command::Statistic << true << true << true << false;
        // The basket and the script export ask the HTTP client, which the update is using.
        QTest::newRow("basket") << Command::Basket << true << false << false << false;
        QTest::newRow("click script") << Command::SubmitScript << true << false << false << false;
        // A language changes the captions of the buttons a command in progress shows.
        QTest::newRow("language") << Command::Language << true << false << false << false;
        QTest::newRow("search") << Command::Search << true << false << false << false;
        QTest::newRow("analyse") << Command::Analyse << true << false << false << false;
        QTest::newRow("stop the search or analysis")
            << Command::StopAnalysis << false << false << false << true;
    }
    void eachCommandInEachActivity() {
        QFETCH(Command, command);
        QFETCH(bool, idle);
        QFETCH(bool, updating);
        QFETCH(bool, generating);
        QFETCH(bool, analysing);
        ControllerFixture f;
        f.writeHistory();
        QCOMPARE(f.controller.allows(command), idle);

        std::optional<bool> duringUpdate;
        f.http.onRequest = [&] {
            if (duringUpdate) return;
            QCOMPARE(f.controller.activity(), Activity::Updating);
            duringUpdate = f.controller.allows(command);
            f.controller.stopUpdate();
        };
        f.controller.update();
        QCOMPARE(duringUpdate, std::optional<bool>(updating));

        std::optional<bool> duringRun;
        f.controller.criteria().rowCount.set(12);
        f.view.onPump = [&] {
            if (duringRun) return;
            QCOMPARE(f.controller.activity(), Activity::Generating);
            duringRun = f.controller.allows(command);
            f.controller.stopGeneration();
        };
        f.controller.generate();
        QCOMPARE(duringRun, std::optional<bool>(generating));

        std::optional<bool> duringSearch;
        f.controller.sheet().setText(0, 0, QStringLiteral("7"));
        f.dialogs.inputs = {QStringLiteral("6")};
        f.view.onPump = [&] {
            if (duringSearch) return;
            QCOMPARE(f.controller.activity(), Activity::Analysing);
            duringSearch = f.controller.allows(command);
            f.controller.stopAnalysis();
        };
        f.controller.searchTips();
        QCOMPARE(duringSearch, std::optional<bool>(analysing));
        QCOMPARE(f.controller.activity(), Activity::Idle);
    }

    // Commands that are not allowed do nothing when they are called all the same.
    void busyCommandsAreRefused() {
        ControllerFixture f;
        f.writeHistory();
        QCOMPARE(f.controller.activity(), Activity::Idle);

        bool duringUpdate = false;
        f.http.onRequest = [&] {
            if (duringUpdate) return;
            duringUpdate = true;
            f.controller.generate(); // refused: no run starts inside the update
            f.controller.removeDraw();
            f.controller.stopUpdate();
        };
        const QByteArray before = f.home.readBytes(QStringLiteral("Kugelo.dat"));
        const UpdateResult result = f.controller.update();
        QVERIFY(duringUpdate);
        QVERIFY(result.stopped);
        QCOMPARE(f.http.aborts, 1);
        QCOMPARE(f.home.readBytes(QStringLiteral("Kugelo.dat")), before);
        QCOMPARE(f.controller.lastRunCandidates(), 0);
        QCOMPARE(f.controller.activity(), Activity::Idle);

        bool duringRun = false;
        f.controller.sheet().setText(0, 0, QStringLiteral("7"));
        f.controller.criteria().rowCount.set(12);
        f.view.onPump = [&] {
            if (duringRun) return;
            duringRun = true;
            f.controller.clearSheet(); // refused while the run writes the sheet
            QCOMPARE(f.controller.update().daysRequested, 0);
            f.controller.generate(); // the run button again: stop
        };
        f.controller.generate();
        QVERIFY(duringRun);
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

    // The search: the window's bounds both count, the threshold decides where it stops, only row 1 counts
    // its n° CHANCE hit (and only when ticked), No ends at once and leaves the chart empty.
    void searchStopsAndLabels_data() {
        QTest::addColumn<bool>("countChance");
        QTest::addColumn<QString>("threshold"); // the answer to the input box; empty: the proposed text
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("stops");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<int>("examined");
        QTest::addColumn<int>("chartPoints");
        QTest::addColumn<QStringList>("labels"); // the hits labels of rows 1 and 2 afterwards
        const QString first = "Ziehung gefunden|Ein Treffer gefunden am:  04.01.20 . Weiter?";
        QTest::newRow("proposed 5: only five main numbers stop")
            << false << "" << QList<bool>{true, true} << QStringList{"2020-01-04 1 5", "2020-01-06 2 5"}
            << QStringList{first, "Ziehung gefunden|Ein Treffer am  06.01.20 gefunden. Weiter?"} << 3 << 12
            << QStringList{"4 + PP", "0"};
        QTest::newRow("ticked: row 1 counts its n° CHANCE")
            << true << "5" << QList<bool>{true, true, true}
            << QStringList{"2020-01-04 1 5", "2020-01-06 2 5", "2020-01-08 1 5"} << QStringList() << 3 << 12
            << QStringList{"4", "0"}; // the sheet check at the last stop wrote the labels
        QTest::newRow("ticked: the proposed 7 is never reached")
            << true << "" << QList<bool>{} << QStringList() << QStringList() << 3 << 12
            << QStringList{"4 + PP", "0"};
        QTest::newRow("threshold 0, No: ends at once")
            << false << "0" << QList<bool>{false} << QStringList{"2020-01-04 1 5"} << QStringList{first} << 1
            << 0 << QStringList{"5", "0"};
    }
    void searchStopsAndLabels() {
        QFETCH(bool, countChance);
        QFETCH(QString, threshold);
        QFETCH(QList<bool>, answers);
        QFETCH(QStringList, stops);
        QFETCH(QStringList, questions);
        QFETCH(int, examined);
        QFETCH(int, chartPoints);
        QFETCH(QStringList, labels);
        ControllerFixture f;
        writeSearchDraws(f.home);
        MainState& state = f.controller.state();
        state.sortieren = true;
        state.statisticsStart = QDate(2020, 1, 4);
        state.drawDate = QDate(2020, 1, 8);
        f.controller.criteria().chanceCountsAsMatch = countChance;
        fillSheet(f.controller.sheet(), {"1:1,2,3,4,5,3", "2:10,11,12,13,14,2"});
        if (!threshold.isEmpty()) f.dialogs.inputs.push_back(threshold);
        f.dialogs.answers.assign(answers.begin(), answers.end());

        const SearchResult result = f.controller.searchTips();
        QStringList found;
        for (const SearchStop& stop : result.stops)
            found << QStringLiteral("%1 %2 %3")
                         .arg(stop.date.toString(Qt::ISODate))
                         .arg(stop.row)
                         .arg(stop.hits);
        QCOMPARE(found, stops);
        if (!questions.isEmpty()) QCOMPARE(f.dialogs.questions, questions);
        QCOMPARE(f.dialogs.questions.size(), stops.size());
        QCOMPARE(result.examined, examined);
        QCOMPARE(f.controller.chart().count(), chartPoints);
        QCOMPARE((QStringList{f.controller.sheet().row(0).hits, f.controller.sheet().row(1).hits}), labels);
        QCOMPARE(f.controller.activity(), Activity::Idle);
    }

    // At each stop of the search the window shows the draw it asks about, not the one examined before.
    void searchShowsTheDrawItAsksAbout() {
        ControllerFixture f;
        writeSearchDraws(f.home);
        MainState& state = f.controller.state();
        state.sortieren = true;
        state.statisticsStart = QDate(2020, 1, 4);
        state.drawDate = QDate(2020, 1, 8);
        fillSheet(f.controller.sheet(), {"1:1,2,3,4,5,3"});
        f.dialogs.inputs.push_back(QStringLiteral("4"));
        f.dialogs.answers = {true, true};
        QString shownStrip, shownCrossSum;
        f.view.onStateChanged = [&] {
            shownStrip = state.currentDrawStripLine;
            shownCrossSum = state.crossSumText;
        };
        QStringList askedAbout, shown;
        f.dialogs.onQuestion = [&] {
            askedAbout << state.currentDrawStripLine + state.crossSumText;
            shown << shownStrip + shownCrossSum;
        };
        f.controller.searchTips();
        QCOMPARE(askedAbout.size(), 2); // 4 and 8 January
        QCOMPARE(shown, askedAbout);
    }

    // When a search or an analysis ends, the hint how to stop it goes from the status bar; a stop says that
    // it stopped.
    void evaluationEndsWithoutItsStopHint_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("stop");
        for (const char* command : {"search", "parameters", "draws"}) {
            QTest::addRow("%s, to its end", command) << command << false;
            QTest::addRow("%s, stopped", command) << command << true;
        }
    }
    void evaluationEndsWithoutItsStopHint() {
        QFETCH(QString, command);
        QFETCH(bool, stop);
        ControllerFixture f;
        writeSearchDraws(f.home);
        MainState& state = f.controller.state();
        state.sortieren = true;
        state.statisticsStart = QDate(2020, 1, 4);
        state.drawDate = command == "search" ? QDate(2020, 1, 11) : QDate(2020, 1, 4);
        fillSheet(f.controller.sheet(), {"1:1,2,3,4,5,3"});
        // A stop comes while the first text with the hint is shown.
        bool hintShown = false;
        f.view.onStatus = [&](const QString& text) {
            if (hintShown || !(text.contains(f.controller.messages()[Msg::SearchStopHint]) ||
                               text.contains(f.controller.messages()[Msg::AnalysisStopHint])))
                return;
            hintShown = true;
            if (stop) f.controller.stopRunning();
        };
        const Msg stopped = command == "search" ? Msg::SearchStopped : Msg::AnalysisStopped;
        if (command == "search") {
            f.dialogs.inputs = {QStringLiteral("6")};
            f.controller.searchTips();
        } else if (command == "parameters") {
            f.dialogs.answers = {true};
            f.dialogs.inputs = {QStringLiteral("4711")};
            f.controller.analyseParameters();
        } else {
            f.dialogs.answers = {true};
            f.dialogs.inputs = {QStringLiteral("6")};
            f.controller.analyseDraws();
        }
        QVERIFY(hintShown);
        for (const QString& text : f.view.panels) {
            QVERIFY2(!text.contains(f.controller.messages()[Msg::SearchStopHint]), qPrintable(text));
            QVERIFY2(!text.contains(f.controller.messages()[Msg::AnalysisStopHint]), qPrintable(text));
        }
        QCOMPARE(f.view.panels[1] == f.controller.messages()[stopped], stop);
        QCOMPARE(f.controller.activity(), Activity::Idle);
    }

    // The cycles of the parameter analysis: none from today, one from the newest draw, and from three weeks
    // before it one per week plus the one more on the newest draw. The number list stays shut and its option
    // comes back; the report goes to the home folder and is opened.
    // The comparison with chance leaves out the cycles whose rows came from the draws up to the very draw
    // they are scored against (the newest), and gives no verdict when none is left.
    void parameterAnalysisCycles_data() {
        QTest::addColumn<int>("daysBeforeNewest"); // -1: today
        QTest::addColumn<int>("cycles");
        QTest::addColumn<int>("knownCycles");
        QTest::newRow("from today: none") << -1 << 0 << 0;
        QTest::newRow("from the newest draw: one") << 0 << 1 << 1;
        QTest::newRow("three weeks before it: four") << 21 << 4 << 1;
    }
    void parameterAnalysisCycles() {
        QFETCH(int, daysBeforeNewest);
        QFETCH(int, cycles);
        QFETCH(int, knownCycles);
        ControllerFixture f;
        f.writeHistory();
        ScriptedNumberList list;
        f.controller.setNumberList(&list);
        f.controller.state().sortieren = true;
        f.controller.criteria().showPool = true;
        const QDate newest = DrawFile(f.controller.state().drawFilePath()).readAll().back().date();
        const QDate start = daysBeforeNewest < 0 ? f.clock.today() : newest.addDays(-daysBeforeNewest);
        f.controller.state().drawDate = start;
        f.dialogs.answers = {true};
        f.dialogs.inputs = {QStringLiteral("4711")};
        f.controller.analyseParameters();

        QCOMPARE(
            f.dialogs.questions,
            QStringList{
                "aktuellen Tipps werden dabei gelöscht?|Soll die Analyse der Einstellungen jetzt ab dem " +
                QLocale().toString(start, QLocale::ShortFormat) + " durchgeführt werden??"});
        QCOMPARE(f.desktop.opened, QStringList{f.controller.reportPath()});
        const QStringList lines = reportLines(f);
        QCOMPARE(lines[10],
                 QStringLiteral("Ziehungen: %1mit je 5Tipp => %2 Reihen").arg(cycles).arg(5 * cycles));
        if (cycles == 0)
            for (int h = 0; h <= 5; ++h)
                QCOMPARE(lines[3 + h], QStringLiteral("%1x\t=> 0\t\t=> 0").arg(h));
        const int counted = 5 * (cycles - knownCycles);
        QVERIFY(lines[12].endsWith(QStringLiteral("Ziehungen: %1").arg(counted)));
        const QString leftOut =
            QStringLiteral("Nicht mitgezählt, weil die Ziehung beim Tippen schon bekannt war: ");
        QCOMPARE(lines.filter(leftOut),
                 knownCycles == 0 ? QStringList() : QStringList{leftOut + QString::number(5 * knownCycles)});
        QCOMPARE(lines.filter(QStringLiteral("allein durch Zufall mit 95 %")).size(), counted > 0 ? 2 : 0);
        QCOMPARE(f.controller.state().drawDate, newest);
        QVERIFY(list.rowModes.isEmpty());
        QVERIFY(f.controller.criteria().showPool);
        // The progress line counted the cycles before they ran.
        QCOMPARE(f.controller.progressText(),
                 cycles == 0 ? QString() : QStringLiteral("Ziehung %1 von %1").arg(cycles));
    }

    // Over a history with gaps the cycles jump to the next draw a week on, or to the newest: the progress
    // line knows their number from the start (30 December, 6 January, then the newest, 11 January).
    void parameterAnalysisProgressAcrossGaps() {
        ControllerFixture f;
        writeSearchDraws(f.home);
        f.controller.state().sortieren = true;
        f.controller.state().drawDate = QDate(2019, 12, 30);
        f.dialogs.answers = {true};
        f.dialogs.inputs = {QStringLiteral("4711")};
        QStringList lines;
        f.view.onPump = [&] {
            const QString line = f.controller.progressText();
            if (lines.isEmpty() || lines.last() != line) lines << line;
        };
        f.controller.analyseParameters();
        QCOMPARE(reportLines(f)[10], QStringLiteral("Ziehungen: 3mit je 5Tipp => 15 Reihen"));
        const QString stop = QStringLiteral(" – Esc oder erneuter Klick beendet");
        QCOMPARE(lines,
                 QStringList({"Ziehung 1 von 3" + stop, "Ziehung 2 von 3" + stop, "Ziehung 3 von 3" + stop}));
        QCOMPARE(f.controller.progressText(), QStringLiteral("Ziehung 3 von 3"));
    }

    // The draw analysis on or after the newest draw: nothing earlier is compared, the newest draw once with
    // itself.
    void drawAnalysisOnTheNewestDraw_data() {
        QTest::addColumn<int>("daysAfterNewest");
        QTest::newRow("on the newest draw") << 0;
        QTest::newRow("after it") << 5;
    }
    void drawAnalysisOnTheNewestDraw() {
        QFETCH(int, daysAfterNewest);
        ControllerFixture f;
        f.writeHistory();
        f.controller.state().sortieren = true;
        const QDate newest = DrawFile(f.controller.state().drawFilePath()).readAll().back().date();
        f.controller.state().drawDate = newest.addDays(daysAfterNewest);
        f.dialogs.answers = {true};
        f.controller.analyseDraws();
        QCOMPARE(f.dialogs.questions.size(), 1);
        QCOMPARE(reportLines(f).mid(0, 14),
                 QStringList({"Treffer von Ziehungen in der Datenbank", "0    =>0", "1    =>0", "2    =>0",
                              "3    =>0", "4    =>0", "5    =>0", " ",
                              "Wie oft gab es bei der nächsten Ziehung ähnliche Zahlen", "0    =>0",
                              "1    =>0", "2    =>0", "3    =>0", "4    =>0"}));
        QCOMPARE(reportLines(f)[14], QStringLiteral("5    =>1"));
        // The comparison of the newest draw with itself is no comparison with chance: left out, no verdict.
        QCOMPARE(
            reportLines(f).filter(QStringLiteral("Vergleichen: ")),
            QStringList({"Treffer von Ziehungen in der Datenbank - Was der Zufall allein gebracht hätte, bei "
                         "gleich vielen Vergleichen: 0",
                         "Wie oft gab es bei der nächsten Ziehung ähnliche Zahlen - Was der Zufall allein "
                         "gebracht hätte, bei gleich vielen Vergleichen: 0"}));
        QCOMPARE(reportLines(f).filter(QStringLiteral("allein durch Zufall mit 95 %")), QStringList());
        QCOMPARE(reportLines(f).mid(reportLines(f).size() - 2), // the last line, with its line end
                 QStringList({"Nicht mitgezählt, weil die Ziehung beim Tippen schon bekannt war: 1", ""}));
        QCOMPARE(f.controller.progressText(), QStringLiteral("Ziehung 1 von 1"));
    }

    // The draw analysis' threshold: 0 asks after every draw compared with an earlier one, above 5 never; a No
    // there ends it without a report.
    void drawAnalysisQuestions_data() {
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<bool>("yes");
        QTest::newRow("0: after every comparison") << "0" << true;
        QTest::newRow("6: never") << "6" << true;
        QTest::newRow("0, No: no report") << "0" << false;
    }
    void drawAnalysisQuestions() {
        QFETCH(QString, threshold);
        QFETCH(bool, yes);
        ControllerFixture f;
        writeSearchDraws(f.home);
        f.controller.state().sortieren = true;
        f.controller.state().statisticsStart = QDate(2020, 1, 4);
        f.controller.state().drawDate = QDate(2020, 1, 4);
        f.dialogs.answers = {true};
        for (int i = 0; i < 20; ++i)
            f.dialogs.answers.push_back(yes);
        f.dialogs.inputs = {threshold};
        f.controller.analyseDraws();
        if (!yes) {
            QCOMPARE(f.dialogs.questions.size(), 2);
            QVERIFY(f.desktop.opened.isEmpty());
            return;
        }
        // Passes from 4 January: none compared first, then 6 January with one earlier draw, 8 January with
        // two, 11 January with three.
        const QStringList lines = reportLines(f);
        long long compared = 0;
        for (int h = 0; h <= 5; ++h)
            compared += lines[1 + h].mid(7).toLongLong();
        QCOMPARE(compared, 3);
        QCOMPARE(f.dialogs.questions.size(), 1 + (threshold == "0" ? 3 : 0));
        QCOMPARE(f.controller.progressText(), QStringLiteral("Ziehung 3 von 3"));
        if (threshold == "0")
            QCOMPARE(f.dialogs.questions[1],
                     QStringLiteral("Ziehung gefunden|Ein Treffer am  04.01.20 gefunden. Weiter?"));
    }

    // Without draws both analyses end at once with a message and ask nothing; a No to the first question
    // ends them without a report.
    void analysesEndAtOnce_data() {
        QTest::addColumn<bool>("parameters");
        QTest::addColumn<bool>("withDraws");
        QTest::newRow("parameters, empty history") << true << false;
        QTest::newRow("draws, empty history") << false << false;
        QTest::newRow("parameters, No") << true << true;
        QTest::newRow("draws, No") << false << true;
    }
    void analysesEndAtOnce() {
        QFETCH(bool, parameters);
        QFETCH(bool, withDraws);
        ControllerFixture f;
        if (withDraws) f.writeHistory();
        parameters ? f.controller.analyseParameters() : f.controller.analyseDraws();
        QCOMPARE(f.dialogs.messages,
                 withDraws ? QStringList() : QStringList{"Lesen Sie zuerst die Daten der Ziehungen ein"});
        QCOMPARE(f.dialogs.questions.size(), withDraws ? 1 : 0);
        QVERIFY(f.desktop.opened.isEmpty());
        QCOMPARE(f.controller.activity(), Activity::Idle);
    }

    // The run button during an analysis ends only the run of the current cycle; the analysis' own stop (its
    // button again) ends it without a report. Nothing else may run meanwhile.
    void stopsDuringTheParameterAnalysis_data() {
        QTest::addColumn<bool>("stopAnalysis");
        QTest::newRow("run button: the cycle") << false;
        QTest::newRow("analysis button: all") << true;
    }
    void stopsDuringTheParameterAnalysis() {
        QFETCH(bool, stopAnalysis);
        ControllerFixture f;
        f.writeHistory();
        f.controller.state().sortieren = true;
        const QDate newest = DrawFile(f.controller.state().drawFilePath()).readAll().back().date();
        f.controller.state().drawDate = newest.addDays(-7);
        f.dialogs.answers = {true};
        QString allowedMeanwhile;
        f.view.onPump = [&] {
            if (!allowedMeanwhile.isEmpty()) return;
            allowedMeanwhile = allowed(f.controller);
            stopAnalysis ? f.controller.analyseParameters() : f.controller.generate();
        };
        f.controller.analyseParameters();
        QCOMPARE(allowedMeanwhile, QStringLiteral("00000010000"));
        QCOMPARE(f.desktop.opened.size(), stopAnalysis ? 0 : 1);
        if (!stopAnalysis)
            QCOMPARE(reportLines(f)[10], QStringLiteral("Ziehungen: 2mit je 5Tipp => 10 Reihen"));
        QCOMPARE(f.controller.activity(), Activity::Idle);
    }

    // What the cycles share (the draws read once, the history index extended week by week) changes nothing:
    // the parameter analysis over the real history gives the same report and the same last rows without it.
    void reuseAcrossCyclesChangesNothing() {
        const QString csv = realHistoryCsv();
        if (csv.isEmpty()) QSKIP("../shared/data/loto-history.csv is not present");
        QByteArray reports[2];
        QStringList rows[2];
        for (int reuse = 0; reuse < 2; ++reuse) {
            ControllerFixture f;
            f.home.writeBytes(QStringLiteral("Kugelo.dat"), encodeDrawRecords(readHistoryCsv(csv)));
            f.controller.setReuseAcrossCycles(reuse == 1);
            f.controller.state().sortieren = true;
            f.controller.state().drawDate = earliestDrawDate();
            f.controller.criteria().rowCount.set(12);
            f.dialogs.answers = {true};
            f.dialogs.inputs = {QStringLiteral("4711")};
            f.controller.analyseParameters();
            reports[reuse] = f.home.readBytes(analysisReportName());
            for (int r = 0; r < TipSheet::RowCount; ++r)
                rows[reuse] << QStringList(f.controller.sheet().row(r).texts.begin(),
                                           f.controller.sheet().row(r).texts.end())
                                   .join(',');
        }
        QVERIFY(reports[0].contains("mit je 12Tipp"));
        QCOMPARE(reports[1], reports[0]);
        QCOMPARE(rows[1], rows[0]);
    }

    // Each command that can be taken back, taken back: the draw file byte for byte, the rows with their
    // locks and colours, the current draw; and only once.
    void undoPutsBackWhatTheCommandChanged_data() {
        QTest::addColumn<Undoable>("command");
        QTest::newRow("remove a draw") << Undoable::RemoveDraw;
        QTest::newRow("manual entry over a stored draw") << Undoable::EnterOverStoredDraw;
        QTest::newRow("import") << Undoable::Import;
        QTest::newRow("clear the sheet") << Undoable::ClearSheet;
        QTest::newRow("run over filled rows") << Undoable::RunOverFilledRows;
        QTest::newRow("load a tip file over every row, the locked one too") << Undoable::LoadTips;
    }
    void undoPutsBackWhatTheCommandChanged() {
        QFETCH(Undoable, command);
        ControllerFixture f;
        prepareUndo(f);
        ScriptedManualEntry entry;
        f.controller.setManualEntry(&entry);
        const QByteArray file = f.home.readBytes(QStringLiteral("Kugelo.dat"));
        const QStringList rows = rowsText(f.controller.sheet().rows());
        const QString current = f.controller.state().currentDrawLine;
        const QDate picker = f.controller.state().drawDate;
        QVERIFY(rows[0].contains("(red)")); // the check has coloured the sheet
        QVERIFY(!f.controller.canUndo());

        switch (command) {
        case Undoable::RemoveDraw:
            f.controller.removeDraw();
            break;
        case Undoable::EnterOverStoredDraw:
            entry.entered = makeDrawRecord(QDate(2008, 10, 13), {30, 2, 17, 3, 22}, 2);
            f.controller.enterDraw();
            break;
        case Undoable::Import:
            f.home.writeBytes(QStringLiteral("in.csv"),
                              "2008-10-13,1,2,3,4,5,1,\n2010-05-01,6,7,8,9,10,3,\n");
            f.controller.importArchiveFiles({f.home.file(QStringLiteral("in.csv"))});
            break;
        case Undoable::ClearSheet:
            f.controller.clearSheet();
            break;
        case Undoable::RunOverFilledRows:
            f.controller.criteria().rowCount.set(4);
            f.controller.generate();
            break;
        case Undoable::LoadTips:
            f.home.writeBytes(QStringLiteral("in.tpf"), "7,8,9,10,11,2,\r\n");
            f.dialogs.fileNames = {f.home.file(QStringLiteral("in.tpf"))};
            f.controller.loadTips();
            QCOMPARE(f.controller.sheet().text(1, 0), QString()); // the locked row 2 is loaded too
            break;
        }
        const bool drawFile = command < Undoable::ClearSheet;
        if (drawFile)
            QVERIFY(f.home.readBytes(QStringLiteral("Kugelo.dat")) != file);
        else
            QVERIFY(rowsText(f.controller.sheet().rows()) != rows);
        QVERIFY(f.controller.canUndo());

        QVERIFY(f.controller.undo());
        QCOMPARE(f.home.readBytes(QStringLiteral("Kugelo.dat")), file);
        QCOMPARE(rowsText(f.controller.sheet().rows()), rows);
        QCOMPARE(f.controller.state().currentDrawLine, current);
        QCOMPARE(f.controller.state().drawDate, picker);
        QVERIFY(!f.controller.canUndo());
        QVERIFY(!f.controller.undo());
    }

    // An undo never overwrites what came after its command: the newer change wins, the undo is forgotten
    // and the status bar says why.
    void undoIsRefusedOnceTheStateMovedOn_data() {
        QTest::addColumn<bool>("drawFile");
        QTest::newRow("the draw file updated since") << true;
        QTest::newRow("a row typed since") << false;
    }
    void undoIsRefusedOnceTheStateMovedOn() {
        QFETCH(bool, drawFile);
        ControllerFixture f;
        prepareUndo(f);
        const DrawFile file(f.controller.state().drawFilePath());
        if (drawFile) {
            f.controller.removeDraw();
            file.append(makeDrawRecord(QDate(2026, 12, 9), {1, 2, 3, 4, 5}, 1)); // as the update does
        } else {
            f.controller.clearSheet();
            f.controller.sheet().setText(0, 0, QStringLiteral("9"));
        }
        const QByteArray bytes = file.bytes();
        const QStringList rows = rowsText(f.controller.sheet().rows());
        QVERIFY(!f.controller.canUndo());
        QVERIFY(!f.controller.undo());
        QCOMPARE(f.view.lastStatus,
                 f.controller.messages()[drawFile ? Msg::UndoDrawFileChanged : Msg::UndoSheetChanged]);
        QCOMPARE(file.bytes(), bytes);
        QCOMPARE(rowsText(f.controller.sheet().rows()), rows);

        // Forgotten: putting the state back as the command left it does not bring the undo back.
        if (drawFile)
            file.removeDate(toDayNumber(QDate(2026, 12, 9)));
        else
            f.controller.sheet().setText(0, 0, QString());
        QVERIFY(!f.controller.canUndo());
    }

    // Archives in both formats, in one go: bad lines are left out and named, the rest is merged into the
    // draw file and the newest draw becomes current.
    void importMergesArchivesAndNamesWhatItLeftOut() {
        ControllerFixture f;
        f.writeHistory();
        f.home.writeBytes(QStringLiteral("loto_2010.csv"),
                          "annee_numero_de_tirage;date_de_tirage;boule_1;boule_2;boule_3;boule_4;boule_5;"
                          "numero_chance;numero_jokerplus;\r\n"
                          "2010001;01/05/2010;7;36;8;45;20;2;7 581 414;\r\n"
                          "2010002;03/05/2010;7;36;50;45;20;2;7 581 414;\r\n"
                          "2008001;11/10/2008;1;2;3;4;5;6;1 234 567;\r\n");
        f.home.writeBytes(QStringLiteral("mine.csv"), "2010-05-05,11,12,13,14,15,4,0000000\n"
                                                      "2010-02-30,11,12,13,14,15,4,0000000\n");
        const QString missing = f.home.file(QStringLiteral("missing.csv"));
        f.dialogs.fileNames = {f.home.file(QStringLiteral("loto_2010.csv")) + '\n' +
                               f.home.file(QStringLiteral("mine.csv")) + '\n' + missing};
        const std::optional<Controller::ImportSummary> summary = f.controller.importArchives();
        QVERIFY(summary);
        QCOMPARE(summary->added, 2);
        QCOMPARE(summary->replaced, 1);
        QCOMPARE(summary->skipped.count, 3);
        const QStringList& reasons = summary->skipped.reasons;
        QCOMPARE(reasons[0], QStringLiteral("loto_2010.csv:3: main number out of range 1..49: 50"));
        QCOMPARE(reasons[1], QStringLiteral("mine.csv:2: bad date: \"2010-02-30\""));
        QVERIFY2(reasons[2].startsWith("missing.csv: "), qPrintable(reasons[2]));
        QCOMPARE(f.dialogs.fileDialogs.size(), 1);
        QCOMPARE(f.dialogs.fileDialogs[0].title, QStringLiteral("Ziehungen importieren"));
        QCOMPARE(f.dialogs.messages,
                 QStringList{"Neue Ziehungen: 2\nErsetzte Ziehungen: 1\nÜbersprungene Zeilen: 3\n" +
                             reasons.join('\n')});
        QCOMPARE(Controller::importSummaryText(f.controller.messages(), *summary, 1).split('\n').last(),
                 QStringLiteral("… und weitere: 2"));

        const std::vector<DrawRecord> records = DrawFile(f.controller.state().drawFilePath()).readAll();
        QCOMPARE(records.size(), std::size_t(62));
        QCOMPARE(records.back().date(), QDate(2010, 5, 5));
        QCOMPARE(records[2], makeDrawRecord(QDate(2008, 10, 11), {1, 2, 3, 4, 5}, 6, {1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(f.controller.state().current.date(), QDate(2010, 5, 5));

        // Cancelled, or nothing readable: the file stays as it is.
        const QByteArray bytes = f.home.readBytes(QStringLiteral("Kugelo.dat"));
        QVERIFY(!f.controller.importArchives());
        QCOMPARE(f.controller.importArchiveFiles({missing}).skipped.count, 1);
        QCOMPARE(f.home.readBytes(QStringLiteral("Kugelo.dat")), bytes);

        // A file of nothing but bad lines is counted whole; only the first reasons are kept to be named.
        QByteArray bad;
        for (int i = 0; i < 250; ++i)
            bad += "2010-05-0x,11,12,13,14,15,4,0000000\n";
        f.home.writeBytes(QStringLiteral("bad.csv"), bad);
        const Controller::ImportSummary many = f.controller.importArchiveFiles({f.home.file("bad.csv")});
        QCOMPARE(many.skipped.count, 250);
        QCOMPARE(many.skipped.reasons.size(), SkippedLines::KeptReasons);
        QCOMPARE(Controller::importSummaryText(f.controller.messages(), many).split('\n').last(),
                 QStringLiteral("… und weitere: 230"));
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
