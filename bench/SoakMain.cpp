// kugelo-soak: the update through the real window (offscreen) against a hostile stand-in draw service that
// misbehaves at random on a share of its requests (trickle, stall, endless bodies and headers, bad
// compression, control characters, impossible numbers, cut and dropped connections, huge bodies, errors).
// The update is started again whenever a run ends early (three days in a row without a whole reply), until
// the draw file has reached the last day. It reports the days covered, the requests and the faults
// played, the peak memory of this process, the longest gap between the ticks of a 10 ms window timer, and
// checks the draw file: whole records, every one a valid draw of its day as the service holds it, dates in
// ascending order. Exit code 1 when the check fails.
//
//   kugelo-soak [--short | --long] [--days N] [--rate P] [--seed N] [--deadline-ms N]
//     --short        1,000 days from 7 October 2008 (about a minute; the default)
//     --long         every day from 7 October 2008 to today
//     --days N       N days from 7 October 2008
//     --rate P       the share of requests that misbehave (default 0.05)
//     --seed N       seed of the service's draws and of its faults (default 20081006)
//     --deadline-ms  the deadline of each request (default 2000; the program's own is 30 s)

#include "QuietPlatform.h"
#include "WindowProbes.h"

#include "DrawService.h"
#include "app/MainWindow.h"
#include "draws/DrawFile.h"
#include "draws/DrawUpdate.h"
#include "platform/Clock.h"
#include "platform/DayNumber.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <sys/resource.h>

using namespace kugelo;
using namespace kugelo::bench;

namespace {

// The program's HTTP client with a shorter deadline per request, counting requests and failures.
class CountingHttp final : public HttpClient {
public:
    explicit CountingHttp(int deadlineMs) : m_deadlineMs(deadlineMs) {}
    HttpResponse get(const HttpRequest& request) override {
        HttpRequest r = request;
        r.deadlineMs = m_deadlineMs;
        QElapsedTimer clock;
        clock.start();
        HttpResponse response = m_inner.get(r);
        longestMs = std::max(longestMs, clock.elapsed());
        ++requests;
        if (!response.ok()) ++failed;
        return response;
    }
    void abort() override { m_inner.abort(); }

