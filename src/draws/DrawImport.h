#pragma once

#include "draws/DrawFile.h"
#include "i18n/TextFile.h"
#include "platform/Errors.h"
#include "state/DrawRecord.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace kugelo {

// A line of an import file that cannot be taken: names the file, the line and the reason.
class ImportError : public KugeloError {
public:
    ImportError(const QString& fileName, int line, const QString& reason)
        : KugeloError(QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(reason)) {}
};

// Reads draws from the text of a CSV file in one of two formats:
//  - the lottery operator's archive: ';'-separated with a header naming date_de_tirage (dd/mm/yyyy or
//    yyyymmdd), boule_1..boule_5, numero_chance and optionally numero_jokerplus or numero_7;
//  - the plain format "date,n1,n2,n3,n4,n5,chance,joker" (date yyyy-mm-dd, header line optional).
// Takes the lines of the file as the text reader gives them. Main numbers are sorted into the record. Dates
// before the first draw of the game (6 October 2008) and after today are refused. Throws ImportError at the
// first bad line; with skipped, a bad line is left out instead and counted there with its error text
// ("file:line: reason") (a header that names no usable columns leaves out the whole file).
struct SkippedLines;
std::vector<DrawRecord> parseDrawCsv(const QString& fileName, const TextLines& lines,
                                     const QDate& today = QDate::currentDate(),
                                     SkippedLines* skipped = nullptr);

// The lines an import left out: how many, and the reasons of the first of them. A file of nothing but bad
// lines must not cost a text per line.
struct SkippedLines {
    static constexpr qsizetype KeptReasons = 100;
    qsizetype count = 0;
    QStringList reasons; // "file:line: reason", at most KeptReasons
    void add(const QString& reason) {
        ++count;
        if (reasons.size() < KeptReasons) reasons << reason;
    }
};

struct ImportResult {
    int imported = 0; // distinct dates written from the import
    int replaced = 0; // of those, dates that were stored before
};

// Puts the draws into the draw file in date order, a draw of a stored date replacing the stored record,
// and writes the file whole. A missing draw file counts as empty.
ImportResult importDraws(const DrawFile& file, const std::vector<DrawRecord>& draws);

} // namespace kugelo
