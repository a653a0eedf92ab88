#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <vector>

namespace kugelo {

enum class Statistic;

// One bar: x, its count, and whether it is drawn red (prime x in the red/green charts) or green.
struct ChartPoint {
    int x = 0;
    int y = 0;
    bool red = false;
};

// The chart of the Diagramm tab as values. Series2 holds the points of the statistic computed last, in
// ascending x; the generation reads them back by position. The view draws what this holds.
class ChartModel : public QObject {
    Q_OBJECT
public:
    explicit ChartModel(QObject* parent = nullptr) : QObject(parent) {}

    const std::vector<ChartPoint>& series2() const { return m_points; }
    int count() const { return static_cast<int>(m_points.size()); }
    // The y of the point at a position (0-based), as the generation reads it.
    int yAt(int position) const { return m_points.at(static_cast<std::size_t>(position)).y; }
    int xAt(int position) const { return m_points.at(static_cast<std::size_t>(position)).x; }

    bool series1Active() const { return m_series1Active; }
    bool series2Active() const { return m_series2Active; }
    // Value marks above the bars; hidden for good once the frequency chart has been shown.
    bool marksVisible() const { return m_marksVisible; }
    bool automaticAxis() const { return m_automaticAxis; }
    int axisMinimum() const { return m_axisMin; }
    int axisMaximum() const { return m_axisMax; }
    // The caption of the horizontal axis.
    const QString& caption() const { return m_caption; }

    // The line under the chart: what the colours of a red/green chart stand for (red, green; empty for a
    // chart of one colour) and a note (what the caption's average is, or why the chart has no draw).
    struct Legend {
        QString red;
        QString green;
        QString note;
    };
    const Legend& legend() const { return m_legend; }
    void setLegend(Legend legend);

    // A statistic's result: Series2 on, Series1 off, the points replaced, the vertical axis set (min-max
    // runs from the smallest to the largest y), no legend. statistic names what the points count, when they
    // are one.
    void show(std::vector<ChartPoint> points, bool minMaxAxis,
              std::optional<Statistic> statistic = std::nullopt);
    // The statistic the chart shows; none for bars that no statistic gave (the search's empty chart).
    std::optional<Statistic> statistic() const { return m_statistic; }
    void setCaption(const QString& caption);
    void hideMarks();

Q_SIGNALS:
    void changed();

private:
    std::vector<ChartPoint> m_points;
    bool m_series1Active = true;
    bool m_series2Active = true;
    bool m_marksVisible = true;
    bool m_automaticAxis = true;
    int m_axisMin = 0;
    int m_axisMax = 0;
    QString m_caption;
    Legend m_legend;
    std::optional<Statistic> m_statistic;
};

} // namespace kugelo
