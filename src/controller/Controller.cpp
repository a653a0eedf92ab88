#include "controller/Controller.h"

#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "draws/DrawImport.h"
#include "draws/ManualEntry.h"
#include "draws/ShippedHistory.h"
#include "evaluation/HistoricalAnalysis.h"
#include "evaluation/HitCheck.h"
#include "generator/ChanceChoice.h"
#include "generator/GenerationRun.h"
#include "generator/NumberList.h"
#include "i18n/TextCodec.h"
#include "i18n/TextFile.h"
#include "output/BasketLinks.h"
#include "output/Printout.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Desktop.h"
#include "platform/Errors.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"
#include "platform/Sound.h"
#include "sheet/TipFile.h"

#include "platform/DayNumber.h"
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>

namespace kugelo {

namespace {

// Sets a shared file dialog up for tip files; its default extension and filter are put back when the
// scope ends.
class TipDialogScope {
public:
    TipDialogScope(FileDialogOptions& dialog, const QString& folder)
        : m_dialog(dialog), m_extension(dialog.defaultExtension), m_filter(dialog.filter) {
        dialog.defaultExtension = QStringLiteral("tpf");
        dialog.filter = QStringLiteral("Tippdatei|*.tpf");
        dialog.initialFolder = folder;
    }
    ~TipDialogScope() {
        m_dialog.defaultExtension = m_extension;
        m_dialog.filter = m_filter;
    }
    TipDialogScope(const TipDialogScope&) = delete;
    TipDialogScope& operator=(const TipDialogScope&) = delete;

private:
    FileDialogOptions& m_dialog;
    QString m_extension;
    QString m_filter;
};

// Tells the view to show the wait cursor while it lives.
class WaitCursor {
public:
    explicit WaitCursor(ControllerView& view) : m_view(view) { m_view.waitCursor(true); }
    ~WaitCursor() { m_view.waitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    ControllerView& m_view;
};

// Which commands may run while the program is busy with something. Whatever changes the draw file or the
// sheet waits for a run; whatever changes the draw file waits for an update.
struct Allowance {
    Command command;
    bool idle;
    bool updating;
    bool generating;
};
constexpr Allowance kAllowances[] = {
    {Command::SelectDraw, true, true, false},
    {Command::RemoveDraw, true, false, false},
    {Command::EnterDraw, true, false, false},
    {Command::Update, true, false, false},
    {Command::StopUpdate, false, true, false},
    {Command::Generate, true, false, false},
    {Command::StopGeneration, false, false, true},
    {Command::EditSheet, true, true, false},
    {Command::SaveTips, true, true, true},
    {Command::LuckyNumber, true, true, true},
    {Command::Statistic, true, true, true},
    // The listing reads the sheet, which a run is filling; the basket and the script export use the HTTP
    // client, which the update is using.
    {Command::Print, true, true, false},
    {Command::Basket, true, false, false},
    {Command::SubmitScript, true, false, false},
    // A language changes the captions of the buttons a command in progress is showing.
    {Command::Language, true, false, false},
    {Command::Search, true, false, false},
    {Command::Analyse, true, false, false},
    {Command::StopAnalysis, false, false, false},
    // The undo rewrites the draw file or the rows, which an update or a run is writing.
    {Command::Undo, true, false, false},
    {Command::ImportDraws, true, false, false},
};
// While the search or an analysis runs, it owns the sheet, the current draw and the random source: only the
// stops may run (the run button ends the current cycle of the parameter analysis).
constexpr Command kWhileAnalysing[] = {Command::StopAnalysis, Command::StopGeneration};

} // namespace

Controller::Controller(Platform platform, Endpoints endpoints, QString home, QString programFolder)
    : m_platform(platform), m_endpoints(endpoints), m_baseEndpoints(std::move(endpoints)),
      m_home(std::move(home)), m_programFolder(std::move(programFolder)) {
    m_currentDraw =
        std::make_unique<CurrentDraw>(m_state, m_messages, m_platform.dialogs, [this] { checkSheet(); });
    m_window.linkAddress = m_baseEndpoints.homePage();
    m_state.Home = m_home;
    if (!m_state.Home.isEmpty() && !m_state.Home.endsWith(QLatin1Char('/'))) m_state.Home += QLatin1Char('/');
}

Controller::~Controller() = default;

bool Controller::allows(Command command) const {
    if (m_activity == Activity::Analysing)
        return std::find(std::begin(kWhileAnalysing), std::end(kWhileAnalysing), command) !=
               std::end(kWhileAnalysing);
    if (command == Command::Basket && m_basketBusy) return false; // one basket at a time
    for (const Allowance& a : kAllowances) {
        if (a.command != command) continue;
        switch (m_activity) {
        case Activity::Idle:
            return a.idle;
        case Activity::Updating:
            return a.updating;
        case Activity::Generating:
            return a.generating;
        case Activity::Analysing:
            return false;
        }
    }
    return false;
}

QString Controller::progressLine() const {
    return m_run ? m_run->progressLine() : QString();
}

QString Controller::progressText() const {
    const bool running = m_activity != Activity::Idle;
    JobCounts counts = m_job;
    if (m_jobKind == JobKind::Generation) counts.found = m_run ? m_run->counter() : m_lastRunCandidates;
    std::optional<double> left;
    if (running && m_jobTime.isValid()) {
        const qint64 elapsed = m_jobTime.elapsed();
        left = secondsLeft(counts.current - 1, counts.total, elapsed);
        if (m_jobKind == JobKind::Generation && m_run) {
            // Rows differ in how long they take; the run limit bounds the rest in any case.
            const std::optional<double> bound = secondsLeft(m_run->counter(), m_run->laufMax(), elapsed);
            if (bound && (!left || *bound < *left)) left = bound;
        }
    }
    return jobProgressText(m_messages, m_jobKind, counts, left, running);
}

void Controller::beginJob(JobKind kind) {
    m_jobKind = kind;
    m_job = {};
    m_jobTime.start();
}

void Controller::stopRunning() {
    switch (m_activity) {
    case Activity::Updating:
        stopUpdate();
        break;
    case Activity::Generating:
        stopGeneration();
        break;
    case Activity::Analysing:
        stopAnalysis();
        break;
    case Activity::Idle:
        break;
    }
}

void Controller::report(const QString& text, const QString& spoken) {
    m_statusTexts[1] = text;
    m_view->outcome(text, spoken);
}

QString Controller::withUndoHint(const QString& text) const {
    return canUndo() ? text + m_messages[Msg::UndoHint] : text;
}

void Controller::setActivity(Activity activity) {
    m_activity = activity;
    m_stopRequested = false;
    m_view->activityChanged();
}

void Controller::run(const std::function<void()>& command) {
    try {
        command();
    } catch (const FolderError& e) {
        m_platform.dialogs.message(m_messages[Msg::CannotCreateFolder].arg(e.folder()));
    } catch (const KugeloError& e) {
        m_platform.dialogs.message(e.text());
    } catch (const std::exception& e) {
        m_platform.dialogs.message(QString::fromLocal8Bit(e.what()));
    }
    m_view->stateChanged();
}

void Controller::applyEndpoints() {
    m_refusedHosts.clear();
    m_endpoints = endpointsInUse(m_window, m_baseEndpoints, &m_refusedHosts);
}

QString Controller::hostNotice() const {
    QStringList texts;
    for (const RefusedHost& r : m_refusedHosts)
        texts << (r.stored ? m_messages[Msg::StoredHostIgnored].arg(r.host, r.instead)
                           : m_messages[Msg::OnlyWebAddresses].arg(r.source + QLatin1Char('=') + r.host));
    return texts.join(QStringLiteral("  "));
}

QString Controller::refusedHostText(const QString& host) const {
    if (host.trimmed().isEmpty() || Endpoints::isWebHost(host)) return {};
    return m_messages[Msg::OnlyWebAddresses].arg(host.trimmed());
}

void Controller::beginStartUp(int windowHeight) {
    m_state.Groesse = windowHeight;
    m_state.dfb = toDayNumber(m_platform.clock.today());
    m_state.Home = m_home;
    if (!m_state.Home.endsWith(QLatin1Char('/'))) m_state.Home += QLatin1Char('/');
    m_state.SoundName = QStringLiteral("yippee.wav");
    m_state.LaufMax = 100000;
    m_state.sortieren = false;
    m_state.Berechnunglaeuft = false;
}

void Controller::endStartUp() {
    // A start date of the statistics within the last seven days is replaced by the earliest date.
    if (m_state.statisticsStart > m_platform.clock.today().addDays(-7))
        m_state.statisticsStart = earliestDrawDate();
    if (m_window.proxyHost.isEmpty()) m_window.proxyPort = QStringLiteral("80");

    m_state.LaufMax = 1000 * m_criteria.runLimitThousands.value;

    m_state.ZahlenFile = QStringLiteral("Kugelo.dat");
    run([this] {
        const DrawFile file(m_state.drawFilePath());
        if (m_shippedHistory.isEmpty())
            file.createIfMissing();
        else
            m_shippedHistoryProblem = seedDrawFile(file, m_shippedHistory, m_platform.clock.today()).problem;
    });

    m_random.seedFromClock(m_platform.clock);

    m_state.aktDatum = toDayNumber(m_state.statisticsStart);
    setPickerDate(m_state.drawDate, m_platform.clock.today());
    m_view->stateChanged();
}

QString Controller::startUpNotice() const {
    if (m_shippedHistoryProblem.isEmpty()) return {};
    return m_messages[Msg::ShippedHistoryUnusable] + m_shippedHistoryProblem;
}

void Controller::startUp() {
    // The language first: the draw and the chart then take their texts from its message table.
    run([this] { applyRememberedLanguage(); });
    run([this] { m_currentDraw->selectByDate(); });
    run([this] { showStatistic(Statistic::Frequency); });
    m_view->showPage(ControllerView::Page::TipOverview, false);
}

QString Controller::soundPath() const {
    // The sound ships beside the program; a copy in the home folder is the second place to look.
    for (const QString& folder : {m_programFolder, m_state.Home}) {
        if (folder.isEmpty()) continue;
        const QString path = QDir(folder).filePath(m_state.SoundName);
        if (QFileInfo::exists(path)) return path;
    }
    return {};
}

void Controller::checkSheet() {
    Komplettcheck(m_state, m_sheet, [this] { m_platform.sound.play(soundPath()); });
}

void Controller::clearSheet() {
    if (!allows(Command::EditSheet)) return;
    const TipSheet::Rows before = m_sheet.rows();
    m_sheet.clearAll();
    const QString what = m_messages[Msg::TipsCleared];
    rememberSheetChange(before, what);
    report(withUndoHint(what));
}

void Controller::saveTips() {
    setPickerDate(m_state.drawDate, nextDrawDate(m_state.drawDate));
    m_view->stateChanged();
    const TipDialogScope scope(m_saveDialog1, m_state.Home);
    m_saveDialog1.proposedName =
        m_state.drawDate.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".tpf");
    const QString path = m_platform.dialogs.saveFileName(m_saveDialog1);
    if (path.isEmpty()) return;
    writeFileWhole(path, tipFileText(m_sheet));
    report(m_messages[Msg::TipsSaved].arg(QDir::toNativeSeparators(path)));
}

void Controller::loadTips() {
    if (!allows(Command::EditSheet)) return;
    QString path;
    {
        const TipDialogScope scope(m_openDialog1, m_state.Home);
        path = m_platform.dialogs.openFileName(m_openDialog1);
        if (!path.isEmpty()) m_openDialog1.proposedName = path;
    }
    if (path.isEmpty())
        m_currentDraw->selectByDate();
    else
        loadTipsFrom(path);
}

void Controller::loadTipsFrom(const QString& path) {
    const TipSheet::Rows before = m_sheet.rows();
    // The file is read before the sheet is cleared, so a file that cannot be read costs no rows.
    loadTipFile(m_sheet, readTextFile(path, TextFileKind::TipFile));
    m_currentDraw->selectByDate();
    // Loading replaces every row, the locked ones too: it can be taken back.
    const QString what = m_messages[Msg::TipsLoaded].arg(QDir::toNativeSeparators(path));
    rememberSheetChange(before, what);
    report(withUndoHint(what));
}

void Controller::editRow(int row) {
    if (!m_numberList || !allows(Command::EditSheet) || row < 0 || row >= TipSheet::RowCount) return;
    m_numberList->setTitle(m_messages[Msg::NumbersForTip] + QStringLiteral(" ") + QString::number(row + 1));
    NumberList& list = m_numberList->list();
    // Row mode: the row's numbers are ticked and yellow, the random draw fills the rest.
    list.Zufall = m_messages[Msg::RandomCaption];
    list.Stopp = m_messages[Msg::RandomStop];
    m_numberList->setRowMode(true);
    list.MaxTipp = 5;
    list.MaxZahl = 49;
    for (int n = 1; n <= 49; ++n) {
        list.setSet(n, false);
        list.setColour(n, BoxColour::Normal);
    }
    for (int f = 0; f < 5; ++f) {
        const auto n = tryStrToInt(m_sheet.text(row, f));
        if (!n || *n < 1 || *n > 49) break;
        list.setSet(*n, true);
        list.setColour(*n, BoxColour::Yellow);
    }
    m_numberList->showList();

    const NumberListPort::Result result = m_numberList->runModal();
    if (result == NumberListPort::Result::Ok) {
        int f = 0;
        for (int n = 1; n <= 49 && f < 5; ++n) {
            if (list.isSet(n)) m_sheet.setText(row, f++, QString::number(n));
        }
    }
    m_numberList->setRowMode(false);
    for (int n = 1; n <= 49; ++n)
        list.setColour(n, BoxColour::Normal);
    m_numberList->setTitle(m_messages[Msg::NumbersForRun]);
    m_numberList->showList();
}

void Controller::selectDraw() {
    if (!allows(Command::SelectDraw)) return;
    m_currentDraw->selectByDate();
}

void Controller::stepBack() {
    if (!allows(Command::SelectDraw)) return;
    m_currentDraw->stepBack();
}

void Controller::stepForward() {
    if (!allows(Command::SelectDraw)) return;
    m_currentDraw->stepForward();
}

void Controller::removeDraw() {
    if (!allows(Command::RemoveDraw)) return;
    const WaitCursor wait(*m_view);
    const std::optional<DrawFileState> before = drawFileState();
    const QDate shown = fromDayNumber(m_state.current.Datum);
    m_currentDraw->removeCurrent();
    const QString what = m_messages[Msg::DrawRemoved].arg(shortDate(shown));
    if (rememberDrawFileChange(before, what))
        report(withUndoHint(what));
    else
        report(m_messages[Msg::NoDrawToRemove]);
}

void Controller::enterDraw() {
    if (!m_manualEntry || !allows(Command::EnterDraw)) return;
    const DrawFile file(m_state.drawFilePath());
    const std::optional<DrawFileState> before = drawFileState();
    const DrawRecord loaded = manualEntryStart(m_state, file);
    QString what;
    if (const std::optional<DrawRecord> entered = m_manualEntry->enter(loaded)) {
        storeManualEntry(file, *entered, loaded);
        what = m_messages[Msg::DrawStored].arg(shortDate(entered->date()));
        rememberDrawFileChange(before, what);
    }
    // The draw that was current before stays current.
    setPickerDate(m_state.drawDate, fromDayNumber(m_state.aktDatum));
    m_currentDraw->selectByDate();
    if (!what.isEmpty()) report(withUndoHint(what));
}

UpdateResult Controller::update() {
    if (!allows(Command::Update)) return {}; // one update at a time
    beginJob(JobKind::Update);
    setActivity(Activity::Updating);
    // The update ends also with an error report; the program is idle again then.
    struct Finish {
        Controller* controller;
        ~Finish() {
            controller->setActivity(Activity::Idle);
            controller->m_view->stateChanged();
        }
    } finish{this};

    UpdateHooks hooks;
    hooks.progress = this;
    hooks.proxy = [this] { return UpdateProxy{m_window.proxyHost, strToInt(m_window.proxyPort)}; };
    hooks.message = [this](const QString& text) { m_view->notADrawLine(text); };
    hooks.drawShown = [this] { m_view->stateChanged(); };
    hooks.dayDone = [this](const QDate& day, const QString& statusLine) {
        m_view->dayDone(day, statusLine);
        m_view->stateChanged();
    };
    if (const QString tab = elementCaption(QStringLiteral("TabSheet3")); !tab.isEmpty())
        hooks.settingsTab = tab;
    return DrawUpdate(m_state, m_messages, m_platform.http, m_endpoints, m_platform.clock, *m_currentDraw,
                      hooks)
        .run();
}

void Controller::stopUpdate() {
    if (m_activity != Activity::Updating) return;
    m_stopRequested = true;
    m_view->activityChanged();
    m_platform.http.abort(); // a request that waits now ends at once
}

void Controller::stopGeneration() {
    if (m_activity == Activity::Analysing) {
        // Ends the run of the current cycle only; the analysis goes on with the next.
        if (m_run) m_cycleStopRequested = true;
        return;
    }
    if (m_activity != Activity::Generating) return;
    m_stopRequested = true; // the running loop sees it at its next candidate
    m_view->activityChanged();
}

void Controller::stopAll() {
    stopUpdate();
    stopGeneration();
    stopAnalysis();
    if (m_endBasketPause) m_endBasketPause();
}

void Controller::showStatistic(Statistic statistic, bool showPageFirst) {
    if (showPageFirst) m_view->showPage(ControllerView::Page::Chart, false);
    const WaitCursor wait(*m_view);
    if (kugelo::showStatistic(statistic, m_state, m_messages, m_chart, &m_sheet))
        m_view->showPage(ControllerView::Page::Chart, false);
}

bool Controller::followStatisticsStart() {
    const std::optional<Statistic> shown = m_chart.statistic();
    if (m_activity != Activity::Idle || !shown || *shown == Statistic::RowDistribution) return false;
    showStatistic(*shown);
    return true;
}

void Controller::luckyNumber() {
    const QString proposed = QString::number(m_random.below(99999));
    const QString answer = m_platform.dialogs.input(m_messages[Msg::LuckyNumberCaption],
                                                    m_messages[Msg::LuckyNumberPrompt], proposed);
    if (const auto number = tryStrToInt(answer)) {
        m_random.setState(static_cast<std::uint32_t>(*number));
        report(m_messages[Msg::LuckyNumberSet] + QString::number(*number) +
               m_messages[Msg::LuckyNumberSetEnd]);
    } else {
        m_random.seedFromClock(m_platform.clock);
    }
}

PoolChoice Controller::choosePool(NumberPool& pool) {
    if (!m_numberList) return PoolChoice::Keep;
    m_view->showPage(ControllerView::Page::TipOverview, false);
    NumberList& list = m_numberList->list();
    list.Zufall = m_messages[Msg::RandomCaption];
    list.Stopp = m_messages[Msg::RandomStop];
    list.MaxZahl = 49;
    for (int n = 1; n <= 49; ++n) {
        list.setSet(n, pool.count(n) > 0);
        list.setWeight(n, QString::number(pool.count(n)));
    }
    m_numberList->setRowMode(false);
    m_numberList->showList();
    const NumberListPort::Result result = m_numberList->runModal();
    if (result == NumberListPort::Result::Ok) return PoolChoice::Keep;
    if (result == NumberListPort::Result::Retry) {
        pool.rebuildFrom(list);
        return PoolChoice::Rebuild;
    }
    return PoolChoice::Cancel;
}

RunHooks Controller::runHooks(Progress* progress) {
    RunHooks hooks;
    hooks.progress = progress;
    hooks.showTipTab = [this] { m_view->showPage(ControllerView::Page::TipOverview, false); };
    hooks.showChartTab = [this] { m_view->showPage(ControllerView::Page::Chart, true); };
    hooks.criteriaChanged = [this] { m_view->criteriaChanged(); };
    hooks.sheetCheck = [this] { checkSheet(); };
    hooks.numberList = [this](NumberPool& pool) { return choosePool(pool); };
    return hooks;
}

void Controller::generate() {
    if (m_activity == Activity::Generating || m_activity == Activity::Analysing) {
        stopGeneration();
        return;
    }
    if (!allows(Command::Generate)) return;
    beginJob(JobKind::Generation);
    setActivity(Activity::Generating);
    struct Finish {
        Controller* controller;
        ~Finish() {
            controller->setActivity(Activity::Idle);
            controller->m_view->criteriaChanged();
        }
    } finish{this};
    const WaitCursor wait(*m_view);

    m_lastRunCandidates = 0;
    // A run over rows that hold numbers can be taken back.
    const TipSheet::Rows before = m_sheet.rows();
    const bool overFilledRows = std::any_of(before.begin(), before.end(), [](const TipSheet::Row& row) {
        return !row.locked &&
               std::any_of(row.texts.begin(), row.texts.end(), [](const QString& t) { return !t.isEmpty(); });
    });
    GenerationRun run(RunEnvironment{m_state, m_sheet, m_criteria, m_messages, m_chart, *m_currentDraw,
                                     m_random, m_platform.clock},
                      runHooks(this));
    // The run is reachable for its progress line while it lives.
    struct Current {
        Controller* controller;
        GenerationRun& run;
        ~Current() {
            controller->m_lastRunCandidates = run.counter();
            controller->m_run = nullptr;
        }
    } current{this, run};
    m_run = &run;
    if (run.run() != GenerationRun::Outcome::Finished) return;
    // The final text names how the n° CHANCE was chosen: in two of its modes every row gets the same one.
    const QString what = m_statusTexts[1] + QStringLiteral(" — ") + chanceRuleText(m_messages, m_criteria);
    if (overFilledRows) rememberSheetChange(before, what);
    report(what);
}

// ---- The search in the history and the historical analyses ----

namespace {

// Marks the controller busy with an evaluation while it lives.
class AnalysisActivity {
public:
    // `ended` runs when the command ends, before the controller is idle again.
    AnalysisActivity(Activity& activity, bool& stop, ControllerView*& view, std::function<void()> ended)
        : m_activity(activity), m_stop(stop), m_view(view), m_ended(std::move(ended)) {
        set(Activity::Analysing);
    }
    ~AnalysisActivity() {
        m_ended();
        set(Activity::Idle);
    }
    AnalysisActivity(const AnalysisActivity&) = delete;
    AnalysisActivity& operator=(const AnalysisActivity&) = delete;

private:
    void set(Activity a) {
        m_activity = a;
        m_stop = false;
        m_view->activityChanged();
    }
    Activity& m_activity;
    bool& m_stop;
    ControllerView*& m_view;
    std::function<void()> m_ended;
};

// While an analysis runs its cycles (passes), the sheet and the chart tell their views about their
// changes at most four times a second: showing every row and chart of a thousand cycles would cost the
// window many times what the cycles cost. alsoShow: what else the window shows then.
class ThrottledModels {
public:
    ThrottledModels(TipSheet& sheet, ChartModel& chart, std::function<void()> alsoShow = {})
        : m_sheet(sheet), m_chart(chart), m_alsoShow(std::move(alsoShow)),
          m_sheetBlocked(sheet.blockSignals(true)), m_chartBlocked(chart.blockSignals(true)) {
        m_since.start();
    }
    ~ThrottledModels() {
        m_sheet.blockSignals(m_sheetBlocked);
        m_chart.blockSignals(m_chartBlocked);
        show();
    }
    ThrottledModels(const ThrottledModels&) = delete;
    ThrottledModels& operator=(const ThrottledModels&) = delete;

