#pragma once

#include "state/DrawRecord.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <functional>
#include <initializer_list>
#include <thread>
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

// Records that hold no draw of the game, as an older build or a hand-edited file may have stored them: adds
// the column "numbers" (five main numbers, then the n° CHANCE) and one row for each way to be none (a main
// number 0 or 50, a main number twice, an n° CHANCE 0 or 11). Each has a 7 and no 5.
void addImpossibleDrawRows();
// The record of such a row on a date (yyyy-mm-dd), its numbers as given.
DrawRecord impossibleRecord(const char* date, const QList<int>& numbers);

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

// A FIFO (named pipe) whose writer waits up to waitMs for a reader and then gives it the bytes: code that
// opens the FIFO to read it would otherwise wait for ever. The writer ends when the object goes.
class FeedingFifo {
public:
    FeedingFifo(const QString& path, const QByteArray& bytes, int waitMs = 3000);
    ~FeedingFifo();
    FeedingFifo(const FeedingFifo&) = delete;
    FeedingFifo& operator=(const FeedingFifo&) = delete;

    bool made() const { return m_made; }
    // Whether a reader opened the FIFO (and was given the bytes).
    bool read() const { return m_read; }

private:
    bool m_made = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_read{false};
    std::thread m_writer;
};
// Makes a FIFO (named pipe) at path; false when the system cannot.
bool makeFifo(const QString& path);

// Runs work, which reads the FIFO at fifo or something else that must not make it wait, and says whether it
// ended by itself. A read that waits for a writer of the FIFO is let go after ten seconds (a writer opens
// and closes it, so the read ends with no bytes), so that the test fails instead of hanging. An exception of
// work reaches the caller.
bool endsWithoutWaiting(const QString& fifo, const std::function<void()>& work);

// The real draw history (CSV) beside the repository, or an empty string when it is absent.
QString realHistoryCsv();

// One line of a CSV file "date,n1,n2,n3,n4,n5,chance,joker", as its text gives it.
struct HistoryRow {
    QDate date;
    std::array<int, 5> numbers; // in the order of the file
    int chance;
    QByteArray joker;
};

// The lines of such a file after its header line, read here on their own (not through the program's
// import), so that tests can count from the file itself.
std::vector<HistoryRow> readHistoryRows(const QString& path);

// The draws of such a file as records, read the same way, so that tests can hold the program's results
// against them.
std::vector<DrawRecord> readHistoryCsv(const QString& path);

} // namespace kugelo::test
