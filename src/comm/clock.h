// The clock every transfer deadline and stopwatch reads. The links and the flows take it as a
// parameter so that a test can run a 36-second deadline in microseconds.
#pragma once

#include <cstdint>

namespace fw {

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds and microseconds of a steady clock; only differences mean anything.
    virtual std::uint64_t NowMs() = 0;
    virtual std::uint64_t NowUs() = 0;
    // Blocks for ms milliseconds without using the processor.
    virtual void SleepMs(std::uint32_t ms) = 0;
};

// std::chrono::steady_clock and std::this_thread::sleep_for.
class SteadyClock final : public Clock {
  public:
    std::uint64_t NowMs() override;
    std::uint64_t NowUs() override;
    void SleepMs(std::uint32_t ms) override;
};

// One steady clock for the whole program.
Clock& SystemClock();

}  // namespace fw