    // After a cycle: the views catch up when their time has come.
    void cycleDone() {
        if (m_since.elapsed() >= 250) showNow();
    }
    // Before a question: the views show what it is about.
    void showNow() {
        m_sheet.blockSignals(m_sheetBlocked);
        m_chart.blockSignals(m_chartBlocked);
        show();
        m_sheet.blockSignals(true);
        m_chart.blockSignals(true);
    }

private:
    void show() {
        Q_EMIT m_chart.changed();
        for (int r = 0; r < TipSheet::RowCount; ++r)
            Q_EMIT m_sheet.rowChanged(r);
        if (m_alsoShow) m_alsoShow();
        m_since.restart();
    }
    TipSheet& m_sheet;
    ChartModel& m_chart;
    std::function<void()> m_alsoShow;
    bool m_sheetBlocked;
    bool m_chartBlocked;
    QElapsedTimer m_since;
};

} // namespace

void Controller::endEvaluation(const QString& stopHint, Msg stopped) {
    // The hint how to stop goes with the command; the texts it was added to stay.
    for (int panel = 0; panel < int(m_statusTexts.size()); ++panel) {
        const QString& text = m_statusTexts[panel];
        if (!stopHint.isEmpty() && text.endsWith(stopHint)) status(panel, text.chopped(stopHint.size()));
    }
    if (m_stopRequested) report(m_messages[stopped]);
}

void Controller::stopAnalysis() {
    if (m_activity != Activity::Analysing) return;
    m_stopRequested = true; // seen at the next draw, candidate or cycle
    m_cycleStopRequested = true;
    m_view->activityChanged();
}

bool Controller::hasDraws() const {
    const DrawFile file(m_state.drawFilePath());
    DrawRecord last;
    return file.exists() && file.lastRecord(last);
}

QString Controller::reportPath() const {
    return m_state.Home + analysisReportName();
}

void Controller::writeReport(const QStringList& lines) {
    writeFileWhole(reportPath(), crlfText(lines));
    m_platform.desktop.open(reportPath());
}

SearchResult Controller::searchTips() {
    if (m_activity == Activity::Analysing) {
        stopAnalysis();
        return {};
    }
    if (!allows(Command::Search)) return {};
    const QString proposed = QString::number(defaultSearchThreshold(m_criteria.chanceCountsAsMatch));
    const int threshold = strToInt(
        m_platform.dialogs.input(m_messages[Msg::AnalysisStopAt], m_messages[Msg::TipTest], proposed));
    beginJob(JobKind::Analysis); // the search shows no counts of its own
    const QString stopHint = m_messages[Msg::SearchStopHint];
    const AnalysisActivity busy(m_activity, m_stopRequested, m_view,
                                [this, stopHint] { endEvaluation(stopHint, Msg::SearchStopped); });
    // The window shows each draw as it is examined.
    ProgressFunctions progress;
    progress.onPump = [this] {
        m_view->stateChanged();
        m_view->pump();
    };
    progress.onStatus = [this](int panel, const QString& text) { status(panel, text); };
    progress.onStop = [this] { return m_stopRequested; };
    const auto showChart = [this](int zeroBars) {
        std::vector<ChartPoint> zeros;
        for (int x = 0; x < zeroBars; ++x)
            zeros.push_back({x, 0, false});
        m_chart.show(std::move(zeros), !m_chart.automaticAxis());
    };
    const SearchEnvironment environment{m_state,
                                        m_sheet,
                                        m_messages,
                                        showChart,
                                        m_platform.dialogs,
                                        m_criteria.chanceCountsAsMatch,
                                        [this] {
                                            // The strip and the cross sum show the draw asked about.
                                            m_view->stateChanged();
                                            checkSheet();
                                        },
                                        &progress,
                                        stopHint};
    const SearchResult result = searchHistory(environment, threshold);
    // Ended by the stop, the search says so as it ends; otherwise what it found, or why it had nothing to
    // examine.
    if (m_stopRequested) return result;
    QString said;
    if (result.examined == 0)
        said = emptyStatisticsReason(m_messages, m_state, DrawFile(m_state.drawFilePath()).readDraws(), true);
    if (said.isEmpty() && result.stops.empty()) {
        said = m_messages[Msg::SearchNothingFound].arg(result.examined);
    } else if (said.isEmpty()) {
        std::vector<QDate> dates;
        for (const SearchStop& stop : result.stops)
            if (std::find(dates.begin(), dates.end(), stop.date) == dates.end()) dates.push_back(stop.date);
        said = m_messages[Msg::SearchFound].arg(dates.size()).arg(result.examined);
    }
    report(said);
    return result;
}

void Controller::generationCycle(RunReuse* reuse) {
    ProgressFunctions progress;
    progress.onPump = [this] { m_view->pump(); };
    progress.onStatus = [this](int panel, const QString& text) { m_view->status(panel, text); };
    progress.onStop = [this] { return m_cycleStopRequested || m_stopRequested; };
    RunEnvironment environment{m_state, m_sheet,        m_criteria, m_messages,
                               m_chart, *m_currentDraw, m_random,   m_platform.clock};
    environment.reuse = reuse;
    // The runs of an analysis leave the chart page where it is: bringing it to the front and painting it
    // for every statistic of every cycle would cost the window tens of milliseconds per cycle.
    RunHooks hooks = runHooks(&progress);
    hooks.showChartTab = nullptr;
    GenerationRun run(environment, hooks);
    struct Current {
        Controller* controller;
        ~Current() {
            controller->m_run = nullptr;
            controller->m_cycleStopRequested = false;
        }
    } current{this};
    m_run = &run;
    run.run();
}

void Controller::analyseParameters() {
    if (m_activity == Activity::Analysing) {
        stopAnalysis();
        return;
    }
    if (!allows(Command::Analyse)) return;
    if (!hasDraws()) {
        m_platform.dialogs.message(noDrawFileMessage());
        return;
    }
    const MessageTable& m = m_messages;
    if (!m_platform.dialogs.question(m[Msg::AnalysisOfSettingsClearsTips],
                                     m[Msg::AnalysisOfSettingsAsk] + shortDate(m_state.drawDate) +
                                         m[Msg::AnalysisOfSettingsAskEnd]))
        return;
    beginJob(JobKind::Analysis);
    const AnalysisActivity busy(m_activity, m_stopRequested, m_view, [this] {
        endEvaluation(m_messages[Msg::AnalysisStopHint], Msg::AnalysisStopped);
    });
    // The number list would open before every run: off for the analysis, put back at its end.
    struct ListOption {
        Controller* controller;
        bool kept;
        ~ListOption() {
            controller->m_criteria.showPool = kept;
            controller->m_view->criteriaChanged();
        }
    } listOption{this, m_criteria.showPool};
    m_criteria.showPool = false;
    m_view->criteriaChanged();

    const QDate start = m_state.drawDate;
    m_currentDraw->selectByDate();
    const QString seedText =
        m_platform.dialogs.input(m[Msg::LuckyNumberCaption], m[Msg::LuckyNumberPrompt],
                                 QString::number(static_cast<std::int32_t>(m_random.state())));
    try {
        const int seed = strToInt(seedText);
        m_random.setState(static_cast<std::uint32_t>(seed));
        m_view->status(1, m[Msg::LuckyNumberSet] + QString::number(seed) + m[Msg::LuckyNumberSetEnd]);
        RunReuse reuse;
        ThrottledModels views(m_sheet, m_chart);
        const auto cycle = [&] {
            m_random.setState(static_cast<std::uint32_t>(seed));
            generationCycle(m_reuseAcrossCycles ? &reuse : nullptr);
            views.cycleDone();
        };
        const ParameterCycleEnvironment environment{m_state,
                                                    *m_currentDraw,
                                                    m_sheet,
                                                    m_platform.clock,
                                                    cycle,
                                                    this,
                                                    m[Msg::AnalysisCycle],
                                                    m[Msg::AnalysisStopHint]};
        bool stopped = false;
        const ParameterTotals totals = runParameterCycles(environment, start, &stopped);
        m_view->stateChanged();
        if (!stopped) writeReport(parameterReport(m, totals, m_criteria.rowCount.value));
    } catch (const std::exception&) {
        m_platform.dialogs.message(m[Msg::LuckyNumberInputError]);
    }
}

void Controller::analyseDraws() {
    if (m_activity == Activity::Analysing) {
        stopAnalysis();
        return;
    }
    if (!allows(Command::Analyse)) return;
    if (!hasDraws()) {
        m_platform.dialogs.message(noDrawFileMessage());
        return;
    }
    const MessageTable& m = m_messages;
    if (!m_platform.dialogs.question(m[Msg::AnalysisOfDrawsClearsTips], m[Msg::AnalysisOfDrawsAsk] +
                                                                            shortDate(m_state.drawDate) +
                                                                            m[Msg::AnalysisOfDrawsAskEnd]))
        return;
    beginJob(JobKind::Analysis);
    const AnalysisActivity busy(m_activity, m_stopRequested, m_view, [this] {
        endEvaluation(m_messages[Msg::AnalysisStopHint], Msg::AnalysisStopped);
    });
    m_currentDraw->selectByDate();
    m_view->showPage(ControllerView::Page::TipOverview, false);
    const double limit = toDayNumber(m_state.drawDate) + 10;
    const int threshold = strToInt(
        m_platform.dialogs.input(m[Msg::DrawSearchStopAt], m[Msg::CompareDrawResult], QStringLiteral("5")));
    std::optional<DrawTallies> tallies;
    {
        const WaitCursor wait(*m_view);
        // The window shows the passes as the parameter analysis shows its cycles, and every pass a
        // question is about.
        ThrottledModels views(m_sheet, m_chart, [this] { m_view->stateChanged(); });
        DrawComparisonEnvironment environment{m_state,
                                              m_sheet,
                                              *m_currentDraw,
                                              m,
                                              m_platform.dialogs,
                                              this,
                                              [&views] { views.cycleDone(); },
                                              m[Msg::AnalysisStopHint],
                                              [&views] { views.showNow(); }};
        tallies = runDrawComparisons(environment, limit, threshold);
    }
    if (tallies) writeReport(drawReport(m, *tallies));
}

// --- Undo ---

namespace {

// What the user put into the rows: their texts and locks (the colours and labels follow the draw shown).
bool sameEntries(const TipSheet::Rows& a, const TipSheet::Rows& b) {
    return std::equal(a.begin(), a.end(), b.begin(), [](const TipSheet::Row& x, const TipSheet::Row& y) {
        return x.texts == y.texts && x.locked == y.locked;
    });
}

} // namespace

std::optional<Controller::DrawFileState> Controller::drawFileState() const {
    try {
        const DrawFile file(m_state.drawFilePath());
        DrawFileState state;
        state.existed = file.exists();
        state.bytes = file.bytes();
        state.current = m_state.current.Datum;
        state.picker = m_state.drawDate;
        return state;
    } catch (const KugeloError&) {
        return std::nullopt;
    }
}

bool Controller::rememberDrawFileChange(const std::optional<DrawFileState>& before, const QString& what) {
    if (!before) return false;
    try {
        const DrawFile file(m_state.drawFilePath());
        QByteArray after = file.bytes();
        if (file.exists() == before->existed && after == before->bytes) return false; // nothing changed
        m_undo = UndoStep{true, *before, std::move(after), {}, {}, what};
        return true;
    } catch (const KugeloError&) {
        // The file cannot be read back: no undo that could not check what it overwrites.
        return false;
    }
}

bool Controller::rememberSheetChange(const TipSheet::Rows& before, const QString& what) {
    if (sameEntries(before, m_sheet.rows())) return false;
    m_undo = UndoStep{false, {}, {}, before, m_sheet.rows(), what};
    return true;
}

bool Controller::undoStillMatches() const {
    if (!m_undo->drawFile) return sameEntries(m_sheet.rows(), m_undo->rowsAfter);
    try {
        const DrawFile file(m_state.drawFilePath());
        return file.exists() && file.bytes() == m_undo->fileAfter;
    } catch (const KugeloError&) {
        return false;
    }
}

bool Controller::canUndo() const {
    return m_undo && allows(Command::Undo) && undoStillMatches();
}

bool Controller::undo() {
    if (!m_undo || !allows(Command::Undo)) return false;
    if (!undoStillMatches()) {
        report(m_messages[m_undo->drawFile ? Msg::UndoDrawFileChanged : Msg::UndoSheetChanged]);
        m_undo.reset();
        m_view->stateChanged();
        return false;
    }
    const QString what = m_undo->what;
    if (!m_undo->drawFile) {
        m_sheet.restoreRows(m_undo->rowsBefore);
        m_undo.reset();
        // The colours and labels as the check gives them for the draw shown now; no win sound for rows
        // that were there before.
        Komplettcheck(m_state, m_sheet, {});
    } else {
        const DrawFile file(m_state.drawFilePath());
        const DrawFileState before = m_undo->fileBefore;
        if (before.existed)
            file.restoreBytes(before.bytes); // a failure leaves the file and the undo as they are
        else if (!QFile::remove(file.path()))
            throw IoError(m_messages[Msg::CannotRemove].arg(file.path()));
        m_undo.reset();
        if (before.existed) {
            // The draw that was current before the command is current again.
            setPickerDate(m_state.drawDate,
                          before.current > 0 ? fromDayNumber(before.current) : before.picker);
            m_currentDraw->selectByDate();
            setPickerDate(m_state.drawDate, before.picker);
        }
    }
    m_view->stateChanged();
    report(m_messages[Msg::Undone].arg(what));
    return true;
}

// --- Import ---

Controller::ImportSummary Controller::importArchiveFiles(const QStringList& paths) {
    ImportSummary summary;
    std::vector<DrawRecord> draws;
    const QDate today = m_platform.clock.today();
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        try {
            const std::vector<DrawRecord> fromFile =
                parseDrawCsv(name, readTextFile(path, TextFileKind::DrawArchive), today, &summary.skipped);
            draws.insert(draws.end(), fromFile.begin(), fromFile.end());
        } catch (const KugeloError& e) {
            summary.skipped.add(name + QStringLiteral(": ") + e.text()); // the file cannot be read
        }
    }
    if (draws.empty()) {
        report(importStatusText(m_messages, summary));
        return summary;
    }
    const std::optional<DrawFileState> before = drawFileState();
    const DrawFile file(m_state.drawFilePath());
    const ImportResult result = kugelo::importDraws(file, draws);
    summary.added = result.imported - result.replaced;
    summary.replaced = result.replaced;
    const QString what = importStatusText(m_messages, summary);
    rememberDrawFileChange(before, what);
    // The newest draw of the history becomes current.
    DrawRecord last;
    if (file.lastRecord(last)) setPickerDate(m_state.drawDate, last.date());
    m_currentDraw->selectByDate();
    report(withUndoHint(what));
    return summary;
}

