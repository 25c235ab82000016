#pragma once
// The day planner window (AppointBook2): one calendar day as 48 half-hour
// slots, 11 hours (22 slots) visible at a time, each holding at most one
// entry of the book. The user types straight into the selected slot, where
// the slot editor lies; whatever it holds is written into the book
// (CommitSlot) before the editor goes: when the selection moves, the
// planner scrolls, steps to another day, changes its font, clears the day,
// when the notes take the keyboard and when the planner closes.
//
// A top-level window owned by the main window, with its own menu (66) and
// font. Planners are made and kept by the table of open planners
// (DayPlanners.h). The implementation is spread by theme:
// AppointBook2.cpp (opening, messages, closing), PlannerDrawing.cpp,
// PlannerSlots.cpp (selection, commit, scrolling, stepping) and
// PlannerCommands.cpp (the menu's commands).

#include <windows.h>

#include <string>
#include <memory>

#include "framework/DialogTrim.h"
#include "framework/FrameWindow.h"
#include "framework/GdiObject.h"
#include "planner/EditBox.h"
#include "planner/NotesOwner.h"
#include "planner/SlotLayout.h"
#include "store/Colour.h"
#include "views/PrintRouting.h"

namespace store {
class An_Appointment;
}

namespace planner {

class PlannerHost;

class AppointBook2 : public fw::FrameWindow,
                     public SlotEditorOwner,
                     public NotesOwner,
                     public views::PrintSource {
 public:
  static constexpr const char* kClassName = "AppointBook2";
  static constexpr int kVisibleRows = 11;    // hour rows on screen
  static constexpr int kLastFirstHour = 13;  // 13:00-23:30 fill the window
  static constexpr int kFirstHourAtOpen = 8;
  enum class Step { Previous, Next };

  explicit AppointBook2(PlannerHost& host);
  ~AppointBook2() override;

  // Makes the font, lays out the slots, creates, places, sizes and shows
  // the window. False when the window could not be made.
  bool InitDayPlanner(int year, int month, int day, HFONT mainFont);

  // Draws the whole day into any DC: the screen (with the planner's font)
  // or a printed page (font nullptr: the DC's own; 6:00am onwards below a
  // title). A page leaves the window's layout and first hour as they were.
  void DrawDay(HDC dc, HFONT font, Surface surface = Surface::Screen);

  // Selects a slot and opens the slot editor on it (the open one is
  // committed and destroyed first).
  void OpenSlotEditor(int row, int half);
  // Writes the slot text into the book: creates, changes or deletes the
  // slot's entry.
  void CommitSlot();
  // Commits and destroys the slot editor, if one is open.
  void CloseSlotEditor();
  void ScrollHours(int code, int position);
  void StepDay(Step direction);

  // --- State -----------------------------------------------------------------

  int Year() const { return year_; }
  int Month() const { return month_; }
  int Day() const { return day_; }
  int FirstHour() const { return firstHour_; }
  int SelectedRow() const { return selectedRow_; }
  int SelectedHalf() const { return selectedHalf_; }
  const SlotLayout& Layout() const { return layout_; }
  HFONT Font() const { return font_.Get(); }
  EditBox* SlotEditor() const { return editor_.get(); }
  const std::string& SlotText() const { return slotText_; }
  const std::string& ClipboardText() const { return clipboardText_; }
  // The book's entry in the selected slot, or nullptr.
  store::An_Appointment* SelectedEntry() const;
  // "Friday, March 7, 2025".
  static std::string TitleFor(int year, int month, int day);

  bool IsCommandEnabled(UINT id) const override;

  // --- Lifetime ------------------------------------------------------------------
  //
  // A planner runs modal loops (its dialogs and message boxes) while the
  // rest of the program stays usable, so its window can be destroyed while
  // one of its own methods still waits for a dialog. The object is then
  // kept until the last such method has returned; each checks Exists()
  // after its dialog and stops when the window is gone.

  // Marks the planner as in use for its lifetime (message handlers, and the
  // opening, which can show a message box and the font dialog).
  class InUse {
   public:
    explicit InUse(AppointBook2& planner) : planner_(planner) { ++planner_.useCount_; }
    ~InUse();
    InUse(const InUse&) = delete;
    InUse& operator=(const InUse&) = delete;

   private:
    AppointBook2& planner_;
  };
  // Whether one of the planner's methods is on the stack: seen from
  // elsewhere, the planner waits for one of its dialogs.
  bool Busy() const { return useCount_ > 0; }
  // The window is gone (or was never made): the object goes as soon as no
  // method uses it.
  void ReleaseWhenUnused();

  // --- The slot editor's owner ------------------------------------------------

  void SlotDown() override;
  void SlotUp() override;
  void PageSlots(bool down) override;
  void CloseFromEditor() override;
  COLORREF EditorTextColour() override;
  HFONT EditorFont() override { return font_.Get(); }
  void EditorLost() override;

  // --- The notes window's owner -----------------------------------------------

  int NotesYear() const override { return year_; }
  int NotesMonth() const override { return month_; }
  int NotesDay() const override { return day_; }
  RECT NotesAnchorRect() const override;
  int NotesTextHeight() const override { return layout_.textHeight; }
  HFONT NotesFont() const override { return font_.Get(); }
  void CommitSlotEditor() override { CloseSlotEditor(); }

  // --- Printing through the month view -------------------------------------------

  HWND PrintWindow() const override { return Handle(); }
  std::string PrintTitle() const override { return TitleFor(year_, month_, day_); }
  void PrintPage(HDC printer, int) override { DrawDay(printer, nullptr, Surface::Printer); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
  void OnDestroy() override;
  void OnFinalMessage() override;
  void OnDpiChanged() override;

 private:
  // AppointBook2.cpp
  POINT StartPosition(HDC screen) const;
  // The window's size for 22 whole rows and its frame.
  SIZE WindowSize() const;
  // Places and sizes the window at `at` for 22 whole rows.
  void FitToRows(POINT at, HWND after, UINT flags);
  // The font for `dpi`: the saved planner font, else the default one.
  void MakePlannerFont(fw::Dpi dpi);
  // Lays the rows out for the font and fits the window to them.
  void FitToFont();
  void OnPaint();
  void OnLeftButtonDown(POINT point);
  void OnMove();
  void FocusEditor();

  // PlannerDrawing.cpp
  void DrawHour(HDC dc, int hour, int row, COLORREF rowColour, bool plain, bool image);
  void DrawSlotText(HDC dc, const RECT& slot, store::An_Appointment* entry, COLORREF rowColour,
                    bool plain, int markerLift);
  // What the subscribed calendars show in a slot (the timed occurrences that
  // start in it; the all-day ones in the top ":00" slot), "" when nothing,
  // with the colour of the first.
  std::string SubscribedText(int row, int half, store::Colour& colour) const;
  // Draws it at the slot's right end, where the slot editor does not reach.
  void DrawSubscribed(HDC dc, int row, int half, COLORREF rowColour, bool plain);
  // The width the slot editor leaves free for it, 0 when nothing.
  int SubscribedWidth(int row, int half);

  // PlannerSlots.cpp
  // The first hour that scroll code and thumb position lead to.
  int ScrolledFirstHour(int code, int position) const;
  void CreateEntryForSlot(int hour, int minute);
  void ApplyCopyPrevious(store::An_Appointment& entry);
  void DeleteSlotEntry(store::An_Appointment& entry);

  // PlannerCommands.cpp
  bool EntryCheck();
  void CopyToClipboard();
  void ClearDay();
  void SelectPlannerFont();
  void SelectBackground();
  void Reminder();
  void Repeats();
  void Color();
  void DeleteCommand();
  void EditCommand(UINT message);
  void SelectAll();
  void Notes();
  void FindNotes();
  void QuickHints();
  void Print();
  void RepaintPlanner(bool erase);

  PlannerHost& host_;
  int year_ = 0;
  int month_ = 0;
  int day_ = 0;
  int selectedRow_ = -1;
  int selectedHalf_ = kOnTheHour;
  std::string clipboardText_;
  std::string slotText_;
  fw::Font font_;
  bool hasDefaultFont_ = false;  // the default font when none was saved
  SlotLayout layout_;
  int moveSkips_ = 2;
  bool framePainted_ = false;
  std::unique_ptr<EditBox> editor_;
  int firstHour_ = kFirstHourAtOpen;
  fw::SmallWindowIcon icon_;
  int useCount_ = 0;
  bool released_ = false;  // to be released when unused
};

}  // namespace planner
