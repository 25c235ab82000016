#pragma once
// Catches the message boxes and dialogs the test thread opens and answers
// them, through a WH_CBT hook on that thread.
//
// Each dialog window (class #32770) is handled once, when it is first
// activated: it is recorded (caption, message text of a message box) and
// the next queued answer runs; an answer may fill in controls and returns
// the button to press, which is posted as WM_COMMAND. A dialog that is
// activated again (after a nested message box closed) is not answered
// again; its handle is forgotten when it is destroyed. With no answer
// queued a dialog is closed with IDCANCEL, so a test never hangs.
// Modeless dialogs of the program (fw::Dialog::IsModeless) are left alone:
// tests hold and drive them directly.

#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace testing_support {

struct SeenDialog {
  HWND hwnd = nullptr;
  std::string caption;
  std::string message;    // text of static control 0xFFFF (message boxes)
  bool answered = false;  // false: closed with the default IDCANCEL
};

class DialogWatcher {
 public:
  // Returns the id of the button to press, or 0 to leave the dialog open.
  using Answer = std::function<int(const SeenDialog&)>;

  DialogWatcher();
  ~DialogWatcher();
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  // Queues the answer for the next dialog.
  void Then(Answer answer);
  void ThenPress(int buttonId);

  const std::vector<SeenDialog>& Seen() const { return seen_; }
  size_t PendingAnswers() const { return answers_.size(); }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  void OnActivate(HWND hwnd);

  HHOOK hook_ = nullptr;
  std::deque<Answer> answers_;
  std::vector<SeenDialog> seen_;
  std::set<HWND> handled_;
};

}  // namespace testing_support