std::optional<Controller::ImportSummary> Controller::importArchives() {
    if (!allows(Command::ImportDraws)) return std::nullopt;
    FileDialogOptions options;
    options.title = m_messages[Msg::ImportTitle];
    options.filter = m_messages[Msg::ImportFiles] + QStringLiteral("|*.csv;*.CSV;*.txt;*.TXT");
    options.defaultExtension = QStringLiteral("csv");
    options.initialFolder = m_state.Home;
    const QStringList paths = m_platform.dialogs.openFileNames(options);
    if (paths.isEmpty()) return std::nullopt;
    std::optional<ImportSummary> summary;
    {
        const WaitCursor wait(*m_view);
        summary = importArchiveFiles(paths);
    }
    m_platform.dialogs.message(importSummaryText(m_messages, *summary));
    return summary;
}

QString Controller::importStatusText(const MessageTable& m, const ImportSummary& summary) {
    return m[Msg::ImportAdded] + QString::number(summary.added) + QStringLiteral(", ") +
           m[Msg::ImportReplaced] + QString::number(summary.replaced) + QStringLiteral(", ") +
           m[Msg::ImportSkipped] + QString::number(summary.skipped.count);
}

QString Controller::importSummaryText(const MessageTable& m, const ImportSummary& summary, int maxReasons) {
    QStringList lines{m[Msg::ImportAdded] + QString::number(summary.added),
                      m[Msg::ImportReplaced] + QString::number(summary.replaced),
                      m[Msg::ImportSkipped] + QString::number(summary.skipped.count)};
    const qsizetype named = std::min<qsizetype>(maxReasons, summary.skipped.reasons.size());
    lines << summary.skipped.reasons.mid(0, named);
    if (summary.skipped.count > named)
        lines << m[Msg::ImportMoreSkipped] + QString::number(summary.skipped.count - named);
    return lines.join(QLatin1Char('\n'));
}

