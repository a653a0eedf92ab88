// A tip file (*.tpf): loaded into a sheet with some rows locked, saved, loaded and saved again.
//
// Contract: a file is read through the text reader (a line beyond its bound ends the load with an error);
// after a load every field is empty or a plain decimal number in its range (1..49 for the five
// numbers, 1..10 for the n° CHANCE and the extra field), whatever the bytes; locked rows are loaded like
// the others; a saved file holds only digits, commas and CR LF, one line of seven fields for each row with
// a first number; loading what was saved gives the saved rows back in order, and save -> load -> save
// gives the same bytes.
#include "FuzzSupport.h"

#include "i18n/TextFile.h"
#include "platform/Errors.h"

#include "sheet/TipFile.h"
#include "sheet/TipSheet.h"

using namespace kugelo;
using namespace kugelo::fuzz;

namespace {

void checkFields(const TipSheet& sheet, const char* when) {
    for (int r = 0; r < TipSheet::RowCount; ++r) {
        for (int f = 0; f < TipSheet::FieldCount; ++f) {
            const QString& text = sheet.text(r, f);
            if (text.isEmpty()) continue;
            bool ok = false;
            const int value = text.toInt(&ok);
            FUZZ_CHECK(ok && value >= 1 && value <= TipSheet::maximum(f) && QString::number(value) == text,
                       QStringLiteral("%1: row %2 field %3 holds \"%4\"")
                           .arg(QLatin1String(when))
                           .arg(r)
                           .arg(f)
                           .arg(text));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TextLines lines;
    try {
        lines = textLines(bytesOf(data, size));
    } catch (const IoError&) {
        return 0; // a line beyond the text reader's bound: the load ends with the error report
    }

    TipSheet plain;
    loadTipFile(plain, lines);
    checkFields(plain, "loaded");

    // The same file into a sheet whose rows hold numbers, every other row locked: loading replaces all.
    TipSheet locked;
    for (int r = 0; r < TipSheet::RowCount; ++r) {
        for (int f = 0; f < TipSheet::FieldCount; ++f)
            locked.setText(r, f, QString::number(f + 1));
        if (r % 2 == 0) locked.toggleLock(r);
    }
    loadTipFile(locked, lines);
    for (int r = 0; r < TipSheet::RowCount; ++r)
        FUZZ_CHECK(locked.row(r).texts == plain.row(r).texts,
                   QStringLiteral("row %1 loads differently when locked").arg(r));

    const QByteArray saved = tipFileText(plain);
    int savedLines = 0;
    for (qsizetype i = 0; i < saved.size(); ++i) {
        const char c = saved[i];
        FUZZ_CHECK(
            (c >= '0' && c <= '9') || c == ',' ||
                (c == '\r' && i + 1 < saved.size() && saved[i + 1] == '\n') ||
                (c == '\n' && i > 0 && saved[i - 1] == '\r'),
            QStringLiteral("the saved file holds the byte %1").arg(int(static_cast<unsigned char>(c))));
        savedLines += c == '\n' ? 1 : 0;
    }
    FUZZ_CHECK(saved.isEmpty() || saved.endsWith("\r\n"), QStringLiteral("the last saved line has no end"));
    int filled = 0;
    for (int r = 0; r < TipSheet::RowCount; ++r)
        filled += plain.text(r, 0).isEmpty() ? 0 : 1;
    FUZZ_CHECK(savedLines == filled && saved.count(',') == 6 * filled,
               QStringLiteral("%1 lines saved for %2 rows with a first number").arg(savedLines).arg(filled));

    TipSheet again;
    loadTipFile(again, textLines(saved));
    int next = 0;
    for (int r = 0; r < TipSheet::RowCount; ++r) {
        if (plain.text(r, 0).isEmpty()) continue;
        FUZZ_CHECK(again.row(next).texts == plain.row(r).texts,
                   QStringLiteral("row %1 comes back as row %2 with other fields").arg(r).arg(next));
        ++next;
    }
    for (; next < TipSheet::RowCount; ++next)
        for (int f = 0; f < TipSheet::FieldCount; ++f)
            FUZZ_CHECK(again.text(next, f).isEmpty(), QStringLiteral("row %1 is not empty").arg(next));
    FUZZ_CHECK(tipFileText(again) == saved, QStringLiteral("save -> load -> save changed the file"));
    return 0;
}
