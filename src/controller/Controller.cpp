#include "controller/Controller.h"

#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "draws/ManualEntry.h"
#include "evaluation/HistoricalAnalysis.h"
#include "evaluation/HitCheck.h"
#include "generator/GenerationRun.h"
#include "generator/NumberList.h"
#include "i18n/TextFile.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Desktop.h"
#include "platform/Errors.h"
#include "platform/HttpClient.h"
#include "platform/Sound.h"
#include "sheet/TipFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
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
    {Command::SelectDraw, true, true, false},      {Command::RemoveDraw, true, false, false},
    {Command::EnterDraw, true, false, false},      {Command::Update, true, false, false},
    {Command::StopUpdate, false, true, false},     {Command::Generate, true, false, false},
    {Command::StopGeneration, false, false, true}, {Command::EditSheet, true, true, false},
    {Command::SaveTips, true, true, true},         {Command::LuckyNumber, true, true, true},
    {Command::Statistic, true, true, true},        {Command::Search, true, false, false},
    {Command::Analyse, true, false, false},        {Command::StopAnalysis, false, false, false},
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
    m_window.URLEdit = m_baseEndpoints.homePage();
    m_state.Home = m_home;
    if (!m_state.Home.isEmpty() && !m_state.Home.endsWith(QLatin1Char('/'))) m_state.Home += QLatin1Char('/');
}

Controller::~Controller() = default;

bool Controller::allows(Command command) const {
    if (m_activity == Activity::Analysing)
        return std::find(std::begin(kWhileAnalysing), std::end(kWhileAnalysing), command) !=
               std::end(kWhileAnalysing);
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

void Controller::setActivity(Activity activity) {
    m_activity = activity;
    m_stopRequested = false;
    m_view->activityChanged();
}

void Controller::run(const std::function<void()>& command) {
    try {
        command();
    } catch (const KugeloError& e) {
        m_platform.dialogs.message(e.text());
    } catch (const std::exception& e) {
        m_platform.dialogs.message(QString::fromLocal8Bit(e.what()));
    }
    m_view->stateChanged();
}

void Controller::applyEndpoints() {
    m_endpoints = endpointsInUse(m_window, m_baseEndpoints);
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
    if (m_state.DateTimePicker2 > m_platform.clock.today().addDays(-7))
        m_state.DateTimePicker2 = earliestDrawDate();
    if (m_window.ProxyHostEdit.isEmpty()) m_window.ProxyPortEdit = QStringLiteral("80");

    m_state.LaufMax = 1000 * m_criteria.UpDown7.value;

    m_state.ZahlenFile = QStringLiteral("Kugelo.dat");
    run([this] { DrawFile(m_state.drawFilePath()).createIfMissing(); });

    m_random.seedFromClock(m_platform.clock);

    m_state.aktDatum = toDayNumber(m_state.DateTimePicker2);
    setPickerDate(m_state.DateTimePicker1, m_platform.clock.today());
    m_view->stateChanged();
}

void Controller::startUp() {
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
    m_sheet.clearAll();
}

void Controller::saveTips() {
    setPickerDate(m_state.DateTimePicker1, nextDrawDate(m_state.DateTimePicker1));
    m_view->stateChanged();
    const TipDialogScope scope(m_saveDialog1, m_state.Home);
    m_saveDialog1.proposedName =
        m_state.DateTimePicker1.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".tpf");
    const QString path = m_platform.dialogs.saveFileName(m_saveDialog1);
    if (!path.isEmpty()) writeFileWhole(path, tipFileText(m_sheet));
}

void Controller::loadTips() {
    if (!allows(Command::EditSheet)) return;
    {
        const TipDialogScope scope(m_openDialog1, m_state.Home);
        const QString path = m_platform.dialogs.openFileName(m_openDialog1);
        if (!path.isEmpty()) {
            m_openDialog1.proposedName = path;
            // The file is read before the sheet is cleared, so a file that cannot be read costs no rows.
            loadTipFile(m_sheet, readTextFile(path));
        }
    }
    m_currentDraw->selectByDate();
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
    m_currentDraw->removeCurrent();
}

void Controller::enterDraw() {
    if (!m_manualEntry || !allows(Command::EnterDraw)) return;
    const DrawFile file(m_state.drawFilePath());
    const DrawRecord loaded = manualEntryStart(m_state, file);
    if (const std::optional<DrawRecord> entered = m_manualEntry->enter(loaded))
        storeManualEntry(file, *entered);
    // The draw that was current before stays current.
    setPickerDate(m_state.DateTimePicker1, fromDayNumber(m_state.aktDatum));
    m_currentDraw->selectByDate();
}

UpdateResult Controller::update() {
    if (!allows(Command::Update)) return {}; // one update at a time
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
    hooks.proxy = [this] { return UpdateProxy{m_window.ProxyHostEdit, strToInt(m_window.ProxyPortEdit)}; };
    hooks.message = [this](const QString& text) { m_view->notADrawLine(text); };
    hooks.drawShown = [this] { m_view->stateChanged(); };
    hooks.dayDone = [this](const QDate& day, const QString& statusLine) {
        m_view->dayDone(day, statusLine);
        m_view->stateChanged();
    };
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
}

void Controller::showStatistic(Statistic statistic, bool showPageFirst) {
    if (showPageFirst) m_view->showPage(ControllerView::Page::Chart, false);
    const WaitCursor wait(*m_view);
    if (kugelo::showStatistic(statistic, m_state, m_messages, m_chart, &m_sheet))
        m_view->showPage(ControllerView::Page::Chart, false);
}

