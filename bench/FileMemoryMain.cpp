// kugelo-bench-files: the memory and time that reading a text file of each kind costs, for files at the
// kind's bound. Each file is loaded in a process of its own by the command that loads it (the controller's
// command where there is one, else the same calls): the tip file into the sheet, a number list into the
// list, a click script filled and written, a language file with its master list and message file applied to
// a window's walk, a CSV archive imported into a draw file. Prints per file its kind, its size, the peak
// resident memory the process gained beyond an idle one (from the system's account of the child), that peak
// as a multiple of the file's size, and the time.
//
//   kugelo-bench-files [FOLDER]     FOLDER keeps the files (default: a temporary folder)

#include "QuietPlatform.h"

#include "controller/Controller.h"
#include "draws/DrawFile.h"
#include "generator/NumberList.h"
#include "i18n/LanguageFiles.h"
#include "i18n/TextFile.h"
#include "platform/Clock.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"
#include "sheet/TipFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <vector>

using namespace kugelo;

namespace {

class NoHttp final : public HttpClient {
public:
    HttpResponse get(const HttpRequest&) override { return {}; }
    void abort() override {}
};

// A window's elements as the language files see them: one per entry of the shipped master list.
class Walk final : public TextElementsPort {
public:
    explicit Walk(const QString& masterList) {
        const TextLines lines = readTextFile(masterList, TextFileKind::LanguageFile);
        for (qsizetype i = 0; i + 1 < lines.size(); i += 5)
            m_walk.push_back({lines[i], lines[i + 1], lines.value(i + 2), lines.value(i + 3)});
    }
    std::vector<TextElement> textElements() override { return m_walk; }
    void setTexts(std::size_t, const TextAssignment&) override { ++assigned; }
    void languageChosen(int) override {}
    void textsApplied() override {}
    std::size_t assigned = 0;

private:
    std::vector<TextElement> m_walk;
};

// A headless controller on a home and program folder, as kugelo-cli has one.
struct Program {
    explicit Program(const QString& folder)
        : settings(folder + QStringLiteral("settings.json")),
          controller(Platform{quiet, quiet, clock, quiet, http, settings}, Endpoints(), folder, folder) {}
    QuietPlatform quiet;
    SystemClock clock;
    NoHttp http;
    FileSettingsStore settings;
    Controller controller;
};

// Writes a file of size bytes made of line repeated (the last one cut to fit).
void writeFile(const QString& path, const QByteArray& line, qint64 size) {
    QByteArray bytes;
    bytes.reserve(size);
    while (bytes.size() + line.size() <= size)
        bytes += line;
    bytes += line.left(size - bytes.size());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
}

struct Measure {
    long peakKiB = 0;
    double millis = 0;
    bool ok = false;
};

// The peak resident memory of this process since it started its program (VmHWM), in KiB.
long peakKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Runs case number n (-1: none) in a new process of this program, which prints its peak resident memory:
// that peak and the time the process took. A new program, as a fork would start with this process's pages.
Measure inChild(int n, const QString& folder) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--case"), QString::number(n), folder});
    child.waitForFinished(-1);
    const double millis = double(timer.nsecsElapsed()) / 1e6;
    const long peak = child.readAllStandardOutput().trimmed().toLong();
    return {peak, millis, child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 && peak > 0};
}

struct Case {
    const char* kind;
    const char* content;
    QStringList files; // the files the command reads
    std::function<void()> load;
    bool controller = true; // runs the controller's command: measured beyond an idle controller
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    // A case on its own: kugelo-bench-files --case N FOLDER (the files are there already); -1 does nothing,
    // -3 makes an idle controller.
    const int only = args.size() == 4 && args[1] == QLatin1String("--case") ? args[2].toInt() : -2;
    QTemporaryDir scratch;
    const QString folder = (only >= -1        ? args[3]
                            : args.size() > 1 ? args[1]
                                              : scratch.path()) +
                           QLatin1Char('/');
    QDir().mkpath(folder + QStringLiteral("Land"));
    const QString shippedMaster = QCoreApplication::applicationDirPath() + QStringLiteral("/Land/Kugelo.txt");
    if (!QFile::exists(shippedMaster)) {
        std::fprintf(stderr, "no shipped master list at %s\n", qPrintable(shippedMaster));
        return 2;
    }

    const qint64 tipBound = maxTextFileBytes(TextFileKind::TipFile);
    const qint64 listBound = maxTextFileBytes(TextFileKind::NumberList);
    const qint64 scriptBound = maxTextFileBytes(TextFileKind::ClickScript);
    const qint64 languageBound = maxTextFileBytes(TextFileKind::LanguageFile);
    const qint64 archiveBound = maxTextFileBytes(TextFileKind::DrawArchive);
    const QByteArray shortLine("7\n");
    const QByteArray emptyLine("\n");
    const QByteArray longLine = QByteArray(62, '7') + "\r\n";
    const QByteArray drawLine("2019-05-04,7,36,8,45,20,2,7581414\n");

