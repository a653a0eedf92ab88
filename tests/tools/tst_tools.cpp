#include "DrawServiceProcess.h"
#include "TestSupport.h"

#include "DrawService.h"
#include "draws/DrawImport.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QtTest>
#include <memory>

using namespace kugelo;
using namespace kugelo::drawservice;
using namespace kugelo::test;

namespace {

// Three draws of the first week, main numbers in drawn order; the second without its extra number.
const QByteArray FirstWeekCsv = "date,n1,n2,n3,n4,n5,chance,joker\n"
                                "2008-10-06,19,33,41,24,27,9,4674648\n"
                                "2008-10-08,24,48,32,41,22,1,\n"
                                "2008-10-11,46,22,10,39,20,4,4461098\n";

const QByteArray Draw1006 = "19,33,41,24,27,9,4674648\r\n";
const QByteArray Draw1011 = "46,22,10,39,20,4,4461098\r\n";

QDate isoDay(const char* iso) {
    return QDate::fromString(QLatin1String(iso), Qt::ISODate);
}

DrawHistory firstWeek() {
    return DrawHistory::fromCsv(QStringLiteral("first-week.csv"), FirstWeekCsv);
}

FaultTable faultsFrom(const QStringList& arguments) {
    QString error;
    const std::optional<Options> options = parseOptions(arguments, &error);
    if (!options) qFatal("bad test arguments: %s", qPrintable(error));
    return options->faults;
}

struct Fetched {
    int status = 0; // 0: no HTTP status line arrived
    QByteArray body;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    qint64 elapsedMs = 0;
};

Fetched fetch(QNetworkAccessManager& manager, const QUrl& url, int timeoutMs = 10000) {
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec();
    Fetched f;
    f.elapsedMs = clock.elapsed();
    f.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->isOpen()) f.body = reply->readAll(); // an aborted reply is closed
    f.error = reply->error();
    return f;
}

} // namespace

Q_DECLARE_METATYPE(Reply::Ending)

class TestTools : public QObject {
    Q_OBJECT

