#include "stats/ChartView.h"

#include "stats/ChartModel.h"
#include "widgets/LabelsView.h"

#include <QBarSeries>
#include <QBarSet>
#include <QMouseEvent>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace kugelo {

namespace {
const QColor kGreen(0, 160, 0);
const QColor kRed(220, 0, 0);
constexpr int kMargin = 2;        // around the chart
constexpr int kSwatch = 9;        // the coloured square of the legend
constexpr int kLegendSpacing = 4; // between a square and its words
constexpr int kLegendGap = 14;    // between the legend's entries

// A step of 1, 2 or 5 times a power of ten that cuts a span into about five parts.
double niceStep(double span) {
    const double raw = std::max(1.0, span / 5.0);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double residual = raw / magnitude;
    const double nice = residual < 1.5 ? 1 : residual < 3 ? 2 : residual < 7 ? 5 : 10;
    return std::max(1.0, nice * magnitude);
}
} // namespace

ChartView::ChartView(ChartModel& model, QWidget* parent)
    : QChartView(parent), m_model(model), m_series2(new QBarSeries), m_series1(new QBarSeries),
      m_set(new QBarSet(QString())), m_axisX(new QValueAxis), m_axisY(new QValueAxis) {
    setObjectName(QStringLiteral("Chart1"));
    setRenderHint(QPainter::Antialiasing);
    auto* chart = new QChart;
    chart->legend()->hide(); // the colours are explained by the line under the chart
    chart->setMargins(QMargins(kMargin, kMargin, kMargin, kMargin));
    chart->setBackgroundRoundness(0);
    setChart(chart);

    m_series2->setObjectName(QStringLiteral("Series2"));
    m_series1->setObjectName(QStringLiteral("Series1"));
    m_set->setColor(kGreen);
    m_set->setPen(Qt::NoPen);
    m_set->setSelectedColor(kRed);
    m_set->setLabelColor(Qt::black);
    m_series2->append(m_set);
    m_series2->setBarWidth(0.8);
    m_series2->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    chart->addSeries(m_series1);
    chart->addSeries(m_series2);

    m_axisX->setGridLineVisible(false);
    m_axisX->setLabelFormat(QStringLiteral("%d"));
    m_axisX->setTickType(QValueAxis::TicksDynamic);
    m_axisX->setTickAnchor(0);
    m_axisX->setMinorTickCount(0);
    m_axisY->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);
    for (QBarSeries* s : {m_series1, m_series2}) {
        s->attachAxis(m_axisX);
        s->attachAxis(m_axisY);
    }
    QFont small = font();
    small.setPixelSize(10);
    m_axisX->setLabelsFont(small);
    m_axisY->setLabelsFont(small);
    QFont title = font();
    title.setPixelSize(11);
    title.setBold(true);
    m_axisX->setTitleFont(title);
    m_series2->setLabelsAngle(-90);

    connect(&m_model, &ChartModel::changed, this, &ChartView::showModel);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    connect(&m_model, &ChartModel::changed, this, &ChartView::describe);
    showModel();
    describe();
}

void ChartView::describe() {
    QStringList bars;
    for (const ChartPoint& p : m_model.series2())
        bars << QStringLiteral("%1: %2").arg(p.x).arg(p.y);
    const QString caption = m_model.caption().simplified();
    const QString name = caption.isEmpty() ? m_nameWithoutCaption : caption;
    QString description = bars.join(QStringLiteral(", "));
    if (const QString note = m_model.legend().note; !note.isEmpty())
        description = note + (description.isEmpty() ? QString() : QStringLiteral(". ") + description);
    // The view and its viewport (which takes the focus with it) read the same.
    for (QWidget* w : {static_cast<QWidget*>(this), viewport()}) {
        if (w->accessibleName() != name) w->setAccessibleName(name);
        if (w->accessibleDescription() != description) w->setAccessibleDescription(description);
    }
}

void ChartView::setNameWithoutCaption(const QString& name) {
    m_nameWithoutCaption = name;
    describe();
}

