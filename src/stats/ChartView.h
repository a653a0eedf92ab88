#pragma once

#include <QChartView>

class QBarSeries;
class QBarSet;
class QValueAxis;

namespace kugelo {

class ChartModel;

// Chart1: draws the chart model as bars (green, red for the points marked red) with the caption as the
// title of the horizontal axis. Bars stand at their x: the bar series places bar i at i, so the view
// fills the places below the first x with empty bars outside the visible range.
class ChartView : public QChartView {
    Q_OBJECT
public:
    explicit ChartView(ChartModel& model, QWidget* parent = nullptr);

    // The name assistive technology reads while the chart has no caption (before any statistic).
    void setNameWithoutCaption(const QString& name);

    // The drawn bars and axis, for tests.
    QBarSet* barSet() const { return m_set; }
    QValueAxis* horizontalAxis() const { return m_axisX; }
    QValueAxis* verticalAxis() const { return m_axisY; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showModel();
    // What assistive technology reads: the caption as the name, the bars ("x: y, ...") as the description.
    void describe();
    void placeTitle();
    void placeLabels();

    ChartModel& m_model;
    QBarSeries* m_series2;
    QBarSeries* m_series1;
    QBarSet* m_set;
    QValueAxis* m_axisX;
    QValueAxis* m_axisY;
    QString m_nameWithoutCaption;
};

} // namespace kugelo
