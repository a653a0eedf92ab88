// The files of a language: the master list, a language file and a message file, read as the menu
// "Sprache/&Language" reads them. The input holds the three files one after the other, each ended by the
// byte 0x1E (a missing file is empty).
//
// Contract:
// - the master list has one entry per five lines; an entry's window and name carry no leading or trailing
//   blank or control character, and taking the identity again changes nothing;
// - matching a walk against it assigns texts only to elements that are not fixed, in walk order, each the
//   language file's lines 2i and 2i+1 (empty past its end) of the first entry i with its identity among
//   the eleven entries from the last match on; an element with no such entry keeps its texts and the search
//   position, and an edit field never has its caption set;
// - an export of a walk (names made unique) read back through the files it writes (master list in UTF-8,
//   template in UTF-16 LE) gives every element that is not fixed exactly its own texts;
// - the message file replaces the table: entry n is line n, the first 62 entries missing from the file are
//   empty and the later ones keep their German texts; every text built from the table (progress, time left,
//   statistic captions, reports, search questions, import summary) is built without fault, and one that
//   holds a line of its own keeps that line whole.
#include "FuzzSupport.h"

#include "controller/Controller.h"
#include "controller/JobProgress.h"
#include "evaluation/HistoricalAnalysis.h"
#include "evaluation/TipSearch.h"
#include "i18n/LanguageFiles.h"
#include "i18n/MessageTable.h"
#include "i18n/TextFile.h"
#include "platform/Errors.h"
#include "stats/Statistics.h"

#include <algorithm>
#include <optional>

using namespace kugelo;
using namespace kugelo::fuzz;