void ChartView::showModel() {
    const auto& points = m_model.series2();
    m_set->deselectAllBars();
    m_set->remove(0, m_set->count());
    const int first = points.empty() ? 0 : std::max(0, points.front().x);
    QList<qreal> values(first, 0.0);
    QList<int> red;
    values.reserve(first + static_cast<qsizetype>(points.size()));
    for (const ChartPoint& p : points) {
        if (p.red) red << static_cast<int>(values.size());
        values << p.y;
    }
    m_set->append(values);
    m_set->selectBars(red);
    m_series2->setVisible(m_model.series2Active());
    m_series1->setVisible(m_model.series1Active());
    m_series2->setLabelsVisible(m_model.marksVisible());

    const int n = static_cast<int>(points.size());
    m_axisX->setRange(first - 0.5, first + std::max(0, n - 1) + 0.5);
    if (m_model.automaticAxis() || n == 0) {
        int high = 0;
        for (const auto& p : points)
            high = std::max(high, p.y);
        m_axisY->setRange(0, std::max(1, high));
        m_axisY->applyNiceNumbers();
    } else {
        // min-max; a chart whose bars are all equal still needs a range to draw.
        const int low = m_model.axisMinimum();
        const int high = std::max(m_model.axisMaximum(), low + 1);
        m_axisY->setRange(low, high);
    }
    m_axisY->setTickType(QValueAxis::TicksDynamic);
    // A marked base carries its value as the lowest label; the other labels follow from it.
    m_axisY->setTickAnchor(baseMarked() ? m_axisY->min() : 0);
    m_axisY->setTickInterval(niceStep(m_axisY->max() - m_axisY->min()));
    placeTitle();
    placeLegend();
    placeLabels();
    viewport()->update();
}

QFont ChartView::legendFont() const {
    QFont f = font();
    f.setPixelSize(10);
    return f;
}

int ChartView::legendLines() const {
    const ChartModel::Legend& legend = m_model.legend();
    const QFontMetrics metrics(legendFont());
    int entries = 0;
    for (const QString& words : {legend.red, legend.green})
        if (!words.isEmpty())
            entries += kSwatch + kLegendSpacing + metrics.horizontalAdvance(words) + kLegendGap;
    if (entries == 0) return legend.note.isEmpty() ? 0 : 1;
    if (legend.note.isEmpty()) return 1;
    return entries + metrics.horizontalAdvance(legend.note) <= width() - 4 * kMargin ? 1 : 2;
}

void ChartView::placeLegend() {
    const int lines = legendLines();
    const int height = lines * (QFontMetrics(legendFont()).height() + 1);
    QMargins margins = chart()->margins();
    if (margins.bottom() != kMargin + height) {
        margins.setBottom(kMargin + height);
        chart()->setMargins(margins);
    }
}

