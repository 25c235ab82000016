#pragma once
// What the to-do window needs of the program around it: the files and the
// data folder its lists live in, message boxes, its owner and the main
// window's frame height, and a word when it has closed. The main window
// implements it; tests use a stand-in.

#include <windows.h>

namespace fw {
class Prompter;
}

namespace store {
class All_Appointments;
class DataPaths;
class FileSystem;
}  // namespace store

namespace todo {

class ToDoHost {
 public:
  virtual ~ToDoHost() = default;

  virtual store::FileSystem& ToDoFiles() = 0;
  virtual store::DataPaths& ToDoPaths() = 0;
  virtual fw::Prompter& ToDoPrompter() = 0;
  // The window that owns the to-do window (the main window).
  virtual HWND ToDoOwner() = 0;
  // The main window's outer height minus its client height at its last
  // placement; the to-do window adds it to its own height.
  virtual int ToDoFrameExtraHeight() = 0;
  // The to-do window has written its lists and is going: the month view repaints.
  virtual void ToDoClosed() = 0;
  // The book a scheduled line goes into.
  virtual store::All_Appointments& ToDoBook() = 0;
  // A line was scheduled into the book: the calendar views repaint.
  virtual void ToDoScheduled() = 0;
  // The owner-drawn menus: the window registers with them at creation, and
  // hands them its menu messages (true when handled, result in *result).
  virtual void AttachMenus(HWND window) = 0;
  virtual bool HandleMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* result) = 0;
};

}  // namespace todo