// --- Languages ---

void Controller::chooseLanguage(int number) {
    const Language* language = languageByNumber(number);
    if (!language || !allows(Command::Language)) return;
    m_languageFile = languageFilePath(m_programFolder, QLatin1String(language->fileName));
    if (m_textElements) m_textElements->languageChosen(number);
    applyLanguageFile();
    m_state.sprache = number;
}

void Controller::applyRememberedLanguage() {
    if (languageByNumber(m_state.sprache)) chooseLanguage(m_state.sprache);
}

void Controller::applyLanguageFile() {
    if (!m_textElements || !allows(Command::Language) || m_languageFile.isEmpty()) return;
    const QString master = masterListPath(m_programFolder);
    // An export to these files that was cut off is finished, or its remains removed, before they are read.
    settleTextExport(master);
    settleTextExport(m_languageFile);
    if (!QFileInfo(master).isFile() || !QFileInfo(m_languageFile).isFile()) return;
    const std::vector<TextElement> walk = m_textElements->textElements();
    const std::vector<MasterEntry> entries =
        masterEntries(readTextFile(master, TextFileKind::LanguageFile), reachableMasterEntries(walk));
    const QString messages =
        languageFilePath(m_programFolder, QFileInfo(m_languageFile).fileName() + QStringLiteral(".meld"));
    if (QFileInfo(messages).isFile()) {
        // Lines beyond the table name no message.
        m_messages.replaceAll(
            readTextFile(messages, TextFileKind::LanguageFile).toList(MessageTable::germanDefaults().size()));
        m_currentDraw->retitle();
    }
    const TextLines lines = readTextFile(m_languageFile, TextFileKind::LanguageFile);
    for (const TextAssignment& texts : matchLanguage(walk, entries, lines)) {
        try {
            m_textElements->setTexts(texts.element, texts);
        } catch (const std::exception&) {
            // An element that cannot take its texts keeps them; the others still get theirs.
        }
    }
    m_textElements->textsApplied();
}

