#include "draws/ManualEntry.h"

#include "draws/DrawFile.h"

#include <algorithm>

namespace kugelo {

DrawRecord manualEntryStart(MainState& state, const DrawFile& file) {
    file.createIfMissing();
    const std::vector<DrawRecord> records = file.readAll();
    DrawRecord buffer;
    if (records.empty()) {
        buffer = makeDrawRecord(earliestDrawDate(), {1, 2, 3, 4, 5}, 1);
    } else {
        const auto chosen = std::find_if(records.begin(), records.end(), [&state](const DrawRecord& r) {
            return r.date() == state.drawDate;
        });
        buffer = chosen != records.end() ? *chosen : records.back();
    }
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
    DrawRecord last;
    if (file.lastRecord(last) && record.Datum > last.Datum)
        file.append(record);
    else
        file.insertInDateOrder(record);
}

} // namespace kugelo
