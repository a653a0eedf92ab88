#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

namespace kugelo {

struct MainState;
class TipSheet;

// The row check: compares five numbers and an n° CHANCE, given as texts, with those of the current draw,
// and leaves Gewinn, Treffer[1..5] and Zusatz in the state. A text that is not a whole number ends the
// comparison where it stands; the seventh text is not evaluated.
void Zettelcheck(MainState& state, const std::array<QString, 7>& texts);

// The row check of one row against many draws: the texts converted once, then for each draw's numbers the
// main hits Zettelcheck would leave in Gewinn.
class RowHits {
public:
    explicit RowHits(const std::array<QString, 7>& texts);
    int operator()(const std::array<std::uint8_t, 8>& zahl) const;

private:
    std::array<std::uint8_t, 256> m_count{}; // how often the row holds each value a draw byte can have
    int m_draws = 1;                         // the drawn numbers compared: 5, or 1 for a row cut short
};

// The sheet check: for every row, the cross sum, the numbers sorted, the row check, the hit colours, the
// hits label (red for a winning row, " + n°" for an n° CHANCE hit with 0 or 5 hits) and the tally
// Statistik. Does nothing while sortieren is false. winningRow is called for every winning row (the
// window plays the win sound).
void Komplettcheck(MainState& state, TipSheet& sheet, const std::function<void()>& winningRow = {});

} // namespace kugelo
