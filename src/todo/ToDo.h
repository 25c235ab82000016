#pragma once
// The to-do window (ToDo): one of the three to-do lists (Personal, Work,
// Other) of 22 lines, one line per row in alternating row colours, with an
// edit box on the selected row; whatever is typed goes into that line at
// once. There is at most one in the program. The lists are read from their
// files when the window opens, a changed list is written within a minute,
// and all are written when the window is destroyed, on every path (Esc,
// Close, the program's end); a file that could not be read is never written
// over (ToDoLists).
//
// The Schedule command files the selected line into the day planner at the
// first free half-hour slot from the time the user picks (ScheduleDialog);
// Print prints the shown list through the month view's print job.
//
// Keys in the editor: Tab, Enter and Down move to the next row, Up to the
// previous one, Esc closes the window. The main window passes Delete and
// the edit commands of its shortcuts on to the active to-do window.

#include <windows.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "framework/FrameWindow.h"
#include "framework/GdiObject.h"
#include "store/ToDoLists.h"
#include "views/PrintRouting.h"

namespace todo {

class ToDoHost;

class ToDo : public fw::FrameWindow, public views::PrintSource {
 public:
  static constexpr const char* kClassName = "ToDo";
  static constexpr int kEditorId = 16150;
  // The regular save of changed lists, as often as the data file's.
  static constexpr UINT_PTR kSaveTimer = 1;
  static constexpr UINT kSaveIntervalMs = 60000;

  // Where DrawLists draws: the window, or a printed page (rows from three
  // row heights down under the list's heading, in the page's own font).
  enum class Surface { Screen, Printer };

  // Activates and restores the open to-do window; otherwise makes one on
  // Personal, row 0, drawing with `mainFont` unless a day-planner font was
  // chosen. nullptr when the window could not be made.
  static ToDo* Open(ToDoHost& host, HFONT mainFont);
  // The program's to-do window, or nullptr.
  static ToDo* Current();
  // The main font changed (the old one is gone): rows, window and editor
  // follow it, unless the window draws with the day-planner font.
  void FollowMainFont(HFONT mainFont);
  // Closes the open to-do window, writing its lists.
  static void CloseToDo();
  // Writes the open window's lists without closing it (the end of a Windows
  // session, which ends the program without closing its windows).
  static void SaveOpenLists();

  ~ToDo() override;

  // Draws the current list. On the screen with `font` (the window's own
  // font when it has one); on a printer with the page's font, nullptr.
  void DrawLists(HDC dc, HFONT font, Surface surface);

  // Shows list 0..2 with the editor on the same row.
  void SelectList(int list);
  // Puts the editor on row 0..21.
  void SelectRow(int row);
  // Cuts the selected line's text to the clipboard, leaving the line empty.
  void DeleteLine();
  // The current list as text on the clipboard (ToDoClipboardText).
  void CopyToClipboard();
  // Files the selected line into the book through the scheduling dialog.
  void ScheduleEntry();

  int CurrentList() const { return currentList_; }
  int SelectedRow() const { return selectedRow_; }
  HWND Editor() const { return editor_; }
  const store::ToDoList& List(int list) const { return lists_.List(list); }
  int RowWidth() const { return rowWidth_; }
  int RowHeight() const { return rowHeight_; }
  HFONT Font() const { return font_; }

  bool IsCommandEnabled(UINT id) const override;

  // --- Printing through the month view -------------------------------------------

  HWND PrintWindow() const override { return Handle(); }
  std::string PrintTitle() const override { return store::ToDoTitle(currentList_); }
  void PrintPage(HDC printer, int) override { DrawLists(printer, nullptr, Surface::Printer); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged() override;
  bool PreTranslateMessage(MSG& msg) override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
  void OnDestroy() override;
  void OnFinalMessage() override;

 private:
  // The rows of one layout: the same rectangles in all three lists.
  struct Rows {
    int width = 0;
    int height = 0;
    std::array<store::ToDoRect, store::kToDoLines> rects;
  };

  explicit ToDo(ToDoHost& host);
  bool Create(HFONT mainFont);
  // Measures 77 letters "h" in the font selected into dc: a row is that
  // wide and high plus 4 (at 96 DPI on the screen); rows start at 0 on the
  // screen, two rows down on a page.
  Rows LayoutRows(HDC dc, Surface surface) const;
  // The screen layout: kept, and stored into the lists' rectangles.
  void TakeScreenLayout(const Rows& rows);
  // font_ for `dpi`: the saved planner font, else the main font.
  // Lays the rows out in the window's font and sizes the frame to hold them
  // all; where they would not fit the work area, in a smaller copy of it.
  void FitFrameToRows();
  // The frame's size for the current rows.
  SIZE FrameForRows() const;
  void MakeFont(fw::Dpi dpi);
  void PlaceEditor(int row);
  void RemoveEditor();
  void TakeEditorText();
  void EditorCommand(UINT message);
  bool EditorCanUndo() const;
  bool EditorHasSelection() const;
  int RowAt(POINT point) const;
  void CloseByEscape();
  void Print();
  // The scheduled entry's slot from the dialog's date and time: the first
  // free one, after committing what is being typed in an open planner of
  // its day. False when the date and time make no moment.
  bool ScheduledSlot(store::Moment date, store::Moment time, store::Moment& slot);
  void Save();
  void SaveChanged();
  void ReportFailedSaves(const std::vector<std::string>& failed, bool onceEach);

  ToDoHost& host_;
  store::ToDoLists lists_;
  int currentList_ = 0;
  fw::Font ownFont_;          // made from the saved day-planner font, if any
  HFONT font_ = nullptr;      // ownFont_, fittedFont_ or the main font (not owned)
  fw::Font fittedFont_;       // a smaller copy that fits the work area, if needed
  HFONT mainFont_ = nullptr;  // the main font, made for the owner's DPI (not owned)
  fw::Dpi mainDpi_;
  LOGFONTA mainAt96_ = {};
  int rowWidth_ = 0;
  int rowHeight_ = 0;
  std::array<store::ToDoRect, store::kToDoLines> rows_ = {};
  HWND editor_ = nullptr;  // a child, destroyed with the window
  int selectedRow_ = -1;
  bool saved_ = false;                      // the lists were written at the window's end
  std::set<std::string> reportedFailures_;  // by the regular save, until one succeeds
};

}  // namespace todo
