#pragma once
// The slot editor (EditBox): the standard multi-line edit control lying over
// the selected slot of a day planner, so caret, selection, clipboard and
// undo are the system's own. It turns the navigation keys and the mouse
// wheel into moves of its owner's selection, takes the keyboard focus when
// it opens, and, as long as the user has not changed its text, shows the
// text in the entry's own colour.
//
// The owner commits the text before it destroys the editor. Should the
// control go without its owner asking (its parent destroyed first), the
// owner is told, so that typed text is never lost.

#include <windows.h>

#include <cstddef>
#include <string>

namespace planner {

class SlotEditorOwner {
 public:
  virtual ~SlotEditorOwner() = default;
  // Tab, Enter, Down, wheel backwards.
  virtual void SlotDown() = 0;
  // Up, wheel forwards.
  virtual void SlotUp() = 0;
  // Page Up (false) or Page Down (true).
  virtual void PageSlots(bool down) = 0;
  // Esc.
  virtual void CloseFromEditor() = 0;
  // The text colour of the slot's entry (the standard text colour without one).
  virtual COLORREF EditorTextColour() = 0;
  virtual HFONT EditorFont() = 0;
  // The control is being destroyed without the owner having asked.
  virtual void EditorLost() = 0;
};

class EditBox {
 public:
  static constexpr int kControlId = 16150;

  explicit EditBox(SlotEditorOwner& owner) : owner_(&owner) {}
  // Destroys the control without telling the owner (it asked for this).
  ~EditBox();
  EditBox(const EditBox&) = delete;
  EditBox& operator=(const EditBox&) = delete;

  // Creates the hidden control as a child of `parent` with the owner's font
  // and a text limit; false when it could not be made.
  bool Create(HWND parent, std::size_t maxChars);
  // Places the control, shows it on top and lets it take the focus once
  // the current message is handled.
  void Show(const RECT& area);

  HWND Handle() const { return hwnd_; }
  std::string Text() const;
  void SetText(const std::string& text);
  // Whether the text still paints in the entry's colour: the user has not
  // changed it and nothing is selected.
  bool PaintsEntryColour() const;
  bool Painted() const { return painted_; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnKeyDown(WPARAM key);
  void PaintInEntryColour();
  // Pastes the clipboard's text as one line; false when it holds none.
  bool PasteOneLine();
  void Detach();

  SlotEditorOwner* owner_;
  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
  bool painted_ = true;
};

}  // namespace planner
