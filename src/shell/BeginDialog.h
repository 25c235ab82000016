#pragma once
// The month view's quick hints (template IDD_MONTH_HINTS): a list of
// one-line tips, modal, closed with Esc or the close box.

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace shell {

class BeginDialog : public fw::Dialog {
 public:
  explicit BeginDialog(fw::Prompter& prompter);

 protected:
  bool OnInitDialog() override;

 private:
  fw::SmallWindowIcon icon_;
};

}  // namespace shell
