#include "cli/Cli.h"

#include "controller/Controller.h"
#include "controller/Settings.h"
#include "draws/DrawFile.h"
#include "draws/DrawImport.h"
#include "draws/DrawUpdate.h"
#include "evaluation/TipSearch.h"
#include "generator/GenerationCriteria.h"
#include "generator/RandomSource.h"
#include "i18n/MessageTable.h"
#include "i18n/TextFile.h"
#include "output/ClickScript.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Endpoints.h"
#include "platform/Errors.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"
#include "platform/Sound.h"
#include "sheet/TipFile.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"
#include "stats/ChartModel.h"
#include "stats/Statistics.h"

#include <QDir>
#include <deque>
#include <limits>
#include <optional>

namespace kugelo::cli {

namespace {

class UsageError : public KugeloError {
public:
    using KugeloError::KugeloError;
};

// Text from outside (the draw service) as the terminal may show it: every control character but the line
// feed and the tab becomes U+FFFD, so that no escape sequence retitles or rewrites the terminal.
QString printable(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control && c != QLatin1Char('\n') && c != QLatin1Char('\t'))
            c = QChar::ReplacementCharacter;
    return text;
}

// Messages go to the error stream; questions are answered No (Yes for the search and the analyses) and
// inputs keep their proposed text unless an answer was given for them.
class StreamDialogs final : public Dialogs {
public:
    explicit StreamDialogs(QTextStream& err) : m_err(err) {}
    void message(const QString& text) override { m_err << printable(text) << Qt::endl; }
    bool question(const QString&, const QString&) override { return answerYes; }
    QString input(const QString&, const QString&, const QString& proposed) override {
        if (inputs.empty()) return proposed;
        QString answer = inputs.front();
        inputs.pop_front();
        return answer;
    }
    QString openFileName(const FileDialogOptions&) override { return {}; }
    QString saveFileName(const FileDialogOptions&) override { return {}; }

    bool answerYes = false;
    std::deque<QString> inputs; // answers of the next input boxes; empty: the proposed text

private:
    QTextStream& m_err;
};

// kugelo-cli opens nothing and plays nothing. It remembers what it was asked to open last; the basket
// command prints the links it would open.
class NoDesktop final : public Desktop {
public:
    bool open(const QString& target) override {
        lastOpened = target;
        if (echo) *echo << printable(target) << Qt::endl;
        return false;
    }
    QString lastOpened;
    void startProgram(const QString&, const QStringList&) override {}
    QTextStream* echo = nullptr;
};
class NoSound final : public Sound {
public:
    void play(const QString&) override {}
};
// For the commands that ask no web service.
class NoHttp final : public HttpClient {
public:
    HttpResponse get(const HttpRequest&) override { return {}; }
    void abort() override {}
};

// What kugelo-cli shows of the controller: the last text of status panel 1, and for the update each day's
// line and every answer that is no draw line.
class CliView final : public ControllerView {
public:
    CliView(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {}
    void status(int panel, const QString& text) override {
        if (panel == 1) lastStatus = text;
    }
    void dayDone(const QDate& day, const QString& statusLine) override {
        m_out << day.toString(QStringLiteral("yyyy-MM-dd")) << ' ' << printable(statusLine) << Qt::endl;
    }
    void notADrawLine(const QString& text) override {
        m_err << "not a draw line:\n" << printable(text) << Qt::endl;
    }

    QString lastStatus;

private:
    QTextStream& m_out;
    QTextStream& m_err;
};

// The controller as kugelo-cli runs it: messages go to the error stream, nothing is opened or played, the
// stored settings are never written.
struct Headless {
    Headless(const QString& home, QTextStream& out, QTextStream& err, const Clock& clock,
             HttpClient* http = nullptr, const Endpoints& endpoints = Endpoints())
        : dialogs(err), view(out, err), settings(QString()),
          controller(Platform{dialogs, desktop, clock, sound, http ? *http : noHttp, settings}, endpoints,
                     home) {
        controller.setView(&view);
    }

    StreamDialogs dialogs;
    NoDesktop desktop;
    NoSound sound;
    NoHttp noHttp;
    CliView view;
    FileSettingsStore settings;
    Controller controller;
};

QDate parseDateArgument(const QString& text) {
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid()) throw UsageError(QStringLiteral("not a date (YYYY-MM-DD): %1").arg(text));
    return date;
}

QString takeValue(const QStringList& args, qsizetype& i) {
    if (i + 1 >= args.size()) throw UsageError(QStringLiteral("%1 needs a value").arg(args[i]));
    return args[++i];
}

// Opens the stored settings for reading only; false when there are none. A damaged file is reported and
// left where it is.
bool openStoredSettings(FileSettingsStore& store, QTextStream& err) {
    store.setReadOnly();
    const bool open = store.openKey(SettingsStore::kugeloKey(), false);
    if (!store.problem().isEmpty())
        err << "kugelo-cli: " << settingsProblemText(store.problem(), MessageTable()) << '\n';
    return open;
}

// What the stored settings hold, for the commands that start from them.
struct StoredSettings {
    MainState state;
    GenerationCriteria criteria;
    TipSheet sheet;
    WindowValues window;
    KeptWindowValues kept;

