#pragma once

#include <array>

namespace kugelo {

// Which control holds which value of the twelve rows of the tip sheet: the only reference for every
// command that reads or writes a row.
struct TipRow {
    const char* label;      // row label, click toggles the lock
    const char* caption;    // "1. Tipp" ...
    const char* numbers[5]; // main numbers 1..49
    const char* chance;     // n° CHANCE 1..10
    const char* extra;      // invisible extra field 1..10
    const char* hits;       // hits label
    const char* crossSum;   // cross-sum label
    const char* editButton; // opens the number dialog for the row
    int top;                // design pixels inside the tab
};

inline constexpr std::array<TipRow, 12> kTipRows = {{
    {"Label28",
     "1. Tipp",
     {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"},
     "Edit6",
     "Edit93",
     "Label22",
     "Label36",
     "Tipp1Edit",
     69},
    {"Label30",
     "2. Tipp",
     {"Edit7", "Edit8", "Edit9", "Edit10", "Edit11"},
     "Edit12",
     "Edit94",
     "Label23",
     "Label37",
     "Tipp2Edit",
     86},
    {"Label31",
     "3. Tipp",
     {"Edit13", "Edit14", "Edit15", "Edit16", "Edit17"},
     "Edit18",
     "Edit95",
     "Label24",
     "Label38",
     "Tipp3Edit",
     103},
    {"Label32",
     "4. Tipp",
     {"Edit19", "Edit20", "Edit21", "Edit22", "Edit23"},
     "Edit24",
     "Edit96",
     "Label25",
     "Label39",
     "Tipp4Edit",
     120},
    {"Label33",
     "5. Tipp",
     {"Edit25", "Edit26", "Edit27", "Edit28", "Edit29"},
     "Edit30",
     "Edit97",
     "Label26",
     "Label40",
     "Tipp5Edit",
     137},
    {"Label34",
     "6. Tipp",
     {"Edit31", "Edit32", "Edit33", "Edit34", "Edit35"},
     "Edit36",
     "Edit98",
     "Label27",
     "Label41",
     "Tipp6Edit",
     153},
    {"Label46",
     "7. Tipp",
     {"Edit43", "Edit44", "Edit45", "Edit46", "Edit47"},
     "Edit48",
     "Edit99",
     "Label45",
     "Label49",
     "Tipp7Edit",
     170},
    {"Label48",
     "8. Tipp",
     {"Edit49", "Edit50", "Edit51", "Edit52", "Edit53"},
     "Edit54",
     "Edit100",
     "Label47",
     "Label50",
     "Tipp8Edit",
     187},
    {"Label62",
     "9. Tipp",
     {"Edit56", "Edit57", "Edit58", "Edit59", "Edit60"},
     "Edit61",
     "Edit101",
     "Label65",
     "Label67",
     "Tipp9Edit",
     204},
    {"Label61",
     "10. Tipp",
     {"Edit62", "Edit63", "Edit64", "Edit65", "Edit66"},
     "Edit67",
     "Edit102",
     "Label66",
     "Label68",
     "Tipp10Edit",
     221},
    {"Label63",
     "11. Tipp",
     {"Edit68", "Edit69", "Edit70", "Edit71", "Edit72"},
     "Edit73",
     "Edit103",
     "Label69",
     "Label71",
     "Tipp11Edit",
     238},
    {"Label64",
     "12. Tipp",
     {"Edit74", "Edit75", "Edit76", "Edit77", "Edit78"},
     "Edit79",
     "Edit104",
     "Label70",
     "Label72",
     "Tipp12Edit",
     256},
}};

// Design x positions of the columns inside the tab.
inline constexpr int kTipNumberX[5] = {112, 144, 176, 208, 240};
inline constexpr int kTipChanceX = 288;
inline constexpr int kTipExtraX = 312;
inline constexpr int kTipHitsX = 344;
inline constexpr int kTipCrossSumX = 424;
inline constexpr int kTipEditButtonX = 456;
inline constexpr int kTipLabelX = 50;

} // namespace kugelo
