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
    m_state.Position = 1;
    DrawRecord last; // the record buffer; its date starts at 0
    if (!reader.atEnd()) {
        last = reader.next();
        if (last.Datum >= m_state.aktDatum) {
            makeCurrent(last);
            showLine(kFirstSeparator, kChanceFound);
        }
    }
    // A damaged record (its date no number) is not a later draw: the search steps over it.
    while (!reader.atEnd() && !(last.Datum >= m_state.aktDatum)) {
        try {
            last = reader.next();
        } catch (const IoError&) {
            m_dialogs.message(QStringLiteral("Fehler"));
        }
        ++m_state.Position;
        if (last.Datum >= m_state.aktDatum) {
            makeCurrent(last);
            showLine(kSeparator, kChanceFound);
        }
    }
    --m_state.Position;
    if (reader.atEnd() && last.Datum > 0) {
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
    DrawRecord last;
    bool any = false;
    while (!reader.atEnd() && reader.readSoFar() <= m_state.Position) {
        last = reader.next();
        any = true;
    }
    if (any) {
        makeCurrent(last);
        if (delta > 0) {
            m_state.current.Zahl[5] = 0; // the reserved byte
            m_state.Position = static_cast<int>(reader.readSoFar() - 1);
        }
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