    // Reads the stored settings with the given portions; without stored settings everything keeps its design
    // value.
    StoredSettings(const QString& path, QTextStream& err,
                   const std::function<void(SettingsRestore&)>& portions) {
        FileSettingsStore store(path);
        if (!openStoredSettings(store, err)) return;
        SettingsRestore restore(store, SettingsTargets{state, criteria, sheet, window, kept});
        portions(restore);
    }
};

// The hosts a command that asks the web uses: the stored ones, each overridden by its environment variable,
// the product host by --product-host when given. Only http and https hosts are used: a stored host of
// another scheme is ignored (with a note), a variable or an option of another scheme refused.
Endpoints hostsInUse(const WindowValues& stored, const std::optional<QString>& productHost,
                     QTextStream& err) {
    const MessageTable messages;
    std::vector<RefusedHost> refused;
    Endpoints endpoints = endpointsInUse(stored, Endpoints(), &refused);
    if (productHost && !Endpoints::isWebHost(*productHost))
        throw UsageError(messages[Msg::OnlyWebAddresses].arg(productHost->trimmed()));
    for (const RefusedHost& r : refused) {
        if (!r.stored)
            throw KugeloError(messages[Msg::OnlyWebAddresses].arg(r.source + QLatin1Char('=') + r.host));
        err << "kugelo-cli: " << printable(messages[Msg::StoredHostIgnored].arg(r.host, r.instead)) << '\n';
    }
    if (productHost) endpoints = Endpoints(*productHost, endpoints.companyHost(), endpoints.resultsHost());
    return endpoints;
}

// Loads a tip file as the window does once it has started (its stored settings arm the sheet check): the
// draw of the picker's date is selected, which checks the rows against it and sorts each row's numbers.
// Without a draw file (the window has one from its start) the rows are checked against no draw.
void loadSheet(Headless& h, const QString& tipFile) {
    h.controller.state().sortieren = true;
    if (DrawFile(h.controller.state().drawFilePath()).exists()) {
        h.controller.loadTipsFrom(tipFile);
        return;
    }
    loadTipFile(h.controller.sheet(), readTextFile(tipFile, TextFileKind::TipFile));
    h.controller.checkSheet();
}

int commandSettings(const QStringList& args, const QString& settingsPath, QTextStream& out,
                    QTextStream& err) {
    if (!args.isEmpty()) throw UsageError(QStringLiteral("settings: unexpected argument %1").arg(args[0]));
    FileSettingsStore store(settingsPath);
    if (!openStoredSettings(store, err)) return store.problem().isEmpty() ? Ok : Failure;
    for (const SettingValue& v : store.values()) {
        out << v.name << '\t' << settingTypeName(v.type) << '\t';
        switch (v.type) {
        case SettingType::Integer:
            out << v.integer;
            break;
        case SettingType::String:
            out << v.string;
            break;
        case SettingType::Bytes:
            out << v.bytes.toHex();
            break;
        }
        out << '\n';
    }
    return Ok;
}

int commandDraws(const QStringList& args, const QString& home, QTextStream& out, QTextStream& err) {
    std::optional<QDate> from;
    std::optional<QDate> to;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--from"))
            from = parseDateArgument(takeValue(args, i));
        else if (args[i] == QLatin1String("--to"))
            to = parseDateArgument(takeValue(args, i));
        else
            throw UsageError(QStringLiteral("draws: unexpected argument %1").arg(args[i]));
    }
    MainState state;
    state.Home = home;
    const std::vector<DrawRecord> records = DrawFile(state.drawFilePath()).readAll();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const DrawRecord& r = records[i];
        if (r.isDamaged()) {
            err << "kugelo-cli: record " << i + 1 << " of " << state.drawFilePath() << " is damaged (";
            if (!r.hasDay())
                err << "its date " << r.Datum << " is no day";
            else
                err << "its numbers " << r.Zahl[0] << ' ' << r.Zahl[1] << ' ' << r.Zahl[2] << ' ' << r.Zahl[3]
                    << ' ' << r.Zahl[4] << QStringLiteral(" n° ") << r.chance() << " are no draw";
            err << "); the programs skip it\n";
            continue;
        }
        const QDate date = r.date();
        if ((from && date < *from) || (to && date > *to)) continue;
        out << date.toString(QStringLiteral("yyyy-MM-dd"));
        for (int i = 0; i < 5; ++i)
            out << ' ' << r.Zahl[i];
        out << ' ' << r.chance() << ' ' << r.digits() << '\n';
    }
    return Ok;
}

