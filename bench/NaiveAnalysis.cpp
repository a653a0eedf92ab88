#include "NaiveAnalysis.h"

#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "evaluation/HitCheck.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"

#include <algorithm>

namespace kugelo {

DrawTallies naiveDrawComparisons(MainState& state, TipSheet& sheet, CurrentDraw& currentDraw, double limit) {
    DrawTallies tallies;
    const auto rowHits = [&] {
        Zettelcheck(state, sheet.row(0).texts);
        return static_cast<std::size_t>(std::clamp(state.Gewinn, 0, 5));
    };
    while (limit > state.current.Datum) {
        const double passDraw = state.current.Datum;
        sheet.clearAll();
        for (int f = 0; f < 5; ++f)
            sheet.setText(0, f, QString::number(state.current.Zahl[static_cast<std::size_t>(f)]));
        sheet.setText(0, TipSheet::Chance, QString::number(state.current.chance()));
        sheet.setText(0, TipSheet::Extra, QString::number(state.current.Zahl[7]));
        const double upper = toDayNumber(state.drawDate);
        DrawReader reader{DrawFile(state.drawFilePath())};
        while (!reader.atEnd()) {
            const DrawRecord r = reader.next();
            if (r.isDamaged()) continue;
            limit = r.Datum;
            if (!(r.Datum >= state.aktDatum && r.Datum < upper)) continue;
            state.current = r;
            ++tallies.earlier[rowHits()];
        }
        currentDraw.stepForward();
        const std::size_t h = rowHits();
        ++tallies.successor[h];
        if (state.current.Datum == passDraw) ++tallies.successorItself[h];
    }
    return tallies;
}

} // namespace kugelo
