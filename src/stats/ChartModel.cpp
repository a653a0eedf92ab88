#include "stats/ChartModel.h"

#include <algorithm>

namespace kugelo {

void ChartModel::show(std::vector<ChartPoint> points, bool minMaxAxis, std::optional<Statistic> statistic) {
    m_statistic = statistic;
    m_series2Active = true;
    m_series1Active = false;
    m_points = std::move(points);
    m_legend = {};
    m_automaticAxis = !minMaxAxis;
    if (minMaxAxis && !m_points.empty()) {
        const auto [low, high] =
            std::minmax_element(m_points.begin(), m_points.end(),
                                [](const ChartPoint& a, const ChartPoint& b) { return a.y < b.y; });
        m_axisMin = low->y;
        m_axisMax = high->y;
    }
    Q_EMIT changed();
}

void ChartModel::setCaption(const QString& caption) {
    m_caption = caption;
    Q_EMIT changed();
}

void ChartModel::setLegend(Legend legend) {
    m_legend = std::move(legend);
    Q_EMIT changed();
}

void ChartModel::hideMarks() {
    m_marksVisible = false;
    Q_EMIT changed();
}

} // namespace kugelo