QString Controller::elementCaption(const QString& name) {
    if (!m_textElements) return {};
    for (const TextElement& e : m_textElements->textElements())
        if (e.name == name) return QString(e.caption).remove(QLatin1Char('&'));
    return {};
}

void Controller::exportTexts() {
    if (!m_textElements || !allows(Command::Language)) return;
    FileDialogOptions options;
    options.filter = QStringLiteral("Textdatei|*.txt");
    options.defaultExtension = QStringLiteral("txt");
    options.initialFolder = languageFolder(m_programFolder);
    options.proposedName = QStringLiteral("Kugelo.txt");
    const QString path = m_platform.dialogs.saveFileName(options);
    if (!path.isEmpty()) exportTextsTo(path);
}

void Controller::exportTextsTo(const QString& path, const std::optional<QStringList>& messages) {
    if (!m_textElements) return;
    writeTextExport(path, kugelo::exportTexts(m_textElements->textElements()), messages);
}

// --- Output and submission ---

QString Controller::refusedLinkText(const QString& link) const {
    // On one line: a line end of the link shows as U+FFFD.
    QString shown = link.left(120);
    for (QChar& c : shown)
        if (c.category() == QChar::Other_Control) c = QChar::ReplacementCharacter;
    return m_messages[Msg::LinkRefused] + shown;
}

