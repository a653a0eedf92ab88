#pragma once

#include <QDate>
#include <cmath>

namespace kugelo {

// Dates are day numbers counted from 30 December 1899 (the fraction is the time of day).
inline QDate dayNumberEpoch() {
    return QDate(1899, 12, 30);
}

inline double toDayNumber(const QDate& date) {
    return static_cast<double>(dayNumberEpoch().daysTo(date));
}

// The whole day of a day number; a fraction (time of day) is dropped.
inline QDate fromDayNumber(double day) {
    return dayNumberEpoch().addDays(static_cast<qint64>(std::floor(day)));
}

// The first draw of the current game formula and the earliest date of both date pickers.
constexpr double EarliestDrawDay = 39727.0;
inline QDate earliestDrawDate() {
    return QDate(2008, 10, 6);
}

// A date picker with the earliest date 6 October 2008: an earlier date is not taken.
inline void setPickerDate(QDate& picker, const QDate& date) {
    if (date.isValid() && date >= earliestDrawDate()) picker = date;
}

} // namespace kugelo
