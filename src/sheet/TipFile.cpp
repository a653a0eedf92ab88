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

void loadTipFile(TipSheet& sheet, const QByteArray& bytes) {
    sheet.clearAll();
    qsizetype pos = 0;
    for (int r = 0; r < TipSheet::RowCount; ++r) {
        QByteArray line;
        if (pos < bytes.size()) {
            qsizetype end = bytes.indexOf('\n', pos);
            if (end < 0) end = bytes.size();
            line = bytes.mid(pos, std::min(end - pos, MaxTipLineLength));
            pos = end + 1;
            if (line.endsWith('\r')) line.chop(1);
        }
        // Tip files hold digits and commas; any other byte only makes its field invalid.
        QString rest = QString::fromLatin1(line);
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
