#include "generator/GenerationRun.h"

#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "generator/GenerationCriteria.h"
#include "i18n/MessageTable.h"
#include "platform/Convert.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"
#include "stats/ChartModel.h"
#include "stats/Statistics.h"

#include <algorithm>

namespace kugelo {

const std::vector<DrawRecord>& RunReuse::records(const QString& path) {
    if (!m_read) {
        m_records = DrawFile(path).readDraws();
        m_read = true;
    }
    return m_records;
}

HistoryIndex& RunReuse::index(const std::vector<DrawRecord>& records, double upper) {
    if (!m_indexed || !m_index.extendTo(records, upper)) m_index.build(records, upper);
    m_indexed = true;
    return m_index;
}

GenerationRun::GenerationRun(RunEnvironment environment, RunHooks hooks)
    : m_env(environment), m_hooks(std::move(hooks)) {}

QString GenerationRun::progressLine() const {
    const Candidate& c = m_shown;
    const int k = m_shownRow;
    QString separator = QStringLiteral("  CS: ");
    if (k == 2 || k == 4)
        separator = QStringLiteral("   CS: ");
    else if (k == 3)
        separator = QStringLiteral("    CS: ");
    else if (k == 7 || k == 9)
        separator = QStringLiteral("  J:") + QString::number(c.chance) + QStringLiteral("  CS: ");
    return QString::number(k) + QLatin1Char('.') + m_env.messages[Msg::Tip] + QStringLiteral(":  ") +
           QString::number(c.z[0]) + QLatin1Char(' ') + QString::number(c.z[1]) + QStringLiteral("  ") +
           QString::number(c.z[2]) + QStringLiteral("  ") + QString::number(c.z[3]) + QStringLiteral("  ") +
           QString::number(c.z[4]) + separator + QString::number(c.crossSum());
}

void GenerationRun::putBack() {
    GenerationCriteria& g = m_env.criteria;
    g.forcePair = m_saved.forcePair;
    g.lastDrawShared.set(m_saved.lastDrawShared);
    g.secondLastDrawShared.set(m_saved.secondLastDrawShared);
    g.historyMatchSize.set(m_saved.historyMatchSize);
    m_env.state.Berechnunglaeuft = false;
    if (m_hooks.criteriaChanged) m_hooks.criteriaChanged();
}

void GenerationRun::prepare() {
    MainState& s = m_env.state;
    GenerationCriteria& g = m_env.criteria;
    s.sortieren = false;
    m_laufMax = g.runLimitThousands.value * 1000;
    s.LaufMax = m_laufMax;
    m_saved = {g.forcePair, g.lastDrawShared.value, g.secondLastDrawShared.value, g.historyMatchSize.value};
    const QDate end = s.drawDate;

    // The last three draws: the draw of the end date, then two steps back.
    m_env.currentDraw.selectByDate();
    m_lastDraws[0] = s.current;
    m_env.currentDraw.stepBack();
    m_lastDraws[1] = s.current;
    m_env.currentDraw.stepBack();
    m_lastDraws[2] = s.current;
    setPickerDate(s.drawDate, end);
    m_env.currentDraw.selectByDate();
}

void GenerationRun::countChanceStatistics(const std::vector<DrawRecord>& records) {
    const MainState& s = m_env.state;
    const double start = toDayNumber(s.statisticsStart);
    const double end = toDayNumber(s.drawDate);
    for (const auto& [x, y] : countStatistic(Statistic::ChanceFrequency, records, start, end).points)
        m_chance.f[static_cast<std::size_t>(x)] = y;
    for (const auto& [x, y] : countStatistic(Statistic::ChanceOverdue, records, start, end).points)
        m_chance.o[static_cast<std::size_t>(x)] = y;
}

void GenerationRun::relax(int row) {
    if (row < 3) return;
    GenerationCriteria& g = m_env.criteria;
    const auto at = [this](int offset) { return m_laufMax - offset > 0 && m_counter == m_laufMax - offset; };
    bool changed = false;
    if (at(20000)) {
        g.historyMatchSize.set(6); // stays at the spin's upper limit when that is lower
        changed = true;
    }
    if (at(10000)) {
        g.secondLastDrawShared.set(2);
        if (row != 8) g.lastDrawShared.set(1);
        changed = true;
    }
    if (at(5000)) {
        if (row != 8) g.secondLastDrawShared.set(3);
        g.lastDrawShared.set(2);
        changed = true;
    }
    if (changed && m_hooks.criteriaChanged) m_hooks.criteriaChanged();
}

void GenerationRun::rows() {
    MainState& s = m_env.state;
    GenerationCriteria& g = m_env.criteria;
    TipSheet& sheet = m_env.sheet;
    // Row j of N for the progress line: the rows this run computes (unlocked, up to UpDown8).
    long long rowsToCompute = 0;
    for (int k = 1; k <= 12; ++k)
        if (!sheet.isLocked(k - 1) && k <= g.rowCount.value) ++rowsToCompute;
    long long rowNumber = 0;
    for (int k = 1; k <= 12; ++k) {
        const int r = k - 1;
        if (sheet.isLocked(r)) {
            // A locked row stays as it is and takes part in the rules between rows. Its numbers and its
            // n° CHANCE must be whole numbers, or the conversion error ends the run; only the extra field,
            // which every run leaves empty, counts as 0 when empty.
            std::array<int, 7> values{};
            for (int f = 0; f < 7; ++f) {
                const QString& text = sheet.text(r, f);
                values[static_cast<std::size_t>(f)] =
                    f == TipSheet::Extra && text.isEmpty() ? 0 : (strToInt(text) & 0xFF);
            }
            std::copy(values.begin(), values.begin() + 5, m_candidate.z.begin());
            m_candidate.chance = values[5];
            m_candidate.extra = values[6];
        } else {
            if (m_counter < m_laufMax && k <= g.rowCount.value) {
                if (m_hooks.progress)
                    m_hooks.progress->advanced(++rowNumber, std::max(rowNumber, rowsToCompute), m_counter);
                for (;;) {
                    if (m_counter >= m_laufMax) break;
                    if (m_hooks.progress && m_hooks.progress->stopRequested()) break;
                    if (m_hooks.progress) m_hooks.progress->pump();
                    ++m_counter;
                    if (m_counter == m_laufMax / 2 && g.forcePair) {
                        g.forcePair = false;
                        if (m_hooks.criteriaChanged) m_hooks.criteriaChanged();
                    }
                    relax(k);
                    m_candidate.z = m_pool.drawCandidate(m_env.random);
                    if (m_env.literal)
                        countChanceStatistics(
                            DrawFile(s.drawFilePath()).readDraws()); // the file again for every candidate
                    m_candidate.chance = chooseChance(g, m_chance, m_env.random, m_env.clock);
                    m_candidate.extra = 0;
                    std::sort(m_candidate.z.begin(), m_candidate.z.end());
                    m_shown = m_candidate;
                    m_shownRow = k;
                    bool reachedHistory = false;
                    if (acceptCandidate(m_candidate, k, m_rows, g, m_lastDraws, m_window, &reachedHistory))
                        break;
                    if (reachedHistory && !m_chartEmptied) {
                        // The history scans empty the chart before they read.
                        m_env.chart.show({}, !m_env.chart.automaticAxis());
                        m_chartEmptied = true;
                    }
                    m_candidate.clear();
                }
            }
            if (m_counter >= m_laufMax) m_candidate.clear();
            std::sort(m_candidate.z.begin(), m_candidate.z.end());
            sheet.setCrossSum(r, QString::number(m_candidate.crossSum()));
        }
        const int values[7] = {m_candidate.z[0], m_candidate.z[1],   m_candidate.z[2], m_candidate.z[3],
                               m_candidate.z[4], m_candidate.chance, m_candidate.extra};
        for (int f = 0; f < 7; ++f)
            sheet.setText(r, f, QString::number(values[f]));
        for (int f = 0; f < 7; ++f)
            m_rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(f)] = values[f];
        m_candidate.clear();
    }
}