void ChartView::paintLegend(QPainter* painter) const {
    const int lines = legendLines();
    if (lines == 0) return;
    const ChartModel::Legend& legend = m_model.legend();
    const QFont font = legendFont();
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.height() + 1;
    const QRectF chartRect = chart()->geometry();
    const double right = chartRect.right() - 2 * kMargin;
    double x = chartRect.left() + 2 * kMargin;
    double y = chartRect.bottom() - kMargin - lines * lineHeight;
    painter->save();
    painter->setFont(font);
    painter->setPen(palette().color(QPalette::Text));
    const std::pair<const QString*, QColor> entries[] = {{&legend.red, kRed}, {&legend.green, kGreen}};
    for (const auto& [words, colour] : entries) {
        if (words->isEmpty()) continue;
        painter->fillRect(QRectF(x, y + (lineHeight - kSwatch) / 2.0, kSwatch, kSwatch), colour);
        x += kSwatch + kLegendSpacing;
        const int advance = metrics.horizontalAdvance(*words);
        painter->drawText(QRectF(x, y, advance + 1, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, *words);
        x += advance + kLegendGap;
    }
    if (!legend.note.isEmpty()) {
        if (lines == 2) { // the note under the colours
            y += lineHeight;
            x = chartRect.left() + 2 * kMargin;
        }
        const QString note = metrics.elidedText(legend.note, Qt::ElideRight, int(right - x));
        painter->drawText(QRectF(x, y, right - x, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, note);
    }
    painter->restore();
}

bool ChartView::baseMarked() const {
    return !m_model.automaticAxis() && !m_model.series2().empty() && m_model.axisMinimum() > 0 &&
           m_model.series2Active();
}

QString ChartView::barTextAt(const QPoint& position) const {
    const auto& points = m_model.series2();
    if (points.empty() || !m_model.series2Active()) return {};
    const QPointF at = chart()->mapFromScene(mapToScene(position));
    if (!chart()->plotArea().contains(at)) return {};
    const QPointF value = chart()->mapToValue(at, m_series2);
    const int x = static_cast<int>(std::lround(value.x()));
    if (std::abs(value.x() - x) > m_series2->barWidth() / 2) return {};
    const auto point =
        std::find_if(points.begin(), points.end(), [x](const ChartPoint& p) { return p.x == x; });
    if (point == points.end()) return {};
    // The bar reaches from the base to its value; a bar of the smallest value is its block on the base.
    const double base = chart()->plotArea().bottom();
    const double top =
        std::min(chart()->mapToPosition(QPointF(x, point->y), m_series2).y(), base - BaseBlockHeight - 2);
    if (at.y() < top - 1) return {};
    return QStringLiteral("x: %1, y: %2").arg(point->x).arg(point->y);
}

QPoint ChartView::barPosition(int x) const {
    const QPointF base = chart()->mapToPosition(QPointF(x, m_axisY->min()), m_series2);
    return mapFromScene(chart()->mapToScene(base - QPointF(0, 2)));
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    const QString text = barTextAt(event->position().toPoint());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
}

void ChartView::leaveEvent(QEvent* event) {
    QToolTip::hideText();
    QChartView::leaveEvent(event);
}

void ChartView::drawForeground(QPainter* painter, const QRectF& rect) {
    QChartView::drawForeground(painter, rect);
    paintLegend(painter);
    if (!baseMarked()) return;
    const QRectF plot = chart()->plotArea();
    const auto toScene = [this](const QPointF& p) { return chart()->mapToScene(p); };
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    // Each bar of the smallest value: a low block in its colour on the base.
    const double low = m_model.axisMinimum();
    const double halfWidth = m_series2->barWidth() / 2;
    for (const ChartPoint& p : m_model.series2()) {
        if (p.y != low) continue;
        const QPointF left = toScene(chart()->mapToPosition(QPointF(p.x - halfWidth, low), m_series2));
        const QPointF right = toScene(chart()->mapToPosition(QPointF(p.x + halfWidth, low), m_series2));
        painter->fillRect(QRectF(QPointF(left.x(), left.y() - BaseBlockHeight), right),
                          p.red ? kRed : kGreen);
    }
    // The break mark: two short slanted strokes across the vertical axis just above the base.
    const QPointF axis = toScene(QPointF(plot.left(), plot.bottom() - 8));
    painter->setPen(QPen(palette().color(QPalette::Base), 4));
    painter->drawLine(axis + QPointF(-5, 3), axis + QPointF(5, -3));
    painter->setPen(QPen(palette().color(QPalette::Text), 1));
    for (const double offset : {-2.0, 2.0})
        painter->drawLine(axis + QPointF(-5, 3 + offset), axis + QPointF(5, -3 + offset));
    painter->restore();
}

void ChartView::placeTitle() {
    // The chart would cut a caption wider than the axis with "...": it goes on as many lines as it needs,
    // broken between words. The title is drawn as rich text, which would fold the caption's runs of blanks
    // into one, so the blanks within a line are non-breaking.
    const QString caption = m_model.caption();
    // The axis is the view less the vertical axis and the margins; the view's width is known before the
    // chart is laid out.
    const double room = std::max(40.0, width() - 76.0);
    const QFontMetricsF metrics(m_axisX->titleFont());
    QStringList lines;
    QString line;
    qsizetype i = 0;
    while (i < caption.size()) {
        // The next word together with the blanks before it.
        qsizetype end = i;
        while (end < caption.size() && caption[end] == QLatin1Char(' '))
            ++end;
        while (end < caption.size() && caption[end] != QLatin1Char(' '))
            ++end;
        const QString piece = caption.mid(i, end - i);
        if (!line.isEmpty() && metrics.horizontalAdvance(line + piece) > room) {
            lines << line;
            line = piece.trimmed();
        } else {
            line += piece;
        }
        i = end;
    }
    lines << line;
    for (QString& l : lines)
        l = l.toHtmlEscaped().replace(QLatin1Char(' '), QChar(0x00A0));
    m_axisX->setTitleText(lines.join(QStringLiteral("<br>")));
}

void ChartView::placeLabels() {
    // A label every step bars, the step chosen so that labels stay apart at the chart's present width.
    const auto& points = m_model.series2();
    const int n = static_cast<int>(points.size());
    if (n == 0) return;
    const double plotWidth = chart()->plotArea().width() > 0 ? chart()->plotArea().width() : width() - 60.0;
    const double perBar = std::max(1.0, plotWidth) / n;
    const int needed =
        QFontMetrics(m_axisX->labelsFont()).horizontalAdvance(QString::number(points.back().x)) + 8;
    int step = 1;
    for (int candidate : {1, 2, 5, 10, 20, 50, 100, 200}) {
        step = candidate;
        if (perBar * candidate >= needed) break;
    }
    m_axisX->setTickInterval(step);
}

void ChartView::paintEvent(QPaintEvent* event) {
    QChartView::paintEvent(event);
    paintFocusFrame(this, viewport(), viewport()->rect());
}

void ChartView::focusInEvent(QFocusEvent* event) {
    QChartView::focusInEvent(event);
    viewport()->update();
}

void ChartView::focusOutEvent(QFocusEvent* event) {
    QChartView::focusOutEvent(event);
    viewport()->update();
}

void ChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    placeTitle();
    placeLegend();
    placeLabels();
}

} // namespace kugelo
