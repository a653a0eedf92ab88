#pragma once

#include "platform/AtomicFile.h"
#include "platform/Progress.h"
#include "state/DrawRecord.h"
#include "state/MainState.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

namespace kugelo {

class Clock;
class CurrentDraw;
class Endpoints;
class HttpClient;
class MessageTable;

// Parses one answer line of the draw service, "n1,n2,n3,n4,n5,chance,1234567", into a record of the given
// day: blanks around the six numbers are ignored, the main numbers are sorted, and the rest after the sixth
// comma is exactly the seven digits (blanks after them allowed). False when the line is no draw line,
// which includes a line whose main numbers are not five distinct numbers of 1..49 or whose n° CHANCE is
// not 1..10.
bool parseDrawLine(const QString& line, double datum, DrawRecord& record);

// The lines of an answer body (CR LF, LF or a lone CR end a line; a last line needs no ending).
QStringList answerLines(const QByteArray& body);

// The proxy of the requests, read from the window before every request.
struct UpdateProxy {
    QString host; // empty: no proxy
    int port = 80;
};

// What the update needs from its caller. Every hook may be left empty.
struct UpdateHooks {
    // Status texts, the events after each shown draw and each day, and the stop asked before every request.
    Progress* progress = nullptr;
    // The proxy for the next request; throws ConversionError for a port that is not a number.
    std::function<UpdateProxy()> proxy;
    // Shows an answer that is not a draw line, whole.
    std::function<void(const QString& text)> message;
    // The current-draw labels of the state show a newly stored draw.
    std::function<void()> drawShown;
    // A day was asked for; its status line (or why there was no reply).
    std::function<void(const QDate& day, const QString& statusLine)> dayDone;
    // The caption of the tab where the proxy and the hosts are set, as the window shows it: the text that
    // says what to check when no service answers names it.
    QString settingsTab = QStringLiteral("Internet-Optionen");
};

struct UpdateResult {
    int daysRequested = 0;
    int drawsStored = 0;
    bool stopped = false;
    bool unreachable = false; // ended after MaxDaysWithoutReply days in a row without any reply
};

// Brings the draw file up to date from the draw service, one request per day from the day after the last
// stored draw (7 October 2008 for an empty file) up to today, appending every draw the service reports.
// DateTimePicker1 of the state is the day counter. At the end the newest draw becomes current through the
// selection by date, which checks the tip sheet.
class DrawUpdate {
public:
    // Days in a row without any HTTP reply (refused, time-out, unknown host) after which the run ends.
    static constexpr int MaxDaysWithoutReply = 3;

    DrawUpdate(MainState& state, const MessageTable& messages, HttpClient& http, const Endpoints& endpoints,
               const Clock& clock, CurrentDraw& currentDraw, UpdateHooks hooks,
               const FileOpener& opener = FileOpener::standard());

    // Throws ConversionError (proxy port) and IoError (draw file); the caller restores its controls.
    UpdateResult run();

    // The longest a day's request may take in all (connect, headers and body); a service that trickles or
    // stalls costs at most this per day.
    static constexpr int DefaultRequestDeadlineMs = 30000;
    void setRequestDeadline(int ms) { m_requestDeadlineMs = ms; }

private:
    void status(int panel, const QString& text) const;
    void showDraw(const DrawRecord& record);

    MainState& m_state;
    const MessageTable& m_messages;
    HttpClient& m_http;
    const Endpoints& m_endpoints;
    const Clock& m_clock;
    CurrentDraw& m_currentDraw;
    UpdateHooks m_hooks;
    const FileOpener& m_opener;
    int m_requestDeadlineMs = DefaultRequestDeadlineMs;
};

} // namespace kugelo
