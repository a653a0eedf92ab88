#pragma once

#include "TestSupport.h"
#include "platform/Endpoints.h"

#include <QByteArray>
#include <QDate>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>

namespace kugelo::test {

// Runs tools/draw-service (from KUGELO_BIN_DIR) on a free loopback port for the life of the object.
class DrawServiceProcess {
public:
    // Starts the service with these arguments and "--port 0", and waits for the port it prints first.
    explicit DrawServiceProcess(const QStringList& arguments = {});
    ~DrawServiceProcess();
    DrawServiceProcess(const DrawServiceProcess&) = delete;
    DrawServiceProcess& operator=(const DrawServiceProcess&) = delete;

    // True once the port is known; otherwise errorText() says why.
    bool isRunning() const { return m_port != 0 && m_process.state() == QProcess::Running; }
    QString errorText() const { return m_error; }
    quint16 port() const { return m_port; }
    // "http://127.0.0.1:PORT"
    QString baseUrl() const;
    // The request of the draw service for a day.
    QUrl drawUrl(const QDate& day) const;
    // What the service printed after the port line so far.
    QByteArray output();

    static QString program();

private:
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
    QByteArray m_output;
};

// The stand-in service over draws given as CSV text, kept in a temporary file for the service's life.
class ServedHistory {
public:
    explicit ServedHistory(const QByteArray& csv, const QStringList& options = {});

    DrawServiceProcess& service() { return *m_service; }
    bool isRunning() const { return m_service->isRunning(); }
    QString errorText() const { return m_service->errorText(); }
    QString baseUrl() const { return m_service->baseUrl(); }
    // The built-in hosts with the service as the product host.
    Endpoints endpoints() const;

private:
    TempHome m_csvHome;
    std::unique_ptr<DrawServiceProcess> m_service;
};

} // namespace kugelo::test

// Skips the test when the stand-in service (a DrawServiceProcess or a ServedHistory) did not start.
#define KUGELO_REQUIRE_SERVICE(s)                                                                            \
    if (!(s).isRunning()) QSKIP(qPrintable("draw-service not available: " + (s).errorText()))