namespace {

bool isIdentityEdge(QChar c) {
    return c.isSpace() || c.category() == QChar::Other_Control;
}

// Lines that a file written by the program gives back unchanged: no unpaired surrogate (UTF-16 keeps it,
// UTF-8 cannot) and no U+FEFF at the very start (the reader takes it for a byte-order mark).
bool survivesWriting(const QStringList& lines) {
    return std::all_of(lines.begin(), lines.end(), [](const QString& line) { return line.isValidUtf16(); }) &&
           (lines.isEmpty() || !lines.first().startsWith(QChar(0xFEFF)));
}

// A walk made from lines: each element takes a line as its name (with its position, so that names differ)
// and the next as its caption and hint; kinds and fixed marks follow the position.
std::vector<TextElement> walkOf(const QStringList& lines) {
    std::vector<TextElement> walk;
    for (qsizetype i = 0; i + 1 < lines.size() && walk.size() < 400; i += 2) {
        const qsizetype k = i / 2;
        TextElement e;
        e.window = k % 5 == 4 ? QStringLiteral("Form3") : QStringLiteral("Form1");
        e.name = QStringLiteral("E%1 ").arg(k) + lines[i].left(40);
        e.editField = k % 4 == 3;
        e.menuItem = k % 6 == 5;
        e.fixed = k % 9 == 8;
        if (!e.editField) e.caption = lines[i + 1];
        if (k % 3 != 0) e.hint = lines[i + 1].left(20) + QStringLiteral("?");
        walk.push_back(e);
    }
    return walk;
}

void checkMaster(const QStringList& lines, const std::vector<MasterEntry>& master) {
    FUZZ_CHECK(master.size() == std::size_t((lines.size() + 4) / 5),
               QStringLiteral("%1 entries from %2 lines").arg(master.size()).arg(lines.size()));
    for (const MasterEntry& entry : master)
        for (const QString& text : {entry.window, entry.name}) {
            FUZZ_CHECK(text.isEmpty() || (!isIdentityEdge(text.front()) && !isIdentityEdge(text.back())),
                       QStringLiteral("an identity with a blank or control character at its edge"));
            FUZZ_CHECK(identityText(text) == text, QStringLiteral("the identity of an identity differs"));
        }
}

void checkMatch(const std::vector<TextElement>& walk, const std::vector<MasterEntry>& master,
                const TextLines& language) {
    const std::vector<TextAssignment> assignments = matchLanguage(walk, master, language);
    const auto line = [&](std::size_t n) { return language.value(qsizetype(n)); };
    std::size_t position = 0;
    std::size_t next = 0;
    for (std::size_t k = 0; k < walk.size(); ++k) {
        const TextElement& e = walk[k];
        std::optional<std::size_t> found;
        const QString window = identityText(e.window);
        const QString name = identityText(e.name);
        for (std::size_t i = position; i < master.size() && i < position + 11 && !found; ++i)
            if (master[i].window == window && master[i].name == name) found = i;
        // A fixed element found takes its hint as a description only, when there is one, and the search
        // stays where it was.
        if (found && e.fixed && line(2 * *found + 1).isEmpty()) found.reset();
        const bool assigned = next < assignments.size() && assignments[next].element == k;
        FUZZ_CHECK(assigned == found.has_value(),
                   QStringLiteral("element %1 %2")
                       .arg(k)
                       .arg(assigned ? "assigned, not found" : "found, not assigned"));
        if (!found) continue;
        const TextAssignment& a = assignments[next++];
        FUZZ_CHECK(a.describeOnly == e.fixed, QStringLiteral("element %1: described wrongly").arg(k));
        if (e.fixed) {
            FUZZ_CHECK(a.hint == line(2 * *found + 1) && !a.setCaption,
                       QStringLiteral("fixed element %1 took more than its description").arg(k));
            continue;
        }
        FUZZ_CHECK(a.caption == line(2 * *found) && a.hint == line(2 * *found + 1),
                   QStringLiteral("element %1 took texts that are not those of entry %2").arg(k).arg(*found));
        FUZZ_CHECK(a.setCaption == !e.editField, QStringLiteral("element %1: caption set wrongly").arg(k));
        position = *found;
    }
    FUZZ_CHECK(next == assignments.size(),
               QStringLiteral("%1 assignments beyond the walk").arg(assignments.size() - next));

    // The entries beyond the reach of the search change nothing.
    const std::size_t reach = reachableMasterEntries(walk);
    if (reach < master.size()) {
        const std::vector<MasterEntry> near(master.begin(), master.begin() + std::ptrdiff_t(reach));
        const std::vector<TextAssignment> again = matchLanguage(walk, near, language);
        FUZZ_CHECK(again.size() == assignments.size() &&
                       std::equal(again.begin(), again.end(), assignments.begin(),
                                  [](const TextAssignment& a, const TextAssignment& b) {
                                      return a.element == b.element && a.caption == b.caption &&
                                             a.hint == b.hint;
                                  }),
                   QStringLiteral("the master entries beyond %1 changed the match").arg(reach));
    }
}

void checkExportRoundTrip(const std::vector<TextElement>& walk) {
    const TextExport out = exportTexts(walk);
    FUZZ_CHECK(out.masterList.size() == 5 * (out.translationTemplate.size() / 2),
               QStringLiteral("master list and template differ in length"));
    QStringList texts;
    for (const TextElement& e : walk)
        texts << e.name << e.caption << e.hint;
    if (!survivesWriting(texts) || !survivesWriting(out.translationTemplate)) return;

    const std::vector<MasterEntry> master = masterEntries(textLines(crlfText(out.masterList)));
    const TextLines language = textLines(crlfUtf16LeWithMark(out.translationTemplate));
    FUZZ_CHECK(language.toList() == out.translationTemplate,
               QStringLiteral("the template does not read back"));
    const std::vector<TextAssignment> assignments = matchLanguage(walk, master, language);
    std::size_t next = 0;
    for (std::size_t k = 0; k < walk.size(); ++k) {
        const TextElement& e = walk[k];
        const bool exported = !(e.editField && e.hint.isEmpty());
        if (!exported) continue;
        // A fixed element comes back as a description of its hint, when it has one.
        const bool described = next < assignments.size() && assignments[next].element == k;
        if (e.fixed) {
            if (described) {
                FUZZ_CHECK(assignments[next].describeOnly && assignments[next].hint == e.hint,
                           QStringLiteral("fixed element %1 came back with other texts").arg(k));
                ++next;
            }
            continue;
        }
        FUZZ_CHECK(described, QStringLiteral("exported element %1 not found again").arg(k));
        const TextAssignment& a = assignments[next++];
        const QString caption = e.editField ? e.hint : e.caption;
        FUZZ_CHECK(a.caption == caption && a.hint == e.hint,
                   QStringLiteral("exported element %1 came back with other texts").arg(k));
    }
    FUZZ_CHECK(next == assignments.size(), QStringLiteral("an element that was not exported took texts"));
}

void checkMessages(const QStringList& lines) {
    MessageTable m;
    m.replaceAll(lines);
    const QStringList& defaults = MessageTable::germanDefaults();
    const qsizetype size = std::max(lines.size(), defaults.size());
    FUZZ_CHECK(m.size() == size, QStringLiteral("the table has %1 entries").arg(m.size()));
    for (qsizetype n = 0; n < size; ++n) {
        const QString expected = n < lines.size()                 ? lines[n]
                                 : n < MessageTable::DefaultCount ? QString()
                                                                  : defaults[n];
        FUZZ_CHECK(m[int(n)] == expected,
                   QStringLiteral("entry %1 is \"%2\"").arg(n).arg(m[int(n)].left(40)));
    }
    FUZZ_CHECK(m[-1].isEmpty() && m[int(size)].isEmpty(), QStringLiteral("an entry outside the table"));

    for (const double seconds : {0.0, 9.4, 75.0, 3599.0, 86400.0 * 400})
        (void)timeLeftText(m, seconds);
    for (const JobKind kind : {JobKind::Update, JobKind::Generation, JobKind::Analysis})
        for (const bool running : {false, true})
            (void)jobProgressText(m, kind, {7, 80, 2}, running ? std::optional<double>(42.0) : std::nullopt,
                                  running);
    StatisticCounts counts;
    counts.points = {{1, 3}, {2, 0}, {49, 7}};
    counts.draws = 3;
    counts.found = 2;
    counts.sum = 371;
    for (int s = int(Statistic::Frequency); s <= int(Statistic::RowDistribution); ++s) {
        bool keep = false;
        (void)statisticCaption(Statistic(s), counts, m, &keep);
    }
    ParameterTotals totals;
    totals.rows[3] = {5, 1};
    totals.cycles = 4;
    (void)parameterReport(m, totals, 12);
    DrawTallies tallies;
    tallies.earlier[2] = 9;
    tallies.successor[3] = 1;
    (void)drawReport(m, tallies);
    (void)searchStopQuestion(m, 3, QDate(2019, 5, 4));
    (void)searchStopCaption(m, 12);

    Controller::ImportSummary summary;
    summary.added = 3;
    summary.skipped.add(QStringLiteral("Zeile 2: kein Datum"));
    summary.skipped.add(QStringLiteral("Zeile 9: 50"));
    const QStringList summaryLines = Controller::importSummaryText(m, summary, 1).split(QLatin1Char('\n'));
    FUZZ_CHECK(summaryLines.size() == 5 && summaryLines[0] == m[Msg::ImportAdded] + QStringLiteral("3") &&
                   summaryLines[3] == summary.skipped.reasons[0],
               QStringLiteral("the import summary lost a line"));
}

} // namespace

