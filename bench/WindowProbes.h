#pragma once

// What the window benchmarks share: a timer that records how late it fires, and the stand-in draw service
// started beside the benchmark on a free port.

#include "platform/Endpoints.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <map>
#include <vector>

namespace kugelo::bench {

inline QString ms(qint64 ns) {
    return QString::number(static_cast<double>(ns) / 1e6, 'f', 1);
}

// Records the gaps between the ticks of a 10 ms timer while it runs (the window repaints and takes clicks
// at that rate).
class TickRecorder {
public:
    TickRecorder() {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            if (m_last >= 0) m_gaps.push_back(now - m_last);
            m_last = now;
        });
        m_clock.start();
        m_timer.start();
    }
    qint64 elapsed() const { return m_clock.nsecsElapsed(); }
    qint64 elapsedMs() const { return m_clock.elapsed(); }
    qint64 ticks() const { return static_cast<qint64>(m_gaps.size()) + (m_last >= 0 ? 1 : 0); }
    qint64 longestGapMs() const {
        return m_gaps.empty() ? 0 : *std::max_element(m_gaps.begin(), m_gaps.end()) / 1000000;
    }
    QString summary() {
        m_timer.stop();
        if (m_gaps.empty()) return QStringLiteral("no timer ticks");
        std::vector<qint64> sorted = m_gaps;
        std::sort(sorted.begin(), sorted.end());
        return QStringLiteral("timer ticks: %1, interval median %2 ms, longest %3 ms")
            .arg(sorted.size())
            .arg(ms(sorted[sorted.size() / 2]), ms(sorted.back()));
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = -1;
    std::vector<qint64> m_gaps;
};

// The stand-in draw service beside this program, on a free port; counts the faults it logs.
class ServiceProcess {
public:
    explicit ServiceProcess(const QStringList& arguments) {
        m_process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/draw-service"),
                        QStringList{QStringLiteral("--port"), QStringLiteral("0")} + arguments);
        if (m_process.waitForStarted() && m_process.waitForReadyRead(10000))
            m_port = m_process.readLine().trimmed().toInt();
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { collect(); });
    }
    ~ServiceProcess() {
        m_process.kill();
        m_process.waitForFinished();
    }
    ServiceProcess(const ServiceProcess&) = delete;
    ServiceProcess& operator=(const ServiceProcess&) = delete;

    bool running() const { return m_port != 0; }
    Endpoints endpoints() const {
        return Endpoints(QStringLiteral("http://127.0.0.1:%1").arg(m_port), Endpoints::defaultCompanyHost(),
                         Endpoints::defaultResultsHost());
    }
    qint64 faults() {
        collect();
        return m_faults;
    }
    const std::map<QString, int>& faultKinds() {
        collect();
        return m_kinds;
    }

private:
    void collect() {
        while (m_process.canReadLine()) {
            const QByteArray line = m_process.readLine().trimmed();
            if (!line.startsWith("fault ")) continue;
            ++m_faults;
            ++m_kinds[QString::fromLatin1(line.split(' ').value(2))];
        }
    }

    QProcess m_process;
    int m_port = 0;
    qint64 m_faults = 0;
    std::map<QString, int> m_kinds;
};

} // namespace kugelo::bench
