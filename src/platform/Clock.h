#pragma once

#include <QDate>
#include <QDateTime>
#include <cstdint>

namespace kugelo {

// Time as the program sees it; tests fix it with a double.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;
    // High-resolution performance counter (nanoseconds since an arbitrary start).
    virtual std::uint64_t performanceCounter() const = 0;
    // Milliseconds since an arbitrary start, wrapping at 2^32.
    virtual std::uint32_t tickCount() const = 0;
};

class SystemClock final : public Clock {
public:
    QDate today() const override;
    QDateTime now() const override;
    std::uint64_t performanceCounter() const override;
    std::uint32_t tickCount() const override;
};

// The system clock with the day that counts as today fixed (the update asks for the days up to it).
class DayClock final : public Clock {
public:
    explicit DayClock(const QDate& day) : m_day(day) {}
    QDate today() const override { return m_day; }
    QDateTime now() const override { return m_system.now(); }
    std::uint64_t performanceCounter() const override { return m_system.performanceCounter(); }
    std::uint32_t tickCount() const override { return m_system.tickCount(); }

private:
    QDate m_day;
    SystemClock m_system;
};

} // namespace kugelo
