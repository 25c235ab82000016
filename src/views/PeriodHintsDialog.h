#pragma once
// The quick hints of the week or the year view (dialog IDD_WEEK_HINTS or
// IDD_YEAR_HINTS): a list of one-line tips with the view's small icon,
// modal, closed with Esc or the close box.

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace views {

class PeriodHintsDialog : public fw::Dialog {
 public:
  PeriodHintsDialog(fw::Prompter& prompter, int dialogId, int iconId);

 protected:
  bool OnInitDialog() override;

 private:
  int iconId_;
  fw::SmallWindowIcon icon_;
};

}  // namespace views
