#pragma once
// A C++ exception must never unwind through a window or dialog procedure:
// Windows' own frames lie between ours and know nothing of C++ unwinding.
// Every procedure runs its handler through Guarded(), which turns an
// escaping exception into the given fallback result and tells the
// program's failure report, so that the user learns that an action did not
// complete while the program keeps running.

#include <exception>
#include <new>

namespace fw {

// What the program does when a handler failed (a message box, say).
class FailureReport {
 public:
  virtual ~FailureReport() = default;
  // `what` is the exception's own text, or "" for one of unknown type.
  virtual void HandlerFailed(const char* what) noexcept = 0;
};

// Installs a failure report for as long as it lives; the one before comes
// back after it. Without one, failures are passed over silently.
class ScopedFailureReport {
 public:
  explicit ScopedFailureReport(FailureReport& report);
  ~ScopedFailureReport();
  ScopedFailureReport(const ScopedFailureReport&) = delete;
  ScopedFailureReport& operator=(const ScopedFailureReport&) = delete;

 private:
  FailureReport* previous_;
};

// Hands a failure to the installed report. A failure while the report is
// still busy with another one (inside its message box) is passed over.
void ReportHandlerFailure(const char* what) noexcept;

template <typename Result, typename Handler>
Result Guarded(Result fallback, Handler&& handler) noexcept {
  try {
    return handler();
  } catch (const std::bad_alloc&) {
    ReportHandlerFailure("not enough memory");
  } catch (const std::exception& e) {
    ReportHandlerFailure(e.what());
  } catch (...) {
    ReportHandlerFailure("");
  }
  return fallback;
}

}  // namespace fw
