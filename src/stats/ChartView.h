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
//
// Under the chart, when the statistic gives one, a line says what the colours stand for (a red and a green
// square, each with its words) and carries the statistic's note; the note takes a second line when the
// first is full.
//
// Hovering a bar shows its x and y as a tool tip. A min-max axis starts at the smallest y, where that bar
// has no height: the axis base then carries that value as its lowest label, a break mark on the axis says
// that it does not start at 0, and every bar of the smallest value stands as a low block on the base, so it
// never looks like a number that was not drawn.
class ChartView : public QChartView {
    Q_OBJECT
public:
    // The height of the block that stands for a bar of the smallest value on a min-max axis.
    static constexpr double BaseBlockHeight = 3;

    explicit ChartView(ChartModel& model, QWidget* parent = nullptr);

    // The name assistive technology reads while the chart has no caption (before any statistic).
    void setNameWithoutCaption(const QString& name);

    // The drawn bars and axis, for tests.
    QBarSet* barSet() const { return m_set; }
    QValueAxis* horizontalAxis() const { return m_axisX; }
    QValueAxis* verticalAxis() const { return m_axisY; }
    // Whether the base of the vertical axis is marked (min-max axis above 0).
    bool baseMarked() const;
    // The tool tip of the bar under a point of the view ("x: 13, y: 326"), empty beside the bars; and the
    // point in the middle of the bar of x, a little above its base, for tests.
    QString barTextAt(const QPoint& position) const;
    QPoint barPosition(int x) const;
    // The lines the legend takes under the chart at the view's width now (0 without one).
    int legendLines() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showModel();
    // What assistive technology reads: the caption as the name, the bars ("x: y, ...") as the description.
    void describe();
    void placeTitle();
    void placeLabels();
    // Makes room for the legend under the chart.
    void placeLegend();
    void paintLegend(QPainter* painter) const;
    QFont legendFont() const;

    ChartModel& m_model;
    QBarSeries* m_series2;
    QBarSeries* m_series1;
    QBarSet* m_set;
    QValueAxis* m_axisX;
    QValueAxis* m_axisY;
    QString m_nameWithoutCaption;
};

} // namespace kugelo