// A translated message without the placeholders its use fills makes Qt warn on every use; the warnings would
// take most of the time.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QList<QByteArray> files = bytesOf(data, size).split('\x1e');
    TextLines masterLines;
    TextLines language;
    TextLines messages;
    try {
        masterLines = textLines(files.value(0));
        language = textLines(files.value(1));
        messages = textLines(files.value(2));
    } catch (const IoError&) {
        return 0; // a line beyond the text reader's bound: the menu reports the file as unreadable
    }

    const QStringList master = masterLines.toList();
    const std::vector<MasterEntry> entries = masterEntries(masterLines);
    checkMaster(master, entries);
    // Two walks against the master list: one made of its own lines (most elements are found), one of the
    // language file's (most are not).
    std::vector<TextElement> own;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        TextElement e;
        e.window = master.value(qsizetype(5 * i));
        e.name = master.value(qsizetype(5 * i + 1));
        e.editField = i % 4 == 3;
        e.fixed = i % 7 == 6;
        if (i % 3 == 1) continue; // an element the program no longer has
        own.push_back(e);
    }
    checkMatch(own, entries, language);
    checkMatch(walkOf(language.toList()), entries, language);
    checkExportRoundTrip(walkOf(master));
    checkMessages(messages.toList());
    return 0;
}