GenerationRun::Outcome GenerationRun::run() {
    MainState& s = m_env.state;
    const MessageTable& m = m_env.messages;
    try {
        prepare();
        m_env.sheet.clearAll();

        PoolHooks poolHooks{m_hooks.progress, m_hooks.showChartTab, m_hooks.numberList};
        if (!buildNumberPool(m_pool, m_env.criteria, s, m, m_env.chart, m_lastDraws, poolHooks)) {
            s.sortieren = true;
            putBack();
            return Outcome::Cancelled;
        }

        if (m_hooks.progress) m_hooks.progress->status(1, m[Msg::RunBegins]);
        m_candidate.clear();
        s.Berechnunglaeuft = true;
        if (m_hooks.showTipTab) m_hooks.showTipTab();
        m_counter = 0;

        // The history for the tests and the n° CHANCE choice, read once for the whole run.
        std::vector<DrawRecord> ownRecords;
        if (!m_env.reuse) ownRecords = DrawFile(s.drawFilePath()).readDraws();
        const std::vector<DrawRecord>& records =
            m_env.reuse ? m_env.reuse->records(s.drawFilePath()) : ownRecords;
        const double start = toDayNumber(s.statisticsStart);
        const double end = toDayNumber(s.drawDate);
        if (m_env.literal) {
            m_scan = std::make_unique<FileScanHistory>(s.drawFilePath(), end);
            m_window = {m_scan.get(), start, end};
        } else if (m_env.reuse) {
            m_window = {&m_env.reuse->index(records, end), start, end};
        } else {
            m_index.build(records, end);
            m_window = {&m_index, start, end};
        }
        const GenerationCriteria& g = m_env.criteria;
        countChanceStatistics(records);
        // The chart shows the n° CHANCE statistics the choice computes, in its order: the frequency for the
        // rarest mode, then the overdue counts whenever the choice needs them (the recent rule, or the
        // longest-overdue mode), so the overdue chart is the one left.
        if (g.chanceRarest) showStatistic(Statistic::ChanceFrequency, s, m, m_env.chart);
        if (g.chanceOverdue || g.chanceNotRecent) showStatistic(Statistic::ChanceOverdue, s, m, m_env.chart);

        // A pool of fewer than five numbers cannot give a candidate: the run ends as at its limit.
        if (m_pool.distinctNumbers() < 5) m_counter = m_laufMax;

        rows();

        s.sortieren = true;
        if (m_hooks.sheetCheck) m_hooks.sheetCheck();
        if (m_hooks.progress)
            m_hooks.progress->status(1,
                                     m_counter < m_laufMax ? m[Msg::TipsComputed] : m[Msg::ChangeParameters]);
        putBack();
        return Outcome::Finished;
    } catch (...) {
        s.sortieren = true;
        putBack();
        throw;
    }
}

} // namespace kugelo
