// Long work that the person may cancel (a save under the progress window):
// the work stops at its next progress step, and a file being written is not
// put in place, so an existing file keeps its old content.
#pragma once

#include <atomic>
#include <exception>

namespace corvella {

// Thrown out of work that was cancelled.
struct WorkCancelled : std::exception {
    const char* what() const noexcept override { return "The work was cancelled."; }
};

// While a scope lives, the work on its thread is cancelled once `flag` is
// set. Scopes nest; the innermost one counts.
class CancelScope {
public:
    explicit CancelScope(const std::atomic<bool>& flag);
    ~CancelScope();
    CancelScope(const CancelScope&) = delete;
    CancelScope& operator=(const CancelScope&) = delete;

private:
    const std::atomic<bool>* outer_;
};

// True when the work on this thread was cancelled.
bool cancel_requested();

// Throws WorkCancelled when the work on this thread was cancelled. The
// progress steps and the atomic file writer (before its rename) ask.
void throw_if_cancelled();

}  // namespace corvella
