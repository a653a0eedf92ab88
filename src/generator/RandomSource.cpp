#include "generator/RandomSource.h"

#include "platform/Clock.h"

namespace kugelo {

void RandomSource::seedFromClock(const Clock& clock) {
    const std::uint64_t counter = clock.performanceCounter();
    m_state = counter != 0 ? static_cast<std::uint32_t>(counter) : clock.tickCount();
}

} // namespace kugelo
