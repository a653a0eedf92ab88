#include "platform/Clock.h"

#include <chrono>

namespace kugelo {

QDate SystemClock::today() const {
    return QDate::currentDate();
}

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

std::uint64_t SystemClock::performanceCounter() const {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

std::uint32_t SystemClock::tickCount() const {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

} // namespace kugelo