    const auto tipFile = [](const QString& path) {
        return [path] {
            TipSheet sheet;
            loadTipFile(sheet, readTextFile(path, TextFileKind::TipFile));
        };
    };
    const auto numberList = [](const QString& path) {
        return [path] {
            NumberList list;
            list.fromNlf(readTextFile(path, TextFileKind::NumberList));
        };
    };
    const auto clickScript = [folder](const QString& path) {
        return [folder, path] {
            Program p(folder);
            AutomationChoice choice;
            choice.script = path;
            p.controller.writeFilledScript(choice);
        };
    };
    const auto archive = [folder](const QString& path) {
        return [folder, path] {
            Program p(folder);
            QFile::remove(folder + QStringLiteral("Kugelo.dat"));
            p.controller.importArchiveFiles({path});
        };
    };
    // The program folder of a language case holds Land/ with the master list, the language file and its
    // message file.
    const auto language = [shippedMaster](const QString& programFolder) {
        return [shippedMaster, programFolder] {
            Walk walk(shippedMaster);
            Program p(programFolder);
            p.controller.setTextElements(&walk);
            p.controller.setLanguageFile(programFolder + QStringLiteral("Land/Kugelo_fr.txt"));
            p.controller.applyLanguageFile();
        };
    };

    std::vector<Case> cases;
    bool controllerCommand = false;
    const auto add = [&](const char* kind, const char* content, const QString& name, const QByteArray& line,
                         qint64 size, const std::function<std::function<void()>(const QString&)>& command) {
        if (only == -2) writeFile(folder + name, line, size);
        cases.push_back({kind, content, {folder + name}, command(folder + name), controllerCommand});
    };
    add("tip file", "lines \"7\"", "short.tpf", shortLine, tipBound, tipFile);
    add("tip file", "empty lines", "empty.tpf", emptyLine, tipBound, tipFile);
    add("number list", "lines \"7\"", "short.nlf", shortLine, listBound, numberList);
    controllerCommand = true;
    add("click script", "lines \"7\"", "short.csf", shortLine, scriptBound, clickScript);
    add("click script", "lines of 64 bytes", "long.csf", longLine, scriptBound, clickScript);
    add("click script", "\"[MELDUNGFERTIG]\" lines", "fill.csf", QByteArray("[MELDUNGFERTIG]\n"), scriptBound,
        clickScript);
    // A language file, its message file and the master list, all three at the bound: the master list of
    // lines "7" matches the walk nowhere, the one of the window's names repeated matches it everywhere.
    QByteArray names;
    {
        QFile master(shippedMaster);
        if (master.open(QIODevice::ReadOnly)) names = master.readAll();
    }
    for (const auto& [sub, masterLine, content] :
         {std::tuple{"short", shortLine, "lines \"7\""}, std::tuple{"empty", emptyLine, "empty lines"},
          std::tuple{"names", names, "the window's master list repeated"}}) {
        const QString land = folder + QLatin1String(sub) + QStringLiteral("/Land/");
        const QStringList files{land + QStringLiteral("Kugelo.txt"), land + QStringLiteral("Kugelo_fr.txt"),
                                land + QStringLiteral("Kugelo_fr.txt.meld")};
        if (only == -2) {
            QDir().mkpath(land);
            writeFile(files[0], masterLine, languageBound);
            writeFile(files[1], masterLine == names ? shortLine : masterLine, languageBound);
            writeFile(files[2], masterLine == names ? shortLine : masterLine, languageBound);
        }
        cases.push_back({"language file, message file, master list", content, files,
                         language(folder + QLatin1String(sub) + QLatin1Char('/')), true});
    }
    add("CSV archive", "lines \"7\" (every one left out)", "short.csv", shortLine, archiveBound, archive);
    add("CSV archive", "draw lines", "draws.csv", drawLine, archiveBound, archive);

    if (only == -3) {
        const Program idle(folder);
        std::printf("%ld\n", peakKiB());
        return 0;
    }
    if (only >= -1) {
        if (only >= 0) {
            try {
                cases.at(std::size_t(only)).load();
            } catch (const KugeloError& e) {
                std::fprintf(stderr, "  %s\n", qPrintable(e.text()));
                return 1;
            }
        }
        std::printf("%ld\n", peakKiB());
        return 0;
    }

    const Measure idle = inChild(-1, folder);
    const Measure idleController = inChild(-3, folder);
    std::printf("%-42s %-36s %10s %12s %8s %9s\n", "file kind", "content", "size", "peak memory", "x size",
                "time");
    int failed = 0;
    for (std::size_t n = 0; n < cases.size(); ++n) {
        const Case& c = cases[n];
        const Measure m = inChild(int(n), folder);
        double mib = 0;
        for (const QString& file : c.files)
            mib += double(QFileInfo(file).size()) / (1 << 20);
        const Measure& base = c.controller ? idleController : idle;
        const double peakMiB = double(m.peakKiB - base.peakKiB) / 1024;
        std::printf("%-42s %-36s %6.1f MiB %8.1f MiB %8.1f %6.0f ms%s\n", c.kind, c.content, mib, peakMiB,
                    peakMiB / mib, m.millis - base.millis, m.ok ? "" : "  FAILED");
        if (!m.ok) ++failed;
    }
    return failed == 0 ? 0 : 1;
}
