#include "DrawServiceProcess.h"

#include <QDeadlineTimer>

namespace kugelo::test {

DrawServiceProcess::DrawServiceProcess(const QStringList& arguments) {
    m_process.setProgram(program());
    m_process.setArguments(arguments + QStringList{QStringLiteral("--port"), QStringLiteral("0")});
    m_process.start(QIODevice::ReadOnly);
    if (!m_process.waitForStarted(5000)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(program(), m_process.errorString());
        return;
    }
    QDeadlineTimer deadline(10000);
    while (!m_process.canReadLine() && m_process.state() == QProcess::Running && !deadline.hasExpired())
        m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    const QByteArray first = m_process.readLine().trimmed();
    bool ok = false;
    const uint port = first.toUInt(&ok);
    if (ok && port > 0 && port <= 65535) {
        m_port = static_cast<quint16>(port);
        return;
    }
    m_process.waitForFinished(1000);
    m_error =
        QStringLiteral("draw-service gave no port (first line \"%1\"): %2")
            .arg(QString::fromLocal8Bit(first), QString::fromLocal8Bit(m_process.readAllStandardError()));
}

DrawServiceProcess::~DrawServiceProcess() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QString DrawServiceProcess::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

QUrl DrawServiceProcess::drawUrl(const QDate& day) const {
    return QUrl(baseUrl() + QStringLiteral("/lotto/kugelo.asp?Programm=Kugelo&Datum=") +
                day.toString(QStringLiteral("yyyyMMdd")));
}

QByteArray DrawServiceProcess::output() {
    m_output += m_process.readAllStandardOutput();
    return m_output;
}

QString DrawServiceProcess::program() {
    return qEnvironmentVariable("KUGELO_BIN_DIR") + QStringLiteral("/draw-service");
}

ServedHistory::ServedHistory(const QByteArray& csv, const QStringList& options) {
    m_csvHome.writeBytes(QStringLiteral("history.csv"), csv);
    m_service = std::make_unique<DrawServiceProcess>(
        QStringList{QStringLiteral("--csv"), m_csvHome.file(QStringLiteral("history.csv"))} + options);
}

Endpoints ServedHistory::endpoints() const {
    return Endpoints(baseUrl(), Endpoints::defaultCompanyHost(), Endpoints::defaultResultsHost());
}

} // namespace kugelo::test
