#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace kugelo {

class Dialogs;
class MessageTable;
class Progress;
class TipSheet;
struct MainState;

// A place where the search stopped: the draw's date, the row (1..12) and its hits as compared with the
// threshold (row 1 counts an n° CHANCE hit when that option is on).
struct SearchStop {
    QDate date;
    int row = 0;
    int hits = 0;
};

struct SearchResult {
    int examined = 0;              // draws of the window examined
    std::vector<SearchStop> stops; // in the order met
    bool completed = false;        // ran to the end of the file (not ended by No or a stop request)
};

// What the search works on.
struct SearchEnvironment {
    MainState& state;
    TipSheet& sheet;
    const MessageTable& messages;
    // Switches the chart to its second series and shows that many bars of 0 (none at the start, twelve at the
    // end of a complete pass).
    std::function<void(int zeroBars)> showChart;
    Dialogs& dialogs;
    bool countChance = false;         // CheckBox31: row 1 counts its n° CHANCE hit
    std::function<void()> sheetCheck; // the sheet check at a stop (with the win sound)
    Progress* progress = nullptr;     // events and the stop request at every draw; panel 0 texts
    QString stopHint;                 // how to stop, shown after the progress text
};

// The threshold the input box proposes: 7 when the n° CHANCE counts, else 5.
inline int defaultSearchThreshold(bool countChance) {
    return countChance ? 7 : 5;
}

// The question at a stop, and its caption.
QString searchStopQuestion(const MessageTable& messages, int row, const QDate& date);
QString searchStopCaption(const MessageTable& messages, int row);

// "Tipps in DB suchen": compares every row of the sheet with every draw of the statistics window (both
// bounds inclusive), shows each draw as the current-draw line and each row's hits, and at every row that
// reaches the threshold checks the whole sheet and asks whether to go on. After a complete pass the chart
// shows twelve zero bars.
SearchResult searchHistory(const SearchEnvironment& env, int threshold);

} // namespace kugelo