bool Controller::openWebLink(const QString& link) {
    // The desktop is given the address exactly as the browser is to get it, so what kugelo-cli prints is
    // what the window opens.
    const QString address = webLinkAddress(link);
    if (address.isEmpty()) {
        m_view->status(1, refusedLinkText(link));
        return false;
    }
    m_platform.desktop.open(address);
    return true;
}

QString Controller::printTips() {
    if (!allows(Command::Print)) return {};
    const QDate tipDate = listingTipDate(m_state.drawDate, fromDayNumber(m_state.current.Datum));
    // Converted whole before anything is written: a row that is no number leaves no file behind.
    const QByteArray text = crlfText(listingLines(m_sheet, m_messages[Msg::PrintHeader], tipDate));
    const QString path = m_state.Home + QStringLiteral("Tipp.txt");
    writeFileWhole(path, text);
    // Where the listing lies matters when nothing shows it.
    const bool shown = m_platform.desktop.open(path);
    report(
        m_messages[shown ? Msg::ListingOpened : Msg::ListingNotOpened].arg(QDir::toNativeSeparators(path)));
    return path;
}

Controller::BasketOutcome Controller::basket() {
    if (!allows(Command::Basket)) return BasketOutcome::NotRun;
    // The request and the pause keep the window live: a second basket waits until this one is done.
    struct Busy {
        Controller* controller;
        explicit Busy(Controller* c) : controller(c) {
            controller->m_basketBusy = true;
            controller->m_view->activityChanged();
        }
        ~Busy() {
            controller->m_basketBusy = false;
            controller->m_view->activityChanged();
        }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
    } busy(this);
    HttpRequest request;
    request.url = m_endpoints.basketService(m_criteria.rowCount.value);
    request.proxyHost = m_window.proxyHost;
    request.proxyPort = strToInt(m_window.proxyPort); // a port that is no number stops before the request
    HttpResponse reply;
    {
        const WaitCursor wait(*m_view);
        reply = m_platform.http.get(request);
    }
    if (reply.refused) throw KugeloError(m_messages[Msg::OnlyWebAddresses].arg(request.url));
    if (!reply.replied || !reply.error.isEmpty())
        throw KugeloError(reply.error.isEmpty() ? m_messages[Msg::NoAnswerFrom] + request.url : reply.error);
    QString linkTemplate = decodeText(reply.body);
    if (reply.status >= 400) {
        if (linkTemplate.contains(QStringLiteral("Mitteilung"))) {
            QStringList lines = linkTemplate.split(QRegularExpression(QStringLiteral("\\r\\n|\\n|\\r")));
            if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast(); // the last line's end
            writeFileWhole(m_state.Home + QStringLiteral("Meldung.htm"), crlfText(lines));
            m_view->notice(linkTemplate);
            return BasketOutcome::Notice;
        }
        linkTemplate = fallbackBasketTemplate(m_endpoints);
    }
    std::array<QString, 12> rows;
    for (int r = 0; r < TipSheet::RowCount; ++r)
        rows[std::size_t(r)] = basketRowText(m_sheet, r);
    const QStringList links = basketLinks(linkTemplate, rows);
    if (!openWebLink(links[0])) return BasketOutcome::Refused;
    report(basketShownText(), m_messages[Msg::BasketShown]);
    if (links.size() < 2) return BasketOutcome::Opened;

    // The window stays live during the pause; closing it ends the pause without the second link. A coarse
    // timer may fire up to 5 % early: the pause is a precise one.
    QEventLoop pause;
    QTimer::singleShot(m_secondBasketDelayMs, Qt::PreciseTimer, &pause, [&pause] { pause.exit(0); });
    m_endBasketPause = [&pause] { pause.exit(1); };
    const int ended = pause.exec();
    m_endBasketPause = nullptr;
    if (ended != 0) return BasketOutcome::Opened;
    if (!openWebLink(links[1])) return BasketOutcome::Refused;
    report(basketShownText(), m_messages[Msg::BasketShown]);
    return BasketOutcome::Opened;
}

