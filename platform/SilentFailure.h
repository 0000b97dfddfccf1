#pragma once
// Failures the user is spared (a failing event handler, paint pass or
// observer must not take the program down) but a developer must see: each
// distinct failure, by where it happened and what it said, is logged once
// through qWarning; repeats stay quiet so a failing paint does not flood
// the log. Safe from any thread.

#include <exception>
#include <utility>

// Logs the exception being handled (call it inside a catch block) unless
// the same failure at AWhere has been logged before.
void ReportSilentFailure(const char* AWhere) noexcept;

// Runs AOperation; a failure ends it and is reported as above.
template <class F> void Silently(const char* AWhere, F&& AOperation) noexcept {
    try {
        std::forward<F>(AOperation)();
    } catch (...) {
        ReportSilentFailure(AWhere);
    }
}
