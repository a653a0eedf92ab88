#pragma once

#include "state/DrawRecord.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

// Helpers shared by the fuzz targets. A broken contract prints what broke and aborts, so libFuzzer keeps
// the input as a crash reproducer.
namespace kugelo::fuzz {

[[noreturn]] void broken(const char* file, int line, const QString& what);

#define FUZZ_CHECK(condition, what)                                                                          \
    do {                                                                                                     \
        if (!(condition)) ::kugelo::fuzz::broken(__FILE__, __LINE__, (what));                                \
    } while (false)

// The input as a byte array (a deep copy: libFuzzer's buffer must not outlive the call).
inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A folder of this process for the files a target writes: in memory (/dev/shm) where there is one, so the
// writes cost little; removed at exit. Ends with '/'.
const QString& scratch();

// Writes bytes to a file of the scratch folder and returns its path (the file is replaced).
QString writeScratch(const QString& name, const QByteArray& bytes);
QByteArray readScratch(const QString& path);

// What a stored draw must be: five different numbers 1..49 in ascending order, byte 13 and 15 zero, an
// n° CHANCE 1..10, seven digits 0..9 and a whole, finite day number. Empty when valid, else the reason.
QString drawProblem(const DrawRecord& record);

// "day d: 1 2 3 4 5 / 6 / 1234567" for messages.
QString describe(const DrawRecord& record);

// Records in ascending date order (equal dates allowed where the format allows them).
bool inDateOrder(const std::vector<DrawRecord>& records);

} // namespace kugelo::fuzz

#include "platform/Clock.h"
#include "platform/Dialogs.h"

namespace kugelo::fuzz {

// A clock fixed at noon of a day.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDate day) : m_day(day) {}
    QDate today() const override { return m_day; }
    QDateTime now() const override { return m_day.startOfDay().addSecs(12 * 3600); }
    std::uint64_t performanceCounter() const override { return 0x12345678u; }
    std::uint32_t tickCount() const override { return 1000; }

private:
    QDate m_day;
};

// Dialogs that remember the last message, answer No and cancel every file dialog.
class QuietDialogs final : public Dialogs {
public:
    void message(const QString& text) override {
        lastMessage = text;
        ++messages;
    }
    bool question(const QString&, const QString&) override { return false; }
    QString input(const QString&, const QString&, const QString& proposed) override { return proposed; }
    QString openFileName(const FileDialogOptions&) override { return {}; }
    QString saveFileName(const FileDialogOptions&) override { return {}; }

    QString lastMessage;
    int messages = 0;
};

} // namespace kugelo::fuzz
