// Crash consistency: a child process writes the program's files the way the commands do (the update's
// append, manual entry, removing a draw, an import, saving the settings and a tip file, the language
// export) in an endless sequence of steps, and this process kills it with SIGKILL at random moments. After
// every kill each file must be exactly the one before the step that was under way or the one after it,
// complete and readable, and the draw file valid and in date order. The three files of the language export
// (master list, template, message file) must be all the old ones or all the new ones once the export has
// been settled, as the program settles it before it reads them or exports again, and nothing of the export
// may be left beside them.
//
//   crash_consistency [--kills N] [--seed S] [--dir FOLDER]     the test (300 kills unless built otherwise)
//   crash_consistency --child FOLDER SEED STEP                  the writer, from step STEP on
//
// Each step is decided by the seed, the step number and the files as they are, so this process knows what
// every step writes: it replays the steps the child finished on a copy of the files, and computes the
// step under way at the kill on a second copy.
#include "controller/Settings.h"
#include "draws/DrawFile.h"
#include "draws/DrawImport.h"
#include "draws/ManualEntry.h"
#include "generator/GenerationCriteria.h"
#include "i18n/LanguageFiles.h"
#include "i18n/TextFile.h"
#include "platform/AtomicFile.h"
#include "platform/DayNumber.h"
#include "platform/SettingsStore.h"
#include "sheet/TipFile.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace kugelo;

