#pragma once

#include "i18n/TextFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

namespace kugelo {

class RandomSource;

// Background of a number box: Normal is the system's tool-tip background, Yellow is (255, 255, 0).
enum class BoxColour { Normal, Yellow };

// The boxes, weights and random draw of the number list dialog, without any widget. Box n has the caption
// n, a set state, a weight (its hint text, a decimal integer as text) and a colour.
class NumberList {
public:
    // Boxes 1..59; 50..59 are hidden and take part only in the clearing of the random draw.
    static constexpr int BoxCount = 59;

    bool isSet(int n) const;
    // Box 1 runs the weight-change step whenever its set state changes; the other boxes just change.
    void setSet(int n, bool set);
    QString weight(int n) const;
    void setWeight(int n, const QString& weight);
    BoxColour colour(int n) const;
    void setColour(int n, BoxColour colour);

    // A mouse button went down on box n: the right button makes Minus true and runs the weight-change step
    // for the box; any other button only makes Minus false (the click that follows toggles the box).
    void mousePressed(int n, bool rightButton);
    // The mouse moved over box n: panel 0 shows its weight text, nothing else changes.
    void mouseOver(int n);
    // Panel 0 of the dialog's status bar.
    QString statusText() const { return m_status; }
    // The number whose weight the status text shows; 0 when it shows none.
    int statusNumber() const { return m_statusNumber; }

    // The animated random draw of the row mode. pressRandom is a press of the random button: the first
    // press clears every box and starts the timer, each further press fixes one more position, the press
    // at Losgeht >= MaxTipp stops the draw. tick is one 25 ms timer tick.
    bool timerActive() const { return m_timerActive; }
    void pressRandom(RandomSource& random);
    void tick(RandomSource& random);
    // The dialog was closed: timer off, the random button's caption back to Zufall, Losgeht := 1.
    void closed();
    QString randomButtonCaption() const { return m_randomCaption; }
    // For a caption that comes from elsewhere (a language file).
    void setRandomButtonCaption(const QString& caption) { m_randomCaption = caption; }

    // Number list files: MaxZahl lines, each ended by CR LF; line i holds the weight of box i when it is
    // set and is empty otherwise.
    QByteArray toNlf() const;
    // What saving writes: first gives every set box with an empty weight the weight "1", then toNlf().
    QByteArray saveNlf();
    // Takes MaxZahl lines of a number list file (as the text reader gives them); missing lines read as
    // empty, further lines are ignored.
    // A non-empty line sets its box and becomes its weight; an empty line clears the box, weight "1".
    void fromNlf(const TextLines& lines);

    // Fields of the dialog, under their design names.
    bool Minus = false;                        // the next weight change subtracts instead of adds
    int MaxTipp = 5;                           // how many numbers the random draw picks (at most 26)
    int MaxZahl = 49;                          // the highest number in use
    QString Zufall = QStringLiteral("Zufall"); // caption of the random button when idle
    QString Stopp = QStringLiteral("Stop");    // word shown while the draw runs
    std::array<int, 27> Tippreihe{};           // numbers fixed by the random draw, index 1..26
    int Losgeht = 1;                           // position of the next number to be fixed, 1-based

private:
    struct Box {
        bool set = false;
        QString weight = QStringLiteral("1");
        BoxColour colour = BoxColour::Normal;
    };

    static bool valid(int n) { return n >= 1 && n <= BoxCount; }
    int highest() const;   // MaxZahl kept within the boxes
    int positions() const; // MaxTipp kept within Tippreihe
    void weightStep(int n);
    void showWeightOf(int n);

    std::array<Box, BoxCount + 1> m_boxes{}; // index 0 unused
    QString m_status;
    int m_statusNumber = 0;
    bool m_timerActive = false;
    QString m_randomCaption = QStringLiteral("&Zufall");
};

} // namespace kugelo
