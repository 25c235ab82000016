#include "planner/EditHelp.h"

#include "resource.h"

namespace planner {

EditHelp::EditHelp(fw::Prompter& prompter, bool forToDo)
    : Dialog(IDD_EDIT_HELP, prompter), forToDo_(forToDo) {}

bool EditHelp::OnInitDialog() {
  icon_.Apply(Handle());
  if (forToDo_) SetWindowTextA(Handle(), kToDoTitle);
  return Dialog::OnInitDialog();
}

}  // namespace planner
