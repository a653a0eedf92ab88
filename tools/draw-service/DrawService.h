#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QUrlQuery>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

// The stand-in draw service: which draws it knows, which faults it plays, and the reply of a request,
// all without sockets. main.cpp only puts the replies on the wire.
namespace kugelo::drawservice {

inline constexpr char DrawPath[] = "/lotto/kugelo.asp";
inline constexpr char BasketPath[] = "/lotto/lotto.asp";
inline constexpr char ScriptsPath[] = "/scripts/";
inline constexpr std::uint32_t DefaultSeed = 20081006;

// A draw as the service tells it: the main numbers in the order they were drawn.
struct ServedDraw {
    QDate date;
    std::array<int, 5> numbers{};
    int chance = 0;
    QByteArray digits = "0000000"; // the seven-digit extra number

    // "n1,n2,n3,n4,n5,chance,digits" followed by CR LF.
    QByteArray line() const;
};

class DrawHistory {
public:
    // The draws of a CSV file in either import format. Throws ImportError at the first bad line. The main
    // numbers keep the file's order where the file gives them unsorted.
    static DrawHistory fromCsv(const QString& fileName, const QByteArray& bytes);

    // Made-up draws on every Monday, Wednesday and Saturday from first to last: five distinct numbers
    // 1..49, an n° CHANCE 1..10 and seven digits, all from the program's random source started at seed.
    static DrawHistory demo(std::uint32_t seed, const QDate& first, const QDate& last);

    std::vector<ServedDraw> drawsOn(const QDate& day) const;
    std::size_t size() const { return m_draws.size(); }
    bool isEmpty() const { return m_draws.empty(); }
    QDate firstDate() const;
    QDate lastDate() const;

private:
    std::multimap<QDate, ServedDraw> m_draws;
};

// The faults played on chosen days. A day has at most one fault; the delay applies to every request.
struct FaultTable {
    int delayMs = 0;
    std::map<QDate, int> errorStatus;   // answer with this status (the body stays the day's draws)
    std::map<QDate, QByteArray> notice; // a text in place of the draw lines
    std::set<QDate> cut;                // the connection ends in the middle of the first line
    std::set<QDate> drop;               // the connection is closed without any reply
    std::set<QDate> huge;               // a body of about 3 MiB of draw lines
    std::set<QDate> twice;              // two different draw lines
    // The misbehaviours of a hostile service:
    std::set<QDate> trickle;        // headers, then the body one byte per second
    std::set<QDate> stall;          // headers, then silence with the connection open
    std::set<QDate> endlessBody;    // a body without length that never ends (a draw line every 20 ms)
    std::set<QDate> endlessHeaders; // the status line, then header lines every 10 ms, never a body
    std::set<QDate> badGzip;        // "Content-Encoding: gzip" over bytes that are no gzip stream
    std::set<QDate> control;        // a line with NUL, ESC sequences (one retitles a terminal) and bells
    std::set<QDate> impossible;     // a line with numbers no draw has (out of range, repeated, too long)
    // Each request, whatever its day, plays a misbehaviour chosen at random with this chance (0..1); the
    // choices follow from the seed, one after the other.
    double randomRate = 0;
};

// The misbehaviours that --random-faults chooses from, by name.
QStringList hostileFaultNames();

struct Reply {
    enum class Ending {
        Complete,     // the whole message is sent
        CloseMidBody, // the headers announce the whole body, half of it is sent, then the connection ends
        CloseWithoutReply, // nothing is sent, the connection ends
        Trickle,           // the headers announce the whole body, which follows one byte per second
        Stall,             // the headers announce the whole body, which never comes
        EndlessBody,       // headers without a length, then the body repeated for ever
        EndlessHeaders,    // the status line, then header lines for ever
    };

    int status = 200;
    QByteArray body;
    Ending ending = Ending::Complete;
    QByteArray headers; // further header lines, each ending with CR LF
    QString fault;      // the misbehaviour played, empty for none (for the log)
};

// The misbehaviour of a name of hostileFaultNames() for a day: the reply it gives.
Reply hostileReply(const QString& name, const QDate& day, const DrawHistory& history);

inline constexpr qsizetype HugeBodySize = 3 * 1024 * 1024;

// The reply for a day, faults included.
Reply replyForDay(const QDate& day, const DrawHistory& history, const FaultTable& faults);

// The reply for the query of a request to DrawPath: status 400 unless Programm is "Kugelo" and Datum is a
// valid day written yyyymmdd.
Reply replyForQuery(const QUrlQuery& query, const DrawHistory& history, const FaultTable& faults);

// A plain-text reply for requests the service does not serve.
Reply errorReply(int status, const QByteArray& text);

// The bytes to write to the connection at once: status line, headers and the body, or the part of it that
// the ending lets through. Empty for CloseWithoutReply. The endings that go on later (Trickle, EndlessBody,
// EndlessHeaders) are played by the server from here.
QByteArray wireBytes(const Reply& reply);

// How the basket service answers.
struct BasketOptions {
    QByteArray linkTemplate; // empty: defaultBasketTemplate()
    bool notice = false;     // status 503 with a notice page (it contains "Mitteilung")
    int errorStatus = 0;     // this status with a page that is no notice
};

// The service's own basket page with every placeholder: "[Anzahl]" and "[KASTEN1]" … "[KASTEN12]".
QByteArray defaultBasketTemplate(const QString& baseUrl);

// The notice page the basket service sends on request: a script and a remote image in it, which whoever
// shows the page must not run or load.
QByteArray basketNoticePage();

// The reply for the query of a request to BasketPath: status 400 unless Spiel is "Kugelo", Wo is
// "Lottoland" and Tipps a number 1..12; otherwise the template, the notice or the error of the options.
Reply replyForBasket(const QUrlQuery& query, const BasketOptions& options, const QString& baseUrl);

// The reply for a request of ScriptsPath + name: the file of that name in the folder, with its
// modification time as Last-Modified; 404 for a name that is no plain file name or no file there.
Reply replyForScript(const QString& name, const QString& folder);

struct Options {
    quint16 port = 0;
    QString csvFile; // empty: demo history
    std::uint32_t seed = DefaultSeed;
    FaultTable faults;
    BasketOptions basket;
    QString scriptFolder; // empty: the script directory answers 404
    bool help = false;
    bool version = false;
};

// Reads the command line (arguments without the program name). Returns the error text in error when the
// arguments are wrong.
std::optional<Options> parseOptions(const QStringList& arguments, QString* error);

QString helpText();

} // namespace kugelo::drawservice
