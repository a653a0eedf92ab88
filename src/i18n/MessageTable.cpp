#include "i18n/MessageTable.h"

namespace kugelo {

const QStringList& MessageTable::germanDefaults() {
    // Leading and trailing blanks are part of the texts: callers glue them to dates and numbers.
    static const QStringList texts = {
        QStringLiteral("Soll die Analyse der Datenbank jetzt ab dem "),            // 0
        QStringLiteral(" durchgeführt werden??"),                                  // 1
        QStringLiteral("aktuellen Tipps werden dabei gelöscht?"),                  // 2
        QStringLiteral("Bei wievielen Zahlen Übereinstellung stoppen?"),           // 3
        QStringLiteral("Ziehungsergebnis vergleichen"),                            // 4
        QStringLiteral("Ein Treffer am  "),                                        // 5
        QStringLiteral(" gefunden. Weiter?"),                                      // 6
        QStringLiteral("Ziehung gefunden"),                                        // 7
        QStringLiteral("Treffer von Ziehungen in der Datenbank"),                  // 8
        QStringLiteral("Wie oft gab es bei der nächsten Ziehung ähnliche Zahlen"), // 9
        QStringLiteral("Welche Glanzballzahl wurde am längsten nicht gezogen?"),   // 10
        QStringLiteral("Zahlen für Tipp "),                                        // 11
        QStringLiteral("Zahlen für Berechnung wählen"),                            // 12
        QString(),                                                                 // 13 reserved
        QString(),                                                                 // 14 reserved
        QString(),                                                                 // 15 reserved
        QStringLiteral("Fehler bei Eingabe der ZufallsZahl"),                      // 16
        QStringLiteral("Soll die Analyse der Einstellungen jetzt ab dem "),        // 17
        QStringLiteral(" durchgeführt werden??"),                                  // 18
        QStringLiteral("aktuellen Tipps werden dabei gelöscht?"),                  // 19
        QStringLiteral("Ihre Glückszahl (1-99999999)?"),                           // 20
        QStringLiteral("Geben Sie Ihre Glückszahl für den Zufallsgenerator ein!"), // 21
        QStringLiteral("Glückszahl "),                                             // 22
        QStringLiteral(" gesetzt"),                                                // 23
        QStringLiteral("Aktuelle Einstellung brachten"),                           // 24
        QStringLiteral("Zahlenverteilung des Tippes"),                             // 25
        QStringLiteral("Welche Zahl ist überfällig, wurde als seit wievielen Ziehungen nicht gezogen?"), // 26
        QString(),                                                             // 27 reserved
        QStringLiteral("Velmars Lotto-Tipp für "),                             // 28
        QStringLiteral("Tipp"),                                                // 29
        QStringLiteral("Glanzball"),                                           // 30
        QStringLiteral("Anzahl ohne"),                                         // 31
        QStringLiteral("Ziehungen"),                                           // 32
        QStringLiteral("mit je"),                                              // 33
        QStringLiteral("Reihen"),                                              // 34
        QStringLiteral("Berechnung der Paarbildung"),                          // 35
        QStringLiteral("Berechnung der Dreiergruppenbildung"),                 // 36
        QStringLiteral("Berechnung der Vierergruppenbildung"),                 // 37
        QStringLiteral("Berechnung der Zahlenverteilung"),                     // 38
        QStringLiteral("Berechnung der aussehenden Zahlen"),                   // 39
        QStringLiteral("Berechnung der Nachbarzahlen der letzten Ziehung"),    // 40
        QStringLiteral("Beginn der Tippberechnung"),                           // 41
        QStringLiteral("Stoppen"),                                             // 42
        QStringLiteral("Quersumme"),                                           // 43
        QString(),                                                             // 44 reserved
        QStringLiteral("Keine Gewähr für die Richtigkeit der Zahlen!"),        // 45
        QStringLiteral("Zahlenverteilung"),                                    // 46
        QStringLiteral("Wie oft wurden die einzelnen Sternenzahlen gezogen?"), // 47
        QStringLiteral("Bei wievielen Zahlen Übereinstellung stoppen?"),       // 48
        QStringLiteral("Tipp-Test"),                                           // 49
        QStringLiteral("Ein Treffer gefunden am:"),                            // 50
        QStringLiteral("Weiter?"),                                             // 51
        QStringLiteral("Ziehung gefunden"),                                    // 52
        QStringLiteral("Ziehungen"),                                           // 53
        QStringLiteral("Paare gefunden"),                                      // 54
        QStringLiteral("Dreier gefunden"),                                     // 55
        QStringLiteral("Quersummenverteilung"),                                // 56
        QStringLiteral("Vierer gefunden"),                                     // 57
        QStringLiteral("Ändern Sie die Parameter um 12 Tipps zuberechnen"),    // 58
        QStringLiteral("Tipps wurden neu berechnet"),                          // 59
        QStringLiteral("Zufall"),                                              // 60
        QStringLiteral("Stop"),                                                // 61
        QStringLiteral(
            "Was der Zufall allein gebracht hätte, für dieselben Reihen gegen zufällige Ziehungen: "), // 62
        QStringLiteral("Was der Zufall allein gebracht hätte, bei gleich vielen Vergleichen: "),       // 63
        QStringLiteral("beobachtet"),                                                                  // 64
        QStringLiteral("erwartet"),                                                                    // 65
        QStringLiteral("Verhältnis"),                                                                  // 66
        QStringLiteral("Mindestens 2 Richtige: "),                                                     // 67
        QStringLiteral(", allein durch Zufall mit 95 % Wahrscheinlichkeit: "),                         // 68
        QStringLiteral(" bis "),                                                                       // 69
        QStringLiteral(" => besser als der Zufall, mehr als die Zufallsschwankung erklärt"),           // 70
        QStringLiteral(" => nicht besser als der Zufall, im Rahmen der Zufallsschwankung"),            // 71
        QStringLiteral(" => schlechter als der Zufall, mehr als die Zufallsschwankung erklärt"),       // 72
        QStringLiteral("Analyse: Durchlauf "),                                                         // 73
        QStringLiteral("  (erneut klicken beendet die Analyse)"),                                      // 74
        QStringLiteral("  (erneut klicken beendet die Suche)"),                                        // 75
        QStringLiteral("Tag %1 von %2, gespeicherte Ziehungen: %3"),                                   // 76
        QStringLiteral("Tipp %1 von %2, Kandidaten: %3"),                                              // 77
        QStringLiteral("Ziehung %1 von %2"),                                                           // 78
        QStringLiteral("noch etwa %1"),                                                                // 79
        QStringLiteral("s"),                                                                           // 80
        QStringLiteral("min"),                                                                         // 81
        QStringLiteral("h"),                                                                           // 82
        QStringLiteral("Esc oder Stopp-Taste beendet"),                                                // 83
        QStringLiteral("Esc oder \u201E%1\u201C beendet"),                                             // 84
        QStringLiteral("Esc oder erneuter Klick beendet"),                                             // 85
        QStringLiteral("Mitgelieferte Ziehungen nicht lesbar, sie kommen vom Ziehungsdienst: "),       // 86
        QStringLiteral("Rückgängig"),                                                                  // 87
        QStringLiteral("Nicht rückgängig gemacht: die Ziehungsdatei wurde seitdem geändert"),          // 88
        QStringLiteral("Nicht rückgängig gemacht: die Tipps wurden seitdem geändert"),                 // 89
        QStringLiteral("Ziehungen importieren"),                                                       // 90
        QStringLiteral("CSV-Archive"),                                                                 // 91
        QStringLiteral("Neue Ziehungen: "),                                                            // 92
        QStringLiteral("Ersetzte Ziehungen: "),                                                        // 93
        QStringLiteral("Übersprungene Zeilen: "),                                                      // 94
        QStringLiteral("… und weitere: "),                                                             // 95
        QStringLiteral("Suche angehalten"),                                                            // 96
        QStringLiteral("Analyse angehalten"),                                                          // 97
        QStringLiteral("Nur http:// und https:// sind erlaubt, nicht %1"),                             // 98
        QStringLiteral(
            "Gespeicherter Server %1 nicht benutzt, nur http:// und https:// sind erlaubt; es gilt "
            "%2"),                                                                            // 99
        QStringLiteral("Nicht mitgezählt, weil die Ziehung beim Tippen schon bekannt war: "), // 100
        QStringLiteral("B&earbeiten"),                                                        // 101
        QStringLiteral(" — Strg+Z macht es rückgängig"),                                      // 102
        QStringLiteral("Tipps gespeichert in %1"),                                            // 103
        QStringLiteral("Tipps geladen aus %1"),                                               // 104
        QStringLiteral("Tipps gelöscht"),                                                     // 105
        QStringLiteral("Ziehung vom %1 gelöscht"),                                            // 106
        QStringLiteral("Keine Ziehung zum Löschen"),                                          // 107
        QStringLiteral("Ziehung vom %1 gespeichert"),                                         // 108
        QStringLiteral("Rückgängig gemacht: %1"),                                             // 109
        QStringLiteral("Liste zum Drucken geöffnet: %1"),                                     // 110
        QStringLiteral("Kein Programm hat die Liste geöffnet; sie liegt in %1"),              // 111
        QStringLiteral("Keine passende Ziehung gefunden; geprüfte Ziehungen: %1"),            // 112
        QStringLiteral("Gefundene Ziehungen: %1; geprüfte Ziehungen: %2"),                    // 113
        QStringLiteral("Überprüfen Sie den Tipp im Warenkorb!!!"),                            // 114
        QStringLiteral("Klickomat gestartet mit %1"),                                         // 115
        QStringLiteral("n° CHANCE: per Zufall"),                                              // 116
        QStringLiteral("n° CHANCE: die seltenste, überall dieselbe"),                         // 117
        QStringLiteral("n° CHANCE: die am längsten ausstehende, überall dieselbe"),           // 118
        QStringLiteral(
            "Keine Ziehung im Zeitraum: der Statistikbeginn (%1) liegt nach dem Enddatum (%2)"), // 119
        QStringLiteral("Keine Ziehung im Zeitraum: der Statistikbeginn (%1) liegt nach der letzten "
                       "gespeicherten Ziehung (%2)"),                               // 120
        QStringLiteral("Primzahlen"),                                               // 121
        QStringLiteral("übrige Zahlen"),                                            // 122
        QStringLiteral("%1: Durchschnitt der Summe der fünf Zahlen einer Ziehung"), // 123
        QStringLiteral("Keine Verbindung"),                                         // 124
        QStringLiteral("Der Ziehungsdienst %1 antwortet nicht (%2). Prüfen Sie die Internetverbindung und "
                       "den Produkt-Server auf der Registerkarte \u201E%3\u201C."), // 125
        QStringLiteral(
            "Der Proxy %1:%2 antwortet nicht (%3). Prüfen Sie Proxy und Port auf der Registerkarte "
            "\u201E%4\u201C."),                                             // 126
        QStringLiteral("Festgelegt durch %1"),                              // 127
        QStringLiteral("Nicht geöffnet, keine http- oder https-Adresse: "), // 128
        QStringLiteral("Loading"),                                          // 129
        QStringLiteral("Keine Antwort von "),                               // 130
        QStringLiteral("%1 kann nicht gelöscht werden."),                   // 131
        QStringLiteral("Der Ordner %1 kann nicht angelegt werden."),        // 132
        QStringLiteral("%1 ist ein Ordner, keine Einstellungsdatei: die Einstellungen werden weder gelesen "
                       "noch gespeichert."),                                                   // 133
        QStringLiteral("Die Einstellungen in %1 sind unlesbar (%2), sie gelten als fehlend."), // 134
        QStringLiteral("Die Datei liegt unverändert in %1."),                                  // 135
        QStringLiteral("%1, Richtige: %2"),                                                    // 136
        QStringLiteral("Ziehungsdatum"),                                                       // 137
        QStringLiteral("Die Ziehung dieses Datums wird angezeigt; die Statistik zählt die Ziehungen bis zu "
                       "diesem Datum."),                                                          // 138
        QStringLiteral("Statistik ab"),                                                           // 139
        QStringLiteral("Die Diagramme und die Berechnung zählen die Ziehungen ab diesem Datum."), // 140
        QStringLiteral("Die Zahl %1 geht mit der Gewichtung %2 in die Berechnung ein"),           // 141
        QStringLiteral("Ankreuzen nimmt die Zahl %1 in den Tipp"),                                // 142
        QStringLiteral("Wert von %1 bis %2"),                                                     // 143
        QStringLiteral("Nur Anzeige: wird über die Schaltfläche \u201E…\u201C der Reihe oder durch eine "
                       "Berechnung gefüllt"),                   // 144
        QStringLiteral("Wert, den das Script für %1 einsetzt"), // 145
    };
    return texts;
}

MessageTable::MessageTable() : m_texts(germanDefaults()) {}

QString MessageTable::operator[](int n) const {
    if (n < 0 || n >= m_texts.size()) return {};
    return m_texts.at(n);
}

void MessageTable::replaceAll(const QStringList& lines) {
    m_texts = lines;
    const QStringList& defaults = germanDefaults();
    if (m_texts.size() >= defaults.size()) return;
    while (m_texts.size() < DefaultCount)
        m_texts << QString();
    m_texts << defaults.mid(m_texts.size());
}

void MessageTable::resetToDefaults() {
    m_texts = germanDefaults();
}

} // namespace kugelo
