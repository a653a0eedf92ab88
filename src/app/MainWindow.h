#pragma once

#include "controller/Controller.h"
#include "widgets/ScalerView.h"
#include "widgets/WidgetTexts.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTranslator>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class QTimer;

namespace kugelo {

class StatusPanelView;
class TCSFForm;
class TForm3;
class CriteriaPage;
class TForm6;
class TipOverviewPage;
class LastDrawPage;
class OptionsPage;
class ChartPage;
class DatabasePage;
class InternetPage;

// The main window: tabs, menu and status bar. It shows what the controller holds and forwards the user's
// actions to the controller's commands; the handlers keep their design names.
class TForm1 : public QMainWindow, private ControllerView, private TextElementsPort {
    Q_OBJECT
public:
    static constexpr int DesignClientWidth = 532;
    static constexpr int DesignClientHeight = 450;

    // home: the folder of the draw file and of what the program writes; programFolder: the folder of the
    // shipped files (Land/, the win sound): beside the executable in the build, the share folder installed.
    TForm1(Platform platform, Endpoints endpoints, QString home, QString programFolder,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // Start-up, in the order of the design: the window's own initialisation, then the first selection.
    void initialise();
    void startUp();

    Controller& controller() { return m_controller; }
    MainState& state() { return m_controller.state(); }
    TipSheet& sheet() { return m_controller.sheet(); }
    RandomSource& random() { return m_controller.random(); }
    TForm6* form6() const { return m_form6.get(); }
    TForm3* form3() const { return m_form3.get(); }
    ChartModel& chart() { return m_controller.chart(); }
    GenerationCriteria& criteria() { return m_controller.criteria(); }
    CriteriaPage* criteriaPage() const;
    // Shows the criteria in their controls after code changed them.
    void showCriteria();
    const MessageTable& messages() const { return m_controller.messages(); }
    const Endpoints& endpoints() const { return m_controller.endpoints(); }
    // The status bar's panels: 0 and 1 as designed, 2 the progress line of a long job (hidden while there
    // is none).
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString& text);
    bool progressShown() const;
    double scaleFactor() const { return m_scaler.factor(); }

    // The buttons and menu items, under their design names; each forwards to a command of the controller.
    void SpeedButton5Click(); // select the draw of DateTimePicker1
    void SpeedButton6Click(); // previous draw
    void SpeedButton7Click(); // next draw
    void BitBtn6Click();      // remove the current draw
    void BitBtn8Click();      // enter a draw by hand
    void ImportButtonClick(); // import draws from CSV archives
    void UndoClick();         // Ctrl+Z and the status bar's link: take the last undoable command back
    void BitBtn1Click();      // the internet update (also SpeedButton10, Aktualisieren1)
    void SpeedButton8Click(); // stops the update at once
    bool updateRunning() const { return m_controller.activity() == Activity::Updating; }
    // Runs the update when the window first shows (the program does; tests choose).
    void setUpdateOnShow(bool on) { m_updateOnShow = on; }
    void Komplettcheck();      // the sheet check against the current draw
    void SpeedButton11Click(); // clear all unlocked rows
    void SpeedButton15Click(); // save the tips to a tip file
    void SpeedButton16Click(); // load the tips from a tip file
    void TippEdit(int row);    // edit row 0..11 in the number dialog
    // Computes a statistic and shows it on the chart; with showTabFirst the Diagramm tab comes to the
    // front before, otherwise when the statistic says so.
    void Statistik(Statistic statistic, bool showTabFirst = false);
    void Label28Click();            // "Tipps berechnen" (BitBtn4, Berechnen1): start a run, or stop it
    void SpeedButton13Click();      // the lucky number
    void SpeedButton4Click();       // search the history for the rows, or stop the search
    void BitBtn9Click();            // the parameter analysis, or stop it
    void BitBtn19Click();           // the draw analysis, or stop it
    void BitBtn7Click();            // the printable listing
    void WarenkorbClick();          // the basket links (also Abgeben1)
    void OnlineTippClick();         // the click-script export
    void languageClick(int number); // Deutsch1 .. Russisch1
    void Dateispeichern1Click();    // export the texts for translators
    void DateiLaden1Click();        // apply the current language file again
    // The captions that do not fit their controls now (see WidgetTexts::clippedTexts).
    QStringList clippedTexts() { return m_texts ? m_texts->clippedTexts() : QStringList(); }

Q_SIGNALS:
    void updateFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the controller tells the window.
    void pump() override;
    void status(int panel, const QString& text) override;
    void outcome(const QString& text, const QString& spoken) override;
    void stateChanged() override;
    void criteriaChanged() override;
    void activityChanged() override;
    void showPage(Page page, bool repaint) override;
    void notADrawLine(const QString& text) override;
    void waitCursor(bool on) override;
    void notice(const QString& html) override;