    qint64 requests = 0;
    qint64 failed = 0;
    qint64 longestMs = 0;

private:
    QtHttpClient m_inner;
    int m_deadlineMs;
};

// Every record a valid draw of its day as the service holds it, in ascending date order. Returns the
// problems found (empty: the file is good).
QStringList checkDrawFile(const QString& path, const drawservice::DrawHistory& served, qint64* records) {
    QStringList problems;
    if (QFileInfo(path).size() % DrawRecord::Size != 0)
        problems << QStringLiteral("the size %1 is no whole number of records").arg(QFileInfo(path).size());
    const std::vector<DrawRecord> stored = DrawFile(path).readAll();
    *records = static_cast<qint64>(stored.size());
    double previous = -1e300;
    for (std::size_t i = 0; i < stored.size() && problems.size() < 20; ++i) {
        const DrawRecord& r = stored[i];
        const QString where = QStringLiteral("record %1 (%2)").arg(i + 1).arg(r.date().toString(Qt::ISODate));
        if (r.isDamaged()) problems << where + QStringLiteral(": damaged date");
        if (!(r.Datum > previous)) problems << where + QStringLiteral(": not after the record before");
        previous = r.Datum;
        const std::vector<drawservice::ServedDraw> draws = served.drawsOn(r.date());
        if (draws.size() != 1) {
            problems << where + QStringLiteral(": the service has no draw on that day");
            continue;
        }
        std::array<int, 5> numbers = draws.front().numbers;
        std::sort(numbers.begin(), numbers.end());
        bool same = r.chance() == draws.front().chance && r.digits().toLatin1() == draws.front().digits &&
                    r.Zahl[5] == 0 && r.Zahl[7] == 0;
        for (int k = 0; k < 5; ++k)
            same = same && r.Zahl[static_cast<std::size_t>(k)] == numbers[static_cast<std::size_t>(k)];
        if (!same) problems << where + QStringLiteral(": not the draw the service holds for that day");
    }
    return problems;
}

qint64 peakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    const QDate first(2008, 10, 7);
    QDate last = first.addDays(999);
    double rate = 0.05;
    std::uint32_t seed = drawservice::DefaultSeed;
    int deadlineMs = 2000;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString value = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--short")) {
            last = first.addDays(999);
        } else if (a == QLatin1String("--long")) {
            last = QDate::currentDate();
        } else if (a == QLatin1String("--days") && value.toInt() > 0) {
            last = first.addDays(value.toInt() - 1);
            ++i;
        } else if (a == QLatin1String("--rate") && value.toDouble() >= 0 && value.toDouble() <= 1) {
            rate = value.toDouble();
            ++i;
        } else if (a == QLatin1String("--seed") && !value.isEmpty()) {
            seed = value.toUInt();
            ++i;
        } else if (a == QLatin1String("--deadline-ms") && value.toInt() > 0) {
            deadlineMs = value.toInt();
            ++i;
        } else {
            err << "usage: kugelo-soak [--short | --long] [--days N] [--rate P] [--seed N] [--deadline-ms "
                   "N]\n";
            return 2;
        }
    }
    last = std::min(last, QDate::currentDate());

    ServiceProcess service({QStringLiteral("--seed"), QString::number(seed),
                            QStringLiteral("--random-faults"), QString::number(rate)});
    if (!service.running()) {
        err << "kugelo-soak: the draw service did not start\n";
        return 1;
    }
    const drawservice::DrawHistory served =
        drawservice::DrawHistory::demo(seed, earliestDrawDate(), QDate::currentDate());

    QTemporaryDir home;
    const QString homePath = home.path() + QLatin1Char('/');
    QuietPlatform quiet;
    DayClock clock(last);
    CountingHttp http(deadlineMs);
    FileSettingsStore settings(homePath + QStringLiteral("settings.json"));
    TForm1 form(Platform{quiet, quiet, clock, quiet, http, settings}, service.endpoints(), homePath,
                homePath);
    form.initialise();
    form.startUp();
    form.show();
    auto* update = form.findChild<QAbstractButton*>(QStringLiteral("BitBtn1"));

    const QString drawFile = homePath + QStringLiteral("Kugelo.dat");
    TickRecorder ticks;
    int runs = 0;
    // A run that ends early (three days in a row without a whole reply) is started again, as a user would,
    // until a run has asked for every day.
    do {
        ++runs;
        update->click(); // returns when the update has ended
    } while (form.statusText(0) == form.messages()[Msg::NoConnection] && runs < 1000);
    const qint64 elapsedMs = ticks.elapsedMs();

    qint64 records = 0;
    const QStringList problems = checkDrawFile(drawFile, served, &records);
    qint64 servedDraws = 0;
    for (QDate d = first; d <= last; d = d.addDays(1))
        servedDraws += static_cast<qint64>(served.drawsOn(d).size());

    out << "soak: " << first.toString(Qt::ISODate) << " to " << last.toString(Qt::ISODate) << ", "
        << first.daysTo(last) + 1 << " days, fault rate " << rate << ", seed " << seed << ", deadline "
        << deadlineMs << " ms\n";
    out << "  update runs: " << runs << ", requests: " << http.requests
        << ", failed requests: " << http.failed << ", longest request: " << http.longestMs << " ms\n";
    out << "  faults injected: " << service.faults() << " (";
    bool firstKind = true;
    for (const auto& [kind, count] : service.faultKinds()) {
        out << (firstKind ? "" : ", ") << kind << ' ' << count;
        firstKind = false;
    }
    out << ")\n";
    out << "  draws stored: " << records << " of " << servedDraws
        << " served (a day lost to a fault is asked again only while no later draw is stored)\n";
    out << "  peak memory (RSS): " << peakRssKiB() / 1024 << " MiB\n";
    out << "  window timer: " << ticks.ticks() << " ticks in " << elapsedMs / 1000
        << " s, longest time without a tick: " << ticks.longestGapMs() << " ms\n";
    if (problems.isEmpty()) {
        out << "  draw file: valid, every record the service's draw of its day, dates in ascending order\n";
        return 0;
    }
    out << "  draw file: " << problems.size() << " problems:\n    " << problems.join(QStringLiteral("\n    "))
        << '\n';
    return 1;
}
