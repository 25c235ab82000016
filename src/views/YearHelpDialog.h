#pragma once
// The year view's quick hints (dialog IDD_YEAR_HINTS): a list of one-line
// tips, modal, closed with Esc or the close box.

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace views {

class YearHelpDialog : public fw::Dialog {
 public:
  explicit YearHelpDialog(fw::Prompter& prompter);

 protected:
  bool OnInitDialog() override;

 private:
  fw::SmallWindowIcon icon_;
};

}  // namespace views
