#include "output/Printout.h"

#include "platform/Convert.h"
#include "sheet/TipSheet.h"

namespace kugelo {

QDate listingTipDate(const QDate& endDate, const QDate& currentDrawDate) {
    return currentDrawDate.addDays(endDate.dayOfWeek() == Qt::Wednesday ? 3 : 2);
}

QStringList listingLines(const TipSheet& sheet, const QString& header, const QDate& tipDate,
                         const QLocale& locale) {
    const auto twoPlaces = [](int n) { return QString::number(n).rightJustified(2, QLatin1Char(' ')); };
    QStringList lines;
    lines << header + QLatin1Char(' ') + locale.toString(tipDate, QLocale::ShortFormat);
    lines << QString(46, QLatin1Char('~'));
    lines << QString();
    for (int r = 0; r < TipSheet::RowCount; ++r) {
        if (sheet.text(r, 0).isEmpty()) continue;
        QString line = twoPlaces(r + 1) + QStringLiteral(". ") + header + QStringLiteral(": ");
        for (int f = 0; f < 5; ++f)
            line += twoPlaces(strToInt(sheet.text(r, f))) + QStringLiteral("   ");
        line += QStringLiteral("n° CHANCE: ") + twoPlaces(strToInt(sheet.text(r, TipSheet::Chance)));
        lines << line;
    }
    return lines;
}

} // namespace kugelo
