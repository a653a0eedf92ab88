#include "evaluation/TipSearch.h"

#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "evaluation/HitCheck.h"
#include "i18n/MessageTable.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"

#include "platform/DayNumber.h"

namespace kugelo {

QString searchStopQuestion(const MessageTable& messages, int row, const QDate& date) {
    const QString day = shortDate(date);
    if (row == 1)
        return messages[Msg::HitFoundOn] + QStringLiteral("  ") + day + QStringLiteral(" . ") +
               messages[Msg::Continue];
    // Rows 2 to 12 ask in fixed German words.
    return QStringLiteral("Ein Treffer am  ") + day + QStringLiteral(" gefunden. Weiter?");
}

QString searchStopCaption(const MessageTable& messages, int row) {
    return row == 1 ? messages[Msg::DrawFound] : QStringLiteral("Ziehung gefunden");
}

SearchResult searchHistory(const SearchEnvironment& env, int threshold) {
    MainState& s = env.state;
    TipSheet& sheet = env.sheet;
    SearchResult result;
    const std::vector<DrawRecord> records = DrawFile(s.drawFilePath()).readDraws();
    s.aktDatum = toDayNumber(s.statisticsStart);
    s.dfb = toDayNumber(s.drawDate);
    s.Gewinn = 0;
    if (env.showChart) env.showChart(0);

    for (const DrawRecord& record : records) {
        if (!(record.Datum >= s.aktDatum && record.Datum <= s.dfb)) continue;
        if (env.progress) {
            if (env.progress->stopRequested()) return result;
            env.progress->pump();
        }
        ++result.examined;
        s.current = record;
        s.currentDrawLine = currentDrawLine(s.current, QStringLiteral("  "), QStringLiteral("  n°: "));
        s.crossSumText =
            env.messages[Msg::CrossSum] + QStringLiteral(": ") + QString::number(s.current.crossSum());
        s.currentDrawStripLine = s.currentDrawLine;
        if (env.progress) env.progress->status(0, shortDate(record.date()) + env.stopHint);

        for (int r = 0; r < TipSheet::RowCount; ++r) {
            Zettelcheck(s, sheet.row(r).texts);
            QString label = QString::number(s.Gewinn);
            if (r == 0 && env.countChance && s.Zusatz) ++s.Gewinn;
            if (s.Zusatz) label += r == 0 ? QStringLiteral(" + PP") : QStringLiteral(" + n°");
            sheet.setHits(r, label, s.Gewinn > 1 || s.Zusatz);
            if (s.Gewinn < threshold) continue;

            result.stops.push_back({record.date(), r + 1, s.Gewinn});
            if (env.sheetCheck) env.sheetCheck();
            if (!env.dialogs.question(searchStopCaption(env.messages, r + 1),
                                      searchStopQuestion(env.messages, r + 1, record.date())))
                return result;
        }
    }
    if (env.showChart) env.showChart(12);
    result.completed = true;
    return result;
}

} // namespace kugelo
