// A print job as the user meets it: the print dialog runs its own modal
// loop while the source window could still be reached, the pages fit the
// chosen paper, and the status window's Cancel ends the job.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CalendarViewsFixture.h"
#include "resource.h"
#include "views/PrintStatus.h"
#include "views/WeekPeriod.h"

using month_test::DrawnText;
using views::Date;
using views::ViewWeek;
using views::ViewYear;

namespace {

// The print dialog as the system runs it: a window of its own owned by the
// main window, which it disables, and a message loop until OK. `during`
// runs inside that loop: what the user does while the dialog shows.
class ModalDialogTarget : public views_test::RecordingPrintTarget {
 public:
  std::function<void()> during;
  bool Choose(HWND owner, int pageCount, int& first, int& last) override {
    constexpr UINT kRun = WM_APP + 1;
    constexpr UINT kOk = WM_APP + 2;
    HWND root = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
    HWND dialog = CreateWindowExA(0, "STATIC", "Print", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40, root,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (root != nullptr) EnableWindow(root, FALSE);
    PostMessageA(dialog, kRun, 0, 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      if (msg.hwnd == dialog && msg.message == kRun) {
        if (during) during();
        PostMessageA(dialog, kOk, 0, 0);  // after whatever `during` posted
        continue;
      }
      if (msg.hwnd == dialog && msg.message == kOk) break;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (root != nullptr) EnableWindow(root, TRUE);
    DestroyWindow(dialog);
    return RecordingPrintTarget::Choose(owner, pageCount, first, last);
  }
};

// Paper of a given printable height, measured on the screen's reference
// (the pages are recorded on it too).
class SmallPaperTarget : public views_test::RecordingPrintTarget {
 public:
  explicit SmallPaperTarget(int height) : height_(height) {}
  HDC MeasuringContext() override { return screen_.Get(); }
  int PrintableHeight() override { return height_; }

 private:
  int height_;
  fw::WindowDC screen_{nullptr};
};

class PrintJobTest : public views_test::CalendarViewsTest {
 protected:
  void FillWeeks(const Date& from, int days, int perDay) {
    for (int i = 0; i < days; ++i) {
      const Date day = views::AddDays(from, i);
      for (int slot = 0; slot < perDay; ++slot) {
        host.diary.Add(day.year, day.month, day.day, slot / 2, 30 * (slot % 2),
                       "Task " + std::to_string(day.day) + "." + std::to_string(slot));
      }
    }
  }
  static void Command(HWND window, UINT id) { SendMessageA(window, WM_COMMAND, id, 0); }
};

// --- The source while its print dialog shows ----------------------------------------------

struct DuringDialogCase {
  const char* what;
  bool yearView;
  std::vector<std::pair<UINT, WPARAM>> posted;  // to the source while the dialog shows
};

class SourceDuringDialog : public PrintJobTest,
                           public ::testing::WithParamInterface<DuringDialogCase> {};

TEST_P(SourceDuringDialog, CanNeitherCloseNorChangeAndPrintsWhatWasAskedFor) {
  const DuringDialogCase& c = GetParam();
  host.diary.Add(2025, 9, 9, 9, 0, "Dentist");
  HWND source = nullptr;
  if (c.yearView) {
    ViewYear* year = OpenYear(2025);
    ASSERT_NE(nullptr, year);
    source = year->Handle();
  } else {
    ViewWeek* week = OpenWeek(2025, 9, 10);
    ASSERT_NE(nullptr, week);
    source = week->Handle();
  }
  ModalDialogTarget target;
  target.during = [&] {
    EXPECT_FALSE(IsWindowEnabled(source)) << c.what << ": usable while the dialog shows";
    for (const auto& [message, wParam] : c.posted) PostMessageA(source, message, wParam, 0);
  };
  view->Printing().SetTarget(&target);
  Command(source, ID_PRINT);

  ASSERT_TRUE(IsWindow(source)) << c.what;
  EXPECT_TRUE(IsWindowEnabled(source)) << c.what;
  ASSERT_EQ(1u, target.pages.size()) << c.what;
  EXPECT_TRUE(target.completed) << c.what;
  if (c.yearView) {
    EXPECT_EQ("2025", target.title) << c.what;
    EXPECT_EQ(2025, ViewYear::Current()->ShownYear()) << c.what;
  } else {
    const std::vector<DrawnText>& page = target.pages[0];
    EXPECT_NE(nullptr, month_test::FindText(page, "Starting 9/7/2025     by Lumetta Calendar"))
        << c.what;
    EXPECT_EQ(1, views_test::Occurrences(page, "Dentist")) << c.what;
    EXPECT_EQ(nullptr, month_test::FindText(page, "Sunday, September 14")) << c.what;
    EXPECT_EQ(7, ViewWeek::Current()->PeriodLength()) << c.what;
    EXPECT_EQ((Date{2025, 9, 7}), ViewWeek::Current()->Start()) << c.what;
  }
  EXPECT_EQ(nullptr, view->Printing().SourceOf(c.yearView ? views::PrintSourceKind::YearView
                                                          : views::PrintSourceKind::WeekView));
}

INSTANTIATE_TEST_SUITE_P(
    Actions, SourceDuringDialog,
    ::testing::Values(DuringDialogCase{"week view closed", false, {{WM_CLOSE, 0}}},
                      DuringDialogCase{"week view Esc", false, {{WM_KEYDOWN, VK_ESCAPE}}},
                      DuringDialogCase{"week view Close", false, {{WM_COMMAND, ID_CLOSE}}},
                      DuringDialogCase{
                          "week view Next and 4 Weeks",
                          false,
                          {{WM_COMMAND, ID_WEEK_NEXT}, {WM_COMMAND, ID_WEEK_LENGTH_4}}},
                      DuringDialogCase{"week view Right arrow", false, {{WM_KEYDOWN, VK_RIGHT}}},
                      DuringDialogCase{"year view closed", true, {{WM_CLOSE, 0}}},
                      DuringDialogCase{"year view Next", true, {{WM_COMMAND, ID_YEAR_NEXT}}}));

// --- The paper --------------------------------------------------------------------------

TEST_F(PrintJobTest, PagesHoldWhatTheirPrintableHeightTakesAndEveryEntryOnce) {
  FillWeeks(Date{2025, 9, 7}, 28, 10);
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  Command(week->Handle(), ID_WEEK_LENGTH_4);
  constexpr int kHeight = 420;  // far fewer than 57 lines of the screen font
  SmallPaperTarget target(kHeight);
  view->Printing().SetTarget(&target);
  Command(week->Handle(), ID_PRINT);

  ASSERT_GT(target.pages.size(), 7u);  // more pages than on standard paper
  // The pages' font is the reference's default one.
  SIZE text = {};
  {
    fw::WindowDC screen(nullptr);
    GetTextExtentPoint32A(screen.Get(), "08:30AM", 7, &text);
  }
  for (size_t p = 0; p < target.pages.size(); ++p) {
    for (const DrawnText& t : target.pages[p]) {
      EXPECT_LE(t.y + text.cy, kHeight) << "\"" << t.text << "\" off page " << p + 1;
    }
  }
  for (int i = 0; i < 28; ++i) {
    const Date day = views::AddDays(Date{2025, 9, 7}, i);
    for (int slot = 0; slot < 10; ++slot) {
      const std::string task = "Task " + std::to_string(day.day) + "." + std::to_string(slot);
      int found = 0;
      for (const auto& page : target.pages) found += views_test::Occurrences(page, task);
      EXPECT_EQ(1, found) << task;
    }
  }
}

// --- The status window ---------------------------------------------------------------------

// Presses the status window's Cancel once the first page has gone out.
class CancelAfterFirstPage : public views_test::RecordingPrintTarget {
 public:
  bool EndPage() override {
    const bool ended = RecordingPrintTarget::EndPage();
    HWND status = FindWindowA(views::PrintStatus::kClassName, nullptr);
    statusShown = statusShown || status != nullptr;
    if (status != nullptr) PostMessageA(status, WM_COMMAND, IDCANCEL, 0);
    return ended;
  }
  bool statusShown = false;
};

TEST_F(PrintJobTest, TheStatusWindowsCancelEndsTheJobAfterThePageBeingSent) {
  FillWeeks(Date{2025, 9, 7}, 28, 10);
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  Command(week->Handle(), ID_WEEK_LENGTH_4);
  CancelAfterFirstPage target;
  view->Printing().SetTarget(&target);
  Command(week->Handle(), ID_PRINT);

  EXPECT_TRUE(target.statusShown);
  EXPECT_EQ(1u, target.pages.size());
  EXPECT_TRUE(target.ended);
  EXPECT_FALSE(target.completed);
  EXPECT_EQ(nullptr, FindWindowA(views::PrintStatus::kClassName, nullptr));
  EXPECT_TRUE(IsWindowEnabled(week->Handle()));
  EXPECT_TRUE(IsWindowEnabled(frame->Handle()));
}

}  // namespace
