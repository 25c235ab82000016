#pragma once
// The quick hints of the day planner (template IDD_EDIT_HELP): six bulleted
// lines. The to-do window shows the same dialog under its own title.

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace planner {

class EditHelp : public fw::Dialog {
 public:
  static constexpr const char* kToDoTitle = "Quick hints on using the To-Do List";

  // forToDo: the title names the to-do list instead of the day planner.
  EditHelp(fw::Prompter& prompter, bool forToDo);

 protected:
  bool OnInitDialog() override;

 private:
  bool forToDo_;
  fw::SmallWindowIcon icon_;
};

}  // namespace planner
