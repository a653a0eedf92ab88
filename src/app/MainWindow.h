#pragma once

#include "app/Endpoints.h"
#include "app/MainState.h"
#include "app/ScalerView.h"
#include "i18n/MessageTable.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class QDateEdit;
class QLabel;
class QTabWidget;

namespace kugelo {

class Clock;
class CurrentDraw;
class Desktop;
class Dialogs;

// The outside world as the main window sees it.
struct Platform {
    Dialogs& dialogs;
    Desktop& desktop;
    const Clock& clock;
};

// The main window: tabs, menu, status bar and the command map. It owns the program-wide fields and shows
// them; the work is done by the domain.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int DesignClientWidth = 532;
    static constexpr int DesignClientHeight = 450;

    TForm1(Platform platform, Endpoints endpoints, QString executableFolder, QWidget* parent = nullptr);
    ~TForm1() override;

    // Start-up, in the order of the design: the window's own initialisation, then the first selection.
    void initialise();
    void startUp();

    MainState& state() { return m_state; }
    const MessageTable& messages() const { return m_messages; }
    const Endpoints& endpoints() const { return m_endpoints; }
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString& text);
    double scaleFactor() const { return m_scaler.factor(); }

    // Commands of the current draw.
    void SpeedButton5Click(); // select the draw of DateTimePicker1
    void SpeedButton6Click(); // previous draw
    void SpeedButton7Click(); // next draw
    void BitBtn6Click();      // remove the current draw

    // Runs a command; a failure it lets through is shown as the general error report.
    void runCommand(const std::function<void()>& command);

protected:
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
    void connectStatusHints();
    void openWebPage(const QString& address);
    // Shows the current-draw fields and the date pickers of the state in their controls.
    void showState();

    Platform m_platform;
    Endpoints m_endpoints;
    QString m_executableFolder;
    MainState m_state;
    MessageTable m_messages;
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
