#pragma once

#include "stats/Statistics.h"

#include <QDate>
#include <QWidget>

class QDateEdit;

namespace kugelo {

class ChartModel;

// The "Diagramm" tab (TabSheet5): the statistic buttons, the end date of the statistics (DateTimePicker2)
// and the chart.
class ChartPage : public QWidget {
    Q_OBJECT
public:
    explicit ChartPage(ChartModel& chart, QWidget* parent = nullptr);

    // Shows the end date without reporting it as a change, and gives back the date shown (the picker keeps
    // an earlier one out).
    QDate showEndDate(QDate date);

    // How long the picker's date has to stay before the chart follows it: stepping through the days or
    // typing a date counts once, when the player has got there.
    static constexpr int SettleMs = 400;

Q_SIGNALS:
    void statisticRequested(kugelo::Statistic statistic, bool showTabFirst);
    void endDateChanged(QDate date);
    // The player's change of the date has come to rest.
    void endDateSettled();

private:
    QDateEdit* m_endDate = nullptr; // DateTimePicker2
};

} // namespace kugelo