    TempHome m_home;
    std::unique_ptr<DrawServiceProcess> m_service;
    QNetworkAccessManager m_manager;

private Q_SLOTS:
    void initTestCase() {
        m_home.writeBytes(QStringLiteral("first-week.csv"), FirstWeekCsv);
        m_home.writeBytes(QStringLiteral("lotto.csf.txt"), "GOTO [Z1_1]\r\n");
        m_service = std::make_unique<DrawServiceProcess>(
            QStringList{"--csv", m_home.file("first-week.csv"), "--scripts", m_home.path(), "--error",
                        "2008-10-11=503", "--notice", "2008-10-13=Mitteilung: Wartung", "--double",
                        "2008-10-15", "--cut", "2008-10-18", "--drop", "2008-10-20", "--huge", "2008-10-22"});
        QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorText()));
    }

    // --- the service's logic ---

    void csvDrawsAreServedInFileOrder_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("plain: drawn order kept") << FirstWeekCsv << isoDay("2008-10-06") << Draw1006;
        QTest::newRow("plain: missing extra number is zeros")
            << FirstWeekCsv << isoDay("2008-10-08") << QByteArray("24,48,32,41,22,1,0000000\r\n");
        QTest::newRow("plain: no draw that day") << FirstWeekCsv << isoDay("2008-10-07") << QByteArray();
        QTest::newRow("plain: two lines of one date")
            << QByteArray("2008-10-06,19,33,41,24,27,9,4674648\n2008-10-06,1,2,3,4,5,6,7654321\n")
            << isoDay("2008-10-06") << QByteArray(Draw1006 + "1,2,3,4,5,6,7654321\r\n");
        QTest::newRow("archive: columns found by name, extra number with blanks")
            << QByteArray("annee_numero_de_tirage;date_de_tirage;numero_chance;boule_1;boule_2;boule_3;"
                          "boule_4;boule_5;numero_jokerplus\r\n"
                          "2008118;06/10/2008;9;19;33;41;24;27;4 674 648\r\n")
            << isoDay("2008-10-06") << Draw1006;
    }
    void csvDrawsAreServedInFileOrder() {
        QFETCH(QByteArray, csv);
        QFETCH(QDate, day);
        QFETCH(QByteArray, body);
        const Reply reply = replyForDay(day, DrawHistory::fromCsv(QStringLiteral("t.csv"), csv), {});
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.body, body);
        QCOMPARE(reply.ending, Reply::Ending::Complete);
    }

    void badCsvIsAnImportError() {
        QVERIFY_THROWS_EXCEPTION(
            ImportError, DrawHistory::fromCsv(QStringLiteral("t.csv"), FirstWeekCsv + "2008-10-13,1,2\n"));
    }

    void realHistoryIsServedWhole() {
        const QString path = realHistoryCsv();
        if (path.isEmpty()) QSKIP("the real draw history (KUGELO_SHARED_DATA/loto-history.csv) is absent");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const DrawHistory history = DrawHistory::fromCsv(path, bytes);
        QCOMPARE(history.size(), static_cast<std::size_t>(bytes.count('\n') - 1)); // all but the header
        QCOMPARE(history.firstDate(), isoDay("2008-10-06"));
        QCOMPARE(replyForDay(isoDay("2008-10-06"), history, {}).body, Draw1006);
    }

    void faultsShapeTheReplyOfTheirDayOnly_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<Reply::Ending>("ending");
        const auto complete = Reply::Ending::Complete;
        QTest::newRow("error status keeps the draw lines")
            << QStringList{"--error", "2008-10-11=503"} << isoDay("2008-10-11") << 503 << Draw1011
            << complete;
        QTest::newRow("error status on a day without draw")
            << QStringList{"--error", "2008-10-07=399"} << isoDay("2008-10-07") << 399 << QByteArray()
            << complete;
        QTest::newRow("notice in place of the draw, single-byte")
            << QStringList{"--notice", "2008-10-06=Mitteilung: keine Gewähr"} << isoDay("2008-10-06") << 200
            << QByteArray("Mitteilung: keine Gew\xe4hr\r\n") << complete;
        QTest::newRow("cut announces the whole line")
            << QStringList{"--cut", "2008-10-06"} << isoDay("2008-10-06") << 200 << Draw1006
            << Reply::Ending::CloseMidBody;
        QTest::newRow("drop sends nothing") << QStringList{"--drop", "2008-10-06"} << isoDay("2008-10-06")
                                            << 200 << QByteArray() << Reply::Ending::CloseWithoutReply;
        QTest::newRow("double adds a different second draw")
            << QStringList{"--double", "2008-10-06"} << isoDay("2008-10-06") << 200
            << QByteArray(Draw1006 + "20,34,42,25,28,10,5785759\r\n") << complete;
        QTest::newRow("double on a day without draw, numbers wrap into range")
            << QStringList{"--double", "2008-10-07"} << isoDay("2008-10-07") << 200
            << QByteArray("3,49,17,5,22,7,1234567\r\n4,1,18,6,23,8,2345678\r\n") << complete;
        QTest::newRow("trickle announces the whole line")
            << QStringList{"--trickle", "2008-10-06"} << isoDay("2008-10-06") << 200 << Draw1006
            << Reply::Ending::Trickle;
        QTest::newRow("stall announces the whole line")
            << QStringList{"--stall", "2008-10-06"} << isoDay("2008-10-06") << 200 << Draw1006
            << Reply::Ending::Stall;
        QTest::newRow("endless body repeats the line")
            << QStringList{"--endless-body", "2008-10-06"} << isoDay("2008-10-06") << 200 << Draw1006
            << Reply::Ending::EndlessBody;
        QTest::newRow("endless headers")
            << QStringList{"--endless-headers", "2008-10-07"} << isoDay("2008-10-07") << 200
            << QByteArray("3,49,17,5,22,7,1234567\r\n") << Reply::Ending::EndlessHeaders;
        QTest::newRow("bad compression: a gzip magic without a stream")
            << QStringList{"--bad-gzip", "2008-10-06"} << isoDay("2008-10-06") << 200
            << QByteArray("\x1f\x8b\x08\x00", 4) + Draw1006 << complete;
        QTest::newRow("control characters before the line")
            << QStringList{"--control", "2008-10-06"} << isoDay("2008-10-06") << 200
            << QByteArray("Wartung\0\x1b]0;pwned\x07\x1b[2J\x1b[31mrot\x9b\x07\r\n", 34) + Draw1006
            << complete;
        QTest::newRow("impossible numbers, chosen by the day")
            << QStringList{"--impossible", "2008-10-13"} << isoDay("2008-10-13") << 200
            << QByteArray("1,2,3,4,50,1,1234567\r\n") << complete;
        QTest::newRow("a fault on another day changes nothing")
            << QStringList{"--drop", "2008-10-08", "--error", "2008-10-07=500"} << isoDay("2008-10-06") << 200
            << Draw1006 << complete;
    }
    void faultsShapeTheReplyOfTheirDayOnly() {
        QFETCH(QStringList, arguments);
        QFETCH(QDate, day);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(Reply::Ending, ending);
        const Reply reply = replyForDay(day, firstWeek(), faultsFrom(arguments));
        QCOMPARE(reply.status, status);
        QCOMPARE(reply.body, body);
        QCOMPARE(reply.ending, ending);
    }

    // The wire form of the hostile endings: what is sent at once, before the server goes on (or not).
    void hostileEndingsOnTheWire_data() {
        QTest::addColumn<Reply::Ending>("ending");
        QTest::addColumn<QByteArray>("headers");
        QTest::addColumn<QByteArray>("wire");
        const QByteArray status = "HTTP/1.1 200 OK\r\n";
        const QByteArray type = "Content-Type: text/plain; charset=windows-1252\r\n";
        QTest::newRow("trickle: headers only")
            << Reply::Ending::Trickle << QByteArray() << status + type + "Content-Length: 3\r\n\r\n";
        QTest::newRow("stall: headers only")
            << Reply::Ending::Stall << QByteArray() << status + type + "Content-Length: 3\r\n\r\n";
        QTest::newRow("endless body: no length")
            << Reply::Ending::EndlessBody << QByteArray() << status + type + "Connection: close\r\n\r\n";
        QTest::newRow("endless headers: the status line")
            << Reply::Ending::EndlessHeaders << QByteArray() << status;
        QTest::newRow("further headers")
            << Reply::Ending::Complete << QByteArray("Content-Encoding: gzip\r\n")
            << status + type + "Content-Encoding: gzip\r\nContent-Length: 3\r\n\r\nabc";
    }
    void hostileEndingsOnTheWire() {
        QFETCH(Reply::Ending, ending);
        QFETCH(QByteArray, headers);
        QFETCH(QByteArray, wire);
        QCOMPARE(wireBytes(Reply{200, "abc", ending, headers, {}}), wire);
    }

    // Random faults follow the seed: two services with the same seed play the same faults, in order.
    void randomFaultsFollowTheSeed() {
        QStringList logs;
        for (int run = 0; run < 2; ++run) {
            DrawServiceProcess service(
                {"--csv", m_home.file("first-week.csv"), "--random-faults", "0.5", "--seed", "11"});
            QVERIFY2(service.isRunning(), qPrintable(service.errorText()));
            QNetworkAccessManager manager;
            for (int day = 0; day < 8; ++day)
                fetch(manager, service.drawUrl(isoDay("2008-10-06").addDays(day)), 300);
            QTest::qWait(100);
            QByteArray log;
            for (const QByteArray& line : service.output().split('\n'))
                if (line.startsWith("fault ")) log += line + '\n';
            logs << QString::fromLatin1(log);
        }
        QVERIFY2(logs[0].count('\n') >= 2, qPrintable(logs[0]));
        QCOMPARE(logs[1], logs[0]);
    }

    void hugeBodyRepeatsAValidLine_data() {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("day with a draw") << isoDay("2008-10-06") << Draw1006;
        QTest::newRow("day without draw") << isoDay("2008-10-07") << QByteArray("3,49,17,5,22,7,1234567\r\n");
    }
    void hugeBodyRepeatsAValidLine() {
        QFETCH(QDate, day);
        QFETCH(QByteArray, line);
        const Reply reply = replyForDay(day, firstWeek(), faultsFrom({"--huge", day.toString(Qt::ISODate)}));
        QCOMPARE(reply.status, 200);
        QVERIFY(reply.body.size() >= HugeBodySize);
        QVERIFY(reply.body.size() < HugeBodySize + line.size());
        QCOMPARE(reply.body.size() % line.size(), 0);
        QCOMPARE(reply.body.count(line), reply.body.size() / line.size());
    }

    void queryIsCheckedBeforeTheDay_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("status");
        QTest::newRow("the request of the client") << "Programm=Kugelo&Datum=20081006" << 200;
        QTest::newRow("parameters in another order") << "Datum=20081006&Programm=Kugelo" << 200;
        QTest::newRow("no Datum") << "Programm=Kugelo" << 400;
        QTest::newRow("empty Datum") << "Programm=Kugelo&Datum=" << 400;
        QTest::newRow("seven digits") << "Programm=Kugelo&Datum=2008106" << 400;
        QTest::newRow("nine digits") << "Programm=Kugelo&Datum=200810061" << 400;
        QTest::newRow("month 13") << "Programm=Kugelo&Datum=20081306" << 400;
        QTest::newRow("30 February") << "Programm=Kugelo&Datum=20090230" << 400;
        QTest::newRow("ISO date") << "Programm=Kugelo&Datum=2008-10-06" << 400;
        QTest::newRow("sign in front") << "Programm=Kugelo&Datum=+2008106" << 400;
        QTest::newRow("no Programm") << "Datum=20081006" << 400;
        QTest::newRow("another Programm") << "Programm=Lotto&Datum=20081006" << 400;
    }
    void queryIsCheckedBeforeTheDay() {
        QFETCH(QString, query);
        QFETCH(int, status);
        const Reply reply = replyForQuery(QUrlQuery(query), firstWeek(), {});
        QCOMPARE(reply.status, status);
        if (status == 200) QCOMPARE(reply.body, Draw1006);
    }

    void wireBytesFollowTheEnding() {
        const QByteArray head = "Content-Type: text/plain; charset=windows-1252\r\nContent-Length: 26\r\n";
        QCOMPARE(wireBytes(Reply{200, Draw1006, Reply::Ending::Complete, {}, {}}),
                 "HTTP/1.1 200 OK\r\n" + head + "\r\n" + Draw1006);
        QCOMPARE(wireBytes(Reply{503, Draw1006, Reply::Ending::Complete, {}, {}}),
                 "HTTP/1.1 503 Service Unavailable\r\n" + head + "\r\n" + Draw1006);
        QCOMPARE(wireBytes(Reply{200, Draw1006, Reply::Ending::CloseMidBody, {}, {}}),
                 "HTTP/1.1 200 OK\r\n" + head + "Connection: close\r\n\r\n19,33,41,24,2");
        QCOMPARE(wireBytes(Reply{200, {}, Reply::Ending::CloseWithoutReply, {}, {}}), QByteArray());
    }

    void demoHistoryIsFixedBySeedOnMonWedSat() {
        const QDate first = isoDay("2008-10-06");
        const QDate last = isoDay("2010-12-31");
        const DrawHistory demo = DrawHistory::demo(7, first, last);
        const DrawHistory again = DrawHistory::demo(7, first, last);
        const DrawHistory otherSeed = DrawHistory::demo(8, first, last);
        std::set<int> mains, chances;
        std::size_t drawDays = 0;
        bool seedMatters = false;
        for (QDate d = first; d <= last; d = d.addDays(1)) {
            const std::vector<ServedDraw> draws = demo.drawsOn(d);
            const int weekday = d.dayOfWeek();
            const bool drawDay = weekday == Qt::Monday || weekday == Qt::Wednesday || weekday == Qt::Saturday;
            QCOMPARE(draws.size(), std::size_t{drawDay ? 1u : 0u});
            if (!drawDay) continue;
            ++drawDays;
            const ServedDraw& draw = draws.front();
            QCOMPARE(again.drawsOn(d).front().line(), draw.line());
            seedMatters = seedMatters || otherSeed.drawsOn(d).front().line() != draw.line();
            const std::set<int> distinct(draw.numbers.begin(), draw.numbers.end());
            QCOMPARE(distinct.size(), std::size_t{5});
            QVERIFY(*distinct.begin() >= 1 && *distinct.rbegin() <= 49);
            QVERIFY(draw.chance >= 1 && draw.chance <= 10);
            QVERIFY(QRegularExpression("^\\d{7}$").match(QString::fromLatin1(draw.digits)).hasMatch());
            mains.insert(distinct.begin(), distinct.end());
            chances.insert(draw.chance);
        }
        QCOMPARE(demo.size(), drawDays);
        QVERIFY(seedMatters);
        QCOMPARE(mains.size(), std::size_t{49});
        QCOMPARE(chances.size(), std::size_t{10});
    }

    void fullCommandLineFillsTheOptions() {
        QString error;
        const std::optional<Options> o =
            parseOptions({"--port",     "8089",           "--csv",      "h.csv",          "--seed",
                          "4294967295", "--delay-ms",     "250",        "--error",        "2008-10-06=503",
                          "--error",    "2008-10-08=404", "--notice",   "2008-10-11=a=b", "--cut",
                          "2008-10-13", "--drop",         "2008-10-15", "--huge",         "2008-10-18",
                          "--double",   "2008-10-20"},
                         &error);
        QVERIFY2(o, qPrintable(error));
        QCOMPARE(o->port, quint16{8089});
        QCOMPARE(o->csvFile, QStringLiteral("h.csv"));
        QCOMPARE(o->seed, 4294967295u);
        QCOMPARE(o->faults.delayMs, 250);
        QCOMPARE(o->faults.errorStatus,
                 (std::map<QDate, int>{{isoDay("2008-10-06"), 503}, {isoDay("2008-10-08"), 404}}));
        QCOMPARE(o->faults.notice.at(isoDay("2008-10-11")), QByteArray("a=b"));
        QCOMPARE(o->faults.cut, std::set<QDate>{isoDay("2008-10-13")});
        QCOMPARE(o->faults.drop, std::set<QDate>{isoDay("2008-10-15")});
        QCOMPARE(o->faults.huge, std::set<QDate>{isoDay("2008-10-18")});
        QCOMPARE(o->faults.twice, std::set<QDate>{isoDay("2008-10-20")});
        QVERIFY(!o->help);

        const std::optional<Options> defaults = parseOptions({}, &error);
        QVERIFY(defaults);
        QCOMPARE(defaults->port, quint16{0});
        QVERIFY(defaults->csvFile.isEmpty());
        QCOMPARE(defaults->seed, DefaultSeed);
        QCOMPARE(defaults->faults.delayMs, 0);
    }

    void wrongCommandLineIsRefused_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown option") << QStringList{"--colour"} << "colour";
        QTest::newRow("stray argument") << QStringList{"extra"} << "extra";
        QTest::newRow("port too large") << QStringList{"--port", "65536"} << "--port";
        QTest::newRow("port twice") << QStringList{"--port", "1", "--port", "2"} << "--port";
        QTest::newRow("negative delay") << QStringList{"--delay-ms", "-1"} << "--delay-ms";
        QTest::newRow("seed not a number") << QStringList{"--seed", "x"} << "--seed";
        QTest::newRow("error without status") << QStringList{"--error", "2008-10-06"} << "--error";
        QTest::newRow("error status below 300") << QStringList{"--error", "2008-10-06=200"} << "--error";
        QTest::newRow("error status above 599") << QStringList{"--error", "2008-10-06=600"} << "--error";
        QTest::newRow("error on 30 February") << QStringList{"--error", "2009-02-30=503"} << "--error";
        QTest::newRow("empty notice") << QStringList{"--notice", "2008-10-06="} << "--notice";
        QTest::newRow("date in German form") << QStringList{"--cut", "06.10.2008"} << "--cut";
        QTest::newRow("two faults on one day")
            << QStringList{"--drop", "2008-10-06", "--huge", "2008-10-06"} << "2008-10-06";
        QTest::newRow("random faults beyond 1") << QStringList{"--random-faults", "1.5"} << "--random-faults";
        QTest::newRow("random faults not a number")
            << QStringList{"--random-faults", "some"} << "--random-faults";
        QTest::newRow("hostile fault on a day with another")
            << QStringList{"--trickle", "2008-10-06", "--cut", "2008-10-06"} << "2008-10-06";
        QTest::newRow("basket error that is no error status")
            << QStringList{"--basket-error", "200"} << "--basket-error";
        QTest::newRow("script folder that is none")
            << QStringList{"--scripts", "/no/such/folder"} << "--scripts";
        QTest::newRow("one fault twice on one day")
            << QStringList{"--error", "2008-10-06=500", "--error", "2008-10-06=503"} << "2008-10-06";
    }
    void wrongCommandLineIsRefused() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QString error;
        QVERIFY(!parseOptions(arguments, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    // --- the program over HTTP ---

    void serviceAnswersOverHttp_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QNetworkReply::NetworkError>("error");
        const QString draw = QStringLiteral("/lotto/kugelo.asp?Programm=Kugelo&Datum=");
        QTest::newRow("a draw") << draw + "20081006" << 200 << Draw1006 << QNetworkReply::NoError;
        QTest::newRow("no draw") << draw + "20081007" << 200 << QByteArray() << QNetworkReply::NoError;
        QTest::newRow("malformed Datum")
            << draw + "2008106" << 400 << QByteArray("Datum=yyyymmdd expected\r\n")
            << QNetworkReply::ProtocolInvalidOperationError;
        QTest::newRow("other page") << "/lotto/other.asp" << 404 << QByteArray("Not found\r\n")
                                    << QNetworkReply::ContentNotFoundError;
        QTest::newRow("basket template")
            << "/lotto/lotto.asp?Spiel=Kugelo&Wo=Lottoland&Tipps=5" << 200
            << defaultBasketTemplate(m_service->baseUrl()) << QNetworkReply::NoError;
        QTest::newRow("basket asked with the draw service's parameters")
            << "/lotto/lotto.asp?Programm=Kugelo&Datum=20081006" << 400
            << QByteArray("Spiel=Kugelo&Wo=Lottoland expected\r\n")
            << QNetworkReply::ProtocolInvalidOperationError;
        QTest::newRow("a script") << "/scripts/lotto.csf.txt" << 200 << QByteArray("GOTO [Z1_1]\r\n")
                                  << QNetworkReply::NoError;
        QTest::newRow("a script that is not there")
            << "/scripts/other.csf.txt" << 404 << QByteArray("Not found\r\n")
            << QNetworkReply::ContentNotFoundError;
        QTest::newRow("path that only looks alike")
            << "/lotto/kugelo_asp?Programm=Kugelo&Datum=20081006" << 404 << QByteArray("Not found\r\n")
            << QNetworkReply::ContentNotFoundError;
        QTest::newRow("error status")
            << draw + "20081011" << 503 << Draw1011 << QNetworkReply::ServiceUnavailableError;
        QTest::newRow("notice") << draw + "20081013" << 200 << QByteArray("Mitteilung: Wartung\r\n")
                                << QNetworkReply::NoError;
        QTest::newRow("double draw") << draw + "20081015" << 200
                                     << QByteArray("3,49,17,5,22,7,1234567\r\n4,1,18,6,23,8,2345678\r\n")
                                     << QNetworkReply::NoError;
        QTest::newRow("cut body") << draw + "20081018" << 200 << QByteArray("3,49,17,5,22")
                                  << QNetworkReply::RemoteHostClosedError;
        QTest::newRow("dropped connection")
            << draw + "20081020" << 0 << QByteArray() << QNetworkReply::RemoteHostClosedError;
    }
    void serviceAnswersOverHttp() {
        QFETCH(QString, target);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QNetworkReply::NetworkError, error);
        const Fetched f = fetch(m_manager, QUrl(m_service->baseUrl() + target));
        QCOMPARE(f.error, error);
        QCOMPARE(f.status, status);
        QCOMPARE(f.body, body);
    }

    void hugeBodyArrivesWhole() {
        const Fetched f = fetch(m_manager, m_service->drawUrl(isoDay("2008-10-22")));
        QCOMPARE(f.error, QNetworkReply::NoError);
        QVERIFY(f.body.size() >= HugeBodySize);
        QVERIFY(f.body.startsWith("3,49,17,5,22,7,1234567\r\n"));
    }

    void delayHoldsEveryReplyAndOutlivesAClientThatGaveUp() {
        DrawServiceProcess slow({"--csv", m_home.file("first-week.csv"), "--delay-ms", "400"});
        QVERIFY2(slow.isRunning(), qPrintable(slow.errorText()));
        QNetworkAccessManager manager;
        const Fetched impatient = fetch(manager, slow.drawUrl(isoDay("2008-10-06")), 100);
        QCOMPARE(impatient.error, QNetworkReply::OperationCanceledError);
        QTest::qWait(500); // the delayed reply finds its connection gone
        const Fetched patient = fetch(manager, slow.drawUrl(isoDay("2008-10-06")));
        QCOMPARE(patient.error, QNetworkReply::NoError);
        QCOMPARE(patient.body, Draw1006);
        QVERIFY2(patient.elapsedMs >= 350, qPrintable(QString::number(patient.elapsedMs)));
    }

    void demoServiceSaysSoAndServesItsSeed() {
        DrawServiceProcess demo({"--seed", "7"});
        QVERIFY2(demo.isRunning(), qPrintable(demo.errorText()));
        const Fetched monday = fetch(m_manager, demo.drawUrl(isoDay("2008-10-06")));
        const Fetched tuesday = fetch(m_manager, demo.drawUrl(isoDay("2008-10-07")));
        const QByteArray expected = DrawHistory::demo(7, isoDay("2008-10-06"), isoDay("2008-10-06"))
                                        .drawsOn(isoDay("2008-10-06"))
                                        .front()
                                        .line();
        QCOMPARE(monday.body, expected);
        QCOMPARE(tuesday.status, 200);
        QCOMPARE(tuesday.body, QByteArray());
        const QByteArray output = demo.output();
        QVERIFY2(output.contains("DEMO DATA") && output.contains("seed 7"), output.constData());
    }

    void serviceRefusesToStartOnBadInput_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad option") << QStringList{"--cut", "tomorrow"} << "--cut";
        QTest::newRow("missing file") << QStringList{"--csv", "/no/such/file.csv"} << "/no/such/file.csv";
        QTest::newRow("bad line in file") << QStringList{"--csv", "bad.csv"} << "bad.csv:2";
    }
    void serviceRefusesToStartOnBadInput() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        m_home.writeBytes(QStringLiteral("bad.csv"), "2008-10-06,19,33,41,24,27,9,4674648\n2008-10-08,1,1\n");
        arguments.replaceInStrings(QRegularExpression("^bad.csv$"), m_home.file("bad.csv"));
        DrawServiceProcess service(arguments);
        QVERIFY(!service.isRunning());
        QVERIFY2(service.errorText().contains(message), qPrintable(service.errorText()));
    }
};

QTEST_GUILESS_MAIN(TestTools)
#include "tst_tools.moc"
