#pragma once
// A C++ exception must never unwind through a window or dialog procedure:
// Windows' own frames lie between ours and know nothing of C++ unwinding.
// Every procedure runs its handler through Guarded(), which turns an
// escaping exception into the given fallback result. Nothing is logged:
// the program reports failures with its own messages where they happen.

namespace fw {

template <typename Result, typename Handler>
Result Guarded(Result fallback, Handler&& handler) noexcept {
  try {
    return handler();
  } catch (...) {
    return fallback;
  }
}

}  // namespace fw
