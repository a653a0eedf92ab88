#pragma once

#include "controller/Settings.h"
#include "generator/GenerationCriteria.h"
#include "generator/RandomSource.h"
#include "i18n/MessageTable.h"
#include "platform/Dialogs.h"
#include "platform/Endpoints.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"
#include "stats/ChartModel.h"
#include "stats/Statistics.h"
#include "widgets/ScalerView.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <initializer_list>

class QDateEdit;
class QPushButton;
class QLabel;
class QTabWidget;

namespace kugelo {

class Clock;
class CurrentDraw;
class Desktop;
class HttpClient;
class SettingsStore;
class Sound;
class TForm3;
class CriteriaPage;
class TForm6;
class TipSheetView;

// The outside world as the main window sees it.
struct Platform {
    Dialogs& dialogs;
    Desktop& desktop;
    const Clock& clock;
    Sound& sound;
    HttpClient& http;
    SettingsStore& settings;
};

// The main window: tabs, menu, status bar and the command map. It owns the program-wide fields and shows
// them; the work is done by the domain.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int DesignClientWidth = 532;
    static constexpr int DesignClientHeight = 450;

    // home: the folder of the draw file and of what the program writes; programFolder: the folder of the
    // executable, where the shipped files (the win sound) lie.
    TForm1(Platform platform, Endpoints endpoints, QString home, QString programFolder,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // Start-up, in the order of the design: the window's own initialisation, then the first selection.
    void initialise();
    void startUp();

    MainState& state() { return m_state; }
    TipSheet& sheet() { return m_sheet; }
    RandomSource& random() { return m_random; }
    TForm6* form6() const { return m_form6.get(); }
    TForm3* form3() const { return m_form3.get(); }
    ChartModel& chart() { return m_chart; }
    GenerationCriteria& criteria() { return m_criteria; }
    CriteriaPage* criteriaPage() const { return m_criteriaPage; }
    // Shows the criteria in their controls after code changed them.
    void showCriteria();
    const MessageTable& messages() const { return m_messages; }
    const Endpoints& endpoints() const { return m_endpoints; }
    // The values of the hidden and kept controls the settings restore and save.
    const WindowValues& windowValues() const { return m_window; }
    const KeptWindowValues& keptValues() const { return m_kept; }
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString& text);
    double scaleFactor() const { return m_scaler.factor(); }

    // Commands of the current draw.
    void SpeedButton5Click(); // select the draw of DateTimePicker1
    void SpeedButton6Click(); // previous draw
    void SpeedButton7Click(); // next draw
    void BitBtn6Click();      // remove the current draw
    void BitBtn8Click();      // enter a draw by hand

    // The internet update (BitBtn1, SpeedButton10, Aktualisieren1); a second start while one runs is
    // refused. SpeedButton8 stops it at once.
    void BitBtn1Click();
    void SpeedButton8Click();
    bool updateRunning() const { return m_updateRunning; }
    // Runs the update when the window first shows (the program does; tests choose).
    void setUpdateOnShow(bool on) { m_updateOnShow = on; }

    // Commands of the tip sheet.
    void Komplettcheck();      // the sheet check against the current draw
    void SpeedButton11Click(); // clear all unlocked rows
    void SpeedButton15Click(); // save the tips to a tip file
    void SpeedButton16Click(); // load the tips from a tip file
    void TippEdit(int row);    // edit row 0..11 in the number dialog

    // Computes a statistic and shows it on the chart; with showTabFirst the Diagramm tab comes to the
    // front before, otherwise when the statistic says so.
    void Statistik(Statistic statistic, bool showTabFirst = false);

    // "Tipps berechnen" (BitBtn4, Berechnen1): starts a generation run, or stops the one in progress.
    void Label28Click();
    // The lucky number: seeds the random source from a number the user gives.
    void SpeedButton13Click();

    // Runs a command; a failure it lets through is shown as the general error report.
    void runCommand(const std::function<void()>& command);

Q_SIGNALS:
    void updateFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void buildStatusBar();
    void buildTipOverview(QWidget* tab);
    void buildHiddenTab(QWidget* tab);
    void buildCalculationTab(QWidget* tab);
    void buildChartTab(QWidget* tab);
    void buildDatabaseTab(QWidget* tab);
    void buildInternetTab(QWidget* tab);
    // The settings at start-up, in the portions of the start-up order, and at close.
    void restoreSettings();
    void saveSettings();
    // Shows the values of WindowValues in their controls, and takes them back.
    void showWindowValues();
    void takeWindowValues();
    // The hosts in use: the stored ones (else those given at construction), each overridden by its
    // environment variable; shown wherever an address appears.
    void applyEndpoints();
    // Scales the content when the height differs from Groesse.
    void rescaleToHeight();
    void connectStatusHints();
    void openWebPage(const QString& address);
    // Shows the current-draw fields and the date pickers of the state in their controls.
    void showState();
    QString soundPath() const;
    // Enables or disables the named controls and menu items.
    void setControlsEnabled(std::initializer_list<const char*> names, bool enabled);

    Platform m_platform;
    Endpoints m_endpoints;
    Endpoints m_baseEndpoints; // as given at construction
    WindowValues m_window;
    KeptWindowValues m_kept;
    QString m_home;
    QString m_programFolder;
    MainState m_state;
    MessageTable m_messages;
    TipSheet m_sheet;
    ChartModel m_chart;
    RandomSource m_random;
    TipSheetView* m_sheetView = nullptr;
    std::unique_ptr<TForm6> m_form6;
    std::unique_ptr<TForm3> m_form3;
    bool m_updateOnShow = false;
    bool m_shownOnce = false;
    bool m_updateRunning = false;
    // The shared file dialogs' settings; the tip file commands change them and put them back.
    FileDialogOptions m_saveDialog1{{}, QStringLiteral("Textdatei|*.txt"), QStringLiteral("txt"), {}, {}};
    FileDialogOptions m_openDialog1;
    GenerationCriteria m_criteria;
    CriteriaPage* m_criteriaPage = nullptr;
    QPushButton* m_runButton = nullptr;
    QString m_tippsberechnen; // the run button's caption when no run is in progress
    std::unique_ptr<CurrentDraw> m_currentDraw;
    ContentScaler m_scaler;
    bool m_scalerReady = false;

    QTabWidget* m_pages = nullptr;
    QLabel* m_panel[2] = {nullptr, nullptr};
    QLabel* m_label29 = nullptr;
    QLabel* m_label35 = nullptr;
    QLabel* m_label13 = nullptr;
    QDateEdit* m_picker1 = nullptr;
    QDateEdit* m_picker2 = nullptr;
};

} // namespace kugelo
