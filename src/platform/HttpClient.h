#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace kugelo {

// One GET request with the settings the program's web requests use.
struct HttpRequest {
    QString url;
    QString accept = QStringLiteral("text/html, */*");
    QString userAgent = QStringLiteral("Mozilla/3.0 (compatible; Indy Library)");
    QString proxyHost; // empty: no proxy
    int proxyPort = 80;
    int connectTimeoutMs = 5000;
    int readTimeoutMs = 5000;
    int deadlineMs = 30000; // the whole request: connect, headers and body; a trickle ends here
    int maxRedirects = 15;
    qint64 maxBodyBytes = 1 << 20; // a larger body counts as a failed request
};

struct HttpResponse {
    bool replied = false; // an HTTP reply arrived (whatever its status), maybe not whole
    int status = 0;
    QString statusLine; // "HTTP/1.1 200 OK"
    QByteArray body;
    QDateTime lastModified;
    QString error; // why the request failed, empty when it did not
    // No reply came because the proxy itself could not be reached (error then says why); false when it was
    // reached, so the failure lies with the service or the way to it.
    bool proxyFailed = false;
    // Not asked: the address is no http or https address (see isWebAddress); error then says so.
    bool refused = false;
    bool ok() const { return replied && status > 0 && status < 400 && error.isEmpty(); }
};

// GET requests over HTTP. While a request waits the calling thread keeps processing its events, so a
// window stays live. Only http and https addresses are asked: any other (file:, data:, ftp:, ...) gets no
// reply at once, marked refused.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpResponse get(const HttpRequest& request) = 0;
    // Ends the request that is waiting now, if any; its get() returns at once as failed. Meant for a stop
    // button clicked while the request waits.
    virtual void abort() = 0;
};

// The text of a request that was refused because its address is no http or https address.
QString notAskedText(const QString& url);

// The Qt network implementation: proxy, connect and read time-outs, up to maxRedirects redirections,
// cookies kept for the client's life, the Accept and User-Agent headers.
class QtHttpClient final : public HttpClient {
public:
    QtHttpClient();
    ~QtHttpClient() override;
    HttpResponse get(const HttpRequest& request) override;
    void abort() override;

private:
    struct Private;
    Private* d;
};

} // namespace kugelo
