#pragma once

#include "controller/JobProgress.h"
#include "controller/Settings.h"
#include "draws/DrawImport.h"
#include "draws/DrawUpdate.h"
#include "evaluation/TipSearch.h"
#include "generator/GenerationCriteria.h"
#include "generator/NumberPool.h"
#include "generator/RandomSource.h"
#include "i18n/LanguageFiles.h"
#include "i18n/MessageTable.h"
#include "output/ClickScript.h"
#include "platform/Dialogs.h"
#include "platform/Endpoints.h"
#include "platform/Progress.h"
#include "sheet/TipSheet.h"
#include "state/DrawRecord.h"
#include "state/MainState.h"
#include "stats/ChartModel.h"
#include "stats/Statistics.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kugelo {

class Clock;
class CurrentDraw;
class Desktop;
class GenerationRun;
struct RunHooks;
class RunReuse;
class HttpClient;
class NumberList;
class SettingsStore;
class Sound;

// The outside world as the program sees it.
struct Platform {
    Dialogs& dialogs;
    Desktop& desktop;
    const Clock& clock;
    Sound& sound;
    HttpClient& http;
    SettingsStore& settings;
};

// The number list window: shows the controller's number list and lets the user change it.
class NumberListPort {
public:
    // How the window was closed: OK, close box, "Abbrechen", "&Rechnen".
    enum class Result { Ok, Cancel, Abort, Retry };

    virtual ~NumberListPort() = default;
    // The list the window shows and changes.
    virtual NumberList& list() = 0;
    // Row mode shows the random draw button; pool mode the compute button.
    virtual void setRowMode(bool rowMode) = 0;
    virtual void setTitle(const QString& title) = 0;
    // Shows the list again after the controller changed it.
    virtual void showList() = 0;
    // Shows the window until the user closes it.
    virtual Result runModal() = 0;
};

// The manual entry window.
class ManualEntryPort {
public:
    virtual ~ManualEntryPort() = default;
    // Shows a draw for editing; the draw as the user entered it, or nothing when cancelled.
    virtual std::optional<DrawRecord> enter(const DrawRecord& shown) = 0;
};

// The click-script dialog TCSFForm.
class ScriptDialogPort {
public:
    virtual ~ScriptDialogPort() = default;
    // Shows the dialog over the model until the user closes it; true for OK.
    virtual bool runModal(ScriptDialogModel& model) = 0;
};

// The windows' elements whose captions and hints a language file replaces: every window in the order the
// program creates them, and in each its elements in the order they were created.
class TextElementsPort {
public:
    virtual ~TextElementsPort() = default;
    virtual std::vector<TextElement> textElements() = 0;
    // Gives element k of the last walk its texts; throws when the element cannot take them.
    virtual void setTexts(std::size_t element, const TextAssignment& texts) = 0;
    // A language was chosen (1..6): the menu's check marks and the toolkit's own texts follow it.
    virtual void languageChosen(int number) = 0;
    // A language file was applied: what shows the state and the run button's caption catch up.
    virtual void textsApplied() = 0;
};

// What the controller tells whoever shows it. Every method does nothing unless overridden: kugelo-cli shows
// nothing but what it prints itself.
class ControllerView {
public:
    enum class Page { TipOverview, Chart };

    virtual ~ControllerView() = default;
    // Long commands call this at every candidate and day: the window processes pending events when due.
    virtual void pump() {}
    // A status bar panel (0 or 1) gets a text.
    virtual void status(int panel, const QString& text) {
        (void)panel;
        (void)text;
    }
    // What a command did, for status bar panel 1; the window also announces it to assistive technology.
    // spoken: what to announce when the text shown is one fixed in another language, else empty.
    virtual void outcome(const QString& text, const QString& spoken) {
        (void)spoken;
        status(1, text);
    }
    // The fields of the state changed (the current draw, its labels, the date pickers).
    virtual void stateChanged() {}
    // Options changed in code (a run relaxes them and puts them back).
    virtual void criteriaChanged() {}
    // The controller began or ended an update or a run, or a stop was asked for.
    virtual void activityChanged() {}
    // A command brings a page to the front; repaint says the window should paint at once.
    virtual void showPage(Page page, bool repaint) {
        (void)page;
        (void)repaint;
    }
    // The update asked for one day; its status line, or why there was none.
    virtual void dayDone(const QDate& day, const QString& statusLine) {
        (void)day;
        (void)statusLine;
    }
    // The update met an answer that is no draw line (the window shows it whole as a message).
    virtual void notADrawLine(const QString& text) { (void)text; }
    // A command that takes a moment began (on) or ended: the window shows the wait cursor meanwhile.
    virtual void waitCursor(bool on) { (void)on; }
    // A notice page of the basket service: shown as rich text, without scripts or remote content.
    virtual void notice(const QString& html) { (void)html; }
};

