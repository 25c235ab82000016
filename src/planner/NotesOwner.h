#pragma once
// What the day notes window (EditView) needs of the day planner that owns it:
// the planner's date, placement and font, and a way to commit its slot editor
// before the notes take the keyboard. The planner window implements it.

#include <windows.h>

namespace planner {

class NotesOwner {
 public:
  virtual ~NotesOwner() = default;

  virtual int NotesYear() const = 0;
  virtual int NotesMonth() const = 0;
  virtual int NotesDay() const = 0;
  // The planner's window rectangle on the screen; the notes sit just above it.
  virtual RECT NotesAnchorRect() const = 0;
  // The height of one slot line of text as the planner laid its slots out.
  virtual int NotesTextHeight() const = 0;
  // The planner's font (not owned by the notes window).
  virtual HFONT NotesFont() const = 0;
  // Destroys the planner's slot editor if one is open, committing its text.
  virtual void CommitSlotEditor() = 0;
};

}  // namespace planner
