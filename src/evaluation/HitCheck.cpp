#include "evaluation/HitCheck.h"

#include "platform/Convert.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"

#include <algorithm>
#include <optional>

namespace kugelo {

void Zettelcheck(MainState& state, const std::array<QString, 7>& texts) {
    state.Gewinn = 0;
    state.Zusatz = false;
    state.Super = false;
    for (int j = 1; j <= 5; ++j)
        state.Treffer[j] = false;

    // Each text is converted when it is first compared; the first one that is not a number stops the
    // check, so only the comparisons of Zahl[1] with the texts before it have been made.
    std::array<int, 6> numbers{};
    int convertible = 0;
    while (convertible < 5) {
        const auto value = tryStrToInt(texts[static_cast<std::size_t>(convertible)]);
        if (!value) break;
        numbers[static_cast<std::size_t>(convertible) + 1] = *value;
        ++convertible;
    }
    const int draws = convertible == 5 ? 5 : 1;
    for (int i = 1; i <= draws; ++i) {
        for (int j = 1; j <= convertible; ++j) {
            if (numbers[static_cast<std::size_t>(j)] == state.current.Zahl[static_cast<std::size_t>(i) - 1]) {
                state.Treffer[static_cast<std::size_t>(j)] = true;
                ++state.Gewinn;
            }
        }
    }
    if (convertible < 5) return;
    if (const auto chance = tryStrToInt(texts[5]); chance && *chance == state.current.chance())
        state.Zusatz = true;
}

RowHits::RowHits(const std::array<QString, 7>& texts) {
    int convertible = 0;
    while (convertible < 5) {
        const auto value = tryStrToInt(texts[static_cast<std::size_t>(convertible)]);
        if (!value) break;
        if (*value >= 0 && *value < static_cast<int>(m_count.size()))
            ++m_count[static_cast<std::size_t>(*value)];
        ++convertible;
    }
    // As Zettelcheck counts: a row cut short is compared with the first drawn number only.
    m_draws = convertible == 5 ? 5 : 1;
}

int RowHits::operator()(const std::array<std::uint8_t, 8>& zahl) const {
    int hits = 0;
    for (int i = 0; i < m_draws; ++i)
        hits += m_count[zahl[static_cast<std::size_t>(i)]];
    return hits;
}

void Komplettcheck(MainState& state, TipSheet& sheet, const std::function<void()>& winningRow) {
    if (!state.sortieren) return;
    for (auto& counters : state.Statistik)
        counters.fill(0);

    for (int r = 0; r < TipSheet::RowCount; ++r) {
        std::array<int, 5> numbers{};
        bool convertible = true;
        for (int f = 0; f < 5 && convertible; ++f) {
            const auto value = tryStrToInt(sheet.text(r, f));
            convertible = value.has_value();
            if (convertible) numbers[static_cast<std::size_t>(f)] = static_cast<std::uint8_t>(*value);
        }
        if (!convertible) {
            sheet.setHits(r, QString());
            for (int f = 0; f < TipSheet::FieldCount; ++f)
                sheet.setBackground(r, f, FieldBackground::Normal);
            continue;
        }

        int sum = 0;
        for (int n : numbers)
            sum += n;
        sheet.setCrossSum(r, QString::number(sum));
        std::sort(numbers.begin(), numbers.end());
        for (int f = 0; f < 5; ++f)
            sheet.setText(r, f, QString::number(numbers[static_cast<std::size_t>(f)]));

        const TipSheet::Row& row = sheet.row(r);
        Zettelcheck(state, row.texts);
        for (int j = 1; j <= 5; ++j)
            sheet.setBackground(r, j - 1,
                                state.Treffer[static_cast<std::size_t>(j)] ? FieldBackground::Green
                                                                           : FieldBackground::Normal);
        const int hits = state.Gewinn;
        // A draw record with a repeated number (the file holds what the service delivered) can give more
        // than five hits; such rows are tallied with the sixes instead of writing past the table.
        const auto tally = static_cast<std::size_t>(std::min(hits, 6));
        ++state.Statistik[tally][state.Zusatz ? 1 : 0];
        if (state.Zusatz && state.Super) ++state.Statistik[tally][2];

        const bool winning = hits >= 2 || (hits == 0 && state.Zusatz);
        QString label = QString::number(hits);
        if (state.Zusatz && (hits == 0 || hits == 5)) label += QStringLiteral(" + n°");
        sheet.setHits(r, label, winning);
        if (winning && winningRow) winningRow();
        sheet.setBackground(r, TipSheet::Chance,
                            state.Zusatz ? FieldBackground::Red : FieldBackground::Normal);
    }
}

} // namespace kugelo
