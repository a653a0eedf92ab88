#include "Fixtures.h"

#include "draws/DrawFile.h"
#include "evaluation/HitCheck.h"

#include <set>

namespace kugelo::test {

void fillSheet(TipSheet& sheet, const QStringList& rows) {
    for (const QString& spec : rows) {
        const int r = spec.section(QLatin1Char(':'), 0, 0).toInt() - 1;
        const QStringList texts = spec.section(QLatin1Char(':'), 1).split(QLatin1Char(','));
        for (int f = 0; f < texts.size(); ++f)
            sheet.setText(r, f, texts[f]);
    }
}

QDate nextDrawDay(QDate day) {
    return day.addDays(day.dayOfWeek() == Qt::Saturday || day.dayOfWeek() == Qt::Monday ? 2 : 3);
}

std::vector<DrawRecord> syntheticDraws(std::uint32_t seed, int count, QDate first, QDate (*next)(QDate)) {
    std::vector<DrawRecord> records;
    RandomSource r(seed);
    QDate day = first;
    for (int i = 0; i < count; ++i) {
        std::set<int> numbers;
        while (numbers.size() < 5)
            numbers.insert(r.oneTo(49));
        std::array<int, 5> z{};
        std::copy(numbers.begin(), numbers.end(), z.begin());
        records.push_back(makeDrawRecord(day, z, r.oneTo(10)));
        day = next(day);
    }
    return records;
}

HomeFixture::HomeFixture(QDate from, QDate to) {
    state.Home = home.path();
    state.statisticsStart = from;
    state.drawDate = to;
}

QStringList HomeFixture::row(int r) const {
    QStringList texts;
    for (const QString& s : sheet.row(r).texts)
        texts << s;
    return texts;
}

void HomeFixture::writeSyntheticHistory(std::uint32_t seed) const {
    home.writeBytes(QStringLiteral("Kugelo.dat"),
                    encodeDrawRecords(syntheticDraws(seed, 60, QDate(2008, 10, 6), nextDrawDay)));
}

RunFixture::RunFixture()
    : HomeFixture(QDate(2008, 10, 6), QDate(2026, 12, 10)), currentDraw{state, messages, dialogs, [this] {
                                                                            Komplettcheck(state, sheet);
                                                                        }} {
    progress.onStatus = [this](int, const QString& text) { status = text; };
    hooks.progress = &progress;
    hooks.sheetCheck = [this] { Komplettcheck(state, sheet); };
}

GenerationRun::Outcome RunFixture::run(GenerationRun** out, bool literal) {
    state.sortieren = true;
    RunEnvironment environment{state, sheet, criteria, messages, chart, currentDraw, random, clock};
    environment.literal = literal;
    lastRun = std::make_unique<GenerationRun>(environment, hooks);
    if (out) *out = lastRun.get();
    return lastRun->run();
}

} // namespace kugelo::test