int commandSelect(const QStringList& args, const QString& home, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) throw UsageError(QStringLiteral("select needs exactly one date"));
    const QDate date = parseDateArgument(args[0]);
    const SystemClock clock;
    Headless h(home, out, err, clock);
    MainState& state = h.controller.state();
    setPickerDate(state.drawDate, date);
    const bool hadFile = DrawFile(state.drawFilePath()).exists();
    h.controller.selectDraw();
    if (!hadFile) return Failure;
    out << state.currentDrawLine << '\n' << state.crossSumText << '\n';
    return Ok;
}

int commandImport(const QStringList& args, const QString& home, QTextStream& out) {
    if (args.isEmpty()) throw UsageError(QStringLiteral("import needs at least one file"));
    std::vector<DrawRecord> draws;
    for (const QString& name : args) {
        const std::vector<DrawRecord> fromFile =
            parseDrawCsv(name, readTextFile(name, TextFileKind::DrawArchive));
        draws.insert(draws.end(), fromFile.begin(), fromFile.end());
    }
    MainState state;
    state.Home = home;
    const ImportResult result = importDraws(DrawFile(state.drawFilePath()), draws);
    out << "imported " << result.imported << " draws (" << result.replaced << " replaced)\n";
    return Ok;
}

// Loads a tip file into a sheet as the load command does, selects the draw of the date, checks the sheet and
// prints the current-draw line, one line per row and the tally.
int commandCheck(const QStringList& args, const QString& home, QTextStream& out, QTextStream& err) {
    QString tipFile;
    QDate date = QDate::currentDate();
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--date"))
            date = parseDateArgument(takeValue(args, i));
        else if (tipFile.isEmpty() && !args[i].startsWith(QLatin1String("--")))
            tipFile = args[i];
        else
            throw UsageError(QStringLiteral("check: unexpected argument %1").arg(args[i]));
    }
    if (tipFile.isEmpty()) throw UsageError(QStringLiteral("check needs a tip file"));

    const SystemClock clock;
    Headless h(home, out, err, clock);
    MainState& state = h.controller.state();
    TipSheet& sheet = h.controller.sheet();
    state.sortieren = true;
    loadTipFile(sheet, readTextFile(tipFile, TextFileKind::TipFile));
    setPickerDate(state.drawDate, date);
    const bool hadFile = DrawFile(state.drawFilePath()).exists();
    h.controller.selectDraw();
    if (!hadFile) return Failure;
    h.controller.checkSheet();

    out << state.currentDrawLine << '\n';
    for (int r = 0; r < TipSheet::RowCount; ++r) {
        const TipSheet::Row& row = sheet.row(r);
        QStringList texts;
        for (const QString& t : row.texts)
            texts << t;
        const char* colour = row.hits.isEmpty() ? "-" : (row.hitsRed ? "red" : "black");
        out << r + 1 << '\t' << texts.join(QLatin1Char(',')) << '\t' << row.hits << '\t' << row.crossSum
            << '\t' << colour << '\n';
    }
    for (int h = 0; h <= 6; ++h) {
        const auto& c = state.Statistik[std::size_t(h)];
        out << "Statistik " << h << ' ' << c[0] << ' ' << c[1] << ' ' << c[2] << '\n';
    }
    return Ok;
}

// Computes one statistic as its chart command does and prints the points, the caption and the axis mode.
int commandStats(const QStringList& args, const QString& home, QTextStream& out, QTextStream& err) {
    static const std::pair<const char*, Statistic> kinds[] = {
        {"frequency", Statistic::Frequency},
        {"crosssums", Statistic::CrossSums},
        {"pairs", Statistic::Pairs},
        {"triples", Statistic::Triples},
        {"quadruples", Statistic::Quadruples},
        {"overdue", Statistic::Overdue},
        {"chance", Statistic::ChanceFrequency},
        {"chance-overdue", Statistic::ChanceOverdue},
        {"rows", Statistic::RowDistribution},
    };
    if (args.isEmpty()) throw UsageError(QStringLiteral("stats needs a kind"));
    std::optional<Statistic> statistic;
    for (const auto& [name, kind] : kinds)
        if (args[0] == QLatin1String(name)) statistic = kind;
    if (!statistic) throw UsageError(QStringLiteral("stats: unknown kind %1").arg(args[0]));

    const SystemClock clock;
    Headless h(home, out, err, clock);
    MainState& state = h.controller.state();
    QString tips;
    bool haveFrom = false;
    bool haveTo = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--from")) {
            setPickerDate(state.statisticsStart, parseDateArgument(takeValue(args, i)));
            haveFrom = true;
        } else if (args[i] == QLatin1String("--to")) {
            setPickerDate(state.drawDate, parseDateArgument(takeValue(args, i)));
            haveTo = true;
        } else if (args[i] == QLatin1String("--tips")) {
            tips = takeValue(args, i);
        } else {
            throw UsageError(QStringLiteral("stats: unexpected argument %1").arg(args[i]));
        }
    }
    if (!haveFrom || !haveTo) throw UsageError(QStringLiteral("stats needs --from and --to"));
    if (*statistic == Statistic::RowDistribution && tips.isEmpty())
        throw UsageError(QStringLiteral("stats rows needs --tips"));

    if (!tips.isEmpty()) {
        // The rows are loaded first and the end date chosen after, as in the window.
        const QDate end = state.drawDate;
        loadSheet(h, tips);
        setPickerDate(state.drawDate, end);
    }
    h.controller.showStatistic(*statistic);
    const ChartModel& chart = h.controller.chart();
    for (const ChartPoint& p : chart.series2())
        out << p.x << ' ' << p.y << '\n';
    out << "caption: " << chart.caption() << '\n';
    out << "axis: " << (chart.automaticAxis() ? "auto" : "min-max") << '\n';
    return Ok;
}

