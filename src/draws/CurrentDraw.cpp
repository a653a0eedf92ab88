#include "draws/CurrentDraw.h"

#include "draws/DrawFile.h"
#include "i18n/MessageTable.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

namespace kugelo {

namespace {
const QString kFirstSeparator = QStringLiteral("   ");
const QString kSeparator = QStringLiteral("  ");
const QString kChanceFound = QStringLiteral(" n°:");
const QString kChanceLast = QStringLiteral("   n°: ");
} // namespace

QString currentDrawLine(const DrawRecord& draw, const QString& separator, const QString& chancePart,
                        const QLocale& locale) {
    const QDate date = fromDayNumber(draw.Datum);
    QString line = locale.standaloneDayName(date.dayOfWeek(), QLocale::ShortFormat);
    line += QLatin1Char(' ') + date.toString(QStringLiteral("dd.MM.yy")) + separator;
    for (int i = 0; i < 5; ++i)
        line += QStringLiteral("  ") + QString::number(draw.Zahl[static_cast<std::size_t>(i)]);
    line += chancePart + QString::number(draw.chance());
    return line;
}

CurrentDraw::CurrentDraw(MainState& state, const MessageTable& messages, Dialogs& dialogs,
                         std::function<void()> hitCheck, const FileOpener& opener)
    : m_state(state), m_messages(messages), m_dialogs(dialogs), m_hitCheck(std::move(hitCheck)),
      m_opener(opener) {}

void CurrentDraw::makeCurrent(const DrawRecord& record) {
    m_state.current = record;
}

void CurrentDraw::showLine(const QString& separator, const QString& chancePart) {
    m_state.currentDrawLine = currentDrawLine(m_state.current, separator, chancePart);
    // The reserved byte after the five main numbers counts too; every record written here holds 0 there.
    showCrossSum();
}

void CurrentDraw::showCrossSum() {
    const int crossSum = m_state.current.crossSum() + m_state.current.Zahl[5];
    m_state.crossSumText = m_messages[Msg::CrossSum] + QStringLiteral(": ") + QString::number(crossSum);
}

void CurrentDraw::runHitCheck() {
    if (m_hitCheck) m_hitCheck();
}

void CurrentDraw::selectByDate() {
    const DrawFile file(m_state.drawFilePath(), m_opener);
    if (!file.exists()) {
        m_dialogs.message(noDrawFileMessage());
        file.createIfMissing();
        return;
    }
    DrawReader reader(file);
    m_state.aktDatum = toDayNumber(m_state.drawDate);
    // A damaged record is no draw: the search passes over it, and it is never the last draw either.
    DrawRecord last; // the record buffer: the draw read last; its date starts at 0
    int lastPosition = 0;
    bool found = false;
    if (!reader.atEnd()) {
        const DrawRecord first = reader.next();
        if (!first.isDamaged()) {
            last = first;
            if (last.Datum >= m_state.aktDatum) {
                found = true;
                makeCurrent(last);
                showLine(kFirstSeparator, kChanceFound);
            }
        }
    }
    while (!reader.atEnd() && !found) {
        const int position = static_cast<int>(reader.readSoFar());
        try {
            const DrawRecord record = reader.next();
            if (record.isDamaged()) continue;
            last = record;
        } catch (const IoError&) {
            // The buffer keeps the draw read before; the position moves on with the record not read.
            m_dialogs.message(QStringLiteral("Fehler"));
        }
        lastPosition = position;
        if (last.Datum >= m_state.aktDatum) {
            found = true;
            makeCurrent(last);
            showLine(kSeparator, kChanceFound);
        }
    }
    m_state.Position = lastPosition;
    // The draw found is the last one also when only damaged records follow it.
    bool lastDraw = reader.atEnd();
    if (found && !lastDraw) {
        lastDraw = true;
        try {
            while (lastDraw && !reader.atEnd())
                lastDraw = reader.next().isDamaged();
        } catch (const IoError&) {
            lastDraw = false;
        }
    }
    if (lastDraw && last.Datum > 0) {
        makeCurrent(last);
        showLine(kSeparator, kChanceLast);
    }
    setPickerDate(m_state.drawDate, fromDayNumber(m_state.current.Datum));
    m_state.currentDrawStripLine = m_state.currentDrawLine;
    runHitCheck();
}

void CurrentDraw::step(int delta) {
    const DrawFile file(m_state.drawFilePath(), m_opener);
    DrawReader reader(file);
    m_state.aktDatum = toDayNumber(m_state.statisticsStart);
    m_state.Position = std::max(0, m_state.Position + delta);
    // The draw at the new position; where a damaged record stands there (no draw), the nearest draw before
    // it when stepping back, after it when stepping forward. At the ends of the file the end draw stays.
    const qint64 target = m_state.Position;
    DrawRecord chosen;
    qint64 chosenAt = -1;
    while (!reader.atEnd()) {
        const qint64 at = reader.readSoFar();
        const DrawRecord record = reader.next();
        if (record.isDamaged()) continue;
        if (delta < 0 && at > target && chosenAt >= 0) break;
        chosen = record;
        chosenAt = at;
        if (at >= target) break;
    }
    if (chosenAt >= 0) {
        makeCurrent(chosen);
        if (delta > 0) m_state.current.Zahl[5] = 0; // the reserved byte
        m_state.Position = static_cast<int>(chosenAt);
        showLine(kSeparator, kChanceLast);
        m_state.currentDrawStripLine = m_state.currentDrawLine;
        setPickerDate(m_state.drawDate, fromDayNumber(m_state.current.Datum));
    }
    runHitCheck();
}

void CurrentDraw::stepBack() {
    step(-1);
}

void CurrentDraw::stepForward() {
    step(+1);
}

void CurrentDraw::removeCurrent() {
    DrawFile(m_state.drawFilePath(), m_opener).removeDate(m_state.current.Datum);
    selectByDate();
}

} // namespace kugelo
