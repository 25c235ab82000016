#include "todo/LegacyToDoLines.h"

namespace todo {

std::string LegacyToDoLines::Line(int list, int index) {
  const platform::File::ToDoList kind = list == 1   ? platform::File::ToDoList::Work
                                        : list == 2 ? platform::File::ToDoList::Other
                                                    : platform::File::ToDoList::Personal;
  std::string text;
  if (reader_.OpenToDoEntry(kind, index)) reader_.ReadText("notes", text);
  return text;
}

}  // namespace todo
