#pragma once

#include "stats/Statistics.h"

#include <QDate>
#include <QWidget>

class QDateEdit;
class QLabel;
class QToolButton;

namespace kugelo {

// The "Datenbank" tab (TabSheet4): the update and its stop button, the draw chosen by date, removing and
// entering a draw, importing CSV archives, the statistic buttons and the historical analyses.
class DatabasePage : public QWidget {
    Q_OBJECT
public:
    explicit DatabasePage(QWidget* parent = nullptr);

    // The line of the draw chosen by date (Label29).
    void showSelectedDraw(const QString& text);
    // Shows the chosen date without reporting it as a change, and gives back the date shown (the picker
    // keeps an earlier one out).
    QDate showDate(QDate date);
    // The stop button (SpeedButton8) is there while an update may be stopped.
    void showStop(bool visible);

Q_SIGNALS:
    void updateRequested(); // BitBtn1
    void stopRequested();   // SpeedButton8
    void dateChanged(QDate date);
    void selectRequested(); // SpeedButton5
    void removeRequested(); // BitBtn6
    void enterRequested();  // BitBtn8
    void importRequested(); // ImportButton
    void statisticRequested(kugelo::Statistic statistic);
    void parameterAnalysisRequested(); // BitBtn9
    void drawAnalysisRequested();      // BitBtn19

private:
    QToolButton* m_stop = nullptr;    // SpeedButton8
    QDateEdit* m_date = nullptr;      // DateTimePicker1
    QLabel* m_selectedDraw = nullptr; // Label29
};

} // namespace kugelo
