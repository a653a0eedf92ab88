#pragma once

#include "i18n/TextFile.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>

namespace kugelo {

class TipSheet;

// Tip files ("*.tpf"): one line per row whose first number is filled, seven comma-separated field texts,
// CR LF line ends, no header.
QByteArray tipFileText(const TipSheet& sheet);

// Loads the lines of a tip file (as the text reader gives them) into the sheet as the load command does:
// clear all, then for rows 1 to 12 the next line (beyond the end of the file an empty one) split into seven
// values, each written through the field validation, locked rows included.
void loadTipFile(TipSheet& sheet, const TextLines& lines);

// The draw day after a date: Wednesday + 3 days (Saturday), any other day + 2.
QDate nextDrawDate(const QDate& date);

} // namespace kugelo
