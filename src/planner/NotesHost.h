#pragma once
// What the day notes window needs of the program around it: where the notes
// files live, how to write them, and the main window that owns it. The main
// window implements it; tests use a stand-in.

#include <windows.h>

#include <string>

namespace fw {
class Prompter;
}
namespace store {
class FileSystem;
}

namespace planner {

class NotesHost {
 public:
  virtual ~NotesHost() = default;

  // The notes folder with its trailing backslash; "" when there is none.
  virtual std::string NotesFolder() = 0;
  // The files the notes are read from and written to.
  virtual store::FileSystem& NotesFiles() = 0;
  // The owner of the notes window (the main window).
  virtual HWND NotesWindowOwner() = 0;
  // Tells the user when notes could not be written.
  virtual fw::Prompter& NotesPrompter() = 0;
};

}  // namespace planner
