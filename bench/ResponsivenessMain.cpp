// kugelo-bench-ui [HISTORY.csv [SECTION...]]: how the window behaves during its long commands, offscreen. A
// 10 ms timer of the window records how late it fires (the window repaints and takes clicks at that rate).
// The sections named after the history run alone (start-up, generation, parameter-analysis, draw-analysis,
// first-update, stop); without names all run.
//  1. Generation: "Tipps berechnen" with UpDown7 = 30000 and options no candidate passes (so the run would
//     use all 30 million candidates); the run button is pressed again after one second and the time the
//     run takes to end after that press is measured.
//  2. First update: "Datenbank aktualisieren" into an empty draw file against the stand-in draw service
//     (beside this program) serving the history, one request per day from 7 October 2008 to today.
//  3. The parameter analysis over the whole history from 6 October 2008 with UpDown8 = 12 (BitBtn9), every
//     question answered Yes.
//  4. Stop: the update against a service that answers after 2 s; the stop button is pressed 300 ms into
//     the first request and the time the update takes to end after that press is measured.
//  5. Start-up: from making the main window (the settings file read, as main() does) to the end of its
//     first paint, with the whole history in the draw file, and on a first start, where the draw file is
//     written from the shipped history first (nine runs each, the median; the update at start-up is not
//     part of it: it runs once the window shows).
//  6. The draw analysis over the whole history from 6 October 2008 (BitBtn19), every question answered Yes,
//     the threshold 5: how long the command takes in the window.

#include "QuietPlatform.h"
#include "WindowProbes.h"

#include "app/MainWindow.h"
#include "controller/Controller.h"
#include "draws/DrawFile.h"
#include "draws/DrawImport.h"
#include "i18n/TextFile.h"
#include "platform/Clock.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <memory>

using namespace kugelo;
using namespace kugelo::bench;

namespace {

// A main window over its own temporary home.
struct Window {
    QTemporaryDir home;
    QString homePath = home.path() + QLatin1Char('/');
    QuietPlatform quiet;
    SystemClock clock;
    QtHttpClient http;
    FileSettingsStore settings{homePath + QStringLiteral("settings.json")};
    std::unique_ptr<TForm1> form;