// A clock whose performance counter starts at a given value and advances by a fixed step at every
// reading, so that a run's seeds, and with them its rows, are reproducible.
class CountingClock final : public Clock {
public:
    explicit CountingClock(std::uint64_t start) : m_next(start) {}
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    std::uint64_t performanceCounter() const override {
        const std::uint64_t value = m_next;
        m_next += 1000;
        return value;
    }
    std::uint32_t tickCount() const override { return static_cast<std::uint32_t>(m_next / 1000000); }

private:
    mutable std::uint64_t m_next;
};

std::uint64_t parseNumber(const QString& text, const QString& what) {
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!ok) throw UsageError(QStringLiteral("%1: not a number: %2").arg(what, text));
    return value;
}

// A seed as the seed and lucky-number input boxes take it (a whole number, negative ones too, as the boxes
// propose them), or the random source's state written unsigned: -5 and 4294967291 are the same seed.
std::int32_t parseSeed(const QString& text, const QString& what) {
    if (const std::optional<int> value = tryStrToInt(text)) return *value;
    bool ok = false;
    const qulonglong state = text.toULongLong(&ok);
    if (!ok || state > std::numeric_limits<std::uint32_t>::max())
        throw UsageError(
            QStringLiteral("%1: not a whole number from -2147483648 to 4294967295: %2").arg(what, text));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(state));
}

// Applies --set NAME=VALUE options.
void applySettings(GenerationCriteria& criteria, const QStringList& settings) {
    if (const QString fault = applyOptionSettings(criteria, settings); !fault.isEmpty())
        throw UsageError(QStringLiteral("--set: ") + fault);
}

// Runs "Tipps berechnen" without a window and prints the rows, the final status text and the run counter.
int commandGenerate(const QStringList& args, const QString& home, const QString& settingsPath,
                    QTextStream& out, QTextStream& err) {
    QDate from = earliestDrawDate();
    QDate to = QDate::currentDate();
    QStringList settings;
    QStringList locks;
    std::optional<std::uint32_t> seed;
    std::optional<std::uint64_t> clockStart;
    QString outFile;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--from"))
            from = parseDateArgument(takeValue(args, i));
        else if (a == QLatin1String("--to"))
            to = parseDateArgument(takeValue(args, i));
        else if (a == QLatin1String("--set"))
            settings << takeValue(args, i);
        else if (a == QLatin1String("--lock"))
            locks << takeValue(args, i);
        else if (a == QLatin1String("--seed"))
            seed = static_cast<std::uint32_t>(parseSeed(takeValue(args, i), a));
        else if (a == QLatin1String("--clock"))
            clockStart = parseNumber(takeValue(args, i), a);
        else if (a == QLatin1String("--out"))
            outFile = takeValue(args, i);
        else
            throw UsageError(QStringLiteral("generate: unexpected argument %1").arg(a));
    }
    // The stored options are the base; --set changes them.
    GenerationCriteria criteria =
        StoredSettings(settingsPath, err, [](SettingsRestore& r) { r.optionsOnly(); }).criteria;
    applySettings(criteria, settings);

    SystemClock systemClock;
    CountingClock countingClock(clockStart.value_or(0));
    const Clock& clock = clockStart ? static_cast<const Clock&>(countingClock) : systemClock;
    Headless h(home, out, err, clock);
    MainState& state = h.controller.state();
    setPickerDate(state.statisticsStart, from);
    setPickerDate(state.drawDate, to);
    h.controller.criteria() = criteria;
    TipSheet& sheet = h.controller.sheet();
    for (const QString& lock : locks) {
        const QStringList parts = lock.split(QLatin1Char(':'));
        const int row = parts.size() == 2 ? tryStrToInt(parts[0]).value_or(0) : 0;
        const QStringList numbers = parts.size() == 2 ? parts[1].split(QLatin1Char(',')) : QStringList();
        if (row < 1 || row > 12 || numbers.size() != 6)
            throw UsageError(QStringLiteral("--lock takes ROW:n1,n2,n3,n4,n5,c: %1").arg(lock));
        for (int f = 0; f < 6; ++f)
            sheet.setText(row - 1, f, numbers[f]);
        if (!sheet.isLocked(row - 1)) sheet.toggleLock(row - 1);
    }

    RandomSource& random = h.controller.random();
    random.seedFromClock(clock);
    if (seed) random.setState(*seed);

    state.sortieren = true;
    h.controller.generate();

    for (int r = 0; r < TipSheet::RowCount; ++r) {
        QStringList texts;
        for (const QString& t : sheet.row(r).texts)
            texts << t;
        out << r + 1 << '\t' << texts.join(QLatin1Char(',')) << '\t' << sheet.row(r).crossSum << '\n';
    }
    out << "status: " << h.view.lastStatus << '\n';
    out << "candidates: " << h.controller.lastRunCandidates() << '\n';
    if (!outFile.isEmpty()) writeFileWhole(outFile, tipFileText(sheet));
    return Ok;
}

