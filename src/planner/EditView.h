#pragma once
// The day notes window (EditView): a small captioned window just above a day
// planner that shows the free notes of that planner's day, one text file per
// day in the notes folder. A click into it turns it into an editor. There is
// at most one in the program; it follows the planner that last opened,
// stepped or used its Notes command, and it has no close box: Esc, the Notes
// command or a planner closing closes it.
//
// The notes reach the disk whenever the window closes or turns to another
// day, on every path (Esc included); notes that were not changed since they
// were loaded are not written again, so a file that could not be read is
// never replaced by nothing.

#include <windows.h>

#include <string>

#include "framework/FrameWindow.h"

namespace fw {
class Prompter;
}
namespace store {
class FileSystem;
}

namespace planner {

class NotesHost;
class NotesOwner;

class EditView : public fw::FrameWindow {
 public:
  static constexpr const char* kClassName = "EditView";
  static constexpr int kEditId = 1;
  // What the editor accepts from the keyboard; a longer file still shows whole.
  static constexpr int kEditLimit = 320;

  ~EditView() override;

  // The program around the notes window, set by the main window for its
  // lifetime (nullptr: no notes window can open).
  static void SetHost(NotesHost* host);

  // A planner opened on, or stepped to, a day: an open notes window saves its
  // notes and shows that day's (in the same place); otherwise it opens just
  // above the planner when the day has notes. The planner becomes the owner.
  static void FollowNotes(NotesOwner& planner);
  // The planner's Notes command: an open notes window is closed, saving its
  // notes (the planner then reopens its slot editor: IsBeingEdited() is
  // false); otherwise the notes of the planner's day open above it, owned by
  // it, and editing starts at once.
  static void OpenNotesForEditing(NotesOwner& planner);
  // Saves the notes and destroys the notes window, if one is open.
  static void CloseNotes();
  // The slot editor takes the keyboard back: the editor's text is kept in
  // the window (not written) and the editor goes.
  static void EndNotesEditing();
  // True while the notes window exists and has its editor.
  static bool IsBeingEdited();
  // A planner going away stops being the owner (it closes the notes first).
  static void ForgetOwner(const NotesOwner& planner);
  // The planner's font was made again (a new choice, another DPI): the
  // notes it owns take it up.
  static void PlannerFontChanged(const NotesOwner& planner);
  // Writes the open notes without closing the window (the end of a Windows
  // session, which ends the program without closing its windows).
  static void SaveOpenNotes();
  // Reads the open notes' file again (after something else wrote to it, an
  // import): the window and its editor show what the file now holds, so
  // that the older text shown is never written over it.
  static void ReloadOpenNotes();

  // The program's notes window, or nullptr.
  static EditView* Current();

  const std::string& Path() const { return path_; }
  // The notes as last loaded, taken from the editor or edited.
  const std::string& Text() const { return text_; }
  HWND Editor() const { return editor_; }
  // Inner width, from the rectangle the window opened in.
  int InnerWidth() const { return w_; }

  // Turns the window into an editor of the notes (a click into it).
  void EditNotes();
  // Background, frame and word-wrapped notes (screen and off-screen alike).
  void Paint(HDC dc) const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG& msg) override;
  void OnDestroy() override;
  void OnFinalMessage() override;
  void OnDpiChanged() override;

 private:
  void FitToFrame(const RECT& area);
  // Opens the notes of the planner's day just above it, with its font, as
  // the program's notes window; nullptr when there is no host or no window.
  static EditView* OpenAbove(NotesOwner& planner);
  bool Open(NotesHost& host, const RECT& area, HFONT font);
  // Points the window at a day and reads its file; an editor is dropped.
  void LoadNotes(int year, int month, int day);
  // Takes the editor's text, if it has one, and removes the editor.
  void TakeEditorText();
  void Save();
  // Esc: keep the editor's text and ask the window to close (which saves).
  void CloseByEscape();

  std::string path_;
  std::string title_;
  std::string text_;
  std::string loadedText_;  // the notes as read; unchanged notes are not written
  HFONT font_ = nullptr;    // the planner's; not owned
  HWND editor_ = nullptr;   // a child, destroyed with the window
  NotesOwner* owner_ = nullptr;
  std::string folder_;
  store::FileSystem* files_ = nullptr;
  fw::Prompter* prompter_ = nullptr;
  HWND ownerWindow_ = nullptr;
  int w_ = 0;
  int h_ = 0;
};

}  // namespace planner
