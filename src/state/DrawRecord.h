#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>

namespace kugelo {

// One stored draw: 32 bytes, little-endian.
//   0  double   Datum        day number of the draw
//   8  5 bytes  Zahl[1..5]   main numbers, ascending
//  13  byte     Zahl[6]      0 (added into the cross sum, so it must stay 0)
//  14  byte     Zahl[7]      n° CHANCE
//  15  byte     Zahl[8]      0
//  16  7 bytes  Ziffern      the seven digits of the draw's extra number
//  23  6 bytes  Ziffern2     digits of a second extra number (unused)
//  29  3 bytes  reserved
struct DrawRecord {
    static constexpr int Size = 32;

    double Datum = 0.0;
    std::array<std::uint8_t, 8> Zahl{}; // Zahl[0] here is the design's Zahl[1]
    std::array<std::uint8_t, 7> Ziffern{};
    std::array<std::uint8_t, 6> Ziffern2{};
    std::array<std::uint8_t, 3> reserved{};

    std::uint8_t chance() const { return Zahl[6]; }
    // The five main numbers.
    std::array<int, 5> numbers() const { return {Zahl[0], Zahl[1], Zahl[2], Zahl[3], Zahl[4]}; }
    // The sum of the five main numbers.
    int crossSum() const { return Zahl[0] + Zahl[1] + Zahl[2] + Zahl[3] + Zahl[4]; }
    // Invalid for a damaged record whose date is no whole day of the years 1 to 9999.
    QDate date() const;
    // Its date is a whole day of the years 1 to 9999.
    bool hasDay() const;
    // Five different main numbers from 1 to 49 and an n° CHANCE from 1 to 10.
    bool holdsADraw() const;
    // A record that is no draw of the game, by its date or by its numbers (an older build or a hand-edited
    // file may hold one). Every reader passes over it, as if it were not there: the selection and the steps,
    // the statistics, the search, the analyses, the generation and the start of the update; `kugelo-cli
    // draws` reports it. The file keeps it as it is.
    bool isDamaged() const { return !hasDay() || !holdsADraw(); }
    // The seven digits as one string of '0'..'9' (other byte values shown as their last decimal digit).
    QString digits() const;

    void encode(char* out) const;
    static DrawRecord decode(const char* in);

    bool operator==(const DrawRecord&) const = default;
};

// A record for a date, five main numbers (sorted here), an n° CHANCE and the digit bytes.
DrawRecord makeDrawRecord(const QDate& date, std::array<int, 5> numbers, int chance,
                          const std::array<std::uint8_t, 7>& digits = {});

} // namespace kugelo
