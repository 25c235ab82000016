#pragma once
// The to-do lines older versions kept in the registry of the current user:
// line i of a list in the text value "notes" of the key
// SOFTWARE\Brandeck\Lumetta\ToDo\<i> (Personal), ...\ToDo\work\<i> (Work)
// or ...\ToDo\other\<i> (Other), read through the registry reader File.

#include "platform/LegacyRegistry.h"
#include "store/ToDoLists.h"

namespace todo {

class LegacyToDoLines : public store::LegacyToDoSource {
 public:
  // "" when the key or its value is missing, of another type or too long.
  std::string Line(int list, int index) override;

 private:
  platform::File reader_;
};

}  // namespace todo