// ---- The search in the history and the historical analyses ----

// The start of the statistics window as the window starts with it: the stored date, else 6 October 2008,
// which also replaces a stored date within the last seven days.
QDate storedStatisticsStart(const QString& settingsPath, QTextStream& err) {
    const StoredSettings stored(settingsPath, err, [](SettingsRestore& r) { r.dateTimePicker2(); });
    const QDate start = stored.state.statisticsStart;
    return start > QDate::currentDate().addDays(-7) ? earliestDrawDate() : start;
}

// Searches the history for the rows of a tip file, every question answered Yes: one line per stop, then the
// number of draws examined.
int commandSearch(const QStringList& args, const QString& home, const QString& settingsPath, QTextStream& out,
                  QTextStream& err) {
    QString tipFile;
    std::optional<QDate> from;
    QDate to = QDate::currentDate();
    std::optional<QString> threshold;
    QStringList settings;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--from"))
            from = parseDateArgument(takeValue(args, i));
        else if (a == QLatin1String("--to"))
            to = parseDateArgument(takeValue(args, i));
        else if (a == QLatin1String("--threshold"))
            threshold = takeValue(args, i);
        else if (a == QLatin1String("--set"))
            settings << takeValue(args, i);
        else if (tipFile.isEmpty() && !a.startsWith(QLatin1String("--")))
            tipFile = a;
        else
            throw UsageError(QStringLiteral("search: unexpected argument %1").arg(a));
    }
    if (tipFile.isEmpty()) throw UsageError(QStringLiteral("search needs a tip file"));
    GenerationCriteria criteria =
        StoredSettings(settingsPath, err, [](SettingsRestore& r) { r.optionsOnly(); }).criteria;
    applySettings(criteria, settings);
    const QDate start = from.value_or(storedStatisticsStart(settingsPath, err));

    const SystemClock clock;
    Headless h(home, out, err, clock);
    MainState& state = h.controller.state();
    h.controller.criteria() = criteria;
    h.dialogs.answerYes = true;
    if (threshold) h.dialogs.inputs.push_back(*threshold);
    loadSheet(h, tipFile);
    setPickerDate(state.statisticsStart, start);
    setPickerDate(state.drawDate, to);
    // The date picker goes back no further than the first draw; an end before it ends a window that holds
    // no draw, and is taken as given.
    if (to < earliestDrawDate()) state.drawDate = to;
    if (!DrawFile(state.drawFilePath()).exists()) {
        err << "kugelo-cli: no draw file in " << home << '\n';
        return Failure;
    }
    const SearchResult result = h.controller.searchTips();
    for (const SearchStop& stop : result.stops)
        out << stop.date.toString(QStringLiteral("yyyy-MM-dd")) << '\t' << stop.row << '\t' << stop.hits
            << '\n';
    out << "examined " << result.examined << " draws\n";
    return Ok;
}

