#pragma once
// Shared by the week view, year view and printing tests: the month view of
// MonthViewFixture with a week or year view opened from it, a print target
// that keeps every printed page as the texts drawn on it, and scripted
// message-box answers.

#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "MonthViewFixture.h"
#include "framework/Prompter.h"
#include "framework/WindowDC.h"
#include "views/PrintRouting.h"
#include "views/WeekView.h"
#include "views/YearView.h"

namespace views_test {

using month_test::DrawnText;

// Message boxes answered from a queue (IDCANCEL when it is empty); the
// texts and flags are kept.
class ScriptedPrompter : public fw::Prompter {
 public:
  std::deque<int> answers;
  std::vector<std::string> texts;
  std::vector<UINT> types;
  int Show(HWND, const std::string& text, UINT type) override {
    texts.push_back(text);
    types.push_back(type);
    if (answers.empty()) return IDCANCEL;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// Pages recorded into enhanced metafiles; the "printer" is a page of
// 2400 x 3200 pixels on the screen's reference.
class RecordingPrintTarget : public views::PrintTarget {
 public:
  bool choose = true;    // false: the print dialog was cancelled
  int offeredPages = 0;  // the last page the dialog offered
  std::string title;
  std::vector<std::vector<DrawnText>> pages;
  std::vector<bool> sourceEnabledDuringPage;
  HWND source = nullptr;  // watched: disabled while its pages are drawn
  bool ended = false;
  bool completed = false;

  bool Choose(HWND, int pageCount, int& first, int& last) override {
    offeredPages = pageCount;
    first = 1;
    last = pageCount;
    return choose;
  }
  bool BeginDocument(const std::string& name) override {
    title = name;
    return true;
  }
  HDC BeginPage() override {
    fw::WindowDC screen(nullptr);
    page_ = CreateEnhMetaFileA(screen.Get(), nullptr, nullptr, nullptr);
    if (source != nullptr) sourceEnabledDuringPage.push_back(IsWindowEnabled(source) != FALSE);
    return page_;
  }
  bool EndPage() override {
    HENHMETAFILE recorded = CloseEnhMetaFile(page_);
    std::vector<DrawnText> texts;
    EnumEnhMetaFile(nullptr, recorded, month_test::CollectDrawnText, &texts, nullptr);
    DeleteEnhMetaFile(recorded);
    std::vector<DrawnText> nonEmpty;
    for (const DrawnText& t : texts)
      if (!t.text.empty()) nonEmpty.push_back(t);
    pages.push_back(nonEmpty);
    return true;
  }
  void EndDocument(bool done) override {
    ended = true;
    completed = done;
  }

 private:
  HDC page_ = nullptr;
};

// A month view of its own whose print job goes to a recording target, for
// the windows that print through it without a calendar fixture (the day
// planner, the to-do window).
class PrintingMonthView {
 public:
  PrintingMonthView() {
    EXPECT_TRUE(frame_.Create(520, 420));
    view_ = std::make_unique<views::CLumettaView>(host_);
    EXPECT_TRUE(view_->Create(frame_.Handle()));
    frame_.SetView(view_.get());
    view_->Printing().SetTarget(&target);
  }
  views::CLumettaView& View() { return *view_; }

  RecordingPrintTarget target;

 private:
  month_test::FakeHost host_;
  month_test::TestFrame frame_;
  std::unique_ptr<views::CLumettaView> view_;  // goes before its frame
};

// How often a text occurs among the drawn texts.
inline int Occurrences(const std::vector<DrawnText>& texts, const std::string& text) {
  int n = 0;
  for (const DrawnText& t : texts) n += t.text == text ? 1 : 0;
  return n;
}

// The month view's fixture with the week and year views closed at the end.
class CalendarViewsTest : public month_test::MonthViewTest {
 protected:
  void TearDown() override {
    if (views::ViewWeek* week = views::ViewWeek::Current()) DestroyWindow(week->Handle());
    if (views::ViewYear* year = views::ViewYear::Current()) DestroyWindow(year->Handle());
    testing_support::PumpPending();
    month_test::MonthViewTest::TearDown();
  }

  views::ViewWeek* OpenWeek(int year, int month, int day) {
    if (!view) MakeView();
    fw::WindowDC dc(frame->Handle());
    views::ViewWeek* week =
        views::ViewWeek::Open(*view, host, dc.Get(), views::Date{year, month, day});
    if (week != nullptr) {
      ShowWindow(week->Handle(), SW_SHOW);
      UpdateWindow(week->Handle());
    }
    return week;
  }

  views::ViewYear* OpenYear(int year) {
    if (!view) MakeView();
    fw::WindowDC dc(frame->Handle());
    views::ViewYear* shown =
        views::ViewYear::Open(*view, host, prompter, dc.Get(), year, fw::Dpi::System().Scale(30));
    if (shown != nullptr) {
      SetActiveWindow(shown->Handle());
      UpdateWindow(shown->Handle());
    }
    return shown;
  }

  ScriptedPrompter prompter;
};

}  // namespace views_test