    explicit Window(const Endpoints& endpoints = Endpoints()) {
        form = std::make_unique<TForm1>(Platform{quiet, quiet, clock, quiet, http, settings}, endpoints,
                                        homePath, homePath);
    }
    void start() {
        form->initialise();
        form->startUp();
        form->show();
    }
    QAbstractButton* button(const char* name) const {
        return form->findChild<QAbstractButton*>(QLatin1String(name));
    }
};

void generation(const QString& csv, QTextStream& out) {
    Window w;
    importDraws(DrawFile(w.homePath + QStringLiteral("Kugelo.dat")),
                parseDrawCsv(csv, readTextFile(csv, TextFileKind::DrawArchive)));
    w.start();
    w.form->criteria().runLimitThousands.set(30000);
    w.form->criteria().crossSumMin.set(279); // no cross sum reaches it: every candidate is rejected
    w.form->criteria().rowCount.set(12);
    QAbstractButton* run = w.button("BitBtn4");
    TickRecorder ticks;
    qint64 stopPressed = 0;
    QTimer::singleShot(1000, [&] {
        stopPressed = ticks.elapsed();
        run->click();
    });
    run->click(); // returns when the run has ended
    const qint64 ended = ticks.elapsed();
    out << "window during a generation run of UpDown7 = 30000:\n  " << ticks.summary() << "\n  the run ended "
        << ms(ended - stopPressed) << " ms after the stop press; status: " << w.form->statusText(1) << "\n";
}

void parameterAnalysis(const QString& csv, QTextStream& out) {
    Window w;
    importDraws(DrawFile(w.homePath + QStringLiteral("Kugelo.dat")),
                parseDrawCsv(csv, readTextFile(csv, TextFileKind::DrawArchive)));
    w.start();
    w.quiet.answerYes = true;
    w.form->criteria().rowCount.set(12);
    w.form->state().drawDate = earliestDrawDate();
    TickRecorder ticks;
    w.button("BitBtn9")->click(); // returns when the analysis has ended
    const qint64 ended = ticks.elapsed();
    // The report's line of the cycles: "Ziehungen: <cycles>mit je 12Tipp => <rows> Reihen".
    QFile report(w.homePath + QStringLiteral("Test.rtf"));
    QString cycles = QStringLiteral("no report");
    if (report.open(QIODevice::ReadOnly))
        cycles = QString::fromUtf8(report.readAll()).split(QStringLiteral("\r\n")).value(10);
    out << "window during the parameter analysis from 2008-10-06, UpDown8 = 12:\n  " << ticks.summary()
        << "\n  the analysis took " << ms(ended) << " ms; " << cycles << "\n";
}

// The draw analysis of the Datenbank tab from 6 October 2008, every question answered Yes, the threshold at
// its default 5: the whole command through the window (BitBtn19), and the same command of a controller
// without a window as kugelo-cli runs it; three runs each, alternating, the median.
void drawAnalysis(const QString& csv, QTextStream& out) {
    Window w;
    importDraws(DrawFile(w.homePath + QStringLiteral("Kugelo.dat")),
                parseDrawCsv(csv, readTextFile(csv, TextFileKind::DrawArchive)));
    w.start();
    w.quiet.answerYes = true;
    FileSettingsStore noSettings{QString()};
    Controller headless(Platform{w.quiet, w.quiet, w.clock, w.quiet, w.http, noSettings}, Endpoints(),
                        w.homePath);
    headless.state().sortieren = true;
    headless.state().statisticsStart = w.form->state().statisticsStart;
    std::vector<qint64> window;
    std::vector<qint64> alone;
    QString summary;
    for (int run = 0; run < 3; ++run) {
        w.form->state().drawDate = earliestDrawDate();
        TickRecorder ticks;
        w.button("BitBtn19")->click(); // returns when the analysis has ended
        window.push_back(ticks.elapsed());
        summary = ticks.summary();
        headless.state().drawDate = earliestDrawDate();
        QElapsedTimer took;
        took.start();
        headless.run([&] { headless.analyseDraws(); });
        alone.push_back(took.nsecsElapsed());
    }
    std::sort(window.begin(), window.end());
    std::sort(alone.begin(), alone.end());
    out << "window during the draw analysis from 2008-10-06, threshold 5:\n  " << summary
        << "\n  the analysis took " << ms(window[1]) << " ms in the window (median of 3, "
        << ms(window.front()) << " to " << ms(window.back()) << " ms), " << ms(alone[1]) << " ms without it ("
        << ms(alone.front()) << " to " << ms(alone.back()) << " ms): window/without "
        << QString::number(static_cast<double>(window[1]) / static_cast<double>(alone[1]), 'f', 2) << "\n";
}

void firstUpdate(const QString& csv, QTextStream& out) {
    ServiceProcess service({QStringLiteral("--csv"), csv});
    if (!service.running()) {
        out << "first update: the draw service did not start\n";
        return;
    }
    Window w(service.endpoints());
    w.start();
    TickRecorder ticks;
    w.button("BitBtn1")->click(); // returns when the update has ended
    const qint64 ended = ticks.elapsed();
    const qint64 stored = DrawFile(w.homePath + QStringLiteral("Kugelo.dat")).readAll().size();
    const qint64 days = QDate(2008, 10, 7).daysTo(QDate::currentDate()) + 1;
    out << "window during the first update (" << days << " days, 7 Oct 2008 to today, from " << csv
        << "):\n  " << ticks.summary() << "\n  the update took " << ms(ended) << " ms ("
        << ms(ended / std::max<qint64>(days, 1)) << " ms per day); " << stored
        << " draws stored; newest: " << w.form->state().currentDrawStripLine << "\n";
}

// Ends the wait of startToPaint once the window has painted the first time: it paints when its window is
// first exposed (or at its first update request), which the filter hands on itself to know when that is over.
class FirstPaint final : public QObject {
public:
    FirstPaint(QWidget& window, QEventLoop& loop) : m_window(window), m_loop(loop) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_painted) return false;
        const bool expose = event->type() == QEvent::Expose && m_window.windowHandle() == watched &&
                            m_window.windowHandle()->isExposed();
        const bool update = event->type() == QEvent::UpdateRequest && watched == &m_window;
        if (!expose && !update) return false;
        m_painted = true;
        watched->event(event);
        m_loop.quit();
        return true;
    }

