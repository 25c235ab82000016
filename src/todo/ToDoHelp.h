#pragma once
// The to-do window's quick hints (template IDD_TODO_HELP): four tips, each
// after a bullet, in the shared dialog colouring, with the to-do window's
// small icon. No buttons: Esc or the close box ends it.

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace todo {

class ToDoHelp : public fw::Dialog {
 public:
  explicit ToDoHelp(fw::Prompter& prompter);

 protected:
  bool OnInitDialog() override;

 private:
  fw::SmallWindowIcon icon_;
};

}  // namespace todo
