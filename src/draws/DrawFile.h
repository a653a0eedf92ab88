#pragma once

#include "platform/AtomicFile.h"
#include "state/DrawRecord.h"

#include <QString>
#include <memory>
#include <vector>

namespace kugelo {

// The draw history: a headerless sequence of 32-byte records in date order. The record count is the file
// size divided by 32, rounded down; bytes of a trailing partial record are never read and the next
// append writes over them. Every failure throws IoError.
class DrawFile {
public:
    // No real draw file reaches this (a million draws take 32,000,000 bytes); a larger one is not read, so
    // that a damaged or foreign file cannot take all memory.
    static constexpr qint64 MaxBytes = qint64(32) << 20;

    explicit DrawFile(QString path, const FileOpener& opener = FileOpener::standard());

    const QString& path() const { return m_path; }
    const FileOpener& opener() const { return m_opener; }
    bool exists() const;
    // Creates an empty draw file when there is none; an existing file is left alone.
    void createIfMissing() const;

    // Every whole record in file order.
    std::vector<DrawRecord> readAll() const;
    // The draws: every whole record in file order but the damaged ones (DrawRecord::isDamaged). What the
    // statistics, the search, the analyses and the generation work on; the rewrites keep every record.
    std::vector<DrawRecord> readDraws() const;
    // The last whole record that is not damaged, read from the end; false for a file without one.
    bool lastRecord(DrawRecord& record) const;

    // Writes records after the last whole record.
    void append(const std::vector<DrawRecord>& records) const;
    void append(const DrawRecord& record) const { append(std::vector<DrawRecord>{record}); }

    // Rewrites the file with the record placed before the first stored record of the same or a later
    // date; stored records of the same date are replaced. Returns true when one was replaced.
    bool insertInDateOrder(const DrawRecord& record) const;

    // Rewrites the file without the records of the given day. Returns how many were removed.
    int removeDate(double datum) const;

    // Rewrites the file with exactly these records (through the draw file name + "~").
    void replaceContents(const std::vector<DrawRecord>& records) const;

    // The file as it lies on disk, every byte (a trailing partial record too); empty for a missing file.
    QByteArray bytes() const;
    // Puts exactly these bytes back through the rewrite of replaceContents (the undo of a change).
    void restoreBytes(const QByteArray& bytes) const;

    // The temporary files of the rewrites, beside the draw file.
    QString insertTempPath() const { return m_path + QLatin1Char('~'); }
    QString removeTempPath() const;

private:
    QString m_path;
    const FileOpener& m_opener;
};

// The common reading loop: opens the file and hands out its records one by one from the first.
class DrawReader {
public:
    explicit DrawReader(const DrawFile& file);

    qint64 count() const { return m_count; }
    qint64 readSoFar() const { return m_read; }
    bool atEnd() const { return m_read >= m_count; }
    // The next record; throws IoError when it cannot be read (the loop may go on past it).
    DrawRecord next();

private:
    QString m_path;
    QString m_error;
    QByteArray m_bytes; // the file read in one go; records it does not hold whole could not be read
    qint64 m_count = 0;
    qint64 m_read = 0;
};

QByteArray encodeDrawRecords(const std::vector<DrawRecord>& records);

} // namespace kugelo
