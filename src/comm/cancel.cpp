#include "comm/cancel.h"

#include <algorithm>

namespace fw {

void CancelSignal::Request() {
    requested_.store(true, std::memory_order_release);
    // A wake may end its scope (and so change the list) before returning; work on a copy.
    const std::vector<Waker> wakers = wakers_;
    for (auto it = wakers.rbegin(); it != wakers.rend(); ++it)
        it->wake();
}

CancelSignal::WakeScope::WakeScope(CancelSignal* signal, std::function<void()> wake)
    : signal_(signal) {
    if (signal_ == nullptr) return;
    id_ = signal_->nextId_++;
    signal_->wakers_.push_back({id_, std::move(wake)});
}

CancelSignal::WakeScope::~WakeScope() {
    if (signal_ == nullptr) return;
    auto& wakers = signal_->wakers_;
    wakers.erase(std::remove_if(wakers.begin(), wakers.end(),
                                [this](const Waker& w) { return w.id == id_; }),
                 wakers.end());
}

}  // namespace fw
