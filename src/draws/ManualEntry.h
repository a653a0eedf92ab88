#pragma once

#include "state/DrawRecord.h"
#include "state/MainState.h"

namespace kugelo {

class DrawFile;

// The record the manual entry starts from: the stored record of the date in DateTimePicker1, else the last
// stored draw. Without a draw it proposes 6 October 2008 with the smallest valid numbers, 1 2 3 4 5 and
// n° CHANCE 1. Sets aktDatum to the record's date.
DrawRecord manualEntryStart(MainState& state, const DrawFile& file);

// Stores an entered record with its main numbers sorted: appended when it is later than every stored
// date, otherwise inserted in date order in place of the stored records of its date. Its bytes 16 to 31
// are those of the loaded record when the date is the loaded record's, else zeros.
void storeManualEntry(const DrawFile& file, DrawRecord record, const DrawRecord& loaded);

} // namespace kugelo
