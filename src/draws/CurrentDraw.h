#pragma once

#include "platform/AtomicFile.h"
#include "state/DrawRecord.h"
#include "state/MainState.h"

#include <QLocale>
#include <QString>
#include <functional>

namespace kugelo {

class Dialogs;
class MessageTable;

// The message of a selection by date without a draw file.
inline QString noDrawFileMessage() {
    return QStringLiteral("Lesen Sie zuerst die Daten der Ziehungen ein");
}

// "DDD dd.mm.yy" + separator + "  n" for the five main numbers + the n° CHANCE part + the n° CHANCE.
QString currentDrawLine(const DrawRecord& draw, const QString& separator, const QString& chancePart,
                        const QLocale& locale = QLocale());

// Which draw is current and how the user moves through the history. Every operation re-reads the draw
// file from the start and ends with the hit check of the tip sheet.
class CurrentDraw {
public:
    CurrentDraw(MainState& state, const MessageTable& messages, Dialogs& dialogs,
                std::function<void()> hitCheck = {}, const FileOpener& opener = FileOpener::standard());

    void setHitCheck(std::function<void()> hitCheck) { m_hitCheck = std::move(hitCheck); }

    // The draw of the date in DateTimePicker1, or the next later one, or the last one becomes current.
    void selectByDate();
    // The previous / next stored draw becomes current; the ends of the file are kept.
    void stepBack();
    void stepForward();
    // Removes every record of the current draw's date, then selects by date.
    void removeCurrent();

    // The cross sum of the current draw again, in the words of the message table now (a language was
    // applied); nothing while no draw has been shown.
    void retitle() {
        if (!m_state.crossSumText.isEmpty()) showCrossSum();
    }

private:
    void makeCurrent(const DrawRecord& record);
    void showLine(const QString& separator, const QString& chancePart);
    void showCrossSum();
    void step(int delta);
    void runHitCheck();

    MainState& m_state;
    const MessageTable& m_messages;
    Dialogs& m_dialogs;
    std::function<void()> m_hitCheck;
    const FileOpener& m_opener;
};

} // namespace kugelo