    // The translatable elements of the four windows, for the controller's languages.
    std::vector<TextElement> textElements() override;
    void setTexts(std::size_t element, const TextAssignment& texts) override;
    void languageChosen(int number) override;
    void textsApplied() override;

    // Runs a command of the controller with its general error report.
    void perform(const std::function<void()>& command);
    void buildMenu();
    // The edit menu's texts in the language shown.
    void showEditMenuTexts();
    void buildStatusBar();
    // Builds the tabs, in the order of the design, and connects their actions to the handlers.
    void buildPages();
    // The settings at start-up, in the portions of the start-up order, and at close.
    void restoreSettings();
    void saveSettings();
    // Shows the values of WindowValues in their controls, and takes them back.
    void showWindowValues();
    void takeWindowValues();
    // Shows the hosts in use wherever an address appears.
    void showEndpoints();
    // Scales the content when the height differs from Groesse.
    void rescaleToHeight();
    void connectStatusHints();
    void openWebPage(const QString& address);
    // Shows the current-draw fields and the date pickers of the state in their controls.
    void showState();
    // Greys every control whose command the controller does not allow now.
    void showActivity();
    // A problem with the stored settings or with the shipped draw history, in status panel 1.
    void showStartUpNotices();
    // Shows the controller's progress line in panel 2; after a job its final counts stay for a while.
    void showProgress();
    // Shows the undo link while there is something to take back.
    void showUndo();
    // Names the controls for assistive technology from the texts they show now.
    void nameControls();
    // Tab goes through every tab's controls as they lie on the screen.
    void followScreenWithTabs();

    Controller m_controller;
    std::unique_ptr<NumberListPort> m_numberListPort;
    std::unique_ptr<ManualEntryPort> m_manualEntryPort;
    std::unique_ptr<ScriptDialogPort> m_scriptDialogPort;
    std::unique_ptr<TForm6> m_form6;
    std::unique_ptr<TForm3> m_form3;
    std::unique_ptr<TCSFForm> m_csfForm;
    bool m_updateOnShow = false;
    bool m_shownOnce = false;
    Activity m_shownActivity = Activity::Idle;
    ContentScaler m_scaler;
    bool m_scalerReady = false;
    QElapsedTimer m_sincePump;

    QTabWidget* m_pages = nullptr; // PageControl1
    TipOverviewPage* m_tipOverview = nullptr;
    LastDrawPage* m_lastDraw = nullptr;
    OptionsPage* m_options = nullptr;
    ChartPage* m_chartPage = nullptr;
    DatabasePage* m_database = nullptr;
    InternetPage* m_internet = nullptr;
    StatusPanelView* m_panel[3] = {nullptr, nullptr, nullptr};
    QTimer* m_progressHide = nullptr; // hides the final counts of a job after a while
    QLabel* m_undoLink = nullptr;     // "Rückgängig", there while the controller can undo
    QMenu* m_editMenu = nullptr;      // Bearbeiten1
    QAction* m_undoAction = nullptr;  // Ctrl+Z, enabled while the controller can undo
    QAction* m_shownSubmit = nullptr; // Abgeben1 with its shortcut, in the edit menu
    bool m_undoShowPending = false;   // the rows changed: the link is shown again once events are done
    std::unique_ptr<WidgetTexts> m_texts;
    std::unique_ptr<QTranslator> m_qtTexts; // Qt's own texts in the chosen language
};

} // namespace kugelo