namespace {

// The files the steps write, and the kind of write each step is.
const QString kDrawFile = QStringLiteral("Kugelo.dat");
const QString kSettingsFile = QStringLiteral("settings.json");
const QString kTipFile = QStringLiteral("20261212.tpf");
const QString kMasterList = QStringLiteral("Kugelo.txt");
const std::array<QString, 3> kExportFiles = {kMasterList, kMasterList + QStringLiteral(".trans"),
                                             kMasterList + QStringLiteral(".meld")};
const std::array<QString, 6> kFiles = {kDrawFile,       kSettingsFile,   kTipFile,
                                       kExportFiles[0], kExportFiles[1], kExportFiles[2]};

enum class Step { Append, ManualEntry, Remove, Import, Settings, TipFile, LanguageExport };
constexpr int kStepKinds = 7;

const char* stepName(Step s) {
    switch (s) {
    case Step::Append:
        return "draw file, update's append";
    case Step::ManualEntry:
        return "draw file, manual entry";
    case Step::Remove:
        return "draw file, removal";
    case Step::Import:
        return "draw file, import";
    case Step::Settings:
        return "settings file";
    case Step::TipFile:
        return "tip file";
    case Step::LanguageExport:
        return "language export";
    }
    return "?";
}

std::mt19937 stepRandom(std::uint32_t seed, qint64 step) {
    std::seed_seq seq{seed, static_cast<std::uint32_t>(step), static_cast<std::uint32_t>(step >> 32)};
    return std::mt19937(seq);
}

int pick(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

DrawRecord randomDraw(std::mt19937& random, double datum) {
    std::array<int, 5> numbers{};
    for (int i = 0; i < 5; ++i) {
        int n = pick(random, 1, 49);
        while (std::find(numbers.begin(), numbers.begin() + i, n) != numbers.begin() + i)
            n = n % 49 + 1;
        numbers[static_cast<std::size_t>(i)] = n;
    }
    std::array<std::uint8_t, 7> digits{};
    for (auto& d : digits)
        d = static_cast<std::uint8_t>(pick(random, 0, 9));
    return makeDrawRecord(fromDayNumber(datum), numbers, pick(random, 1, 10), digits);
}

// A text of up to maxLength characters, some of them beyond Latin-1 (the template is UTF-16).
QString randomText(std::mt19937& random, int maxLength) {
    static const QString alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyz ABCDEFG0123456789äöüßéçЖЯ…-:");
    QString text;
    for (int n = pick(random, 0, maxLength); n > 0; --n)
        text += alphabet[pick(random, 0, int(alphabet.size()) - 1)];
    return text;
}

// The kind of a step: the draw file is kept between 40 and about 450 draws (above 300 half the steps that
// add draws, above 450 all of them, become removals).
Step stepKind(std::uint32_t seed, qint64 step, std::size_t draws) {
    std::mt19937 random = stepRandom(seed, step);
    const auto kind = static_cast<Step>(pick(random, 0, kStepKinds - 1));
    if (draws < 40) return Step::Append;
    const bool adds = kind == Step::Append || kind == Step::ManualEntry || kind == Step::Import;
    if (adds && (draws > 450 || (draws > 300 && step % 2 == 0))) return Step::Remove;
    return kind;
}

// Performs one step on the files of a folder (ending with '/').
Step performStep(const QString& dir, std::uint32_t seed, qint64 step) {
    const DrawFile file(dir + kDrawFile);
    const std::vector<DrawRecord> draws = file.readAll();
    const Step kind = stepKind(seed, step, draws.size());
    std::mt19937 random = stepRandom(seed, step);
    pick(random, 0, kStepKinds - 1); // the draw of the kind
    const double first = draws.empty() ? EarliestDrawDay : draws.front().Datum;
    const double last = draws.empty() ? EarliestDrawDay : draws.back().Datum;
    switch (kind) {
    case Step::Append:
        file.append(randomDraw(random, last + pick(random, 1, 4)));
        break;
    case Step::ManualEntry: {
        const DrawRecord entered = randomDraw(random, first + pick(random, 0, int(last - first) + 3));
        storeManualEntry(file, entered, entered); // a correction: the entered record keeps its digits
        break;
    }
    case Step::Remove:
        file.removeDate(draws[static_cast<std::size_t>(pick(random, 0, int(draws.size()) - 1))].Datum);
        break;
    case Step::Import: {
        std::vector<DrawRecord> imported;
        for (int i = pick(random, 1, 6); i > 0; --i)
            imported.push_back(randomDraw(random, first + pick(random, 0, int(last - first) + 6)));
        importDraws(file, imported);
        break;
    }
    case Step::Settings: {
        MainState state;
        GenerationCriteria criteria;
        TipSheet sheet;
        WindowValues window;
        KeptWindowValues kept;
        state.neuerSchein = static_cast<int>(step);
        state.sprache = pick(random, 1, 6);
        state.statisticsStart = fromDayNumber(first + pick(random, 0, 3000));
        window.width = pick(random, 640, 1920);
        window.height = pick(random, 480, 1200);
        window.proxyHost = QStringLiteral("proxy%1.example").arg(pick(random, 0, 999));
        criteria.runLimitThousands.set(pick(random, 1, 30000));
        criteria.chanceCountsAsMatch = pick(random, 0, 1) == 1;
        for (int r = 0; r < TipSheet::RowCount; ++r)
            for (int f = 0; f < TipSheet::FieldCount; ++f)
                sheet.setText(r, f, QString::number(pick(random, 0, TipSheet::maximum(f))));
        FileSettingsStore store(dir + kSettingsFile);
        store.openKey(SettingsStore::kugeloKey(), true);
        saveSettings(store, {state, criteria, sheet, window, kept});
        store.closeKey();
        break;
    }
    case Step::TipFile: {
        TipSheet sheet;
        for (int r = pick(random, 0, TipSheet::RowCount); r < TipSheet::RowCount; ++r)
            for (int f = 0; f < TipSheet::FieldCount; ++f)
                sheet.setText(r, f, QString::number(pick(random, 1, TipSheet::maximum(f))));
        writeFileWhole(dir + kTipFile, tipFileText(sheet));
        break;
    }
    case Step::LanguageExport: {
        // The windows' texts as an export sees them, of a size like the real ones (a few hundred elements).
        std::vector<TextElement> walk;
        for (int k = pick(random, 100, 600); k > 0; --k) {
            TextElement e;
            e.window = QStringLiteral("Form%1").arg(pick(random, 1, 6));
            e.name = QStringLiteral("Element%1").arg(k);
            e.editField = pick(random, 0, 4) == 0;
            e.caption = randomText(random, 30);
            e.hint = randomText(random, 50);
            walk.push_back(e);
        }
        QStringList messages;
        for (int n = 0; n < 96; ++n)
            messages << randomText(random, 60);
        writeTextExport(dir + kMasterList, exportTexts(walk), messages);
        break;
    }
    }
    return kind;
}

// The files a step can change.
QStringList filesOf(Step kind) {
    if (kind == Step::Settings) return {kSettingsFile};
    if (kind == Step::TipFile) return {kTipFile};
    if (kind == Step::LanguageExport) return {kExportFiles.begin(), kExportFiles.end()};
    return {kDrawFile};
}

void say(const char* text) {
    const std::size_t length = std::strlen(text);
    if (::write(STDOUT_FILENO, text, length) != static_cast<ssize_t>(length)) _exit(3);
}

// The writer: announces each step before it starts and after it ends, then goes on until killed.
int child(const QString& dir, std::uint32_t seed, qint64 step) {
    say("ready\n");
    for (;; ++step) {
        const std::string begin = "begin " + std::to_string(step) + "\n";
        say(begin.c_str());
        performStep(dir, seed, step);
        const std::string end = "end " + std::to_string(step) + "\n";
        say(end.c_str());
    }
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void copyFiles(const QString& from, const QString& to) {
    for (const QString& name : kFiles) {
        QFile::remove(to + name);
        if (QFile::exists(from + name) && !QFile::copy(from + name, to + name)) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(from + name));
            std::exit(2);
        }
    }
}

// Why the files of a folder are not complete and readable, or empty.
QString unreadable(const QString& dir) {
    const QByteArray bytes = readFile(dir + kDrawFile);
    if (bytes.size() % DrawRecord::Size != 0)
        return QStringLiteral("the draw file holds %1 bytes, not whole records").arg(bytes.size());
    const std::vector<DrawRecord> draws = DrawFile(dir + kDrawFile).readAll();
    for (std::size_t i = 0; i < draws.size(); ++i) {
        const DrawRecord& r = draws[i];
        bool valid = std::isfinite(r.Datum) && r.chance() >= 1 && r.chance() <= 10 && r.Zahl[0] >= 1 &&
                     r.Zahl[4] <= 49;
        for (int k = 1; k < 5; ++k)
            valid = valid && r.Zahl[k - 1] < r.Zahl[k];
        if (!valid) return QStringLiteral("draw %1 of the draw file is not a valid draw").arg(i);
        if (i > 0 && !(draws[i - 1].Datum < r.Datum))
            return QStringLiteral("the draw file is out of date order at draw %1").arg(i);
    }
    FileSettingsStore settings(dir + kSettingsFile);
    settings.setReadOnly();
    if (!settings.openKey(SettingsStore::kugeloKey(), false) || !settings.problem().isEmpty() ||
        !settings.valueExists(QStringLiteral("NeuerSchein")))
        return QStringLiteral("the settings file cannot be read: %1").arg(settings.problem().reason);
    TipSheet sheet;
    loadTipFile(sheet, readTextFile(dir + kTipFile, TextFileKind::TipFile));
    if (tipFileText(sheet) != readFile(dir + kTipFile))
        return QStringLiteral("the tip file does not load whole");
    // The files of one export: five master lines for every two template lines, and nothing of the export
    // left beside them.
    const qsizetype master = readTextFile(dir + kExportFiles[0], TextFileKind::LanguageFile).size();
    const qsizetype template_ = readTextFile(dir + kExportFiles[1], TextFileKind::LanguageFile).size();
    if (master / 5 * 2 != template_)
        return QStringLiteral("the master list (%1 lines) and the template (%2 lines) are of two exports")
            .arg(master)
            .arg(template_);
    for (const QString& left : {kMasterList + QStringLiteral(".journal"),
                                kMasterList + QStringLiteral(".journal~"), kExportFiles[0] + QLatin1Char('~'),
                                kExportFiles[1] + QLatin1Char('~'), kExportFiles[2] + QLatin1Char('~')})
        if (QFileInfo::exists(dir + left)) return QStringLiteral("%1 is left of the export").arg(left);
    return {};
}

#ifndef KUGELO_CRASH_KILLS
#define KUGELO_CRASH_KILLS 300
#endif

struct Options {
    int kills = KUGELO_CRASH_KILLS;
    std::uint32_t seed = 20261210;
    QString dir;
};

int parent(const Options& options) {
    QTemporaryDir scratchOwner;
    const QString base = options.dir.isEmpty() ? scratchOwner.path() : options.dir;
    const QString work = base + QStringLiteral("/work/");
    const QString shadow = base + QStringLiteral("/shadow/");
    const QString next = base + QStringLiteral("/next/");
    for (const QString& d : {work, shadow, next}) {
        QDir(d).removeRecursively();
        QDir().mkpath(d);
    }
    // The starting files: 120 draws, then one save of the settings and of a tip file.
    {
        std::mt19937 random(options.seed);
        std::vector<DrawRecord> draws;
        double day = EarliestDrawDay;
        for (int i = 0; i < 120; ++i, day += pick(random, 1, 4))
            draws.push_back(randomDraw(random, day));
        writeFileWhole(work + kDrawFile, encodeDrawRecords(draws));
    }
    qint64 step = 0;
    const auto allWritten = [&] {
        return std::all_of(kFiles.begin(), kFiles.end(),
                           [&](const QString& name) { return QFile::exists(work + name); });
    };
    while (!allWritten())
        performStep(work, options.seed, step++);
    copyFiles(work, shadow);

    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    std::mt19937 timing(options.seed ^ 0x5bd1e995u);
    double stepMicros = 2000; // running estimate of one step's time
    std::map<QString, int> survived;
    int betweenSteps = 0;
    qint64 steps = 0;
    QElapsedTimer clock;
    clock.start();
    for (int kill = 1; kill <= options.kills; ++kill) {
        int out[2];
        if (::pipe(out) != 0) return 2;
        const std::string dirArg = work.toStdString();
        const std::string seedArg = std::to_string(options.seed);
        const std::string stepArg = std::to_string(step);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            ::execl(self.constData(), self.constData(), "--child", dirArg.c_str(), seedArg.c_str(),
                    stepArg.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        ::close(out[1]);
        // Wait for the child to be ready, then kill it within the next few steps.
        std::string received;
        char buffer[4096];
        while (received.find("ready\n") == std::string::npos) {
            const ssize_t n = ::read(out[0], buffer, sizeof buffer);
            if (n <= 0) break;
            received.append(buffer, static_cast<std::size_t>(n));
        }
        const auto delay = std::uniform_real_distribution<double>(0, 6 * stepMicros)(timing);
        QElapsedTimer alive;
        alive.start();
        std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long long>(delay)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        const qint64 aliveMicros = alive.nsecsElapsed() / 1000;
        for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
            received.append(buffer, static_cast<std::size_t>(n));
        ::close(out[0]);
        if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) {
            std::fprintf(stderr, "kill %d: the writer ended by itself (status %d):\n%s\n", kill, status,
                         received.c_str());
            return 1;
        }

        // Replay the finished steps on the shadow copy; find the step under way.
        qint64 lastBegun = -1;
        qint64 lastEnded = -1;
        for (std::size_t pos = 0; pos < received.size();) {
            const std::size_t eol = received.find('\n', pos);
            if (eol == std::string::npos) break;
            const std::string line = received.substr(pos, eol - pos);
            pos = eol + 1;
            if (line.rfind("begin ", 0) == 0) lastBegun = std::stoll(line.substr(6));
            if (line.rfind("end ", 0) == 0) lastEnded = std::stoll(line.substr(4));
        }
        for (qint64 s = step; s <= lastEnded; ++s)
            performStep(shadow, options.seed, s);
        const qint64 finished = lastEnded >= step ? lastEnded - step + 1 : 0;
        steps += finished;
        stepMicros = 0.8 * stepMicros + 0.2 * (double(aliveMicros) / double(std::max<qint64>(1, finished)));
        stepMicros = std::clamp(stepMicros, 50.0, 200000.0);

        const bool underWay = lastBegun > lastEnded;
        QStringList changed;
        Step kind = Step::Append;
        if (underWay) {
            copyFiles(shadow, next);
            kind = performStep(next, options.seed, lastBegun);
            changed = filesOf(kind);
        }
        // What the program does before it reads the language files or exports again.
        settleTextExport(work + kMasterList);
        int exportOld = 0;
        int exportNew = 0;
        for (const QString& name : kExportFiles) {
            const QByteArray actual = readFile(work + name);
            exportOld += actual == readFile(shadow + name) ? 1 : 0;
            exportNew += changed.contains(name) && actual == readFile(next + name) ? 1 : 0;
        }
        if (exportOld < int(kExportFiles.size()) && exportNew < int(kExportFiles.size())) {
            std::fprintf(stderr,
                         "kill %d (seed %u): the language export is a mix: %d of its files old, %d new (step "
                         "%lld, %s)\n",
                         kill, options.seed, exportOld, exportNew, static_cast<long long>(lastBegun),
                         underWay ? stepName(kind) : "between steps");
            std::printf("0 passed, 1 failed\n");
            return 1;
        }
        for (const QString& name : kFiles) {
            const QByteArray actual = readFile(work + name);
            const bool old = actual == readFile(shadow + name);
            const bool fresh = changed.contains(name) && actual == readFile(next + name);
            if (!old && !fresh) {
                std::fprintf(
                    stderr,
                    "kill %d (seed %u): %s is neither the file before nor the one after step %lld (%s)\n",
                    kill, options.seed, qPrintable(name), static_cast<long long>(lastBegun),
                    underWay ? stepName(kind) : "between steps");
                std::printf("0 passed, 1 failed\n");
                return 1;
            }
            if (fresh) {
                QFile::remove(shadow + name);
                QFile::copy(next + name, shadow + name);
            }
        }
        if (const QString why = unreadable(work); !why.isEmpty()) {
            std::fprintf(stderr, "kill %d (seed %u): %s\n", kill, options.seed, qPrintable(why));
            std::printf("0 passed, 1 failed\n");
            return 1;
        }
        if (underWay && kind == Step::LanguageExport)
            ++survived[QString::fromLatin1(stepName(kind)) +
                       (exportNew == int(kExportFiles.size()) && exportOld < int(kExportFiles.size())
                            ? QStringLiteral(", the new files")
                            : QStringLiteral(", the old files"))];
        else if (underWay)
            ++survived[QString::fromLatin1(stepName(kind))];
        else
            ++betweenSteps;
        step = std::max(step, lastBegun + 1);
    }

    std::printf("%d kills (seed %u) in %.1f s, %lld steps finished; every file was the old or the new one, "
                "complete and readable, the draw file in date order:\n",
                options.kills, options.seed, double(clock.elapsed()) / 1000, static_cast<long long>(steps));
    for (const auto& [name, count] : survived)
        std::printf("  %5d kills during a write of the %s\n", count, qPrintable(name));
    std::printf("  %5d kills between two writes\n", betweenSteps);
    std::printf("%d passed, 0 failed\n", options.kills);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("--child"))
        return child(args[2], args[3].toUInt(), args[4].toLongLong());
    Options options;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--kills"))
            options.kills = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--seed"))
            options.seed = args[i + 1].toUInt();
        else if (args[i] == QLatin1String("--dir"))
            options.dir = args[i + 1];
        else {
            std::fprintf(stderr, "usage: %s [--kills N] [--seed S] [--dir FOLDER]\n", argv[0]);
            return 2;
        }
    }
    return parent(options);
}