// Runs the parameter or the draw analysis from a date, every question answered Yes, and prints the report as
// it is written to Test.rtf.
int commandAnalyse(const QStringList& args, const QString& home, const QString& settingsPath,
                   QTextStream& out, QTextStream& err) {
    if (args.isEmpty() || (args[0] != QLatin1String("params") && args[0] != QLatin1String("draws")))
        throw UsageError(QStringLiteral("analyse needs params or draws"));
    const bool params = args[0] == QLatin1String("params");
    std::optional<QDate> from;
    std::optional<QString> threshold;
    std::optional<std::int32_t> seed;
    std::optional<std::uint64_t> clockStart;
    QStringList settings;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--from"))
            from = parseDateArgument(takeValue(args, i));
        else if (!params && a == QLatin1String("--threshold"))
            threshold = takeValue(args, i);
        else if (params && a == QLatin1String("--seed"))
            seed = parseSeed(takeValue(args, i), a);
        else if (params && a == QLatin1String("--clock"))
            clockStart = parseNumber(takeValue(args, i), a);
        else if (params && a == QLatin1String("--set"))
            settings << takeValue(args, i);
        else
            throw UsageError(QStringLiteral("analyse %1: unexpected argument %2").arg(args[0], a));
    }
    if (!from) throw UsageError(QStringLiteral("analyse needs --from"));
    GenerationCriteria criteria =
        StoredSettings(settingsPath, err, [](SettingsRestore& r) { r.optionsOnly(); }).criteria;
    applySettings(criteria, settings);
    const QDate start = storedStatisticsStart(settingsPath, err);

    SystemClock systemClock;
    CountingClock countingClock(clockStart.value_or(0));
    const Clock& clock = clockStart ? static_cast<const Clock&>(countingClock) : systemClock;
    Headless h(home, out, err, clock);
    MainState& state = h.controller.state();
    h.controller.criteria() = criteria;
    h.dialogs.answerYes = true;
    state.sortieren = true;
    setPickerDate(state.statisticsStart, start);
    setPickerDate(state.drawDate, *from);
    h.controller.random().seedFromClock(clock);
    if (params && seed) h.dialogs.inputs.push_back(QString::number(*seed));
    if (!params && threshold) h.dialogs.inputs.push_back(*threshold);

    h.controller.run([&] { params ? h.controller.analyseParameters() : h.controller.analyseDraws(); });
    // The report is opened once it is written; without one the reason went to the error stream.
    if (h.desktop.lastOpened != h.controller.reportPath()) return Failure;
    out << QString::fromUtf8(readFileWhole(h.controller.reportPath()));
    return Ok;
}

int commandUpdate(const QStringList& args, const QString& home, const QString& settingsPath, QTextStream& out,
                  QTextStream& err) {
    std::optional<QString> productHost;
    QDate today = QDate::currentDate();
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--product-host"))
            productHost = takeValue(args, i);
        else if (args[i] == QLatin1String("--today"))
            today = parseDateArgument(takeValue(args, i));
        else
            throw UsageError(QStringLiteral("update: unexpected argument %1").arg(args[i]));
    }
    // The hosts: the stored ones, each overridden by its environment variable, then by --product-host.
    const Endpoints endpoints = hostsInUse(
        StoredSettings(settingsPath, err, [](SettingsRestore& r) { r.hosts(); }).window, productHost, err);
    QtHttpClient http;
    const DayClock clock(today);
    Headless h(home, out, err, clock, &http, endpoints);
    const MainState& state = h.controller.state();
    const UpdateResult result = h.controller.update();
    if (result.unreachable)
        err << "kugelo-cli: " << h.controller.messages()[Msg::NoConnection] << ": " << endpoints.productHost()
            << " did not answer " << DrawUpdate::MaxDaysWithoutReply << " days in a row\n";
    DrawRecord last;
    out << "stored " << result.drawsStored << " draws, last "
        << (DrawFile(state.drawFilePath()).lastRecord(last) ? last.date().toString(Qt::ISODate)
                                                            : QStringLiteral("none"))
        << '\n';
    return result.unreachable ? Failure : Ok;
}

// --- Output: the listing, the basket links, the filled click script ---

// Writes "Tipp.txt" for the rows of a tip file as "Tipp ausdrucken" does, with the draw selected for the
// end date as the current draw, and prints it.
int commandPrint(const QStringList& args, const QString& home, QTextStream& out, QTextStream& err) {
    QString tipFile;
    QDate end = QDate::currentDate();
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--end"))
            end = parseDateArgument(takeValue(args, i));
        else if (tipFile.isEmpty() && !args[i].startsWith(QLatin1String("--")))
            tipFile = args[i];
        else
            throw UsageError(QStringLiteral("print: unexpected argument %1").arg(args[i]));
    }
    if (tipFile.isEmpty()) throw UsageError(QStringLiteral("print needs a tip file"));
    const SystemClock clock;
    Headless h(home, out, err, clock);
    setPickerDate(h.controller.state().drawDate, end);
    if (!DrawFile(h.controller.state().drawFilePath()).exists()) {
        h.controller.selectDraw(); // says that there is no draw file
        return Failure;
    }
    loadSheet(h, tipFile); // selects the draw of the end date
    const QString path = h.controller.printTips();
    for (const QString& line : readTextFile(path, TextFileKind::TipFile))
        out << line << '\n';
    return Ok;
}