namespace {

// What the automation program's settings key holds: its folder ("Path") and the choices stored for it.
// A value that is missing or of another type reads as an empty text.
AutomationChoice readAutomationSettings(SettingsStore& store, QString& programFolder) {
    store.openKey(SettingsStore::klickwerkKey(), true);
    const auto text = [&store](const char* name) {
        const SettingValue* v = store.find(QLatin1String(name));
        return v && v->type == SettingType::String ? v->string : QString();
    };
    programFolder = text("Path");
    AutomationChoice choice{text("KugeloScript"), text("KugeloZahl1"), text("KugeloText1"),
                            text("KugeloZahl2"), text("KugeloText2")};
    store.closeKey();
    return choice;
}

void storeAutomationChoice(SettingsStore& store, const AutomationChoice& choice) {
    store.openKey(SettingsStore::klickwerkKey(), true);
    store.writeString(QStringLiteral("KugeloScript"), choice.script);
    store.writeString(QStringLiteral("KugeloZahl1"), choice.zahl1);
    store.writeString(QStringLiteral("KugeloText1"), choice.text1);
    store.writeString(QStringLiteral("KugeloZahl2"), choice.zahl2);
    store.writeString(QStringLiteral("KugeloText2"), choice.text2);
    store.closeKey();
}

QString tipsFolder(const MainState& state) {
    const QString folder = state.Home + QStringLiteral("Tipps/");
    if (!QDir().mkpath(folder)) throw FolderError(folder);
    return folder;
}

} // namespace

