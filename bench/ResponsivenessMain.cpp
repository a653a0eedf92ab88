// kugelo-bench-ui [HISTORY.csv]: how the window behaves during a long generation run. Starts "Tipps
// berechnen" offscreen with UpDown7 = 30000 and options no candidate passes (so the run would use all 30
// million candidates), records how late a 10 ms timer of the window fires while the run goes on (the
// window repaints and takes clicks at that rate), presses the run button again after one second and
// measures how long the run takes to end after that press.

#include "QuietPlatform.h"

#include "app/MainWindow.h"
#include "draws/DrawFile.h"
#include "draws/DrawImport.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/HttpClient.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>

using namespace kugelo;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QString csv = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KUGELO_DEFAULT_HISTORY);
    QTemporaryDir home;
    const QString homePath = home.path() + QLatin1Char('/');
    importDraws(DrawFile(homePath + QStringLiteral("Kugelo.dat")), parseDrawCsv(csv, readFileWhole(csv)));

    QuietPlatform quiet;
    SystemClock clock;
    QtHttpClient http; // the update is not run here
    TForm1 form(Platform{quiet, quiet, clock, quiet, http}, Endpoints(), homePath, homePath);
    form.initialise();
    form.startUp();
    form.show();
    form.criteria().UpDown7.set(30000);
    form.criteria().UpDown1.set(279); // no cross sum reaches it: every candidate is rejected
    form.criteria().UpDown8.set(12);

    QElapsedTimer clockMs;
    clockMs.start();
    qint64 lastTick = -1;
    std::vector<qint64> gaps;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clockMs.nsecsElapsed();
        if (lastTick >= 0) gaps.push_back(now - lastTick);
        lastTick = now;
    });
    auto* run = form.findChild<QPushButton*>(QStringLiteral("BitBtn4"));
    qint64 stopPressed = 0;
    QTimer::singleShot(1000, [&] {
        stopPressed = clockMs.nsecsElapsed();
        run->click();
    });
    ticker.start();
    run->click(); // returns when the run has ended
    const qint64 ended = clockMs.nsecsElapsed();
    ticker.stop();

    std::sort(gaps.begin(), gaps.end());
    const auto ms = [](qint64 ns) { return QString::number(static_cast<double>(ns) / 1e6, 'f', 1); };
    out << "timer ticks during the run: " << gaps.size() << ", interval median " << ms(gaps[gaps.size() / 2])
        << " ms, longest " << ms(gaps.back()) << " ms\n";
    out << "the run ended " << ms(ended - stopPressed)
        << " ms after the stop press; status: " << form.statusText(1) << "\n";
    return 0;
}