// What the program is busy with.
enum class Activity { Idle, Updating, Generating, Analysing };

// The commands, for asking whether one may run now.
enum class Command {
    SelectDraw,     // select by date, step back or forward
    RemoveDraw,     // remove the current draw
    EnterDraw,      // manual entry
    Update,         // the internet update
    StopUpdate,     //
    Generate,       // start a generation run
    StopGeneration, //
    EditSheet,      // type into the sheet, edit a row, clear it, load tips
    SaveTips,       //
    LuckyNumber,    //
    Statistic,      // a chart
    Search,         // search the history for the rows (SpeedButton4)
    Analyse,        // the parameter or the draw analysis (BitBtn9, BitBtn19)
    StopAnalysis,   // the search or an analysis
    Print,          // the printable listing
    Basket,         // the basket links
    SubmitScript,   // the click-script export
    Language,       // choose, apply or export a language
    Undo,           // take the last undoable command back
    ImportDraws,    // import draws from CSV archives
};

// The program without its windows: the program-wide state, the tip sheet, the criteria, the chart model,
// the random source, the message table and the current draw, and every command as a method. The window
// shows what it holds and forwards the user's actions; kugelo-cli and the tests drive it directly.
class Controller : private Progress {
public:
    // home: the folder of the draw file and of what the program writes; programFolder: the folder of the
    // shipped files (Land/, the win sound): beside the executable in the build, the share folder installed;
    // endpoints: the hosts built in.
    Controller(Platform platform, Endpoints endpoints, QString home, QString programFolder = {});
    ~Controller();
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    void setView(ControllerView* view) { m_view = view ? view : &m_silent; }
    void setNumberList(NumberListPort* port) { m_numberList = port; }
    void setManualEntry(ManualEntryPort* port) { m_manualEntry = port; }
    void setScriptDialog(ScriptDialogPort* port) { m_scriptDialog = port; }
    void setTextElements(TextElementsPort* port) { m_textElements = port; }

    MainState& state() { return m_state; }
    const MainState& state() const { return m_state; }
    TipSheet& sheet() { return m_sheet; }
    GenerationCriteria& criteria() { return m_criteria; }
    ChartModel& chart() { return m_chart; }
    RandomSource& random() { return m_random; }
    const MessageTable& messages() const { return m_messages; }
    MessageTable& messages() { return m_messages; }
    CurrentDraw& currentDraw() { return *m_currentDraw; }
    Platform& platform() { return m_platform; }
    // The controls the settings fill and that no domain object holds; the window shows them and gives
    // changes back.
    WindowValues& windowValues() { return m_window; }
    KeptWindowValues& keptValues() { return m_kept; }
    SettingsTargets settingsTargets() { return {m_state, m_criteria, m_sheet, m_window, m_kept}; }
    // The hosts in use (the stored ones, else the built-in ones, each overridden by its environment
    // variable), and the built-in ones.
    const Endpoints& endpoints() const { return m_endpoints; }
    const Endpoints& builtInEndpoints() const { return m_baseEndpoints; }
    // Takes the stored hosts of windowValues() into use. Only http and https hosts are used: a stored host of
    // another scheme is ignored and an environment variable of one refused, each named by hostNotice().
    void applyEndpoints();
    // What the last applyEndpoints() left out, in the current language (the stored hosts ignored, the
    // environment variables refused); empty when nothing.
    QString hostNotice() const;
    // The text that refuses a host given by the player (a field, an option), or empty when it may be used.
    QString refusedHostText(const QString& host) const;

