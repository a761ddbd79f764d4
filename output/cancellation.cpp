#include "output/cancellation.h"

namespace corvella {

namespace {

thread_local const std::atomic<bool>* current_flag = nullptr;

}  // namespace

CancelScope::CancelScope(const std::atomic<bool>& flag) : outer_(current_flag) { current_flag = &flag; }

CancelScope::~CancelScope() { current_flag = outer_; }

bool cancel_requested() { return current_flag != nullptr && current_flag->load(std::memory_order_relaxed); }

void throw_if_cancelled() {
    if (cancel_requested()) throw WorkCancelled();
}

}  // namespace corvella
