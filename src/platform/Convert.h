#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace kugelo {

// A whole number as the program reads one from a text: optional leading blanks, an optional sign and
// decimal digits, within 32 bits. Nothing else (no trailing blanks, no hexadecimal).
std::optional<int> tryStrToInt(QStringView text);

// The same, throwing ConversionError for a text that is not a whole number.
int strToInt(QStringView text);

} // namespace kugelo
