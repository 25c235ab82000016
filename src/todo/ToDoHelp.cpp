#include "todo/ToDoHelp.h"

#include "resource.h"

namespace todo {

ToDoHelp::ToDoHelp(fw::Prompter& prompter) : Dialog(IDD_TODO_HELP, prompter) {}

bool ToDoHelp::OnInitDialog() {
  icon_.Apply(Handle(), IDI_TODO);
  return true;
}

}  // namespace todo