// Asks the basket service for the rows of a tip file as "shopping" does and prints each link it would
// open, the second after the same pause.
int commandBasket(const QStringList& args, const QString& home, const QString& settingsPath, QTextStream& out,
                  QTextStream& err) {
    const StoredSettings stored(settingsPath, err, [](SettingsRestore& r) {
        r.optionsOnly();
        r.hosts();
    });
    std::optional<QString> productHost;
    GenerationCriteria criteria = stored.criteria;
    QString tipFile;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--product-host")) {
            productHost = takeValue(args, i);
        } else if (args[i] == QLatin1String("--tips")) {
            const QString value = takeValue(args, i);
            const std::optional<int> tips = tryStrToInt(value);
            if (!tips || *tips < criteria.rowCount.min || *tips > criteria.rowCount.max)
                throw UsageError(QStringLiteral("--tips needs 1..12: %1").arg(value));
            criteria.rowCount.set(*tips);
        } else if (tipFile.isEmpty() && !args[i].startsWith(QLatin1String("--"))) {
            tipFile = args[i];
        } else {
            throw UsageError(QStringLiteral("basket: unexpected argument %1").arg(args[i]));
        }
    }
    if (tipFile.isEmpty()) throw UsageError(QStringLiteral("basket needs a tip file"));
    const Endpoints endpoints = hostsInUse(stored.window, productHost, err);
    QtHttpClient http;
    const SystemClock clock;
    Headless h(home, out, err, clock, &http, endpoints);
    h.desktop.echo = &out;
    h.controller.criteria() = criteria;
    setPickerDate(h.controller.state().drawDate, clock.today());
    loadSheet(h, tipFile);
    switch (h.controller.basket()) {
    case Controller::BasketOutcome::Opened:
        return Ok;
    case Controller::BasketOutcome::Notice:
        err << "kugelo-cli: the basket service sent a notice, written to " << h.controller.state().Home
            << "Meldung.htm\n";
        return Failure;
    case Controller::BasketOutcome::Refused:
        err << "kugelo-cli: " << printable(h.view.lastStatus) << '\n';
        return Failure;
    case Controller::BasketOutcome::NotRun:
        break;
    }
    return Failure;
}

// Fills a click script with the rows of a tip file as "Tipp abgeben" does and prints the filled script's
// path and the automation program's arguments, one per line; it starts nothing.
int commandScript(const QStringList& args, const QString& home, QTextStream& out, QTextStream& err) {
    QString tipFile;
    ScriptDialogModel model;
    AutomationChoice& choice = model.choice;
    const std::pair<const char*, QString*> values[] = {{"--script", &choice.script},
                                                       {"--zahl1", &choice.zahl1},
                                                       {"--text1", &choice.text1},
                                                       {"--zahl2", &choice.zahl2},
                                                       {"--text2", &choice.text2}};
    for (qsizetype i = 0; i < args.size(); ++i) {
        bool taken = false;
        for (const auto& [name, value] : values)
            if (!taken && args[i] == QLatin1String(name)) {
                *value = takeValue(args, i);
                taken = true;
            }
        if (taken) continue;
        if (tipFile.isEmpty() && !args[i].startsWith(QLatin1String("--")))
            tipFile = args[i];
        else
            throw UsageError(QStringLiteral("script: unexpected argument %1").arg(args[i]));
    }
    if (tipFile.isEmpty() || choice.script.isEmpty())
        throw UsageError(QStringLiteral("script needs a tip file and --script FILE"));
    model.close(); // empty ZAHL values become "0", as when the dialog closes
    const SystemClock clock;
    Headless h(home, out, err, clock);
    setPickerDate(h.controller.state().drawDate, clock.today());
    loadSheet(h, tipFile);
    const QString filled = h.controller.writeFilledScript(choice);
    out << filled << '\n';
    for (const QString& argument : automationArguments(filled, choice))
        out << argument << '\n';
    return Ok;
}

} // namespace