    // What the program is busy with, whether a stop was asked for, and whether a command may run now.
    Activity activity() const { return m_activity; }
    bool stopRequested() const override { return m_stopRequested; }
    bool allows(Command command) const;
    // The progress line of the candidate the generation run drew last (empty when none runs), and the
    // number of candidates the last run drew.
    QString progressLine() const;
    int lastRunCandidates() const { return m_lastRunCandidates; }
    // The progress line of the update, a run or an analysis: its counts, the time it still needs once it
    // has run a few seconds, and how to stop it; after the job its final counts. Empty when it has none.
    QString progressText() const;
    // Stops whatever job runs (the update, a run, the search or an analysis): the Esc key.
    void stopRunning();

    // Runs a command; a failure it lets through is shown as the general error report. The state's view is
    // refreshed afterwards.
    void run(const std::function<void()>& command);

    // Start-up: the fields before the stored settings are read (windowHeight: the window's height, the base
    // of its rescaling), and what follows them; then the first selection and chart.
    void beginStartUp(int windowHeight);
    void endStartUp();
    void startUp();
    // The public draw history shipped with the program: when set, a start without a draw file writes the
    // draw file from it (in endStartUp), before any update asks for the days after its last draw. Unset
    // (kugelo-cli), a start creates an empty draw file.
    void setShippedHistory(const QString& csvFile) { m_shippedHistory = csvFile; }
    // What start-up has to tell the player (the shipped history that could not be used), in the current
    // language; empty when nothing.
    QString startUpNotice() const;

    // The current draw: select the draw of DateTimePicker1, step back and forward, remove it, enter a draw.
    void selectDraw();
    void stepBack();
    void stepForward();
    void removeDraw();
    void enterDraw();

    // The internet update; a second start while one runs is refused. stopUpdate ends it at once, also while
    // a request waits.
    UpdateResult update();
    void stopUpdate();

    // "Tipps berechnen": starts a generation run, or asks the one in progress to stop.
    void generate();
    void stopGeneration();
    // Stops whatever runs (the window closes).
    void stopAll();

    // The tip sheet: check against the current draw, clear the unlocked rows, save and load tip files, edit
    // a row (0..11) in the number list window.
    void checkSheet();
    void clearSheet();
    void saveTips();
    void loadTips();
    // What loading a tip file does once the file is chosen: its rows replace the sheet's, then the draw of
    // DateTimePicker1 is selected, which checks the rows against it (with sortieren set, as after the
    // stored settings, the check sorts each row's numbers).
    void loadTipsFrom(const QString& path);
    void editRow(int row);

    // Computes a statistic and shows it on the chart; with showPageFirst the chart page comes to the front
    // before, otherwise when the statistic says so.
    void showStatistic(Statistic statistic, bool showPageFirst = false);
    // The player changed the start of the statistics (DateTimePicker2, beside the chart): the chart counts
    // the statistic it shows again over the new range, as pressing its button would. Not while a job runs
    // (a run reads the chart's points), nor for the rows' distribution, which takes no range, nor for bars
    // that no statistic gave. True when the chart was counted again.
    bool followStatisticsStart();

    // The lucky number: seeds the random source from a number the user gives.
    void luckyNumber();

    // The evaluation over the history. Each command, started again while it runs, stops it (the status bar
    // says so); while one runs, only the stops are allowed. The search asks for its threshold and at every
    // stop; the analyses write the report "Test.rtf" into the home folder and open it.
    SearchResult searchTips();
    void analyseParameters();
    void analyseDraws();
    void stopAnalysis();
    // The report file of the analyses.
    QString reportPath() const;
    // The parameter analysis keeps what one cycle's run builds for the next where that gives the same rows
    // (on by default; off runs every cycle from the draw file, for the comparison).
    void setReuseAcrossCycles(bool reuse) { m_reuseAcrossCycles = reuse; }
    // --- Undo ---
    // Removing a draw, storing a manual entry, importing draws, clearing the sheet and a generation run over
    // filled rows can each be taken back once; only the last of them. The undo puts back exactly what the
    // command changed: every byte of the draw file (through the same rewrite beside it) and the draw that
    // was current, or the twelve rows with their locks, checked again against the current draw.
    // It is refused, and forgotten, when what it would overwrite is no longer what the command left: a
    // draw file changed since (an update, an import, another program) or rows typed, loaded or computed
    // since. Nothing is merged: the newer change always wins.
    bool canUndo() const;
    // Takes the last command back; false when there was nothing to take back or it was refused (the
    // status bar says why).
    bool undo();

