#include "todo/LegacyToDoLines.h"

namespace todo {

std::string LegacyToDoLines::Line(int list, int index) {
  const File::ToDoList kind = list == 1   ? File::ToDoList::Work
                              : list == 2 ? File::ToDoList::Other
                                          : File::ToDoList::Personal;
  std::string text;
  if (reader_.OpenToDoEntry(kind, index)) reader_.ReadText("notes", text);
  return text;
}

}  // namespace todo
