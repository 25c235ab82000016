#pragma once
// The week view's quick hints (dialog IDD_WEEK_HINTS): a list of one-line
// tips, modal, closed with Esc or the close box.

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace views {

class WeekHelpDialog : public fw::Dialog {
 public:
  explicit WeekHelpDialog(fw::Prompter& prompter);

 protected:
  bool OnInitDialog() override;

 private:
  fw::SmallWindowIcon icon_;
};

}  // namespace views
