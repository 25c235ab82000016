#pragma once
// The month view (CLumettaView), the content of the main window: one month
// as a grid of day numbers with "<<" and ">>" buttons, the month title, the
// weekday names and the clock. Today is inverted; days with entries or notes
// have their number in the highlight colour. A left click on a day opens its
// day planner, a right click its week; the title opens the year view; any
// empty part opens the to-do lists. Resting on a day shows the quick-check
// popup. The view owns the program's main font and scales it when the main
// window is resized.
//
// There is one month view for the run; other windows reach it through
// CLumettaView::Current(). It needs its frame only through MonthViewHost,
// so it can live in any parent window.

#include <windows.h>

#include "framework/GdiObject.h"
#include "framework/MessageBoxPrompter.h"
#include "framework/PaintDC.h"
#include "framework/Window.h"
#include "views/MonthLayout.h"
#include "views/PrintRouting.h"

namespace views {

class MonthViewHost;

class CLumettaView : public fw::Window {
 public:
  static constexpr const char* kClassName = "LumettaView";
  // Size changes ignored after construction (the main window's own placing).
  static constexpr int kInitialResizeSkips = 5;

  explicit CLumettaView(MonthViewHost& host);
  ~CLumettaView() override;

  // The program's month view, or nullptr.
  static CLumettaView* Current();

  // Creates the view as a visible child of `parent`.
  bool Create(HWND parent, int childId = kDefaultChildId);

  // --- Operations other windows call ----------------------------------------

  // Rebuilds the cell size and the hot regions and redraws the whole view now.
  void DrawCalendar();
  // Measures the cell in the main font: 7 x cell width by 8 x cell height.
  SIZE NaturalSize(HDC dc);
  SIZE NaturalSize();  // on the view's own window
  void GoToThisMonth();
  void NextMonth();
  void PreviousMonth();
  // The font dialog for the main font.
  void ChooseMainFont();
  // Requests a repaint when exactly that month is shown.
  void RepaintIfShowing(int year, int month);
  // Click sound, then the day planner of that date (through the host); a
  // day whose entries could not be kept is refused (RefuseDay).
  void OpenDayPlanner(int year, int month, int day);
  // Tells the user, in a message box owned by `owner`, that a day outside
  // the calendar's range is not offered.
  void RefuseDay(HWND owner);
  // Shows the quick-check popup for that date unless it was the last one
  // asked for (same day and month). flag: 1 from the year view, else 0.
  void ShowQuickCheck(int year, int month, int day, const RECT& anchor, int flag);
  // The next ShowQuickCheck proceeds whatever it asks for.
  void ForgetQuickCheck();
  // Click sound, then the to-do window (through the host).
  void OpenToDoList();
  // The background picker for the month view; repaints.
  void SelectMonthBackground();

  // Prints a window through the view's print job (the view has no printed
  // form of its own); false when cancelled or failed.
  bool PrintFrom(PrintSourceKind kind, PrintSource& source) {
    return printing_.PrintFrom(kind, source, Handle());
  }
  PrintRouting& Printing() { return printing_; }

  // Draws the whole view into any DC (screen, WM_PRINTCLIENT, off-screen)
  // and rebuilds the hot regions. `area` is the part of the DC to cover.
  void Paint(HDC dc, const RECT& area);

  // --- State ---------------------------------------------------------------

  int ShownYear() const { return shown_.year; }
  int ShownMonth() const { return shown_.month; }
  int ResizeSkipCount() const { return resizeSkips_; }
  void SetResizeSkipCount(int count) { resizeSkips_ = count; }
  // The main font: windows without a font of their own draw with it. It is
  // replaced when the user chooses a font and when a resize scales it.
  HFONT MainFont() const { return mainFont_.Get(); }
  // The main font made for a window at `dpi` (the view's own when equal).
  HFONT MainFontFor(fw::Dpi dpi) const;
  const LOGFONTA& MainFontDescription() const { return mainDescription_; }
  int CellWidth() const { return layout_.cellWidth; }
  int CellHeight() const { return layout_.cellHeight; }
  // The hot regions of the last drawing.
  const MonthLayout& Layout() const { return layout_; }
  HBITMAP BackgroundImage() const { return backgroundImage_.Get(); }

  bool IsCommandEnabled(UINT id) const override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
  void OnDestroy() override;

 private:
  static constexpr int kDefaultChildId = 0xE900;  // the framework's first pane

  // The frame drawn as hot or pressed: Draw3dRect's x, y, width, height.
  struct Highlight {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool Exists() const { return width != 0 || height != 0; }
  };
  struct QuickCheckKey {
    int year = 0;
    int month = 0;
    int day = 0;
  };

  void SetMainFont(const LOGFONTA& description);
  void RebuildDerivedFonts();
  HFONT WeekdayFont() const;
  HFONT TitleFont() const;
  // Measures "Wd" in the main font on the DC: the cell size.
  void MeasureCell(HDC dc);
  void RebuildLayout();
  void StepYear(int delta);
  bool Today(int& year, int& month, int& day) const;

  static Highlight FrameOf(const RECT& region);
  void DrawHighlight(const Highlight& frame, bool hover);

  void OnLeftButtonDown(POINT point);
  void OnLeftButtonUp();
  void OnMouseMove(POINT point);
  void OnRightButtonDown(POINT point);
  void OnKeyDown(UINT key);
  void OnSize(int clientWidth);
  // Paint over the whole client area.
  void PaintClient(HDC dc);
  bool IsOnView(POINT point) const;
  // Releases the mouse capture if the view holds it.
  void ReleaseMouse() const;
  RECT MainWindowRect() const;

  MonthViewHost& host_;
  fw::MessageBoxPrompter prompter_{"Lumetta"};
  PrintRouting printing_{prompter_};

  YearMonth shown_;
  int resizeSkips_ = kInitialResizeSkips;
  LOGFONTA mainDescription_ = {};
  fw::Font mainFont_;
  fw::Font weekdayFont_;
  fw::Font titleFont_;
  mutable fw::Font otherDpiFont_;  // MainFontFor another DPI, made on demand
  mutable fw::Dpi otherDpi_;
  fw::Bitmap backgroundImage_;
  MonthLayout layout_;
  Highlight highlight_;
  int lastHoveredDay_ = -1;
  QuickCheckKey quickCheckKey_;
  fw::OffScreenBuffer offScreen_;
};

}  // namespace views
