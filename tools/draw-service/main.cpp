// draw-service: the stand-in for the vendor's draw service (see --help).
#include "DrawService.h"

#include "generator/RandomSource.h"
#include "platform/Errors.h"

#include <QCoreApplication>
#include <QFile>
#include <QHttpServer>
#include <QPointer>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>
#include <cstring>
#include <functional>

using namespace kugelo;
using namespace kugelo::drawservice;

namespace {

// Writes more bytes to the socket every intervalMs for as long as next gives some and the socket lives.
void keepWriting(QTcpSocket* socket, int intervalMs, std::function<QByteArray()> next) {
    auto* timer = new QTimer(socket); // dies with the connection
    QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, next = std::move(next)] {
        const QByteArray bytes = next();
        if (bytes.isEmpty() || socket->state() != QAbstractSocket::ConnectedState) {
            timer->stop();
            return;
        }
        socket->write(bytes);
    });
    timer->start(intervalMs);
}

// The replies go straight to the socket rather than through QHttpServerResponder: the faults need a
// connection closed without a reply, a body shorter than its Content-Length, bytes that keep coming, and any
// status code.
void send(QTcpSocket* socket, const Reply& reply, bool closeAfter) {
    using Ending = Reply::Ending;
    if (reply.ending != Ending::CloseWithoutReply) socket->write(wireBytes(reply));
    switch (reply.ending) {
    case Ending::Complete:
        if (closeAfter) socket->disconnectFromHost();
        return;
    case Ending::CloseMidBody:
    case Ending::CloseWithoutReply:
        socket->disconnectFromHost();
        return;
    case Ending::Stall:
        return; // the connection stays open and silent until the client gives up
    case Ending::Trickle:
        keepWriting(socket, 1000, [body = reply.body, at = qsizetype(0)]() mutable {
            return at < body.size() ? body.mid(at++, 1) : QByteArray();
        });
        return;
    case Ending::EndlessBody:
        keepWriting(socket, 20, [line = reply.body] { return line.isEmpty() ? QByteArray("\r\n") : line; });
        return;
    case Ending::EndlessHeaders:
        keepWriting(socket, 10, [n = 0]() mutable {
            return "X-Filler-" + QByteArray::number(++n) + ": " + QByteArray(64, 'x') + "\r\n";
        });
        return;
    }
}

bool asksToClose(const QHttpServerRequest& request) {
    for (const auto& [name, value] : request.headers())
        if (name.compare("Connection", Qt::CaseInsensitive) == 0 &&
            value.trimmed().compare("close", Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QString error;
    const std::optional<Options> options = parseOptions(app.arguments().mid(1), &error);
    if (!options) {
        err << "draw-service: " << error << "\nTry draw-service --help.\n";
        return 2;
    }
    if (options->help) {
        out << helpText();
        return 0;
    }
    if (options->version) {
        out << "draw-service " << KUGELO_VERSION << '\n';
        return 0;
    }

    DrawHistory history;
    if (options->csvFile.isEmpty()) {
        history = DrawHistory::demo(options->seed, QDate(2008, 10, 6), QDate::currentDate());
    } else {
        QFile file(options->csvFile);
        if (!file.open(QIODevice::ReadOnly)) {
            err << "draw-service: cannot read " << options->csvFile << ": " << file.errorString() << '\n';
            return 1;
        }
        try {
            history = DrawHistory::fromCsv(options->csvFile, file.readAll());
        } catch (const KugeloError& e) {
            err << "draw-service: " << e.text() << '\n';
            return 1;
        }
    }

    const FaultTable& faults = options->faults;
    // The random misbehaviours: one choice per request, in the order the requests come.
    RandomSource random(options->seed);
    const QStringList hostileNames = hostileFaultNames();
    QHttpServer server;
    server.route(QString::fromLatin1(DrawPath), QHttpServerRequest::Method::Get,
                 [&](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
                     Reply reply = request.url().path() == QLatin1String(DrawPath)
                                       ? replyForQuery(request.query(), history, faults)
                                       : errorReply(404, "Not found");
                     if (faults.randomRate > 0 && reply.status == 200 && reply.fault.isEmpty() &&
                         random.below(1000000) < static_cast<std::uint32_t>(faults.randomRate * 1000000)) {
                         const QDate day =
                             QDate::fromString(request.query().queryItemValue(QStringLiteral("Datum")),
                                               QStringLiteral("yyyyMMdd"));
                         const auto pick = random.below(static_cast<std::uint32_t>(hostileNames.size()));
                         reply = hostileReply(hostileNames[static_cast<qsizetype>(pick)], day, history);
                     }
                     if (!reply.fault.isEmpty()) {
                         out << "fault " << request.query().queryItemValue(QStringLiteral("Datum")) << ' '
                             << reply.fault << '\n';
                         out.flush();
                     }
                     QTcpSocket* socket = responder.socket();
                     const bool closeAfter = asksToClose(request);
                     if (faults.delayMs == 0) {
                         send(socket, reply, closeAfter);
                         return;
                     }
                     // The socket is the timer's context: a client that gives up first cancels the reply.
                     QTimer::singleShot(faults.delayMs, socket,
                                        [socket = QPointer<QTcpSocket>(socket), reply, closeAfter] {
                                            if (socket) send(socket, reply, closeAfter);
                                        });
                 });

    const quint16 port = server.listen(QHostAddress::LocalHost, options->port);
    if (port == 0) {
        err << "draw-service: cannot listen on 127.0.0.1:" << options->port << '\n';
        return 1;
    }
    // The basket service and the script directory; any other path is not found.
    const QString baseUrl = QStringLiteral("http://127.0.0.1:%1").arg(port);
    server.setMissingHandler([&](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
        const QString path = request.url().path();
        Reply reply = errorReply(404, "Not found");
        if (path == QLatin1String(BasketPath))
            reply = replyForBasket(request.query(), options->basket, baseUrl);
        else if (path.startsWith(QLatin1String(ScriptsPath)))
            reply = replyForScript(path.mid(qsizetype(std::strlen(ScriptsPath))), options->scriptFolder);
        send(responder.socket(), reply, asksToClose(request));
    });
    out << port << '\n';
    out.flush();
    out << "draw-service: http://127.0.0.1:" << port << DrawPath << "?Programm=Kugelo&Datum=yyyymmdd\n";
    if (options->csvFile.isEmpty())
        out << "draw-service: DEMO DATA, not real results: random draws on Mon, Wed and Sat from "
            << history.firstDate().toString(Qt::ISODate) << " to " << history.lastDate().toString(Qt::ISODate)
            << ", seed " << options->seed << '\n';
    else
        out << "draw-service: " << history.size() << " draws from " << options->csvFile << " ("
            << history.firstDate().toString(Qt::ISODate) << " to " << history.lastDate().toString(Qt::ISODate)
            << ")\n";
    out.flush();
    return app.exec();
}
