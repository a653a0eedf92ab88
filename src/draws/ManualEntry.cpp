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

void storeManualEntry(const DrawFile& file, DrawRecord record) {
    std::sort(record.Zahl.begin(), record.Zahl.begin() + 5);
    DrawRecord last;
    if (file.lastRecord(last) && record.Datum > last.Datum)
        file.append(record);
    else
        file.insertInDateOrder(record);
}

} // namespace kugelo
