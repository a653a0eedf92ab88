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
#include <map>

namespace kugelo::test {

// A clock at a fixed moment; tests move it by hand. The performance counter advances by a fixed step at
// every reading, as a real one does between two readings.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDate day = QDate(2026, 12, 10)) : moment(day.startOfDay().addSecs(12 * 3600)) {}
    QDate today() const override { return moment.date(); }
    QDateTime now() const override { return moment; }
    std::uint64_t performanceCounter() const override {
        const std::uint64_t value = counter;
        counter += step;
        return value;
    }
    std::uint32_t tickCount() const override { return ticks; }

    QDateTime moment;
    mutable std::uint64_t counter = 0x123456789ULL;
    std::uint64_t step = 977;
    std::uint32_t ticks = 1000;
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

    QStringList messages;
    QStringList questions;
    std::deque<bool> answers;
    std::deque<QString> inputs;
    std::deque<QString> fileNames;
    QList<FileDialogOptions> fileDialogs;
};

// Remembers what would have been opened or started.
class RecordingDesktop final : public Desktop {
public:
    void open(const QString& target) override { opened << target; }
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
    QString problem() const override { return problemText; }

    std::map<QString, std::vector<SettingValue>> keys;
    QString open;
    int failWritesAfter = -1; // writes that succeed before every further one throws IoError
    int writes = 0;
    QString problemText;
};

} // namespace kugelo::test
