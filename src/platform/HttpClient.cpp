#include "platform/HttpClient.h"

#include "platform/Endpoints.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

namespace kugelo {

struct QtHttpClient::Private {
    QNetworkAccessManager manager;
    QNetworkReply* current = nullptr; // the request waiting now
    QTcpSocket* probe = nullptr;      // the proxy check waiting now
    bool aborted = false;
};

namespace {

// Whether the proxy accepts a connection within the time-out; the reason when it does not. Qt reports a
// proxy that cannot be reached with the same errors as the service itself (even naming the service's
// host), so the proxy is asked on its own once a request through it got no reply.
QString proxyProblem(const HttpRequest& request, QTcpSocket*& current) {
    QTcpSocket socket;
    current = &socket;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::connected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::stateChanged, &loop, [&loop](QAbstractSocket::SocketState state) {
        if (state == QAbstractSocket::UnconnectedState) loop.quit(); // also after abort()
    });
    socket.setProxy(QNetworkProxy::NoProxy);
    socket.connectToHost(request.proxyHost, static_cast<quint16>(request.proxyPort));
    timeout.start(request.connectTimeoutMs);
    if (socket.state() != QAbstractSocket::UnconnectedState) loop.exec();
    current = nullptr;
    if (socket.state() == QAbstractSocket::ConnectedState) return {};
    return socket.error() == QAbstractSocket::UnknownSocketError ? QStringLiteral("time-out")
                                                                 : socket.errorString();
}

} // namespace

QtHttpClient::QtHttpClient() : d(new Private) {
    d->manager.setCookieJar(new QNetworkCookieJar(&d->manager));
}

QtHttpClient::~QtHttpClient() {
    delete d;
}

QString notAskedText(const QString& url) {
    return QStringLiteral("not asked, only http and https addresses are: ") + url.left(200);
}

HttpResponse QtHttpClient::get(const HttpRequest& request) {
    HttpResponse response;
    // Qt's network access would read file:, data: and qrc: addresses too, and a FIFO named by one without
    // any deadline.
    if (!isWebAddress(request.url)) {
        response.refused = true;
        response.error = notAskedText(request.url);
        return response;
    }
    QNetworkRequest r{QUrl(request.url)};
    r.setRawHeader("Accept", request.accept.toLatin1());
    r.setHeader(QNetworkRequest::UserAgentHeader, request.userAgent);
    r.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    r.setMaximumRedirectsAllowed(request.maxRedirects);
    d->manager.setProxy(request.proxyHost.isEmpty()
                            ? QNetworkProxy(QNetworkProxy::NoProxy)
                            : QNetworkProxy(QNetworkProxy::HttpProxy, request.proxyHost,
                                            static_cast<quint16>(request.proxyPort)));

    std::unique_ptr<QNetworkReply> reply(d->manager.get(r));
    d->current = reply.get();
    d->aborted = false;
    struct Forget {
        Private* d;
        ~Forget() { d->current = nullptr; }
    } forget{d};
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    bool timedOut = false;
    bool tooLarge = false;
    QObject::connect(&timeout, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    // Connect time-out until the first bytes, then a read time-out that restarts with every arrival.
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop,
                     [&] { timeout.start(request.readTimeoutMs); });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        timeout.start(request.readTimeoutMs);
        response.body += reply->readAll();
        if (response.body.size() > request.maxBodyBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // The read time-out restarts with every byte: only an overall deadline ends a service that trickles.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    deadline.start(request.deadlineMs);
    timeout.start(request.connectTimeoutMs);
    if (!reply->isFinished()) loop.exec();
    timeout.stop();
    deadline.stop();
    if (!tooLarge && !timedOut && reply->isOpen()) response.body += reply->readAll();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    response.replied = status.isValid();
    response.status = status.toInt();
    if (response.replied)
        response.statusLine =
            QStringLiteral("HTTP/1.1 %1 %2")
                .arg(response.status)
                .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    response.lastModified = reply->header(QNetworkRequest::LastModifiedHeader).toDateTime();
    const QNetworkReply::NetworkError error = reply->error();
    // Errors below 200 are failures of the connection or the proxy. Above, they stand for HTTP statuses of
    // 400 and more; with a lower status they are failures of the transfer after the headers (a body cut
    // short, a body that cannot be decompressed), and such a body is no answer either.
    const bool transferFailed = error != QNetworkReply::NoError &&
                                (error < QNetworkReply::ContentAccessDenied || response.status < 400);
    if (d->aborted)
        response.error = QStringLiteral("aborted");
    else if (tooLarge)
        response.error = QStringLiteral("the reply is larger than %1 bytes").arg(request.maxBodyBytes);
    else if (timedOut)
        response.error = QStringLiteral("time-out");
    else if (transferFailed)
        response.error = reply->errorString();
    if (!response.replied && !d->aborted && !request.proxyHost.isEmpty()) {
        const QString problem = proxyProblem(request, d->probe);
        if (d->aborted) {
            response.error = QStringLiteral("aborted");
        } else if (!problem.isEmpty()) {
            response.proxyFailed = true;
            response.error = problem;
        }
    }
    if (!response.error.isEmpty()) response.body.clear();
    return response;
}

void QtHttpClient::abort() {
    if (d->probe) {
        d->aborted = true;
        d->probe->abort();
        return;
    }
    if (!d->current) return;
    d->aborted = true;
    d->current->abort();
}

} // namespace kugelo
