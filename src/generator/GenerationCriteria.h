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

// Every generation option, one field per control of the "Berechnung" tab (and UpDown8 of the tip
// overview), named after the control. Check boxes and radio buttons are booleans, spin buttons positions
// within their limits. The controls show these values; the generation reads them when a test runs.
struct GenerationCriteria {
    // Statistisch
    bool CheckBox2 = false; // prefer the most frequently drawn numbers
    SpinValue UpDown12{30, 5, 75};
    bool CheckBox14 = true; // prefer the least frequently drawn numbers
    SpinValue UpDown14{20, 5, 75};
    bool CheckBox10 = true; // prefer the longest overdue numbers
    SpinValue UpDown13{30, 5, 75};
    bool CheckBox1 = false;  // frequent pairs
    bool CheckBox11 = false; // rarest pairs
    bool CheckBox6 = false;  // frequent triples
    bool CheckBox12 = false; // rarest triples
    bool CheckBox7 = false;  // frequent quadruples
    bool CheckBox13 = false; // rarest quadruples
    bool CheckBox19 = false; // neighbours of the last draw

    // Schein Optimierung
    bool CheckBox3 = true; // maximum overlap with other rows
    SpinValue UpDown3{2, 0, 5};
    bool CheckBox24 = true; // minimum overlap with other rows
    SpinValue UpDown9{1, 0, 5};
    bool CheckBox27 = true; // bounds for every pair of rows
    bool CheckBox9 = true;  // never matched a stored draw in UpDown6 numbers
    SpinValue UpDown6{4, 3, 5};
    bool CheckBox28 = true; // no recent draw matched in UpDown17 numbers
    SpinValue UpDown17{3, 2, 5};
    SpinValue UpDown18{60, 4, 128}; // recent window in weeks
    bool CheckBox4 = true;          // limit against the last draw
    SpinValue UpDown4{0, 0, 5};
    bool CheckBox5 = true; // limit against the second-last draw
    SpinValue UpDown5{0, 0, 5};
    bool CheckBox23 = true; // limit against the third-last draw
    SpinValue UpDown11{1, 0, 5};
    bool CheckBox31 = false; // the n° CHANCE counts as a match
    bool CheckBox29 = false; // avoid 1..12
    bool CheckBox30 = false; // devalue 1..31

    // Mathematisch
    SpinValue UpDown1{50, 21, 279};  // lowest cross sum
    SpinValue UpDown2{200, 21, 239}; // highest cross sum
    bool CheckBox22 = false;         // minimum primes
    SpinValue UpDown10{2, 0, 6};
    bool CheckBox25 = false; // minimum even numbers
    SpinValue UpDown15{2, 0, 6};
    bool CheckBox26 = false; // minimum odd numbers
    SpinValue UpDown16{2, 0, 6};
    bool CheckBox8 = false; // force a pair
    bool CheckBox18 = true; // no three consecutive numbers

    // n° CHANCE
    bool RadioButton1 = false; // at random
    bool RadioButton2 = true;  // the rarest
    bool RadioButton3 = false; // the longest overdue
    bool CheckBox16 = true;    // not one of the recent draws
    SpinValue UpDown19{5, 1, 5};

    // Allgemein
    bool CheckBox15 = false;         // only preferred numbers
    bool CheckBox20 = false;         // show the pool in the number list dialog
    SpinValue UpDown7{50, 1, 30000}; // run limit in thousands

    // Tip overview
    SpinValue UpDown8{5, 1, 12}; // rows to compute

    // The radio buttons form one choice: setting one clears the other two.
    void chooseChanceMode(int radio) {
        RadioButton1 = radio == 1;
        RadioButton2 = radio == 2;
        RadioButton3 = radio == 3;
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
