#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace kugelo {

class Endpoints;
class TipSheet;
class TipSheetView;
struct SpinValue;

// The "Tipp-Übersicht" tab (TabSheet1): the current draw, the banners, the tip sheet with its buttons and
// the generation controls.
class TipOverviewPage : public QWidget {
    Q_OBJECT
public:
    TipOverviewPage(TipSheet& sheet, const Endpoints& endpoints, QWidget* parent = nullptr);

    TipSheetView* sheetView() const { return m_sheetView; }

    // The current draw's line (Label35) and its cross sum (Label13).
    void showDraw(const QString& draw, const QString& crossSum);
    // The ticket number (Losnummer).
    void showTicketNumber(const QString& text);
    // The update button's hint and the left banner follow the hosts in use.
    void showEndpoints(const Endpoints& endpoints);
    // The number of rows to compute (UpDown8), without reporting it as a change.
    void showRowCount(const SpinValue& count);
    // The run button shows "stop" while a run goes on; otherwise its own caption (which a language may set).
    void showRunning(bool running, const QString& stopCaption);
    // The run button's caption now becomes the one it gets back after a run (a language was applied).
    void takeRunCaption();

Q_SIGNALS:
    void updateRequested();   // SpeedButton10
    void previousRequested(); // SpeedButton6
    void nextRequested();     // SpeedButton7
    void bannerClicked();     // Panel2, Label43, Panel5, Label44
    void sheetFieldLeft();
    void editRowRequested(int row);
    void clearRequested();        // SpeedButton11
    void saveRequested();         // SpeedButton15
    void loadRequested();         // SpeedButton16
    void distributionRequested(); // Button6
    void rowCountChanged(int count);
    void runRequested();    // BitBtn4
    void luckyRequested();  // SpeedButton13
    void searchRequested(); // SpeedButton4
    void printRequested();  // BitBtn7
    void submitRequested(); // OnlineTipp
    void basketRequested(); // Warenkorb

private:
    QToolButton* m_update = nullptr;  // SpeedButton10
    QLabel* m_draw = nullptr;         // Label35
    QLabel* m_ticketNumber = nullptr; // Losnummer
    QLabel* m_crossSum = nullptr;     // Label13
    QLabel* m_leftBanner = nullptr;   // Label43
    TipSheetView* m_sheetView = nullptr;
    QSpinBox* m_rowCount = nullptr; // UpDown8
    QPushButton* m_run = nullptr;   // BitBtn4
    QString m_runCaption;           // the run button's caption when no run is in progress
};

} // namespace kugelo