void Controller::updateScript(const QString& path) {
    const QFileInfo local(path);
    if (!local.isFile()) return;
    HttpRequest request; // the script directory is asked without the proxy
    request.url = m_endpoints.scriptFile(local.fileName());
    const HttpResponse reply = m_platform.http.get(request);
    if (!reply.ok() || !reply.lastModified.isValid() || reply.lastModified <= local.lastModified()) return;
    try {
        writeFileWhole(path, reply.body);
    } catch (const KugeloError&) {
        // the local script stays
    }
}

QString Controller::writeFilledScript(const AutomationChoice& choice) {
    TextLines lines = readTextFile(choice.script, TextFileKind::ClickScript);
    const qsizetype lineCount = lines.size();
    QString script = std::move(lines).join(QLatin1Char('\n'));
    const QString path = tipsFolder(m_state) + filledScriptFileName(m_platform.clock.today());
    writeFileWhole(path, crlfText(fillClickScript(std::move(script), m_sheet), lineCount));
    return path;
}

void Controller::submitScript() {
    if (!allows(Command::SubmitScript)) return;
    writeFileWhole(tipsFolder(m_state) + scriptTipFileName(m_state.drawDate), tipFileText(m_sheet));

    QString programFolder;
    ScriptDialogModel model;
    model.choice = readAutomationSettings(m_platform.settings, programFolder);
    const QString program =
        programFolder.isEmpty() ? QString() : QDir(programFolder).filePath(QStringLiteral("Klickomat.exe"));
    if (program.isEmpty() || !QFileInfo(program).isFile()) {
        if (m_platform.dialogs.question(QStringLiteral("Klickomat jetzt installieren?"),
                                        QStringLiteral("Velmars Klickomat installieren?")))
            openWebLink(m_endpoints.installerDownload());
        return;
    }

    model.open(m_state.Home + QStringLiteral("Script"));
    const bool ok = m_scriptDialog && m_scriptDialog->runModal(model);
    model.close();
    if (!ok) return;
    updateScript(model.choice.script);
    storeAutomationChoice(m_platform.settings, model.choice);
    const QString filled = writeFilledScript(model.choice);
    m_platform.desktop.startProgram(program, automationArguments(filled, model.choice));
    report(m_messages[Msg::ScriptStarted].arg(QDir::toNativeSeparators(filled)));
}

} // namespace kugelo