    // --- Import ---
    // What an import did: distinct dates new to the file, dates whose stored draw was replaced, and the
    // lines left out, each "file:line: reason".
    struct ImportSummary {
        int added = 0;
        int replaced = 0;
        SkippedLines skipped;
    };
    // "Importieren": CSV archives chosen in the file dialog (the operator's format or the plain one) are
    // merged into the draw file as kugelo-cli import does; bad lines are left out and named instead of
    // stopping the import. The summary is shown as a message and the newest draw becomes current. Nothing
    // when the dialog is cancelled or the command is not allowed now.
    std::optional<ImportSummary> importArchives();
    // The same for given files, without the dialog and the message.
    ImportSummary importArchiveFiles(const QStringList& paths);
    // The summary in one line, as the status bar says it.
    static QString importStatusText(const MessageTable& messages, const ImportSummary& summary);
    // The summary as the message shows it; at most maxReasons skipped lines are named.
    static QString importSummaryText(const MessageTable& messages, const ImportSummary& summary,
                                     int maxReasons = 20);

    // --- Languages ---
    // A language of the menu (1..6): its file in "Land" becomes the current language file, the menu and
    // the toolkit follow, the file is applied and the number is what the settings keep.
    void chooseLanguage(int number);
    // "Datei laden": applies the current language file: the message file (".meld") replaces the message
    // table, the language file the captions and hints of the elements found in the master list. Without the
    // master list or the language file nothing changes.
    void applyLanguageFile();
    // "Datei speichern": writes the master list of the current texts to a file the user chooses and the
    // translation template beside it (+ ".trans"), the two as one unit (writeTextExport).
    void exportTexts();
    // The same without the dialog: the master list to path, the template to path + ".trans" and, when
    // given, the messages to path + ".meld".
    void exportTextsTo(const QString& path, const std::optional<QStringList>& messages = std::nullopt);
    // The caption an element of the windows shows now (without its accelerator mark); empty without
    // windows or without such an element.
    QString elementCaption(const QString& name);
    // At start-up, once every window exists: the stored language (1..6) is chosen again.
    void applyRememberedLanguage();
    QString languageFile() const { return m_languageFile; }
    // Makes a file the current language file, as choosing its language does with the menu's.
    void setLanguageFile(const QString& path) { m_languageFile = path; }

    // --- Output and submission ---
    // "Tipp ausdrucken": writes the listing "Tipp.txt" into Home and opens it; its path (empty when not
    // allowed now). A printed row with a field that is no number throws ConversionError; nothing is written.
    QString printTips();
    // "shopping": asks the basket service for a link template, fills the rows in and opens the link, and a
    // second one for rows 7 to 12 after a pause when row 7 is in use. A transfer failure throws.
    enum class BasketOutcome { NotRun, Opened, Notice, Refused };
    BasketOutcome basket();
    // The pause before the second basket link (5 s; tests shorten it). stopAll() ends a pause at once
    // and no second link opens.
    void setSecondBasketDelay(int ms) { m_secondBasketDelayMs = ms; }
    // "Tipp abgeben": the tip copy in "Tipps", the automation program's settings, the install offer or the
    // script dialog, the script update, the filled script and the start of the automation program.
    void submitScript();
    // The filled script of a choice, written to "Tipps" under today's name; its path.
    QString writeFilledScript(const AutomationChoice& choice);
    // Replaces a local click script by the script directory's copy when that is newer; any failure keeps
    // the local one, and a script that does not exist locally is never created.
    void updateScript(const QString& path);
    // Opens an http or https address with the desktop; anything else is refused with a status text.
    bool openWebLink(const QString& link);
    static QString basketShownText() { return QStringLiteral("Überprüfen Sie den Tipp im Warenkorb!!!"); }
    QString refusedLinkText(const QString& link) const;

private:
    // What the update and a run report, through the view.
    void pump() override { m_view->pump(); }
    void status(int panel, const QString& text) override {
        if (panel >= 0 && panel < int(m_statusTexts.size())) m_statusTexts[panel] = text;
        m_view->status(panel, text);
    }
    void advanced(long long current, long long total, long long found) override {
        m_job = {current, total, found};
    }
    // Says what a command did (status bar panel 1, announced); spoken as for ControllerView::outcome.
    void report(const QString& text, const QString& spoken = {});
    // A command's text with the hint that Ctrl+Z takes it back, while it can.
    QString withUndoHint(const QString& text) const;
    // A job begins: its counts start empty and its time at 0.
    void beginJob(JobKind kind);
    void endEvaluation(const QString& stopHint, Msg stopped);