QString usageText() {
    return QStringLiteral(
        "Usage: kugelo-cli [--home DIR] COMMAND [ARGUMENTS]\n"
        "\n"
        "Commands:\n"
        "  draws [--from YYYY-MM-DD] [--to YYYY-MM-DD]  list the stored draws\n"
        "  select YYYY-MM-DD                            show the draw selected for a date\n"
        "  import FILE...                               add draws from CSV files\n"
        "  check TIPFILE [--date YYYY-MM-DD]            check a tip file against a draw\n"
        "  stats KIND --from YYYY-MM-DD --to YYYY-MM-DD [--tips TIPFILE]\n"
        "        KIND: frequency crosssums pairs triples quadruples overdue chance\n"
        "              chance-overdue rows (rows needs --tips)\n"
        "  generate [--from D] [--to D] [--set NAME=VALUE]... [--lock ROW:n1,n2,n3,n4,n5,c]...\n"
        "           [--seed N] [--clock N] [--out TIPFILE]     compute rows as \"Tipps berechnen\" does\n"
        "  search TIPFILE [--from D] [--to D] [--threshold T] [--set NAME=VALUE]...\n"
        "        search the history for the rows, every question answered Yes; prints\n"
        "        \"YYYY-MM-DD<TAB>row<TAB>hits\" per stop, then \"examined N draws\"\n"
        "  analyse params --from D [--seed S] [--clock N] [--set NAME=VALUE]...\n"
        "  analyse draws --from D [--threshold T]\n"
        "        the historical analysis of the settings or of the draws from D; prints the report\n"
        "        written to Test.rtf\n"
        "  settings                                     print the stored settings: name, type, value\n"
        "  update [--product-host URL] [--today YYYY-MM-DD]\n"
        "        fetch the draws after the last stored one from the draw service, day by day up to\n"
        "        today; prints each day with the service's status line, then\n"
        "        \"stored N draws, last YYYY-MM-DD\"; exit 1 when the service could not be reached\n"
        "  print TIPFILE [--end YYYY-MM-DD]             write Tipp.txt for the rows and print it\n"
        "  basket TIPFILE [--tips N] [--product-host URL]\n"
        "        ask the basket service and print the link(s) \"shopping\" would open, one per line\n"
        "  script TIPFILE --script FILE [--zahl1 X] [--text1 X] [--zahl2 X] [--text2 X]\n"
        "        write the filled click script; print its path, then the automation program's\n"
        "        arguments one per line (nothing is started)\n"
        "\n"
        "Options:\n"
        "  --home DIR       folder of the draw file Kugelo.dat\n"
        "  --settings FILE  the settings file (default: KUGELO_SETTINGS, else the per-user one)\n"
        "  --help           show this text\n"
        "  --version        show the version\n");
}

int run(const QStringList& arguments, const QString& defaultHome, QTextStream& out, QTextStream& err) {
    QString home = defaultHome;
    QString settingsPath = FileSettingsStore::defaultPath();
    qsizetype i = 0;
    try {
        for (; i < arguments.size() && arguments[i].startsWith(QLatin1String("--")); ++i) {
            const QString& option = arguments[i];
            if (option == QLatin1String("--help")) {
                out << usageText();
                return Ok;
            }
            if (option == QLatin1String("--version")) {
                out << "kugelo-cli " << KUGELO_VERSION << '\n';
                return Ok;
            }
            if (option == QLatin1String("--settings")) {
                settingsPath = takeValue(arguments, i);
                continue;
            }
            if (option == QLatin1String("--home")) {
                home = takeValue(arguments, i);
                if (!home.endsWith(QLatin1Char('/'))) home += QLatin1Char('/');
                if (!QDir(home).exists())
                    throw UsageError(QStringLiteral("--home: no such folder: %1").arg(home));
                continue;
            }
            throw UsageError(QStringLiteral("unknown option %1").arg(option));
        }
        if (i >= arguments.size()) throw UsageError(QStringLiteral("no command given"));
        const QString command = arguments[i];
        const QStringList rest = arguments.mid(i + 1);
        if (command == QLatin1String("draws")) return commandDraws(rest, home, out, err);
        if (command == QLatin1String("select")) return commandSelect(rest, home, out, err);
        if (command == QLatin1String("import")) return commandImport(rest, home, out);
        if (command == QLatin1String("check")) return commandCheck(rest, home, out, err);
        if (command == QLatin1String("stats")) return commandStats(rest, home, out, err);
        if (command == QLatin1String("generate")) return commandGenerate(rest, home, settingsPath, out, err);
        if (command == QLatin1String("update")) return commandUpdate(rest, home, settingsPath, out, err);
        if (command == QLatin1String("settings")) return commandSettings(rest, settingsPath, out, err);
        if (command == QLatin1String("search")) return commandSearch(rest, home, settingsPath, out, err);
        if (command == QLatin1String("analyse")) return commandAnalyse(rest, home, settingsPath, out, err);
        if (command == QLatin1String("print")) return commandPrint(rest, home, out, err);
        if (command == QLatin1String("basket")) return commandBasket(rest, home, settingsPath, out, err);
        if (command == QLatin1String("script")) return commandScript(rest, home, out, err);
        throw UsageError(QStringLiteral("unknown command %1").arg(command));
    } catch (const UsageError& e) {
        err << "kugelo-cli: " << e.text() << "\n\n" << usageText();
        return Usage;
    } catch (const KugeloError& e) {
        err << "kugelo-cli: " << e.text() << '\n';
        return Failure;
    }
}

} // namespace kugelo::cli
