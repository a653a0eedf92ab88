// A draw service answer: the body of one day's reply, split into lines and parsed line by line, then
// stored by the update.
//
// Contract: every line the parser accepts is a valid draw (five different numbers 1..49 in ascending
// order, an n° CHANCE 1..10, seven digits) of the requested day, and reads back the same when written in
// the service's own form; the lines hold no line ends; the update stores exactly the draws of the lines
// before the first line that is not a draw, shows the body when such a line ends the day, and leaves the
// draw file valid and in date order.
#include "FuzzSupport.h"

#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "draws/DrawUpdate.h"
#include "i18n/MessageTable.h"
#include "i18n/TextCodec.h"
#include "platform/DayNumber.h"
#include "platform/Endpoints.h"
#include "platform/HttpClient.h"
#include "state/MainState.h"

using namespace kugelo;
using namespace kugelo::fuzz;

namespace {

// Serves the body for the first day asked and an empty answer for every later day.
class OneAnswer final : public HttpClient {
public:
    explicit OneAnswer(QByteArray body) : m_body(std::move(body)) {}
    HttpResponse get(const HttpRequest&) override {
        HttpResponse response;
        response.replied = true;
        response.status = 200;
        response.statusLine = QStringLiteral("HTTP/1.1 200 OK");
        if (m_calls++ == 0) response.body = m_body;
        return response;
    }
    void abort() override {}

private:
    QByteArray m_body;
    int m_calls = 0;
};

QString serviceLine(const DrawRecord& r) {
    QString line;
    for (int i = 0; i < 5; ++i)
        line += QString::number(r.Zahl[i]) + QLatin1Char(',');
    return line + QString::number(r.chance()) + QLatin1Char(',') + r.digits();
}

// The lines the splitting must give: a line ends at CR LF, LF or a lone CR; a last line needs no end.
qsizetype expectedLineCount(const QString& text) {
    qsizetype ends = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\n')) ++ends;
        if (text[i] == QLatin1Char('\r') && (i + 1 >= text.size() || text[i + 1] != QLatin1Char('\n')))
            ++ends;
    }
    const bool open = !text.isEmpty() && text.back() != QLatin1Char('\n') && text.back() != QLatin1Char('\r');
    return ends + (open ? 1 : 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray body = bytesOf(data, size);
    const QStringList lines = answerLines(body);
    FUZZ_CHECK(lines.size() == expectedLineCount(decodeText(body)),
               QStringLiteral("%1 lines from the answer").arg(lines.size()));

    const QDate stored(2026, 1, 5);
    const QDate asked = stored.addDays(1);
    const double datum = toDayNumber(asked);
    int leadingDraws = 0;
    bool stillLeading = true;
    for (const QString& line : lines) {
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')),
                   QStringLiteral("a line holds a line end"));
        DrawRecord record;
        if (!parseDrawLine(line, datum, record)) {
            stillLeading = false;
            continue;
        }
        if (stillLeading) ++leadingDraws;
        const QString problem = drawProblem(record);
        FUZZ_CHECK(problem.isEmpty(), QStringLiteral("the line \"%1\" was taken as %2: %3")
                                          .arg(line.left(200), describe(record), problem));
        FUZZ_CHECK(record.Datum == datum, QStringLiteral("a draw of another day"));
        DrawRecord again;
        FUZZ_CHECK(parseDrawLine(serviceLine(record), datum, again) && again == record,
                   QStringLiteral("%1 does not read back").arg(describe(record)));
    }

    // The update over one day with this answer, after one stored draw. A read of the draw file costs much
    // under the sanitizers, so an answer whose first line is no draw goes through it one time in sixteen
    // (it stores nothing), an empty one not at all.
    if (leadingDraws == 0 && (stillLeading || (qHash(body) & 15) != 0)) return 0;
    MainState state;
    state.Home = scratch();
    const DrawRecord first = makeDrawRecord(stored, {3, 12, 25, 31, 47}, 4, {1, 2, 3, 4, 5, 6, 7});
    writeScratch(state.ZahlenFile, encodeDrawRecords({first}));
    MessageTable messages;
    QuietDialogs dialogs;
    OneAnswer http(body);
    const FixedClock clock(asked.addDays(1));
    CurrentDraw current(state, messages, dialogs);
    UpdateHooks hooks;
    bool shown = false;
    hooks.message = [&](const QString&) { shown = true; };
    const UpdateResult result = DrawUpdate(state, messages, http, Endpoints(), clock, current, hooks).run();

    const std::vector<DrawRecord> records = DrawFile(state.drawFilePath()).readAll();
    FUZZ_CHECK(!records.empty() && records.front() == first, QStringLiteral("the stored draw was lost"));
    FUZZ_CHECK(static_cast<int>(records.size()) == 1 + leadingDraws && result.drawsStored == leadingDraws,
               QStringLiteral("%1 draws stored, %2 lines before the first that is not a draw")
                   .arg(result.drawsStored)
                   .arg(leadingDraws));
    FUZZ_CHECK(shown == (!stillLeading && !body.isEmpty()), QStringLiteral("the body shown: %1").arg(shown));
    for (const DrawRecord& r : records)
        FUZZ_CHECK(drawProblem(r).isEmpty(), QStringLiteral("stored: %1").arg(describe(r)));
    FUZZ_CHECK(inDateOrder(records), QStringLiteral("the draw file is out of date order"));
    return 0;
}
