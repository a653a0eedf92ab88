#include "sheet/TipFile.h"

#include "sheet/TipSheet.h"

namespace kugelo {

QByteArray tipFileText(const TipSheet& sheet) {
    QByteArray out;
    for (int r = 0; r < TipSheet::RowCount; ++r) {
        if (sheet.text(r, 0).isEmpty()) continue;
        for (int f = 0; f < TipSheet::FieldCount; ++f) {
            if (f > 0) out += ',';
            out += sheet.text(r, f).toLatin1();
        }
        out += "\r\n";
    }
    return out;
}

void loadTipFile(TipSheet& sheet, const TextLines& lines) {
    sheet.clearAll();
    for (int r = 0; r < TipSheet::RowCount; ++r) {
        QString rest = lines.value(r);
        for (int f = 0; f < TipSheet::FieldCount; ++f) {
            QString value;
            if (f == TipSheet::Extra) {
                value = rest;
            } else if (const qsizetype comma = rest.indexOf(QLatin1Char(',')); comma >= 0) {
                value = rest.left(comma);
                rest = rest.mid(comma + 1);
            }
            sheet.setText(r, f, value);
        }
    }
}

QDate nextDrawDate(const QDate& date) {
    return date.addDays(date.dayOfWeek() == Qt::Wednesday ? 3 : 2);
}

} // namespace kugelo
