// Finer sleeps while a link is open. The transfer protocols sleep 1 ms after every answer, and
// the system's default timer slack (50 µs on Linux) plus its rounding add close to a tenth to
// each of those sleeps, which over thousands of packets is a tenth of the whole transfer.
#pragma once

namespace fw {

// Holds the calling thread's timer slack (the thread that runs the transfer and its sleeps)
// at 1 µs for its lifetime and restores it afterwards. Does nothing on systems without such a
// setting.
class PreciseTimers {
  public:
    PreciseTimers();
    ~PreciseTimers();
    PreciseTimers(const PreciseTimers&) = delete;
    PreciseTimers& operator=(const PreciseTimers&) = delete;

  private:
    long previousNs_ = -1;
};

}  // namespace fw
