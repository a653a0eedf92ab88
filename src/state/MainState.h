#pragma once

#include "platform/DayNumber.h"
#include "state/DrawRecord.h"

#include <QDate>
#include <QString>
#include <array>

namespace kugelo {

// The program-wide fields of the main window, owned by TForm1 and handed by reference to the domain.
// Control values that the domain reads and writes (date pickers, the current-draw labels) live here too;
// the window shows them.
struct MainState {
    // Set at start-up.
    QString Home; // always ends with '/'
    QString ZahlenFile = QStringLiteral("Kugelo.dat");
    QString SoundName = QStringLiteral("yippee.wav");
    int Groesse = 0;
    double dfb = 0.0;
    double aktDatum = 0.0;
    int LaufMax = 100000;
    bool sortieren = false;
    bool Berechnunglaeuft = false;
    int sprache = 0;

    // Kept only to be written back to the settings.
    QString LosNr;
    int neuerSchein = 0;
    int TippTop = 39;
    int TippLeft = 47;
    int Land = 1;
    int OnlineRadio = 1;

    // The current draw (the design's Datum1 and Zahl[1..8]: current.Datum, current.Zahl[0..7]), its position.
    DrawRecord current;
    int Position = 0;

    // The hit check: hits of the last row check, which of its numbers hit, whether its n° CHANCE hit, and
    // the tally of the last sheet check by hits (rows without / with the n° CHANCE hit / with Super).
    int Gewinn = 0;
    std::array<bool, 9> Treffer{}; // Treffer[1..8], 1..5 used
    bool Zusatz = false;
    bool Super = false; // cleared by every row check, set by nothing
    std::array<std::array<int, 3>, 7> Statistik{};

    // Control values.
    QDate drawDate = earliestDrawDate(); // DateTimePicker1: the chosen draw, end of the statistics window
    QDate statisticsStart = earliestDrawDate();         // DateTimePicker2: start of the statistics window
    QString currentDrawLine;                            // Label29: the current-draw line on the Datenbank tab
    QString currentDrawStripLine;                       // Label35: its copy in the strip of the tip overview
    QString crossSumText = QStringLiteral("Quersumme"); // Label13

    QString drawFilePath() const { return Home + ZahlenFile; }
};

} // namespace kugelo
