#pragma once
// The year view (ViewYear): the twelve months of one year, four across and
// three down. Days with entries have their number in the highlight colour,
// today is inverted. Resting on a day shows the quick-check popup; a left
// click opens the day's planner, a right click its week. The year steps
// within 1900..9999, prints on one page, and can be cleared after two
// questions. There is at most one year view; the main window opens it and
// ViewYear::Current() finds it.

#include <windows.h>

#include <array>
#include <string>

#include "framework/GdiObject.h"
#include "framework/Prompter.h"
#include "views/PeriodWindow.h"
#include "views/YearLayout.h"

namespace views {

class CLumettaView;
class MonthViewHost;

class ViewYear : public PeriodWindow {
 public:
  static constexpr const char* kClassName = "ViewYear";
  static constexpr const char* kSmallScreenAdvice =
      "Select File - Preferences - Font and choose a smaller font (this will allow the Year "
      "view to fit on your screen).";

  ~ViewYear() override;

  // The program's year view, or nullptr.
  static ViewYear* Current();
  // Makes the program's year view for `year` (InitYearView, measured on
  // `dc`); `frameExtraHeight` is the main window's. `prompter` asks Clear
  // Year's questions and gives the small-screen advice; it must outlive the
  // window. nullptr when one is open or the window cannot be made.
  static ViewYear* Open(CLumettaView& monthView, MonthViewHost& host, fw::Prompter& prompter,
                        HDC dc, int year, int frameExtraHeight);

  void NextYear();
  void PreviousYear();
  // The two questions, then every entry of the year is erased.
  void ConfirmEraseYear(int year);

  // Draws the year on the screen or, printing, on one page.
  void DrawYear(HDC dc, bool printing);

  // The main font changed: the months are measured again, fitted to the
  // work area, and the frame follows.
  void FollowMainFont();

  int ShownYear() const { return year_; }
  // The day regions of the last screen drawing.
  const YearLayout& Layout() const { return layout_; }
  YearDay HoverKey() const { return hover_; }

  bool IsCommandEnabled(UINT id) const override;

  // --- Printing ---------------------------------------------------------------
  std::string PrintTitle() const override { return std::to_string(year_); }
  void PrintPage(HDC printer, int page) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
  void OnDestroy() override;
  void OnFinalMessage() override;
  void OnDpiChanged() override;
  void StepBack() override { PreviousYear(); }
  void StepOn() override { NextYear(); }
  void DrawScreen(HDC dc) override { DrawYear(dc, false); }

 private:
  ViewYear(CLumettaView& monthView, MonthViewHost& host, fw::Prompter& prompter);
  bool InitYearView(HDC dc, int year, int frameExtraHeight);
  // The window's outer size for the measured layout.
  SIZE FrameSize(int frameExtraHeight) const;
  // Where the window at the main font is larger than `work`, picks the
  // largest smaller font with which it fits (layout_ follows); false when
  // even the smallest readable size does not fit.
  bool FitFontInto(HDC dc, const RECT& work, int frameExtraHeight);
  // The main font, or the smaller one picked to fit the screen.
  HFONT ScreenFont() const;
  // Selects the screen font unless printing, measures the cell and lays out.
  YearLayout Measure(HDC dc, bool printing) const;
  void ShowYear(int year);
  // The sizes of "1" to "31" in the drawing font, by day.
  using DayNumberSizes = std::array<SIZE, 32>;
  void DrawMonthBlock(HDC dc, const YearLayout& layout, int month, bool printing,
                      const DayNumberSizes& numbers);
  void ForgetHover();
  void OnMouseMove(POINT point);
  void OnDayClick(POINT point, bool right);
  void OnKeyDown(UINT key);

  fw::Prompter& prompter_;
  int year_ = 0;
  YearLayout layout_;
  fw::Font screenFont_;  // none while the main font fits
  YearDay hover_{-1, -1};
};

}  // namespace views
