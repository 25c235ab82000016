#pragma once
// The program's failure report for the exception barrier: an action whose
// handler failed is named to the user in a message box (caption "Lumetta"),
// and the program goes on running.

#include "framework/ExceptionBarrier.h"
#include "framework/Prompter.h"

namespace shell {

class FailureMessage : public fw::FailureReport {
 public:
  explicit FailureMessage(fw::Prompter& prompter) : prompter_(prompter) {}
  void HandlerFailed(const char* what) noexcept override;

 private:
  fw::Prompter& prompter_;
};

}  // namespace shell
