#include "comm/links/precisetimers.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace fw {

PreciseTimers::PreciseTimers() {
#ifdef __linux__
    const int previous = ::prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    if (previous > 0 && ::prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0) == 0) previousNs_ = previous;
#endif
}

PreciseTimers::~PreciseTimers() {
#ifdef __linux__
    if (previousNs_ > 0)
        ::prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(previousNs_), 0, 0, 0);
#endif
}

}  // namespace fw
