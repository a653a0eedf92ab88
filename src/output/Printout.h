#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace kugelo {

class TipSheet;

// The date the listing is for: the draw after the current one, worked out from the weekday of the end date
// (a Wednesday: the current draw + 3 days, any other day: + 2).
QDate listingTipDate(const QDate& endDate, const QDate& currentDrawDate);

// The lines of the printable listing: the header (header text, a blank, the tip date in the locale's short
// format), a rule of 46 tildes, an empty line, then one line per row whose first number is filled, numbered
// with the sheet's row number. Throws ConversionError for a printed row with a field that is no number.
QStringList listingLines(const TipSheet& sheet, const QString& header, const QDate& tipDate,
                         const QLocale& locale = QLocale());

} // namespace kugelo
