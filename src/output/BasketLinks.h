#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace kugelo {

class Endpoints;
class TipSheet;

// A row as the basket link carries it: the five main numbers and the n° CHANCE as they stand, joined by
// commas; ",,,,," for a row not in use.
QString basketRowText(const TipSheet& sheet, int row);
inline QString emptyBasketRow() {
    return QStringLiteral(",,,,,");
}

// Only so much of a template from the basket service is used (fewer when the cut would split a character
// made of two UTF-16 units).
inline constexpr int MaxBasketTemplateLength = 2048;

// The template used when the basket service answers with an error status and no notice: the vendor's
// basket page with rows 1 to 6.
QString fallbackBasketTemplate(const Endpoints& endpoints);

// The links for the rows (K1 .. K12): the first from rows 1 to 6 (and 7 to 12 where the template holds
// their placeholders), a second from rows 7 to 12 when row 7 is in use. Each placeholder is filled at its
// first occurrence only; "[Anzahl]" becomes the highest row in use of the link's six (0 when none). The
// template is cut to its first MaxBasketTemplateLength characters first.
QStringList basketLinks(const QString& linkTemplate, const std::array<QString, 12>& rows);

// Whether a link may be handed to the browser: an http or https address with a host.
bool isWebLink(const QString& link);

// The address the browser is given for a link: the link without surrounding blanks, read as the desktop
// reads it (a blank or a line end inside is percent-encoded), in its fully encoded form: one line of ASCII.
// Empty when the link is no web link.
QString webLinkAddress(const QString& link);

} // namespace kugelo
