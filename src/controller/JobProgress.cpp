#include "controller/JobProgress.h"

#include "i18n/MessageTable.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace kugelo {

std::optional<double> secondsLeft(long long finished, long long total, qint64 elapsedMs) {
    if (elapsedMs < kEstimateAfterMs || finished <= 0 || finished >= total) return std::nullopt;
    return static_cast<double>(elapsedMs) / 1000.0 * static_cast<double>(total - finished) /
           static_cast<double>(finished);
}

QString timeLeftText(const MessageTable& m, double seconds) {
    const double step = seconds < 9.5 ? 1 : seconds < 57.5 ? 5 : seconds < 595 ? 10 : 60;
    const auto rounded = std::max(1LL, static_cast<long long>(std::llround(seconds / step) * step));
    const auto amount = [&m](long long value, Msg unit) {
        return QString::number(value) + QLatin1Char(' ') + m[unit];
    };
    QString text;
    if (rounded < 60) {
        text = amount(rounded, Msg::UnitSeconds);
    } else if (rounded < 3600) {
        text = amount(rounded / 60, Msg::UnitMinutes);
        if (rounded % 60) text += QLatin1Char(' ') + amount(rounded % 60, Msg::UnitSeconds);
    } else {
        text = amount(rounded / 3600, Msg::UnitHours);
        if (rounded % 3600) text += QLatin1Char(' ') + amount(rounded % 3600 / 60, Msg::UnitMinutes);
    }
    return m[Msg::TimeLeft].arg(text);
}

QString jobProgressText(const MessageTable& m, JobKind kind, const JobCounts& counts,
                        std::optional<double> left, bool running) {
    if (counts.total <= 0) return {};
    const QLocale locale;
    const QString current = locale.toString(std::min(counts.current, counts.total));
    const QString total = locale.toString(counts.total);
    QString text;
    QString stop;
    switch (kind) {
    case JobKind::Update:
        text = m[Msg::UpdateProgress].arg(current, total, locale.toString(counts.found));
        stop = m[Msg::UpdateStopKeys];
        break;
    case JobKind::Generation:
        text = m[Msg::RunProgress].arg(current, total, locale.toString(counts.found));
        stop = m[Msg::RunStopKeys].arg(m[Msg::StopRun]);
        break;
    case JobKind::Analysis:
        text = m[Msg::AnalysisProgress].arg(current, total);
        stop = m[Msg::AnalysisStopKeys];
        break;
    }
    if (!running) return text;
    if (left) text += QStringLiteral(", ") + timeLeftText(m, *left);
    return text + QStringLiteral(" \u2013 ") + stop;
}

} // namespace kugelo
