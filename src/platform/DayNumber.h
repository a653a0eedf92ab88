#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <cmath>

namespace kugelo {

// Dates are day numbers counted from 30 December 1899 (the fraction is the time of day).
inline QDate dayNumberEpoch() {
    return QDate(1899, 12, 30);
}

inline double toDayNumber(const QDate& date) {
    return static_cast<double>(dayNumberEpoch().daysTo(date));
}

// Day numbers of 1 January of the year 1 and of 31 December 9999, the range of a date.
constexpr double FirstDayNumber = -693593.0;
constexpr double LastDayNumber = 2958465.0;

// The whole day of a day number; a fraction (time of day) is dropped. A number that is no day (not
// finite, or outside the years 1 to 9999, as a damaged file or setting may hold) gives an invalid date.
inline QDate fromDayNumber(double day) {
    if (!(day >= FirstDayNumber && day < LastDayNumber + 1.0)) return QDate();
    return dayNumberEpoch().addDays(static_cast<qint64>(std::floor(day)));
}

// A date as the player's locale writes it short ("21.09.26"), as the status texts and questions show it.
inline QString shortDate(const QDate& date) {
    return QLocale().toString(date, QLocale::ShortFormat);
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