    PoolChoice choosePool(NumberPool& pool);
    RunHooks runHooks(Progress* progress);
    // One generation run of the parameter analysis; its stop ends only this run.
    void generationCycle(RunReuse* reuse);
    bool hasDraws() const;
    void writeReport(const QStringList& lines);
    QString soundPath() const;
    void setActivity(Activity activity);

    // The draw file and the current draw before a command that may change the file; nothing when the file
    // cannot be read whole (the command then runs without an undo).
    struct DrawFileState {
        bool existed = false;
        QByteArray bytes;
        double current = 0; // the current draw's date
        QDate picker;       // DateTimePicker1
    };
    std::optional<DrawFileState> drawFileState() const;
    // After the command: remembers the undo when the command changed the file or the rows, and what the
    // command did (the undo's status text names it). True when there is something to take back.
    bool rememberDrawFileChange(const std::optional<DrawFileState>& before, const QString& what);
    bool rememberSheetChange(const TipSheet::Rows& before, const QString& what);
    bool undoStillMatches() const;

    Platform m_platform;
    Endpoints m_endpoints;
    Endpoints m_baseEndpoints;
    std::vector<RefusedHost> m_refusedHosts; // what the last applyEndpoints() left out
    QString m_home;
    QString m_programFolder;
    QString m_shippedHistory;
    QString m_shippedHistoryProblem;
    MainState m_state;
    MessageTable m_messages;
    TipSheet m_sheet;
    ChartModel m_chart;
    RandomSource m_random;
    GenerationCriteria m_criteria;
    WindowValues m_window;
    KeptWindowValues m_kept;
    std::unique_ptr<CurrentDraw> m_currentDraw;
    // The shared file dialogs' settings; the tip file commands change them and put them back.
    FileDialogOptions m_saveDialog1{{}, QStringLiteral("Textdatei|*.txt"), QStringLiteral("txt"), {}, {}};
    FileDialogOptions m_openDialog1;

    std::array<QString, 2> m_statusTexts; // what the commands last showed in the status bar's two panels
    ControllerView m_silent;
    ControllerView* m_view = &m_silent;
    NumberListPort* m_numberList = nullptr;
    ManualEntryPort* m_manualEntry = nullptr;
    ScriptDialogPort* m_scriptDialog = nullptr;
    TextElementsPort* m_textElements = nullptr;
    QString m_languageFile; // the current language file; empty until a language is chosen
    int m_secondBasketDelayMs = 5000;
    bool m_basketBusy = false;              // the basket command runs (its request or its pause)
    std::function<void()> m_endBasketPause; // set while the basket pauses before its second link
    const GenerationRun* m_run = nullptr;
    int m_lastRunCandidates = 0;
    Activity m_activity = Activity::Idle;
    bool m_stopRequested = false;
    bool m_cycleStopRequested = false; // the run button during an analysis cycle
    bool m_reuseAcrossCycles = true;
    JobKind m_jobKind = JobKind::Update;
    JobCounts m_job;
    QElapsedTimer m_jobTime;

    // The one step the undo can take back.
    struct UndoStep {
        bool drawFile = false; // the draw file, else the rows
        DrawFileState fileBefore;
        QByteArray fileAfter;
        TipSheet::Rows rowsBefore;
        TipSheet::Rows rowsAfter;
        QString what; // what the command did, as its status text said it
    };
    std::optional<UndoStep> m_undo;
};

} // namespace kugelo
