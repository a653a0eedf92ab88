#include "app/ChartPage.h"

#include "app/PageControls.h"
#include "stats/ChartView.h"
#include "widgets/LabelsView.h"

#include <QDateEdit>
#include <QFrame>
#include <QTimer>
#include <QToolButton>

namespace kugelo {

ChartPage::ChartPage(ChartModel& chart, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet5"));
    auto* bar = place<QFrame>(this, "Panel6", {0, 0, kPageWidth, 34});
    bar->setFrameShape(QFrame::StyledPanel);
    const auto chartButton = [this, bar](const char* name, const QRect& geometry, const QString& caption,
                                         const QString& hint, Statistic statistic, bool tabFirst,
                                         QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
        auto* b = speedButton(bar, name, geometry, caption, hint, icon);
        connect(b, &QToolButton::clicked, this,
                [this, statistic, tabFirst] { Q_EMIT statisticRequested(statistic, tabFirst); });
    };
    chartButton("SpeedButton2", {4, 4, 26, 26}, {}, QStringLiteral("Verteilung der gezogenen Zahlen"),
                Statistic::Frequency, false, QStyle::SP_FileDialogDetailedView);
    chartButton("SpeedButton9", {32, 4, 30, 26}, QStringLiteral("QS"),
                QStringLiteral("Verteilung der Quersummen der fünf Zahlen"), Statistic::CrossSums, false);
    chartButton("SpeedButton1", {64, 4, 30, 26}, QStringLiteral("2er"),
                QStringLiteral("Paare: Zahlen, die zusammen gezogen wurden"), Statistic::Pairs, false);
    chartButton("SpeedButton3", {96, 4, 30, 26}, QStringLiteral("3er"),
                QStringLiteral("Dreier: drei Zahlen, die zusammen gezogen wurden"), Statistic::Triples,
                false);
    chartButton("SpeedButton12", {128, 4, 30, 26}, QStringLiteral("4er"),
                QStringLiteral("Vierer: vier Zahlen, die zusammen gezogen wurden"), Statistic::Quadruples,
                false);
    chartButton("SpeedButton19", {160, 4, 70, 26}, QStringLiteral("ausstehende"),
                QStringLiteral("wie lange wurde die jeweilige Zahl nicht gezogen"), Statistic::Overdue,
                false);
    chartButton("SpeedButton20", {232, 4, 62, 26}, QStringLiteral("n°CHANCE"),
                QStringLiteral("Wie oft wurde jeder einzelne Glanzball gezogen"), Statistic::ChanceFrequency,
                true);
    chartButton("SpeedButton21", {296, 4, 90, 26}, QStringLiteral("n°CHANCE offen"),
                QStringLiteral("wie lange sind der einzelne n°CHANCE überfällig"), Statistic::ChanceOverdue,
                false);
    m_endDate = datePicker(bar, "DateTimePicker2", {416, 6, 102, 22});
    connect(m_endDate, &QDateEdit::dateChanged, this, &ChartPage::endDateChanged);
    auto* settle = new QTimer(this);
    settle->setSingleShot(true);
    settle->setInterval(SettleMs);
    connect(m_endDate, &QDateEdit::dateChanged, settle, qOverload<>(&QTimer::start));
    connect(settle, &QTimer::timeout, this, &ChartPage::endDateSettled);

    auto* view = new ChartView(chart, this);
    view->setGeometry(0, 36, kPageWidth, kPageHeight - 36);
}

QDate ChartPage::showEndDate(QDate date) {
    const QSignalBlocker block(m_endDate);
    m_endDate->setDate(date);
    return m_endDate->date();
}

} // namespace kugelo
