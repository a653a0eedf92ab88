#pragma once

#include <cstdint>

namespace kugelo {

class Clock;

// The program's one random source: a 32-bit linear congruential generator. A draw from 0..n-1 first
// advances s := s * 134775813 + 1 (mod 2^32) and returns (s * n) div 2^32. Owned by the main window and
// handed to whoever draws numbers, so every draw of the program advances the same state in order.
class RandomSource {
public:
    explicit RandomSource(std::uint32_t seed = 0) : m_state(seed) {}

    std::uint32_t state() const { return m_state; }
    void setState(std::uint32_t seed) { m_state = seed; }

    // The low 32 bits of the high-resolution performance counter, or the millisecond tick count where the
    // counter gives nothing.
    void seedFromClock(const Clock& clock);

    // A number from 0 to n-1 (0 when n is 0).
    std::uint32_t below(std::uint32_t n) {
        m_state = m_state * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(m_state) * n) >> 32);
    }

    // A number from 1 to n.
    int oneTo(int n) { return static_cast<int>(below(static_cast<std::uint32_t>(n))) + 1; }

private:
    std::uint32_t m_state;
};

} // namespace kugelo
