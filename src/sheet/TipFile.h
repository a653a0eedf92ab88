#pragma once

#include <QByteArray>
#include <QDate>

namespace kugelo {

class TipSheet;

// Tip files ("*.tpf"): one line per row whose first number is filled, seven comma-separated field texts,
// CR LF line ends, no header.
QByteArray tipFileText(const TipSheet& sheet);

// Loads a tip file into the sheet as the load command does: clear all, then for rows 1 to 12 the next line
// (beyond the end of the file an empty one) split into seven values, each written through the field
// validation, locked rows included. LF and CR LF line ends are accepted.
void loadTipFile(TipSheet& sheet, const QByteArray& bytes);

// The draw day after a date: Wednesday + 3 days (Saturday), any other day + 2.
QDate nextDrawDate(const QDate& date);

// Longest line a tip file may have; the rest of a longer line is dropped.
inline constexpr qsizetype MaxTipLineLength = 4096;

} // namespace kugelo
