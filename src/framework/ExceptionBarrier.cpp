#include "framework/ExceptionBarrier.h"

namespace fw {
namespace {

// The program's one failure report (installed by the application for its
// run) and whether it is showing a failure now. Only the user-interface
// thread runs window procedures.
FailureReport* g_report = nullptr;
bool g_reporting = false;

}  // namespace

ScopedFailureReport::ScopedFailureReport(FailureReport& report) : previous_(g_report) {
  g_report = &report;
}

ScopedFailureReport::~ScopedFailureReport() { g_report = previous_; }

void ReportHandlerFailure(const char* what) noexcept {
  if (g_report == nullptr || g_reporting) return;
  g_reporting = true;
  g_report->HandlerFailed(what != nullptr ? what : "");
  g_reporting = false;
}

}  // namespace fw
