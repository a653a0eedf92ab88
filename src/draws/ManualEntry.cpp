#include "draws/ManualEntry.h"

#include "draws/DrawFile.h"

#include <algorithm>

namespace kugelo {

DrawRecord manualEntryStart(MainState& state, const DrawFile& file) {
    file.createIfMissing();
    const std::vector<DrawRecord> records = file.readAll();
    // The record of the chosen date is shown also when it holds no draw, so that it can be corrected; the
    // last record is shown only when it is a draw.
    const auto chosen = std::find_if(records.begin(), records.end(),
                                     [&state](const DrawRecord& r) { return r.date() == state.drawDate; });
    const auto lastDraw =
        std::find_if(records.rbegin(), records.rend(), [](const DrawRecord& r) { return !r.isDamaged(); });
    DrawRecord buffer;
    if (chosen != records.end())
        buffer = *chosen;
    else if (lastDraw != records.rend())
        buffer = *lastDraw;
    else
        buffer = makeDrawRecord(earliestDrawDate(), {1, 2, 3, 4, 5}, 1);
    state.aktDatum = buffer.Datum;
    return buffer;
}

void storeManualEntry(const DrawFile& file, DrawRecord record, const DrawRecord& loaded) {
    std::sort(record.Zahl.begin(), record.Zahl.begin() + 5);
    // Bytes 16 to 31 (the extra number) belong to the draw that was loaded: a correction of that draw
    // keeps them, a draw of another date gets none.
    if (record.Datum == loaded.Datum) {
        record.Ziffern = loaded.Ziffern;
        record.Ziffern2 = loaded.Ziffern2;
        record.reserved = loaded.reserved;
    } else {
        record.Ziffern = {};
        record.Ziffern2 = {};
        record.reserved = {};
    }
    // Appended only after every stored date, also that of a record that holds no draw.
    const std::vector<DrawRecord> stored = file.readAll();
    const auto lastDay =
        std::find_if(stored.rbegin(), stored.rend(), [](const DrawRecord& r) { return r.hasDay(); });
    if (lastDay != stored.rend() && record.Datum > lastDay->Datum)
        file.append(record);
    else
        file.insertInDateOrder(record);
}

} // namespace kugelo
