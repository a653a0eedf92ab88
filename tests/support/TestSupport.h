#pragma once

#include "draws/DrawRecord.h"

#include <QString>
#include <QTemporaryDir>
#include <initializer_list>
#include <vector>

namespace kugelo::test {

// One draw of a test table: date, five main numbers (any order), n° CHANCE, the seven digits as text.
struct DrawRow {
    const char* date; // yyyy-mm-dd
    std::array<int, 5> numbers;
    int chance;
    const char* digits = "0000000";
};

DrawRecord toRecord(const DrawRow& row);
std::vector<DrawRecord> toRecords(std::initializer_list<DrawRow> rows);

// A temporary home folder (ending with '/') that is removed with the object.
class TempHome {
public:
    TempHome();
    const QString& path() const { return m_path; }
    QString file(const QString& name) const { return m_path + name; }
    QString drawFile() const { return file(QStringLiteral("Kugelo.dat")); }
    // Writes the draw file from a table of draws, plus optional raw trailing bytes.
    void writeDraws(std::initializer_list<DrawRow> rows, const QByteArray& trailing = {}) const;
    void writeBytes(const QString& name, const QByteArray& bytes) const;
    QByteArray readBytes(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// The real draw history (CSV) beside the repository, or an empty string when it is absent.
QString realHistoryCsv();

// The draws of a CSV file "date,n1,n2,n3,n4,n5,chance,joker" with a header line, read here on their own
// (not through the program's import) so that tests can hold the program's results against them.
std::vector<DrawRecord> readHistoryCsv(const QString& path);

} // namespace kugelo::test