void Controller::luckyNumber() {
    const QString proposed = QString::number(m_random.below(99999));
    const QString answer = m_platform.dialogs.input(m_messages[Msg::LuckyNumberCaption],
                                                    m_messages[Msg::LuckyNumberPrompt], proposed);
    if (const auto number = tryStrToInt(answer)) {
        m_random.setState(static_cast<std::uint32_t>(*number));
        m_view->status(1, m_messages[Msg::LuckyNumberSet] + QString::number(*number) +
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
    run.run();
}

// ---- The search in the history and the historical analyses ----

namespace {

// Marks the controller busy with an evaluation while it lives.
class AnalysisActivity {
public:
    AnalysisActivity(Activity& activity, bool& stop, ControllerView*& view)
        : m_activity(activity), m_stop(stop), m_view(view) {
        set(Activity::Analysing);
    }
    ~AnalysisActivity() { set(Activity::Idle); }
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
};

QString shortDate(const QDate& date) {
    return QLocale().toString(date, QLocale::ShortFormat);
}

// While the parameter analysis runs its cycles, the sheet and the chart tell their views about their
// changes at most four times a second: showing every row and chart of a thousand cycles would cost the
// window many times what the cycles cost.
class ThrottledModels {
public:
    ThrottledModels(TipSheet& sheet, ChartModel& chart)
        : m_sheet(sheet), m_chart(chart), m_sheetBlocked(sheet.blockSignals(true)),
          m_chartBlocked(chart.blockSignals(true)) {
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
        if (m_since.elapsed() < 250) return;
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
        m_since.restart();
    }
    TipSheet& m_sheet;
    ChartModel& m_chart;
    bool m_sheetBlocked;
    bool m_chartBlocked;
    QElapsedTimer m_since;
};

} // namespace

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
    writeFileWhole(reportPath(), reportBytes(lines));
    m_platform.desktop.open(reportPath());
}

SearchResult Controller::searchTips() {
    if (m_activity == Activity::Analysing) {
        stopAnalysis();
        return {};
    }
    if (!allows(Command::Search)) return {};
    const QString proposed = QString::number(defaultSearchThreshold(m_criteria.CheckBox31));
    const int threshold = strToInt(
        m_platform.dialogs.input(m_messages[Msg::AnalysisStopAt], m_messages[Msg::TipTest], proposed));
    const AnalysisActivity busy(m_activity, m_stopRequested, m_view);
    // The window shows each draw as it is examined.
    ProgressFunctions progress;
    progress.onPump = [this] {
        m_view->stateChanged();
        m_view->pump();
    };
    progress.onStatus = [this](int panel, const QString& text) { m_view->status(panel, text); };
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
                                        m_criteria.CheckBox31,
                                        [this] { checkSheet(); },
                                        &progress,
                                        m_messages[Msg::SearchStopHint]};
    return searchHistory(environment, threshold);
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
                                     m[Msg::AnalysisOfSettingsAsk] + shortDate(m_state.DateTimePicker1) +
                                         m[Msg::AnalysisOfSettingsAskEnd]))
        return;
    const AnalysisActivity busy(m_activity, m_stopRequested, m_view);
    // The number list would open before every run: off for the analysis, put back at its end.
    struct ListOption {
        Controller* controller;
        bool kept;
        ~ListOption() {
            controller->m_criteria.CheckBox20 = kept;
            controller->m_view->criteriaChanged();
        }
    } listOption{this, m_criteria.CheckBox20};
    m_criteria.CheckBox20 = false;
    m_view->criteriaChanged();

    const QDate start = m_state.DateTimePicker1;
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
        const ParameterCycleEnvironment environment{
            m_state, *m_currentDraw,        m_platform.clock,        cycle,
            this,    m[Msg::AnalysisCycle], m[Msg::AnalysisStopHint]};
        bool stopped = false;
        const ParameterTotals totals = runParameterCycles(environment, start, &stopped);
        m_view->stateChanged();
        if (!stopped) writeReport(parameterReport(m, totals, m_criteria.UpDown8.value));
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
    if (!m_platform.dialogs.question(m[Msg::AnalysisOfDrawsClearsTips],
                                     m[Msg::AnalysisOfDrawsAsk] + shortDate(m_state.DateTimePicker1) +
                                         m[Msg::AnalysisOfDrawsAskEnd]))
        return;
    const AnalysisActivity busy(m_activity, m_stopRequested, m_view);
    m_currentDraw->selectByDate();
    m_view->showPage(ControllerView::Page::TipOverview, false);
    const double limit = toDayNumber(m_state.DateTimePicker1) + 10;
    const int threshold = strToInt(
        m_platform.dialogs.input(m[Msg::DrawSearchStopAt], m[Msg::CompareDrawResult], QStringLiteral("5")));
    std::optional<DrawTallies> tallies;
    {
        const WaitCursor wait(*m_view);
        DrawComparisonEnvironment environment{m_state,
                                              m_sheet,
                                              *m_currentDraw,
                                              m,
                                              m_platform.dialogs,
                                              this,
                                              [this] { m_view->stateChanged(); },
                                              m[Msg::AnalysisStopHint]};
        tallies = runDrawComparisons(environment, limit, threshold);
    }
    if (tallies) writeReport(drawReport(m, *tallies));
}

} // namespace kugelo
