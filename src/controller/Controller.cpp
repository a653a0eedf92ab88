#include "controller/Controller.h"

#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "draws/ManualEntry.h"
#include "evaluation/HitCheck.h"
#include "generator/GenerationRun.h"
#include "generator/NumberList.h"
#include "i18n/TextFile.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Errors.h"
#include "platform/HttpClient.h"
#include "platform/Sound.h"
#include "sheet/TipFile.h"

#include <QDir>
#include <QFileInfo>

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
    {Command::Statistic, true, true, true},
};

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
    for (const Allowance& a : kAllowances) {
        if (a.command != command) continue;
        switch (m_activity) {
        case Activity::Idle:
            return a.idle;
        case Activity::Updating:
            return a.updating;
        case Activity::Generating:
            return a.generating;
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
    if (m_state.statisticsStart > m_platform.clock.today().addDays(-7))
        m_state.statisticsStart = earliestDrawDate();
    if (m_window.proxyHost.isEmpty()) m_window.proxyPort = QStringLiteral("80");

    m_state.LaufMax = 1000 * m_criteria.runLimitThousands.value;

    m_state.ZahlenFile = QStringLiteral("Kugelo.dat");
    run([this] { DrawFile(m_state.drawFilePath()).createIfMissing(); });

    m_random.seedFromClock(m_platform.clock);

    m_state.aktDatum = toDayNumber(m_state.statisticsStart);
    setPickerDate(m_state.drawDate, m_platform.clock.today());
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
    setPickerDate(m_state.drawDate, nextDrawDate(m_state.drawDate));
    m_view->stateChanged();
    const TipDialogScope scope(m_saveDialog1, m_state.Home);
    m_saveDialog1.proposedName =
        m_state.drawDate.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".tpf");
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
    setPickerDate(m_state.drawDate, fromDayNumber(m_state.aktDatum));
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
    hooks.proxy = [this] { return UpdateProxy{m_window.proxyHost, strToInt(m_window.proxyPort)}; };
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
    if (m_activity != Activity::Generating) return;
    m_stopRequested = true; // the running loop sees it at its next candidate
    m_view->activityChanged();
}

void Controller::stopAll() {
    stopUpdate();
    stopGeneration();
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

void Controller::generate() {
    if (m_activity == Activity::Generating) {
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

    RunHooks hooks;
    hooks.progress = this;
    hooks.showTipTab = [this] { m_view->showPage(ControllerView::Page::TipOverview, false); };
    hooks.showChartTab = [this] { m_view->showPage(ControllerView::Page::Chart, true); };
    hooks.criteriaChanged = [this] { m_view->criteriaChanged(); };
    hooks.sheetCheck = [this] { checkSheet(); };
    hooks.numberList = [this](NumberPool& pool) { return choosePool(pool); };
    m_lastRunCandidates = 0;
    GenerationRun run(RunEnvironment{m_state, m_sheet, m_criteria, m_messages, m_chart, *m_currentDraw,
                                     m_random, m_platform.clock},
                      hooks);
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

} // namespace kugelo
