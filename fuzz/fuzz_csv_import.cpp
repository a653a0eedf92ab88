// A CSV archive: the operator's ';'-separated archive or the plain "date,n1,...,chance,joker" format, read
// and then imported into a draw file that already holds a few draws.
//
// Contract: the reader either refuses the file (an ImportError, or the text reader's IoError for a line
// beyond its bound; no other exception) or gives draws
// that are all valid (five different numbers 1..49 in ascending order, an n° CHANCE 1..10, seven digits)
// and dated from 6 October 2008, the first draw with an n° CHANCE, up to today; the import then leaves a
// draw file in strict date order with one draw per date, every imported date holding the last draw read
// for it, every other stored draw kept, and counts that match.
#include "FuzzSupport.h"

#include "draws/DrawFile.h"
#include "draws/DrawImport.h"
#include "i18n/TextFile.h"
#include "platform/DayNumber.h"
#include "platform/Errors.h"

#include <map>

using namespace kugelo;
using namespace kugelo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<DrawRecord> draws;
    const QDate today = QDate::currentDate();
    try {
        draws = parseDrawCsv(QStringLiteral("fuzz.csv"),
                             textLines(bytesOf(data, size), QStringLiteral("fuzz.csv")), today);
    } catch (const ImportError&) {
        return 0;
    } catch (const IoError&) {
        return 0; // a line beyond the text reader's bound
    }
    const double earliest = toDayNumber(earliestDrawDate());
    const double last = toDayNumber(today);
    for (const DrawRecord& r : draws) {
        const QString problem = drawProblem(r);
        FUZZ_CHECK(problem.isEmpty(), QStringLiteral("imported %1: %2").arg(describe(r), problem));
        FUZZ_CHECK(r.Datum >= earliest && r.Datum <= last,
                   QStringLiteral("imported a draw dated %1").arg(r.date().toString(Qt::ISODate)));
    }

    // Stored before: draws on dates an archive holds, a date it may repeat, and one after today's dates
    // would not reach (each valid and in order).
    const std::vector<DrawRecord> before = {
        makeDrawRecord(QDate(2008, 10, 6), {1, 2, 3, 4, 5}, 1),
        makeDrawRecord(QDate(2019, 11, 4), {7, 14, 21, 28, 35}, 7, {1, 1, 1, 1, 1, 1, 1}),
        makeDrawRecord(QDate(2024, 3, 2), {10, 20, 30, 40, 49}, 10, {9, 8, 7, 6, 5, 4, 3}),
    };
    const DrawFile file(writeScratch(QStringLiteral("Kugelo.dat"), encodeDrawRecords(before)));
    const ImportResult result = importDraws(file, draws);
    const std::vector<DrawRecord> after = file.readAll();

    std::map<double, DrawRecord> expected;
    int replaced = 0;
    for (const DrawRecord& r : before)
        expected[r.Datum] = r;
    std::map<double, DrawRecord> imported;
    for (const DrawRecord& r : draws)
        imported[r.Datum] = r;
    for (const auto& [datum, r] : imported) {
        replaced += expected.count(datum) ? 1 : 0;
        expected[datum] = r;
    }
    FUZZ_CHECK(result.imported == static_cast<int>(imported.size()) && result.replaced == replaced,
               QStringLiteral("counts %1 (%2 replaced), expected %3 (%4)")
                   .arg(result.imported)
                   .arg(result.replaced)
                   .arg(imported.size())
                   .arg(replaced));
    FUZZ_CHECK(
        after.size() == expected.size(),
        QStringLiteral("%1 records after the import, expected %2").arg(after.size()).arg(expected.size()));
    std::size_t i = 0;
    for (const auto& [datum, r] : expected) {
        FUZZ_CHECK(
            after[i] == r,
            QStringLiteral("record %1 is %2, expected %3").arg(i).arg(describe(after[i]), describe(r)));
        FUZZ_CHECK(i == 0 || after[i - 1].Datum < after[i].Datum, QStringLiteral("not in strict date order"));
        ++i;
    }
    return 0;
}
