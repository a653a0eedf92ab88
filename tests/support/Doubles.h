#pragma once

#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Sound.h"

#include <QDate>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>

namespace kugelo::test {

// Noon of a day: the moment both test clocks show.
inline QDateTime noonOf(QDate day) {
    return day.startOfDay().addSecs(12 * 3600);
}

// Where a SteppingClock starts: its day, its counter and its tick count.
struct SteppingClockStart {
    QDate day = QDate(2026, 12, 10);
    std::uint64_t first = 0x123456789ULL; // the first reading of the counter
    std::uint64_t step = 977;
    std::uint32_t ticks = 1000;
};

// The clock for code that reads the performance counter: seeds taken from the clock (the lucky number
// without a number, a generation run, the random n° CHANCE) come out the same on every run of a test.
// The moment stands still at noon of the given day. The counter starts at `first` and advances by `step`
// at every reading, as a real one does between two readings; a test sets `counter` to start a new
// sequence. The tick count stands still, as it is only read when the counter gives 0.
class SteppingClock final : public Clock {
public:
    using Start = SteppingClockStart;
    explicit SteppingClock(const Start& start = {})
        : counter(start.first), step(start.step), ticks(start.ticks), m_moment(noonOf(start.day)) {}
    QDate today() const override { return m_moment.date(); }
    QDateTime now() const override { return m_moment; }
    std::uint64_t performanceCounter() const override {
        const std::uint64_t value = counter;
        counter += step;
        return value;
    }
    std::uint32_t tickCount() const override { return ticks; }

    mutable std::uint64_t counter; // the next reading
    std::uint64_t step;
    std::uint32_t ticks;

private:
    QDateTime m_moment;
};

// The clock for code that only asks which day it is (the update up to today, file names with the date):
// noon of a day the test chooses and may change between two steps. Its counters stand still, so a test
// that seeds from the clock uses SteppingClock instead.
class FixedDayClock final : public Clock {
public:
    explicit FixedDayClock(QDate day = QDate(2026, 12, 10)) : m_moment(noonOf(day)) {}
    void setDay(QDate day) { m_moment = noonOf(day); }
    QDate today() const override { return m_moment.date(); }
    QDateTime now() const override { return m_moment; }
    std::uint64_t performanceCounter() const override { return 1; }
    std::uint32_t tickCount() const override { return 1; }

private:
    QDateTime m_moment;
};

// Records every message and answers questions, inputs and file dialogs from scripted queues
// (No, the proposed text and cancel when a queue is empty).
class ScriptedDialogs final : public Dialogs {
public:
    void message(const QString& text) override { messages << text; }
    bool question(const QString& caption, const QString& text) override;
    QString input(const QString& caption, const QString& prompt, const QString& proposed) override;
    QString openFileName(const FileDialogOptions& options) override;
    QString saveFileName(const FileDialogOptions& options) override;
    // Takes the next entry of fileNames; several files in one entry are separated by '\n'.
    QStringList openFileNames(const FileDialogOptions& options) override;

    QStringList messages;
    QStringList questions;            // "caption|text"
    QStringList prompts;              // the input boxes shown, "caption|prompt"
    std::function<void()> onQuestion; // runs when a question is asked, before it is answered
    std::deque<bool> answers;
    std::deque<QString> inputs;
    std::deque<QString> fileNames;
    QList<FileDialogOptions> fileDialogs;
};

// Remembers what would have been opened or started; opens says whether an application takes what is opened.
class RecordingDesktop final : public Desktop {
public:
    bool open(const QString& target) override {
        opened << target;
        return opens;
    }
    bool opens = true;
    void startProgram(const QString& program, const QStringList& arguments) override {
        started << (QStringList{program} + arguments);
    }

    QStringList opened;
    QList<QStringList> started;
};

// Remembers every sound it was asked to play.
class RecordingSound final : public Sound {
public:
    void play(const QString& path) override { played << path; }
    QStringList played;
};

// Opens real files, but the devices fail once the given number of bytes has been read or written
// (-1: never). Reaches the error paths of every file operation.
class FailingOpener final : public FileOpener {
public:
    std::unique_ptr<QIODevice> open(const QString& path, QIODevice::OpenMode mode) const override;

    qint64 failReadAfter = -1;
    qint64 failWriteAfter = -1;
};

// A full disk for the files this process writes: while the object lives, the system refuses every byte
// of a file beyond the given size (the process's file size limit), as a full disk does, also when the
// bytes were buffered and reach the system only at a flush or close.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    // The system's text for the refusal ("File too large").
    static QString reason();

private:
    quint64 m_previous = 0;
    void (*m_previousHandler)(int) = nullptr;
};

// A settings store in memory: keys of values, a write that fails after a number of writes, a problem text.
class MemorySettingsStore final : public SettingsStore {
public:
    bool openKey(const QString& path, bool create) override;
    void closeKey() override { open.clear(); }
    const SettingValue* find(const QString& name) const override;
    void write(const SettingValue& value) override;
    std::vector<SettingValue> values() const override;
    SettingsProblem problem() const override { return problemValue; }

    std::map<QString, std::vector<SettingValue>> keys;
    QString open;
    int failWritesAfter = -1; // writes that succeed before every further one throws IoError
    int writes = 0;
    SettingsProblem problemValue;
};

} // namespace kugelo::test