private:
    QWidget& m_window;
    QEventLoop& m_loop;
    bool m_painted = false;
};

// The time from making the window as main() does to the end of its first paint, in ns.
qint64 startToPaint(const QString& homePath, const QString& shippedHistory) {
    QuietPlatform quiet;
    SystemClock clock;
    QtHttpClient http;
    QElapsedTimer took;
    took.start();
    FileSettingsStore settings{homePath + QStringLiteral("settings.json")};
    TForm1 form(Platform{quiet, quiet, clock, quiet, http, settings}, Endpoints(), homePath, homePath);
    if (!shippedHistory.isEmpty()) form.controller().setShippedHistory(shippedHistory);
    form.initialise();
    form.startUp();
    QEventLoop loop;
    FirstPaint painted(form, loop);
    qApp->installEventFilter(&painted);
    form.show();
    loop.exec();
    qApp->removeEventFilter(&painted);
    return took.nsecsElapsed();
}

void startUp(const QString& csv, QTextStream& out) {
    QTemporaryDir full;
    const QString fullHome = full.path() + QLatin1Char('/');
    const std::vector<DrawRecord> draws = parseDrawCsv(csv, readTextFile(csv, TextFileKind::DrawArchive));
    importDraws(DrawFile(fullHome + QStringLiteral("Kugelo.dat")), draws);
    std::vector<qint64> withHistory;
    std::vector<qint64> firstStart;
    qint64 seeded = 0;
    for (int run = 0; run < 9; ++run) {
        withHistory.push_back(startToPaint(fullHome, {}));
        QTemporaryDir empty;
        const QString emptyHome = empty.path() + QLatin1Char('/');
        firstStart.push_back(startToPaint(emptyHome, csv));
        seeded = static_cast<qint64>(DrawFile(emptyHome + QStringLiteral("Kugelo.dat")).readAll().size());
    }
    const auto summary = [](std::vector<qint64> times) {
        const qint64 first = times.front();
        std::sort(times.begin(), times.end());
        return QStringLiteral("median %1 ms (9 runs, %2 to %3 ms; the first run %4 ms)")
            .arg(ms(times[times.size() / 2]), ms(times.front()), ms(times.back()), ms(first));
    };
    out << "start-up to the painted main window, " << draws.size() << " draws in the draw file:\n  "
        << summary(withHistory) << "\n";
    out << "first start: the draw file written from the shipped history (" << seeded
        << " draws), then the painted main window:\n  " << summary(firstStart) << "\n";
}

void stopDuringARequest(QTextStream& out) {
    ServiceProcess service({QStringLiteral("--delay-ms"), QStringLiteral("2000")});
    if (!service.running()) {
        out << "stop: the draw service did not start\n";
        return;
    }
    Window w(service.endpoints());
    w.start();
    TickRecorder ticks;
    qint64 stopPressed = 0;
    QTimer::singleShot(300, [&] {
        stopPressed = ticks.elapsed();
        w.button("SpeedButton8")->click();
    });
    w.button("BitBtn1")->click();
    const qint64 ended = ticks.elapsed();
    out << "window during an update whose service answers after 2 s:\n  " << ticks.summary()
        << "\n  the update ended " << ms(ended - stopPressed) << " ms after the stop press\n";
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QString csv = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KUGELO_DEFAULT_HISTORY);
    // Further arguments name the sections to run; without them all run.
    QStringList only;
    for (int i = 2; i < argc; ++i)
        only << QString::fromLocal8Bit(argv[i]);
    const struct {
        const char* name;
        std::function<void()> run;
    } sections[] = {
        {"start-up", [&] { startUp(csv, out); }},
        {"generation", [&] { generation(csv, out); }},
        {"parameter-analysis", [&] { parameterAnalysis(csv, out); }},
        {"draw-analysis", [&] { drawAnalysis(csv, out); }},
        {"first-update", [&] { firstUpdate(csv, out); }},
        {"stop", [&] { stopDuringARequest(out); }},
    };
    for (const auto& section : sections) {
        if (!only.isEmpty() && !only.contains(QLatin1String(section.name))) continue;
        section.run();
        out.flush();
    }
    return 0;
}
