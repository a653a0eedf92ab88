#include "draws/DrawUpdate.h"

#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "i18n/MessageTable.h"
#include "i18n/TextCodec.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Endpoints.h"
#include "platform/HttpClient.h"

#include <algorithm>

namespace kugelo {

bool parseDrawLine(const QString& line, double datum, DrawRecord& record) {
    QStringView rest(line);
    std::array<int, 6> values{};
    for (int& value : values) {
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        if (comma < 0) return false;
        const auto number = tryStrToInt(rest.left(comma).trimmed());
        if (!number) return false;
        value = *number;
        rest = rest.mid(comma + 1);
    }
    // Exactly the seven digits: a longer number is no extra number of this game.
    if (rest.size() < 7 || rest.trimmed().size() != 7) return false;
    for (int i = 0; i < 7; ++i)
        if (rest[i] < QLatin1Char('0') || rest[i] > QLatin1Char('9')) return false;
    // Only a draw of this game is one: five distinct numbers 1..49 and an n° CHANCE 1..10. Anything else
    // would be stored as its lowest byte and score wrongly in every later check.
    for (int i = 0; i < 5; ++i) {
        if (values[i] < 1 || values[i] > 49) return false;
        for (int j = 0; j < i; ++j)
            if (values[j] == values[i]) return false;
    }
    if (values[5] < 1 || values[5] > 10) return false;

    record = DrawRecord{};
    record.Datum = datum;
    for (int i = 0; i < 5; ++i)
        record.Zahl[i] = static_cast<std::uint8_t>(values[i]);
    std::sort(record.Zahl.begin(), record.Zahl.begin() + 5);
    record.Zahl[6] = static_cast<std::uint8_t>(values[5]);
    for (int i = 0; i < 7; ++i)
        record.Ziffern[i] = static_cast<std::uint8_t>(rest[i].unicode() - '0');
    return true;
}

QStringList answerLines(const QByteArray& body) {
    const QString text = decodeText(body);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.append(text.mid(start));
    return lines;
}

DrawUpdate::DrawUpdate(MainState& state, const MessageTable& messages, HttpClient& http,
                       const Endpoints& endpoints, const Clock& clock, CurrentDraw& currentDraw,
                       UpdateHooks hooks, const FileOpener& opener)
    : m_state(state), m_messages(messages), m_http(http), m_endpoints(endpoints), m_clock(clock),
      m_currentDraw(currentDraw), m_hooks(std::move(hooks)), m_opener(opener) {}

void DrawUpdate::status(int panel, const QString& text) const {
    if (m_hooks.progress) m_hooks.progress->status(panel, text);
}

void DrawUpdate::showDraw(const DrawRecord& record) {
    m_state.currentDrawLine = currentDrawLine(record, QStringLiteral("   "), QStringLiteral("   n°: "));
    m_state.crossSumText =
        m_messages[Msg::CrossSum] + QStringLiteral(": ") + QString::number(record.crossSum());
    m_state.currentDrawStripLine = m_state.currentDrawLine;
    if (m_hooks.drawShown) m_hooks.drawShown();
}

namespace {

// Panel 1 once the run gives up: names the proxy when the proxy failed, else the service, and says what to
// check on which tab.
QString unreachableHint(const MessageTable& messages, const HttpResponse& response,
                        const HttpRequest& request, const QString& productHost, const QString& settingsTab) {
    if (response.proxyFailed)
        return messages[Msg::ProxyUnreachable]
            .arg(request.proxyHost)
            .arg(request.proxyPort)
            .arg(response.error, settingsTab);
    return messages[Msg::ServiceUnreachable].arg(productHost, response.error, settingsTab);
}

} // namespace

UpdateResult DrawUpdate::run() {
    UpdateResult result;
    const auto stopRequested = [this] { return m_hooks.progress && m_hooks.progress->stopRequested(); };
    const auto pump = [this] {
        if (m_hooks.progress) m_hooks.progress->pump();
    };

    const DrawFile file(m_state.drawFilePath(), m_opener);
    file.createIfMissing();
    // The day after the last stored draw; an empty file starts the day after the first draw date.
    DrawRecord last;
    QDate day = file.lastRecord(last) ? std::max(last.date(), earliestDrawDate()) : earliestDrawDate();
    day = day.addDays(1);
    m_state.drawDate = day;

    int withoutReply = 0;
    while (day <= m_clock.today() && !stopRequested()) {
        // Day n of N: the days asked before and those left up to today (which may move on during a run).
        const long long dayNumber = result.daysRequested + 1;
        const long long days = result.daysRequested + day.daysTo(m_clock.today()) + 1;
        const auto advanced = [&] {
            if (m_hooks.progress) m_hooks.progress->advanced(dayNumber, days, result.drawsStored);
        };
        advanced();
        HttpRequest request;
        request.url = m_endpoints.drawService(day);
        request.deadlineMs = m_requestDeadlineMs;
        if (m_hooks.proxy) {
            const UpdateProxy proxy = m_hooks.proxy();
            request.proxyHost = proxy.host;
            request.proxyPort = proxy.port;
        }
        status(0, m_messages[Msg::Loading]);
        const HttpResponse response = m_http.get(request);
        ++result.daysRequested;
        QString statusLine = response.refused   ? m_messages[Msg::OnlyWebAddresses].arg(request.url)
                             : response.replied ? response.statusLine
                                                : response.error;
        if (response.replied && !response.error.isEmpty()) // a reply that could not be used whole
            statusLine += QStringLiteral(" (") + response.error + QLatin1Char(')');
        status(0, statusLine);
        status(1, m_messages[Msg::NoWarranty]);
        if (m_hooks.dayDone) m_hooks.dayDone(day, statusLine);

        if (response.ok()) {
            // One guard for all lines of the day: a line that is no draw line ends the day, and the
            // draws of the lines before it stay.
            for (const QString& line : answerLines(response.body)) {
                m_state.current.Datum = toDayNumber(day);
                DrawRecord record;
                if (!parseDrawLine(line, m_state.current.Datum, record)) {
                    if (m_hooks.message && !response.body.isEmpty())
                        m_hooks.message(decodeText(response.body));
                    break;
                }
                showDraw(record);
                pump();
                file.append(record);
                m_state.aktDatum = record.Datum;
                ++result.drawsStored;
            }
            advanced(); // with the draws of this day
        }

        day = day.addDays(1);
        m_state.drawDate = day;
        if (stopRequested()) {
            // A request cut short by the stop says nothing about the service.
        } else if (response.replied && response.error.isEmpty()) {
            // Only a whole reply counts: headers followed by a trickle or by silence are no answer.
            withoutReply = 0;
        } else if (++withoutReply >= MaxDaysWithoutReply) {
            // The service is not there: asking for every remaining day would only wait for time-outs.
            result.unreachable = true;
            status(0, m_messages[Msg::NoConnection]);
            status(1, response.refused ? statusLine
                                       : unreachableHint(m_messages, response, request,
                                                         m_endpoints.productHost(), m_hooks.settingsTab));
            break;
        }
        pump();
    }
    result.stopped = !result.unreachable && stopRequested();

    m_state.currentDrawStripLine = m_state.currentDrawLine;
    m_currentDraw.selectByDate();
    return result;
}

} // namespace kugelo
