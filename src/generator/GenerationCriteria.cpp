#include "generator/GenerationCriteria.h"

#include "platform/Convert.h"

#include <QList>
#include <QStringList>
#include <algorithm>
#include <array>
#include <string_view>

namespace kugelo {

namespace {

using C = GenerationCriteria;

constexpr const char* kStatistisch = "Statistisch";
constexpr const char* kSchein = "Schein Optimierung";
constexpr const char* kMathematisch = "Mathematisch";
constexpr const char* kChance = "n° CHANCE";
constexpr const char* kAllgemein = "Allgemein";
constexpr const char* kTipOverview = "Tipp-Übersicht";

// Hints that several controls share.
constexpr const char* kPercentHint =
    "Die erste X Prozent werden mit einer Höheren Wahrscheinlichkeit versehen";
constexpr const char* kDatabaseHint =
    "Tipp vor noch keinen Xer aus der Datenbank entsprechen, beginnen mit dem "
    "Datum  aus deer Diagrammübersicht";
constexpr const char* kLastDrawHint = "Übereinstimmung mit Zahlen aus vorhergehender Ziehung";
// The label under which both cross-sum spins sit.
constexpr const char* kCrossSumLabel =
    "Quersummen von                  bis                     im Tipp zulassen";

OptionRow check(const char* name, const char* page, const char* caption, bool C::*flag,
                const char* hint = "") {
    return {name, OptionKind::Check, nullptr, page, caption, hint, flag, nullptr, {}};
}

OptionRow radio(const char* name, const char* caption, bool C::*flag) {
    return {name, OptionKind::Radio, nullptr, kChance, caption, "", flag, nullptr, {}};
}

OptionRow spin(const char* name, const char* edit, const char* page, SpinValue C::*value,
               const char* hint = "", const char* caption = "") {
    return {name, OptionKind::Spin, edit, page, caption, hint, nullptr, value, {}};
}

std::vector<OptionRow> buildTable() {
    return {
        // Statistisch
        check("CheckBox2", kStatistisch, "Zahlen die besonders oft gezogen wurden bevorzugen",
              &C::preferFrequent, "Die ersten X% der am häufigsten gezogenen Zahlen bevorzugen"),
        spin("UpDown12", "Edit85", kStatistisch, &C::frequentPercent, kPercentHint),
        check("CheckBox14", kStatistisch, "Zahlen die besonders selten gezogen wurden bevorzugen",
              &C::preferRare, "die ersten X% der am seltensten gezogenen Zahlen bevorzugen"),
        spin("UpDown14", "Edit87", kStatistisch, &C::rarePercent, kPercentHint),
        check("CheckBox10", kStatistisch, "Zahlen die am längsten überfällig sind", &C::preferOverdue,
              "die ersten X% der am längsten überfälligen Zahlen bevorzugen"),
        spin("UpDown13", "Edit86", kStatistisch, &C::overduePercent, kPercentHint),
        check("CheckBox1", kStatistisch, "Zahlen mit einer häufigen Paarebildung bevorzugen",
              &C::frequentPairs),
        check("CheckBox11", kStatistisch, "seltensten", &C::rarePairs),
        check("CheckBox6", kStatistisch, "Zahlen mit einer häufigen Dreiergruppenbildung bevorzugen",
              &C::frequentTriples),
        check("CheckBox12", kStatistisch, "seltensten", &C::rareTriples),
        check("CheckBox7", kStatistisch, "Zahlen mit einer häufigen Viergruppenbildung bevorzugen",
              &C::frequentQuadruples),
        check("CheckBox13", kStatistisch, "seltensten", &C::rareQuadruples),
        check("CheckBox19", kStatistisch, "benachbarte Zahlen der letzten Ziehung bevorzugen",
              &C::lastDrawNeighbours),

        // Schein Optimierung
        check("CheckBox3", kSchein, "maximale Übereinstimmungen mit anderen Tipps:", &C::limitMaxOverlap),
        spin("UpDown3", "Edit39", kSchein, &C::maxOverlap),
        check("CheckBox24", kSchein, "minimale Übereinstimmungen mit anderen Tipps:", &C::limitMinOverlap),
        spin("UpDown9", "Edit88", kSchein, &C::minOverlap),
        check("CheckBox27", kSchein, "Min/Max bezogen auf Verhältnis jedes Tipps auf jeden Tipp anwenden",
              &C::pairwiseOverlap),
        check("CheckBox9", kSchein, "Tipp darf noch keinen              er aus der Datenbank entsprechen",
              &C::avoidHistoryMatch, kDatabaseHint),
        spin("UpDown6", "Edit42", kSchein, &C::historyMatchSize,
             "Setzen Sie den Wert auf 5 oder 6 falls Sie die komplette Datenbank verwenden"),
        check("CheckBox28", kSchein,
              "Tipp darf keinen              er aus den letzten              Ziehungen sein",
              &C::avoidRecentMatch, kDatabaseHint),
        spin("UpDown17", "Edit91", kSchein, &C::recentMatchSize,
             "Setzen Sie den Wert auf 4 oder 5 falls Sie die Ziehungszahl sehr groß wählen"),
        spin("UpDown18", "Edit92", kSchein, &C::recentWeeks,
             "Hier können Sie nochmal  ab ev. 3 oder 4 der letzten Ziehungen ausschließen"),
        check("CheckBox4", kSchein,
              "maximale Übereinstimmung mit der letzten Ziehung zulassen:", &C::limitLastDraw, kLastDrawHint),
        spin("UpDown4", "Edit40", kSchein, &C::lastDrawShared),
        check("CheckBox5", kSchein, "maximale Übereinstimmung mit Zahlen der vorletzten Ziehung:",
              &C::limitSecondLastDraw, kLastDrawHint),
        spin("UpDown5", "Edit41", kSchein, &C::secondLastDrawShared),
        check("CheckBox23", kSchein, "maximale Übereinstimmung mit der vorvorletzten Ziehung:",
              &C::limitThirdLastDraw, kLastDrawHint),
        spin("UpDown11", "Edit84", kSchein, &C::thirdLastDrawShared),
        check("CheckBox31", kSchein, "n° CHANCEl in Übereinstimmungsberechnung mit einbeziehen!",
              &C::chanceCountsAsMatch),
        check("CheckBox29", kSchein, "vermeiden der Zahlen 1-12 (Monat oft getippt durch Datums-Tipper) ",
              &C::avoidOneToTwelve),
        check("CheckBox30", kSchein,
              "Wertigkeit der Zahlen von 1-31 verringern (Datum)  -  selterner im Tipp enthalten",
              &C::devalueOneToThirtyOne),

        // Mathematisch
        spin("UpDown1", "Edit37", kMathematisch, &C::crossSumMin, "", kCrossSumLabel),
        spin("UpDown2", "Edit38", kMathematisch, &C::crossSumMax, "", kCrossSumLabel),
        check("CheckBox22", kMathematisch, "mindest Anzahl der Primzahlen pro Tipp", &C::requirePrimes),
        spin("UpDown10", "Edit83", kMathematisch, &C::minPrimes),
        check("CheckBox25", kMathematisch, "mindest Anzahl der gerade Zahlen in jedem Tipp", &C::requireEven),
        spin("UpDown15", "Edit89", kMathematisch, &C::minEven),
        check("CheckBox26", kMathematisch, "mindest Anzahl der ungerade Zahlen in jede m Tipp",
              &C::requireOdd),
        spin("UpDown16", "Edit90", kMathematisch, &C::minOdd),
        check("CheckBox8", kMathematisch, "eine Paarbildung pro Tipp erzwingen", &C::forcePair),
        check("CheckBox18", kMathematisch, "keine Dreier, Vierer... Gruppen", &C::noThreeConsecutive),

        // n° CHANCE
        radio("RadioButton1", "einfach per Zufall bestimmen", &C::chanceAtRandom),
        radio("RadioButton2", "die am seltensten gezogen Zahl verwenden", &C::chanceRarest),
        radio("RadioButton3", "die am längsten ausstehende Zahl verwenden", &C::chanceOverdue),
        check("CheckBox16", kChance, "keine n° CHANCE Zahl aus den letzten Ziehungen", &C::chanceNotRecent),
        spin("UpDown19", "Edit105", kChance, &C::chanceRecentDraws),

        // Allgemein
        check("CheckBox15", kAllgemein, "für den Tipp nur bevorzugte Zahlen verwenden!", &C::onlyPreferred),
        check("CheckBox20", kAllgemein, "Liste für Zahlenreihengenerierung anzeigen / bearbeiten",
              &C::showPool),
        spin("UpDown7", "Edit55", kAllgemein, &C::runLimitThousands, "", "Maximale Berechnungsläufe"),

        // Tip overview
        spin("UpDown8", "Edit80", kTipOverview, &C::rowCount),
    };
}

} // namespace

const std::vector<OptionRow>& optionTable() {
    static const std::vector<OptionRow> table = [] {
        std::vector<OptionRow> rows = buildTable();
        for (OptionRow& row : rows) {
            row.stored = row.kind == OptionKind::Check
                             ? QStringLiteral("Chekcbox%1").arg(row.number()) // the store's own spelling
                             : QString::fromLatin1(row.name);
        }
        return rows;
    }();
    return table;
}

int OptionRow::number() const {
    const std::string_view text(name);
    std::size_t digits = text.size();
    while (digits > 0 && text[digits - 1] >= '0' && text[digits - 1] <= '9')
        --digits;
    int value = 0;
    for (std::size_t i = digits; i < text.size(); ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

std::vector<const OptionRow*> storedOptions(OptionKind kind) {
    // The table does not change: each kind's order is worked out once.
    static const auto byKind = [] {
        std::array<std::vector<const OptionRow*>, 3> lists;
        for (const OptionRow& row : optionTable())
            lists.at(static_cast<std::size_t>(row.kind)).push_back(&row);
        for (auto& rows : lists)
            std::stable_sort(rows.begin(), rows.end(), [](const OptionRow* a, const OptionRow* b) {
                return a->number() < b->number();
            });
        return lists;
    }();
    return byKind.at(static_cast<std::size_t>(kind));
}

const OptionRow* findOption(const QString& name) {
    for (const OptionRow& option : optionTable()) {
        if (name == QLatin1String(option.name)) return &option;
    }
    return nullptr;
}

QString applyOptionSettings(GenerationCriteria& criteria, const QStringList& settings) {
    GenerationCriteria changed = criteria;
    QList<std::pair<const OptionRow*, int>> spins;
    for (const QString& setting : settings) {
        const qsizetype eq = setting.indexOf(QLatin1Char('='));
        const OptionRow* option = eq > 0 ? findOption(setting.left(eq)) : nullptr;
        if (!option) return QStringLiteral("no option %1").arg(setting.left(eq));
        const auto value = tryStrToInt(setting.mid(eq + 1));
        if (!value) return QStringLiteral("not a number: %1").arg(setting);
        if (option->kind == OptionKind::Spin) {
            spins.append({option, *value});
            continue;
        }
        if (*value != 0 && *value != 1)
            return QStringLiteral("%1 takes 0 or 1").arg(QLatin1String(option->name));
        if (option->kind == OptionKind::Radio && *value == 1)
            changed.chooseChanceMode(QString::fromLatin1(option->name).right(1).toInt());
        else
            changed.*(option->flag) = *value == 1;
    }
    changed.historyMatchSize.setLimits(changed.historyMatchSize.min, changed.chanceCountsAsMatch ? 7 : 5);
    for (const auto& [option, value] : spins) {
        SpinValue& spin = changed.*(option->spin);
        if (value < spin.min || value > spin.max)
            return QStringLiteral("%1 lies within %2..%3")
                .arg(QLatin1String(option->name))
                .arg(spin.min)
                .arg(spin.max);
        spin.set(value);
    }
    criteria = changed;
    return {};
}

} // namespace kugelo
