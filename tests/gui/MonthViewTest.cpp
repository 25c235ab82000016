// The month view in a frame window, driven with messages as Windows sends
// them: what it draws (texts from a metafile, pixels from a bitmap), the
// clicks, keys and hovering, font scaling and the commands it handles.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "MonthViewFixture.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/WindowText.h"
#include "views/MainFont.h"

using month_test::Centre;
using month_test::DayCall;
using month_test::DrawnText;
using month_test::MonthViewTest;
using views::CLumettaView;

namespace {

std::vector<DrawnText> TextsOf(CLumettaView& view) {
  return month_test::TextsDrawnBy([&](HDC dc) {
    RECT area = {0, 0, 600, 600};
    view.Paint(dc, area);
  });
}

bool Inside(const DrawnText& t, const RECT& r) {
  return r.left <= t.x && t.x < r.right && r.top <= t.y && t.y < r.bottom;
}

// --- Drawing -------------------------------------------------------------------------

TEST_F(MonthViewTest, DrawsTheTitleWeekdaysAndTheDaysOfFebruary2024) {
  MakeView();
  const int w = view->CellWidth();
  const int h = view->CellHeight();
  const std::vector<DrawnText> texts = TextsOf(*view);

  const DrawnText* title = month_test::FindText(texts, "Feb 2024");
  ASSERT_NE(nullptr, title);
  EXPECT_TRUE(Inside(*title, RECT{w, 0, 6 * w, h}));
  ASSERT_NE(nullptr, month_test::FindText(texts, "<<"));
  EXPECT_TRUE(Inside(*month_test::FindText(texts, "<<"), RECT{0, 0, w, h}));
  EXPECT_TRUE(Inside(*month_test::FindText(texts, ">>"), RECT{6 * w, 0, 7 * w, h}));

  const char* names[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
  for (int column = 0; column < 7; ++column) {
    const DrawnText* name = month_test::FindText(texts, names[column]);
    ASSERT_NE(nullptr, name) << names[column];
    EXPECT_TRUE(Inside(*name, RECT{column * w, h, (column + 1) * w, 2 * h})) << names[column];
  }
  for (int day = 1; day <= 29; ++day) {
    const DrawnText* number = month_test::FindText(texts, std::to_string(day));
    ASSERT_NE(nullptr, number) << day;
    EXPECT_TRUE(Inside(*number, DayRect(day))) << day;
  }
  EXPECT_EQ(nullptr, month_test::FindText(texts, "30"));
  // 1 February 2024 is a Thursday: fifth column of the first day row.
  EXPECT_EQ(4 * w, DayRect(1).left);
  EXPECT_EQ(2 * h, DayRect(1).top);
}

TEST_F(MonthViewTest, EuropeanStyleStartsTheWeekOnMonday) {
  store::g_settings.europeanCalendar = 1;
  MakeView();
  const int w = view->CellWidth();
  const std::vector<DrawnText> texts = TextsOf(*view);
  ASSERT_NE(nullptr, month_test::FindText(texts, "Mo"));
  EXPECT_LT(month_test::FindText(texts, "Mo")->x, w);
  EXPECT_GE(month_test::FindText(texts, "Su")->x, 6 * w);
  EXPECT_EQ(3 * w, DayRect(1).left);
  EXPECT_EQ(w, view->Layout().title.left);
  EXPECT_EQ(4 * w, view->Layout().title.right);
}

TEST_F(MonthViewTest, ClockInTheLowerRightCornerInBothTimeForms) {
  MakeView();
  const int w = view->CellWidth();
  const int h = view->CellHeight();
  std::vector<DrawnText> texts = TextsOf(*view);
  const DrawnText* clock = month_test::FindText(texts, "1:30pm");
  ASSERT_NE(nullptr, clock);
  EXPECT_GT(clock->x, 4 * w);
  EXPECT_LT(clock->x, 7 * w);
  EXPECT_GT(clock->y, 7 * h - h / 2);
  EXPECT_LT(clock->y, 8 * h);

  store::g_settings.militaryTime = 1;
  texts = TextsOf(*view);
  EXPECT_NE(nullptr, month_test::FindText(texts, "13:30"));
  EXPECT_EQ(nullptr, month_test::FindText(texts, "1:30pm"));
}

TEST_F(MonthViewTest, NaturalSizeIsSevenByEightCellsOfWdInTheMainFont) {
  MakeView();
  fw::WindowDC dc(View());
  SIZE wd = {};
  {
    fw::ScopedSelect font(dc.Get(), view->MainFont());
    GetTextExtentPoint32A(dc.Get(), "Wd", 2, &wd);
  }
  const SIZE natural = view->NaturalSize(dc.Get());
  const fw::Dpi dpi = view->WindowDpi();
  EXPECT_EQ(7 * (wd.cx + dpi.Scale(5)), natural.cx);
  EXPECT_EQ(8 * (wd.cy + dpi.Scale(4)), natural.cy);
  EXPECT_EQ(wd.cy + dpi.Scale(4), view->CellHeight());
  LOGFONTA used = {};
  GetObjectA(view->MainFont(), sizeof used, &used);
  EXPECT_STREQ("Palatino Linotype", used.lfFaceName);
  EXPECT_EQ(dpi.Scale(-18), used.lfHeight);
}

class MonthViewPixelsTest : public MonthViewTest {
 protected:
  // The view painted off-screen.
  std::unique_ptr<month_test::Canvas> Painted() {
    const SIZE size = view->NaturalSize();
    auto canvas = std::make_unique<month_test::Canvas>(size.cx, size.cy);
    view->Paint(canvas->Dc(), canvas->Area());
    return canvas;
  }
  // Inside a day cell, away from frame and number.
  COLORREF Corner(const month_test::Canvas& c, int day) {
    return c.At(DayRect(day).left + 1, DayRect(day).top + 1);
  }
  int CountIn(const month_test::Canvas& c, int day, COLORREF colour) {
    return c.Count(DayRect(day), colour);
  }
  const store::SettingsBlock& s = store::g_settings;
};

TEST_F(MonthViewPixelsTest, TodayIsInvertedWithItsNumber) {
  MakeView();
  auto canvas = Painted();
  EXPECT_EQ(month_test::Inverted(s.back), Corner(*canvas, 14));
  EXPECT_EQ(s.back, Corner(*canvas, 13));
  EXPECT_GT(CountIn(*canvas, 14, month_test::Inverted(s.fore)), 3) << "the number is inverted";
  EXPECT_EQ(0, CountIn(*canvas, 14, s.fore));
  EXPECT_GT(CountIn(*canvas, 13, s.fore), 3);
}

TEST_F(MonthViewPixelsTest, TodayWithEntriesKeepsItsNumberInTheHighlightColour) {
  host.diary.Add(2024, 2, 14, 9, 0, "Dentist");
  MakeView();
  auto canvas = Painted();
  EXPECT_EQ(month_test::Inverted(s.back), Corner(*canvas, 14));
  EXPECT_GT(CountIn(*canvas, 14, s.hasappoint), 3);
  EXPECT_EQ(0, CountIn(*canvas, 14, month_test::Inverted(s.fore)));
}

TEST_F(MonthViewPixelsTest, DaysWithEntriesOrNotesAreMarked) {
  month_test::TempFolder notes;
  host.notesFolder = notes.Path();
  notes.Write("20240223.txt", "Call Anna");
  host.diary.Add(2024, 2, 20, 9, 0, "Dentist");
  store::An_Appointment& quiet = host.diary.Add(2024, 2, 22, 9, 0, "Not highlighted");
  quiet.noHighlight = 1;
  MakeView();
  auto canvas = Painted();
  EXPECT_GT(CountIn(*canvas, 20, s.hasappoint), 3) << "entry";
  EXPECT_GT(CountIn(*canvas, 23, s.hasappoint), 3) << "notes file";
  EXPECT_EQ(0, CountIn(*canvas, 22, s.hasappoint)) << "entry with highlighting off";
  EXPECT_GT(CountIn(*canvas, 22, s.fore), 3);
  EXPECT_EQ(0, CountIn(*canvas, 21, s.hasappoint));
}

TEST_F(MonthViewPixelsTest, CellFramesRunAlongTheFirstAndSecondLastColumnAndRow) {
  MakeView();
  auto canvas = Painted();
  const RECT& r = DayRect(13);
  const int midY = (r.top + r.bottom) / 2;
  const int midX = (r.left + r.right) / 2;
  EXPECT_EQ(s.toplite, canvas->At(r.left, midY));
  EXPECT_EQ(s.toplite, canvas->At(midX, r.top));
  EXPECT_EQ(s.botlite, canvas->At(r.right - 2, midY));
  EXPECT_EQ(s.botlite, canvas->At(midX, r.bottom - 2));
  // The last column and row belong to no frame: the neighbour's frame
  // starts there (day 14) or the background shows.
  EXPECT_EQ(s.toplite, canvas->At(r.right, midY));
  EXPECT_EQ(s.back, canvas->At(r.right - 1, r.top + 2));
}

TEST_F(MonthViewPixelsTest, TheWholeBackgroundIsFilled) {
  store::g_settings.back = RGB(10, 200, 30);
  MakeView();
  auto canvas = Painted();
  const SIZE size = view->NaturalSize();
  EXPECT_EQ(s.back, canvas->At(size.cx - 1, 2 * view->CellHeight() - 2));
  EXPECT_EQ(s.back, canvas->At(DayRect(29).right + 5, DayRect(29).top + 5)) << "blank cells";
}

// --- Clicks -------------------------------------------------------------------------------

TEST_F(MonthViewTest, LeftClicksOnTheButtonsStepTheMonthWithAClick) {
  MakeView();
  LeftClick(Centre(view->Layout().previousButton));
  EXPECT_EQ(1, view->ShownMonth());
  EXPECT_EQ(2024, view->ShownYear());
  EXPECT_EQ(1, host.clicks);
  LeftClick(Centre(view->Layout().nextButton));
  LeftClick(Centre(view->Layout().nextButton));
  EXPECT_EQ(3, view->ShownMonth());
  EXPECT_EQ(3, host.clicks);
  EXPECT_EQ(31, view->Layout().dayCount) << "the regions follow the shown month";
}

TEST_F(MonthViewTest, ButtonsShowHoverAndPressedFrames) {
  MakeView();
  const store::SettingsBlock& s = store::g_settings;
  const RECT next = view->Layout().nextButton;
  const int midY = (next.top + next.bottom) / 2;
  auto leftEdge = [&] { return testing_support::ClientPixels(View()).At(next.left, midY); };
  EXPECT_EQ(s.toplite, leftEdge());
  Send(WM_MOUSEMOVE, 0, month_test::At(Centre(next)));
  EXPECT_EQ(s.botlite, leftEdge()) << "hover: colours swapped";
  Send(WM_LBUTTONDOWN, MK_LBUTTON, month_test::At(Centre(next)));
  EXPECT_EQ(s.toplite, leftEdge()) << "pressed: normal colours";
  Send(WM_LBUTTONUP, 0, month_test::At(Centre(next)));
  EXPECT_EQ(s.botlite, leftEdge()) << "released under the mouse: hover again";
  EXPECT_EQ(3, view->ShownMonth());
}

TEST_F(MonthViewTest, LeftClickOnTheTitleOpensTheYearView) {
  MakeView();
  LeftClick(Centre(view->Layout().title));
  EXPECT_EQ(1, host.yearViews);
  EXPECT_EQ(2, view->ShownMonth());
  EXPECT_TRUE(host.dayPlanners.empty());
  EXPECT_EQ(0, host.toDoLists);
}

TEST_F(MonthViewTest, LeftClickOnADayOpensItsDayPlanner) {
  MakeView();
  LeftClick(Centre(DayRect(20)));
  ASSERT_EQ(1u, host.dayPlanners.size());
  EXPECT_EQ((DayCall{2024, 2, 20}), host.dayPlanners[0]);
  EXPECT_EQ(1, host.clicks);
  EXPECT_EQ(nullptr, GetCapture());
  // The edge shared by days 4 and 5 belongs to day 4.
  LeftClick(POINT{DayRect(5).left, Centre(DayRect(5)).y});
  EXPECT_EQ((DayCall{2024, 2, 4}), host.dayPlanners.back());
}

TEST_F(MonthViewTest, LeftClicksOnEmptyPartsOpenTheToDoList) {
  MakeView();
  const int w = view->CellWidth();
  const int h = view->CellHeight();
  LeftClick(POINT{3 * w + w / 2, h + h / 2});           // weekday row
  LeftClick(POINT{6 * w + w / 2, 7 * h + h / 2});       // the clock
  LeftClick(Centre(RECT{5 * w, 6 * h, 6 * w, 7 * h}));  // where the 30th would be
  EXPECT_EQ(3, host.toDoLists);
  EXPECT_EQ(3, host.clicks);
  EXPECT_TRUE(host.dayPlanners.empty());
}

TEST_F(MonthViewTest, RightClicksOnTheButtonsStepTheYear) {
  MakeView();
  SendMessageA(View(), WM_RBUTTONDOWN, MK_RBUTTON,
               month_test::At(Centre(view->Layout().previousButton)));
  EXPECT_EQ(2023, view->ShownYear());
  EXPECT_EQ(2, view->ShownMonth());
  SendMessageA(View(), WM_RBUTTONDOWN, MK_RBUTTON,
               month_test::At(Centre(view->Layout().nextButton)));
  SendMessageA(View(), WM_RBUTTONDOWN, MK_RBUTTON,
               month_test::At(Centre(view->Layout().nextButton)));
  EXPECT_EQ(2025, view->ShownYear());
  EXPECT_EQ(3, host.clicks);
}

TEST_F(MonthViewTest, RightClickOnTheButtonsAtTheLimitsChangesNothingButClicks) {
  host.diary.SetNow(1900, 1, 15, 12, 0);
  MakeView();
  SendMessageA(View(), WM_RBUTTONDOWN, MK_RBUTTON,
               month_test::At(Centre(view->Layout().previousButton)));
  EXPECT_EQ(1900, view->ShownYear());
  EXPECT_EQ(1, host.clicks);
  view.reset();
  host.diary.SetNow(9999, 6, 15, 12, 0);
  MakeView();
  SendMessageA(View(), WM_RBUTTONDOWN, MK_RBUTTON,
               month_test::At(Centre(view->Layout().nextButton)));
  EXPECT_EQ(9999, view->ShownYear());
  EXPECT_EQ(2, host.clicks);
}

TEST_F(MonthViewTest, RightClickOnTheTitleGoesToThisMonth) {
  MakeView();
  Key(VK_UP);
  Key(VK_RIGHT);
  ASSERT_EQ(2025, view->ShownYear());
  SendMessageA(View(), WM_RBUTTONDOWN, MK_RBUTTON, month_test::At(Centre(view->Layout().title)));
  EXPECT_EQ(2024, view->ShownYear());
  EXPECT_EQ(2, view->ShownMonth());
  EXPECT_EQ(1, host.clicks);
}

TEST_F(MonthViewTest, RightClickOnADayOpensItsWeek) {
  MakeView();
  SendMessageA(View(), WM_RBUTTONDOWN, MK_RBUTTON, month_test::At(Centre(DayRect(20))));
  ASSERT_EQ(1u, host.weekViews.size());
  EXPECT_EQ((DayCall{2024, 2, 20}), host.weekViews[0]);
  SendMessageA(View(), WM_RBUTTONDOWN, MK_RBUTTON,
               month_test::At(POINT{5, 3 * view->CellHeight() / 2}));
  EXPECT_EQ(1u, host.weekViews.size()) << "the weekday row is no day";
  EXPECT_EQ(0, host.clicks);
}

// --- Keys ---------------------------------------------------------------------------

TEST_F(MonthViewTest, ArrowAndPageKeysStepMonthsAndYears) {
  MakeView();
  Key(VK_RIGHT);
  EXPECT_EQ(3, view->ShownMonth());
  Key(VK_PRIOR);
  EXPECT_EQ(4, view->ShownMonth());
  Key(VK_LEFT);
  Key(VK_NEXT);
  Key(VK_NEXT);
  EXPECT_EQ(1, view->ShownMonth());
  Key(VK_UP);
  EXPECT_EQ(2025, view->ShownYear());
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(2023, view->ShownYear());
  Key(VK_HOME);
  EXPECT_EQ(2024, view->ShownYear());
  EXPECT_EQ(2, view->ShownMonth());
  EXPECT_EQ(0, host.clicks);
}

TEST_F(MonthViewTest, YearKeysStopAt1900And9999AndMonthStepsWrapInsideThem) {
  host.diary.SetNow(9999, 12, 1, 9, 0);
  MakeView();
  Key(VK_UP);
  EXPECT_EQ(9999, view->ShownYear());
  Key(VK_RIGHT);
  EXPECT_EQ(9999, view->ShownYear());
  EXPECT_EQ(1, view->ShownMonth()) << "the step after December 9999 shows January 9999";
  view.reset();
  host.diary.SetNow(1900, 1, 20, 9, 0);
  MakeView();
  Key(VK_DOWN);
  EXPECT_EQ(1900, view->ShownYear());
  Key(VK_LEFT);
  EXPECT_EQ(1900, view->ShownYear());
  EXPECT_EQ(12, view->ShownMonth()) << "the step before January 1900 shows December 1900";
  view.reset();
  // Across 2038: December 2037, a year on, and on into 2039.
  host.diary.SetNow(2037, 12, 1, 9, 0);
  MakeView();
  Key(VK_RIGHT);
  EXPECT_EQ(2038 * 100 + 1, view->ShownYear() * 100 + view->ShownMonth());
  Key(VK_UP);
  EXPECT_EQ(2039 * 100 + 1, view->ShownYear() * 100 + view->ShownMonth());
  Key(VK_LEFT);
  EXPECT_EQ(2038 * 100 + 12, view->ShownYear() * 100 + view->ShownMonth());
}

TEST_F(MonthViewTest, EnterOpensTodaysPlannerAndEscapeHidesTheMainWindow) {
  host.diary.Add(2024, 2, 14, 9, 0, "Dentist");
  MakeView();
  Key(VK_RETURN);
  ASSERT_EQ(1u, host.dayPlanners.size());
  EXPECT_EQ((DayCall{2024, 2, 14}), host.dayPlanners[0]);
  EXPECT_EQ(1, host.clicks);
  view->ShowQuickCheck(2024, 2, 14, RECT{300, 100, 600, 400}, 0);
  ASSERT_NE(nullptr, views::CurrentQuickCheckPopup());
  Key(VK_ESCAPE);
  EXPECT_EQ(2, host.clicks);
  EXPECT_EQ(1, host.hides);
  EXPECT_EQ(nullptr, views::CurrentQuickCheckPopup());
}

// --- Hovering and the quick-check popup -------------------------------------------

TEST_F(MonthViewTest, HoveringADayWithEntriesShowsItsPopupOnce) {
  host.diary.Add(2024, 2, 20, 9, 0, "Dentist");
  MakeView();
  const POINT centre = Centre(DayRect(20));
  Send(WM_MOUSEMOVE, 0, month_test::At(centre));
  views::FastView* popup = views::CurrentQuickCheckPopup();
  ASSERT_NE(nullptr, popup);
  ASSERT_EQ(2u, popup->Lines().size());
  EXPECT_EQ(" 9:00am  Dentist  ", popup->Lines()[1].text);
  EXPECT_EQ(View(), GetCapture());
  const HWND shown = popup->Handle();
  Send(WM_MOUSEMOVE, 0, month_test::At(POINT{centre.x + 2, centre.y + 1}));
  ASSERT_NE(nullptr, views::CurrentQuickCheckPopup());
  EXPECT_EQ(shown, views::CurrentQuickCheckPopup()->Handle()) << "not recreated within the day";
  // Anchored at the main window: to its left when there is room.
  RECT popupRect = {};
  RECT frameRect = {};
  GetWindowRect(shown, &popupRect);
  GetWindowRect(frame->Handle(), &frameRect);
  EXPECT_EQ(frameRect.left, popupRect.right);
}

TEST_F(MonthViewTest, HoveringADayWithoutEntriesOrNotesShowsNoPopup) {
  host.diary.Add(2024, 2, 20, 9, 0, "Dentist");
  MakeView();
  Send(WM_MOUSEMOVE, 0, month_test::At(Centre(DayRect(20))));
  ASSERT_NE(nullptr, views::CurrentQuickCheckPopup());
  Send(WM_MOUSEMOVE, 0, month_test::At(Centre(DayRect(21))));
  EXPECT_EQ(nullptr, views::CurrentQuickCheckPopup());
  Send(WM_MOUSEMOVE, 0, month_test::At(Centre(DayRect(20))));
  EXPECT_NE(nullptr, views::CurrentQuickCheckPopup()) << "back on the day: shown again";
}

TEST_F(MonthViewTest, HoveringADayWithNotesOnlyShowsTheNotesHint) {
  month_test::TempFolder notes;
  host.notesFolder = notes.Path();
  notes.Write("20240209.txt", "Bring the cake");
  MakeView();
  Send(WM_MOUSEMOVE, 0, month_test::At(Centre(DayRect(9))));
  views::FastView* popup = views::CurrentQuickCheckPopup();
  ASSERT_NE(nullptr, popup);
  ASSERT_EQ(2u, popup->Lines().size());
  EXPECT_EQ(" [click to view notes]", popup->Lines()[1].text);
}

TEST_F(MonthViewTest, ThePopupKeepsTheOtherYearUntilTheMouseMovesToAnotherDay) {
  host.diary.Add(2024, 2, 20, 9, 0, "This year");
  host.diary.Add(2025, 2, 20, 9, 0, "Next year");
  host.diary.Add(2025, 2, 21, 9, 0, "Next day");
  MakeView();
  Send(WM_MOUSEMOVE, 0, month_test::At(Centre(DayRect(20))));
  ASSERT_NE(nullptr, views::CurrentQuickCheckPopup());
  const HWND shown = views::CurrentQuickCheckPopup()->Handle();
  Key(VK_UP);
  ASSERT_EQ(2025, view->ShownYear());
  Send(WM_MOUSEMOVE, 0, month_test::At(Centre(DayRect(20))));
  ASSERT_NE(nullptr, views::CurrentQuickCheckPopup());
  EXPECT_EQ(shown, views::CurrentQuickCheckPopup()->Handle());
  EXPECT_EQ(" 9:00am  This year  ", views::CurrentQuickCheckPopup()->Lines()[1].text);
  // 20 Feb 2025 is a Thursday and 21 Feb a Friday: next to each other.
  Send(WM_MOUSEMOVE, 0, month_test::At(Centre(DayRect(21))));
  ASSERT_NE(nullptr, views::CurrentQuickCheckPopup());
  EXPECT_EQ(" 9:00am  Next day  ", views::CurrentQuickCheckPopup()->Lines()[1].text);
}

TEST_F(MonthViewTest, HoverFramesAreDrawnInSwappedColours) {
  MakeView();
  const store::SettingsBlock& s = store::g_settings;
  const RECT& r = DayRect(21);
  const int midY = (r.top + r.bottom) / 2;
  Send(WM_MOUSEMOVE, 0, month_test::At(Centre(r)));
  {
    testing_support::ClientPixels pixels(View());
    EXPECT_EQ(s.botlite, pixels.At(r.left, midY)) << "hovered: light top-left";
    EXPECT_EQ(s.toplite, pixels.At(r.right - 2, midY));
  }
  // On the edge between two days nothing is hovered: the frame goes back.
  Send(WM_MOUSEMOVE, 0, month_test::At(POINT{r.right, midY}));
  {
    testing_support::ClientPixels pixels(View());
    EXPECT_EQ(s.toplite, pixels.At(r.left, midY));
    EXPECT_EQ(s.botlite, pixels.At(r.right - 2, midY));
  }
}

TEST_F(MonthViewTest, LeavingTheViewClosesThePopupAndReleasesTheMouse) {
  host.diary.Add(2024, 2, 20, 9, 0, "Dentist");
  MakeView();
  Send(WM_MOUSEMOVE, 0, month_test::At(Centre(DayRect(20))));
  ASSERT_NE(nullptr, views::CurrentQuickCheckPopup());
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
  EXPECT_EQ(nullptr, views::CurrentQuickCheckPopup());
  EXPECT_NE(View(), GetCapture());
  Send(WM_MOUSEMOVE, 0, month_test::At(Centre(DayRect(20))));
  EXPECT_NE(nullptr, views::CurrentQuickCheckPopup()) << "the same day again after leaving";
}

TEST_F(MonthViewTest, QuickCheckIsAskedOnceForADayAndMonthUntilForgotten) {
  host.diary.Add(2024, 2, 14, 9, 0, "Today");
  host.diary.Add(2023, 2, 14, 9, 0, "A year ago");
  MakeView();
  const RECT anchor = {300, 100, 600, 400};
  // The first request, for today (the start-up summary), always proceeds.
  view->ShowQuickCheck(2024, 2, 14, anchor, 0);
  ASSERT_NE(nullptr, views::CurrentQuickCheckPopup());
  EXPECT_EQ(10000, views::QuickCheckDuration()) << "two lines";
  const HWND first = views::CurrentQuickCheckPopup()->Handle();
  view->ShowQuickCheck(2023, 2, 14, anchor, 0);  // the year is not compared
  EXPECT_EQ(first, views::CurrentQuickCheckPopup()->Handle());
  view->ForgetQuickCheck();
  view->ShowQuickCheck(2023, 2, 14, anchor, 1);
  ASSERT_NE(nullptr, views::CurrentQuickCheckPopup());
  EXPECT_NE(first, views::CurrentQuickCheckPopup()->Handle());
  EXPECT_EQ(" 9:00am  A year ago  ", views::CurrentQuickCheckPopup()->Lines()[1].text);
  EXPECT_EQ(1, views::CurrentQuickCheckPopup()->BackgroundFlag());
}

// --- Font scaling ---------------------------------------------------------------------

TEST_F(MonthViewTest, ResizingScalesTheMainFontAndAsksForARefit) {
  MakeView();
  const int w = view->CellWidth();
  const LONG height = view->MainFontDescription().lfHeight;
  RECT client = {};
  GetClientRect(View(), &client);
  const int cx = 7 * w + 60;
  MoveWindow(View(), 0, 0, cx, client.bottom, TRUE);
  const float factor = static_cast<float>(cx + 6) / static_cast<float>(7 * w - 6);
  EXPECT_EQ(static_cast<LONG>(static_cast<float>(height) * factor),
            view->MainFontDescription().lfHeight);
  EXPECT_EQ(view->MainFontDescription().lfHeight, store::g_settings.mainFont.height)
      << "stored for the next start";
  EXPECT_GT(view->CellWidth(), w);
  EXPECT_EQ(1, host.hides);
  EXPECT_EQ(1, host.refits);
  LOGFONTA used = {};
  ASSERT_TRUE(view->MainFont() != nullptr);
  GetObjectA(view->MainFont(), sizeof used, &used);
  EXPECT_EQ(view->WindowDpi().Scale(view->MainFontDescription().lfHeight), used.lfHeight)
      << "the font itself was remade";
}

TEST_F(MonthViewTest, SizeChangesCountedBySkipCountAreIgnored) {
  MakeView();
  const LONG height = view->MainFontDescription().lfHeight;
  const int w = view->CellWidth();
  view->SetResizeSkipCount(2);
  MoveWindow(View(), 0, 0, 7 * w + 80, 300, TRUE);
  MoveWindow(View(), 0, 0, 7 * w + 90, 300, TRUE);
  EXPECT_EQ(0, view->ResizeSkipCount());
  EXPECT_EQ(height, view->MainFontDescription().lfHeight);
  EXPECT_EQ(0, host.refits);
  MoveWindow(View(), 0, 0, 7 * w + 100, 300, TRUE);
  EXPECT_NE(height, view->MainFontDescription().lfHeight);
  EXPECT_EQ(1, host.refits);
}

TEST_F(MonthViewTest, NarrowOrHiddenViewsKeepTheirFont) {
  MakeView();
  const LONG height = view->MainFontDescription().lfHeight;
  MoveWindow(View(), 0, 0, 99, 300, TRUE);
  EXPECT_EQ(height, view->MainFontDescription().lfHeight);
  // While the main window is hidden the program is placing it itself.
  ShowWindow(frame->Handle(), SW_HIDE);
  MoveWindow(View(), 0, 0, 7 * view->CellWidth() + 120, 300, TRUE);
  EXPECT_EQ(height, view->MainFontDescription().lfHeight);
  EXPECT_EQ(0, host.refits);
  EXPECT_EQ(0, host.hides);
}

TEST_F(MonthViewTest, ANewViewIgnoresItsFirstFiveSizeChangesAndUsesTheSavedFont) {
  store::g_settings.mainFont.height = -30;
  store::g_settings.mainFont.weight = 700;
  lstrcpyA(store::g_settings.mainFont.faceName, "Tahoma");
  CLumettaView fresh(host);
  EXPECT_EQ(CLumettaView::kInitialResizeSkips, fresh.ResizeSkipCount());
  EXPECT_EQ(-30, fresh.MainFontDescription().lfHeight);
  LOGFONTA used = {};
  GetObjectA(fresh.MainFont(), sizeof used, &used);
  EXPECT_EQ(700, used.lfWeight);
  EXPECT_STREQ("Tahoma", used.lfFaceName);
  EXPECT_EQ(2024, fresh.ShownYear());
  EXPECT_EQ(2, fresh.ShownMonth());
}

// --- Commands and lifetime ----------------------------------------------------------------

TEST_F(MonthViewTest, CommandsThroughTheFrameReachTheView) {
  MakeView();
  testing_support::SendCommand(frame->Handle(), ID_VIEW_TODO);
  EXPECT_EQ(1, host.toDoLists);
  testing_support::SendCommand(frame->Handle(), ID_VIEW_TODAY);
  ASSERT_EQ(1u, host.dayPlanners.size());
  EXPECT_EQ((DayCall{2024, 2, 14}), host.dayPlanners[0]);
  EXPECT_EQ(2, host.clicks);
  EXPECT_TRUE(frame->IsCommandEnabled(ID_VIEW_TODO));
  EXPECT_TRUE(frame->IsCommandEnabled(ID_VIEW_TODAY));
  EXPECT_TRUE(frame->IsCommandEnabled(ID_PREFS_BACKGROUND));
  EXPECT_FALSE(frame->IsCommandEnabled(ID_VIEW_THIS_MONTH)) << "the main window's own";
}

TEST_F(MonthViewTest, RepaintIsRequestedOnlyForTheShownMonth) {
  MakeView();
  ValidateRect(View(), nullptr);
  view->RepaintIfShowing(2024, 3);
  view->RepaintIfShowing(2023, 2);
  EXPECT_FALSE(GetUpdateRect(View(), nullptr, FALSE));
  view->RepaintIfShowing(2024, 2);
  EXPECT_TRUE(GetUpdateRect(View(), nullptr, FALSE));
}

TEST_F(MonthViewTest, IsTheProgramsMonthViewUntilDestroyedWhenItClosesThePlanners) {
  MakeView();
  EXPECT_EQ(view.get(), CLumettaView::Current());
  EXPECT_EQ("LumettaView", testing_support::ClassNameOf(View()));
  view.reset();
  EXPECT_EQ(nullptr, CLumettaView::Current());
  EXPECT_EQ(1, host.closedPlanners);
}

}  // namespace
