#pragma once

#include <QString>
#include <algorithm>
#include <vector>

namespace kugelo {

// A spin button bound to its edit field: a position kept within the spin's limits.
struct SpinValue {
    int value = 0;
    int min = 0;
    int max = 0;

    // Sets the position within the limits, as the spin control does.
    void set(int v) { value = std::clamp(v, min, max); }
    // New limits; the position stays within them.
    void setLimits(int low, int high) {
        min = low;
        max = high;
        value = std::clamp(value, min, std::max(min, max));
    }
};

// Every generation option, one field per control of the "Berechnung" tab (and the row count of the tip
// overview), named after what it does; the option table below names the control of each. Check boxes and
// radio buttons are booleans, spin buttons positions within their limits. The controls show these values; the
// generation reads them when a test runs.
struct GenerationCriteria {
    // Statistisch
    bool preferFrequent = false; // prefer the most frequently drawn numbers
    SpinValue frequentPercent{30, 5, 75};
    bool preferRare = true; // prefer the least frequently drawn numbers
    SpinValue rarePercent{20, 5, 75};
    bool preferOverdue = true; // prefer the longest overdue numbers
    SpinValue overduePercent{30, 5, 75};
    bool frequentPairs = false;      // frequent pairs
    bool rarePairs = false;          // rarest pairs
    bool frequentTriples = false;    // frequent triples
    bool rareTriples = false;        // rarest triples
    bool frequentQuadruples = false; // frequent quadruples
    bool rareQuadruples = false;     // rarest quadruples
    bool lastDrawNeighbours = false; // neighbours of the last draw

    // Schein Optimierung
    bool limitMaxOverlap = true; // maximum overlap with other rows
    SpinValue maxOverlap{2, 0, 5};
    bool limitMinOverlap = true; // minimum overlap with other rows
    SpinValue minOverlap{1, 0, 5};
    bool pairwiseOverlap = true;   // bounds for every pair of rows
    bool avoidHistoryMatch = true; // never matched a stored draw in historyMatchSize numbers
    SpinValue historyMatchSize{4, 3, 5};
    bool avoidRecentMatch = true; // no recent draw matched in recentMatchSize numbers
    SpinValue recentMatchSize{3, 2, 5};
    SpinValue recentWeeks{60, 4, 128}; // recent window in weeks
    bool limitLastDraw = true;         // limit against the last draw
    SpinValue lastDrawShared{0, 0, 5};
    bool limitSecondLastDraw = true; // limit against the second-last draw
    SpinValue secondLastDrawShared{0, 0, 5};
    bool limitThirdLastDraw = true; // limit against the third-last draw
    SpinValue thirdLastDrawShared{1, 0, 5};
    bool chanceCountsAsMatch = false;   // the n° CHANCE counts as a match
    bool avoidOneToTwelve = false;      // avoid 1..12
    bool devalueOneToThirtyOne = false; // devalue 1..31

    // Mathematisch
    SpinValue crossSumMin{50, 21, 279};  // lowest cross sum
    SpinValue crossSumMax{200, 21, 239}; // highest cross sum
    bool requirePrimes = false;          // minimum primes
    SpinValue minPrimes{2, 0, 6};
    bool requireEven = false; // minimum even numbers
    SpinValue minEven{2, 0, 6};
    bool requireOdd = false; // minimum odd numbers
    SpinValue minOdd{2, 0, 6};
    bool forcePair = false;         // force a pair
    bool noThreeConsecutive = true; // no three consecutive numbers

    // n° CHANCE
    bool chanceAtRandom = false; // at random
    bool chanceRarest = true;    // the rarest
    bool chanceOverdue = false;  // the longest overdue
    bool chanceNotRecent = true; // not one of the recent draws
    SpinValue chanceRecentDraws{5, 1, 5};

    // Allgemein
    bool onlyPreferred = false;                // only preferred numbers
    bool showPool = false;                     // show the pool in the number list dialog
    SpinValue runLimitThousands{50, 1, 30000}; // run limit in thousands

    // Tip overview
    SpinValue rowCount{5, 1, 12}; // rows to compute

    // The radio buttons form one choice: setting one clears the other two.
    void chooseChanceMode(int radio) {
        chanceAtRandom = radio == 1;
        chanceRarest = radio == 2;
        chanceOverdue = radio == 3;
    }
};

// How an option is shown: one row of the option table.
enum class OptionKind { Check, Radio, Spin };

struct OptionRow {
    const char* name; // the control's design name, e.g. "CheckBox27", "UpDown8", "RadioButton2"
    OptionKind kind;
    const char* edit;    // spins: the bound edit field ("Edit39"); otherwise nullptr
    const char* page;    // inner tab: "Statistisch", "Schein Optimierung", "Mathematisch", "n° CHANCE",
                         // "Allgemein", or "Tipp-Übersicht"
    const char* caption; // UTF-8; empty for spins without a caption
    const char* hint;    // UTF-8; empty when none
    bool GenerationCriteria::*flag = nullptr;      // checks and radios
    SpinValue GenerationCriteria::*spin = nullptr; // spins
    // The name of its value in the settings store: "Chekcbox27" (sic) for CheckBox27, the control's own name
    // for radio buttons and spins.
    QString stored;
    // The number in the design name (27 for CheckBox27).
    int number() const;
};

// Every option of the criteria, in the order of the tabs.
const std::vector<OptionRow>& optionTable();

// The option of a design name, or nullptr.
const OptionRow* findOption(const QString& name);

// The options of a kind in the order the settings store keeps them: by the number in their name.
std::vector<const OptionRow*> storedOptions(OptionKind kind);

// Sets options by design name, "NAME=VALUE" each ("CheckBox27=0", "UpDown8=12", "RadioButton3=1"): check
// boxes and radio buttons take 0 or 1, spins a value within their limits. Check boxes and radio buttons come
// first, then the limit of UpDown6 as at start-up (7 with CheckBox31, else 5), then the spins. Returns what
// is wrong with the first bad setting (nothing is changed then), or an empty text.
QString applyOptionSettings(GenerationCriteria& criteria, const QStringList& settings);

} // namespace kugelo
