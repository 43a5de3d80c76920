#pragma once

#include <exception>
#include <utility>

namespace nt {

// Shown to the operator and written to stderr; never throws.
void ReportFailure(const char* where, const char* reason) noexcept;

// Runs the work of one Qt event. An exception must not unwind through Qt's event dispatch, so
// it ends here and is reported.
template <class Work>
void Guarded(const char* where, Work&& work) noexcept {
    try {
        std::forward<Work>(work)();
    } catch (const std::exception& e) {
        ReportFailure(where, e.what());
    } catch (...) {
        ReportFailure(where, "unknown exception");
    }
}

}  // namespace nt
