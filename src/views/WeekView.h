#pragma once
// The week view (ViewWeek): the appointments of 1, 2 or 4 weeks in one
// scrolling window, a heading per day and a line per entry, a double line
// after every Saturday. It steps a week at a time, opens a day's planner on
// a click, copies the period to the clipboard as tab-separated text and
// prints it over as many pages as it needs. There is at most one week view;
// the main window opens it (OpenWeekView) and ViewWeek::Current() finds it.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/GdiObject.h"
#include "views/PeriodWindow.h"
#include "views/WeekPeriod.h"

namespace store {
struct SubscribedItem;
}

namespace views {

class CLumettaView;
class MonthViewHost;

class ViewWeek : public PeriodWindow {
 public:
  static constexpr const char* kClassName = "ViewWeek";
  // The hidden edit control that carries the text to the clipboard.
  static constexpr int kClipboardEditId = 1234;

  ~ViewWeek() override;

  // The program's week view, or nullptr.
  static ViewWeek* Current();
  // Makes the program's week view for the week of `date` (InitWeekView,
  // measured on `dc`); nullptr for an impossible date or when one is open.
  static ViewWeek* Open(CLumettaView& monthView, MonthViewHost& host, HDC dc, const Date& date);

  // Moves the period to the week of `date` (an impossible date is ignored).
  void RetargetWeekView(const Date& date);
  void Next();
  void Previous();
  // 7, 14 or 28 days; the start stays.
  void SetPeriodLength(int days);
  void ScrollTo(int position);
  void CopyToClipboard();

  // Draws the period on the screen (page 0) or one printed page (1..) with
  // `font`, or without one the main font on the screen and the printer's
  // own font on paper. Rebuilds the clipboard text.
  void DrawWeek(HDC dc, HFONT font, int page);

  const Date& Start() const { return start_; }
  int PeriodLength() const { return length_; }
  int ScrollPosition() const { return scroll_; }
  int LineHeight() const { return lineHeight_; }
  const std::string& Caption() const { return caption_; }
  const std::string& ClipboardText() const { return clipboardText_; }
  // The y just below each day's block in the last screen drawing.
  const std::vector<int>& BlockBottoms() const { return blockBottoms_; }

  // The main font changed: lines are measured again and the frame follows.
  void FollowMainFont();

  bool IsCommandEnabled(UINT id) const override;

  // --- Printing ---------------------------------------------------------------
  std::string PrintTitle() const override { return caption_; }
  int PrintPageCount() override;
  // Measures the printer's font on `printer`; the pages then drawn keep
  // this layout until the next count.
  int PrintPageCountOn(HDC printer, int pageHeight) override;
  void PrintPage(HDC printer, int page) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
  void OnFinalMessage() override;
  void OnDpiChanged() override;
  void StepBack() override { Previous(); }
  void StepOn() override { Next(); }
  void DrawScreen(HDC dc) override { DrawWeek(dc, ownFont_.Get(), 0); }

 private:
  ViewWeek(CLumettaView& monthView, MonthViewHost& host);
  bool InitWeekView(HDC dc, const Date& date);
  // Measures the font selected in `dc`; the paddings are sized for `pads`
  // (the window's DPI on the screen, 96 on a printed page). A font smaller
  // or larger than meant has its text measures scaled by meant / real
  // height ({0, 0}: as they are).
  void Measure(HDC dc, fw::Dpi pads, std::pair<int, int> meantAndReal = {0, 0});
  void MakeOwnFont(fw::Dpi dpi);
  // The frame that shows a page of lines in the measured font.
  SIZE FrameSize() const;
  void SetStart(const Date& start);
  // Steps to the week `days` on, unless none of its days can be stored.
  void Step(int days);
  void UpdateScrollBar();
  // The mouse wheel: lines per notch as the user set them.
  void OnWheel(int delta);
  void OnScroll(int request, int thumb);
  void OnKeyDown(UINT key);
  void OnLeftButtonDown(int y);
  std::vector<int> EntriesPerDay() const;
  const std::vector<store::SubscribedItem>& SubscribedOn(const Date& date) const;
  // Draws one day's heading and its entries first..first + count - 1 at y;
  // answers the y below them.
  int DrawDayBlock(HDC dc, const Date& date, int first, int count, bool lastPart, int y,
                   bool printing);

  Date start_;
  int length_ = 7;
  int scroll_ = 1;
  int wheelDelta_ = 0;  // the part of a notch not yet scrolled (fine-grained wheels)
  fw::Font ownFont_;    // from the saved day-planner font, when one was chosen
  int timeWidth_ = 0;
  int lineHeight_ = 0;
  int textWidth_ = 0;
  fw::Dpi pads_;                             // what Measure sized the paddings for
  int totalLines_ = kWeekTotalLines;         // the scroll range
  int printedLines_ = kLinesPerPrintedPage;  // lines a printed page holds
  std::vector<int> blockBottoms_;
  std::string clipboardText_;
  std::string caption_;
};

}  // namespace views
