// The quick-check popup window (FastView): what it shows, its size and
// place beside the anchor, shrinking to fit the screen, its colours, one
// popup at a time, closing on a click, and how long it is meant to stay.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "MonthViewFixture.h"
#include "support/WindowText.h"
#include "views/MainFont.h"
#include "views/QuickCheckPopup.h"

using month_test::Diary;
using views::CurrentQuickCheckPopup;
using views::FastView;

namespace {

class QuickCheckPopupTest : public ::testing::Test {
 protected:
  void SetUp() override { diary.SetNow(2024, 2, 14, 8, 0); }
  void TearDown() override { views::CloseQuickCheckPopup(); }

  FastView* Show(int day, const RECT& anchor, int flag = 0) {
    views::QuickCheckRequest request;
    request.book = &diary.book;
    request.first = diary.book.FindOnDay(2024, 2, day);
    request.year = 2024;
    request.month = 2;
    request.day = day;
    request.anchor = anchor;
    request.backgroundFlag = flag;
    request.mainFont = views::DefaultMainFontDescription();
    request.notesFolder = notes.Path();
    return views::CreateQuickCheckPopup(request);
  }
  static RECT WindowRect(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return r;
  }
  static SIZE Screen() {
    fw::WindowDC screen(nullptr);
    return SIZE{GetDeviceCaps(screen.Get(), HORZRES), GetDeviceCaps(screen.Get(), VERTRES)};
  }

  month_test::SettingsScope settings;
  Diary diary;
  month_test::TempFolder notes;
  const RECT anchor = {600, 200, 900, 500};
};

TEST_F(QuickCheckPopupTest, ABorderlessTopmostWindowWithOneLinePerEntry) {
  diary.Add(2024, 2, 14, 9, 0, "Dentist");
  diary.Add(2024, 2, 14, 14, 30, "Bank");
  FastView* popup = Show(14, anchor);
  ASSERT_NE(nullptr, popup);
  const HWND hwnd = popup->Handle();
  EXPECT_EQ("FastView", testing_support::ClassNameOf(hwnd));
  EXPECT_EQ("Lumetta - Feb 14, 2024", testing_support::WindowText(hwnd));
  EXPECT_EQ(556, GetDlgCtrlID(hwnd));
  const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
  EXPECT_NE(0, style & WS_CHILD);
  EXPECT_NE(0, style & WS_VISIBLE);
  EXPECT_EQ(0, style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME));
  EXPECT_NE(0, GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(IsWindowVisible(hwnd));

  ASSERT_EQ(3u, popup->Lines().size());
  EXPECT_EQ(" Wednesday Feb 14, 2024   ", popup->Lines()[0].text);
  EXPECT_EQ(" 9:00am  Dentist  ", popup->Lines()[1].text);
  EXPECT_EQ(" 2:30pm  Bank  ", popup->Lines()[2].text);
  const RECT r = WindowRect(hwnd);
  EXPECT_EQ(popup->Widest() + 3, r.right - r.left);
  EXPECT_EQ(3 * popup->LineHeight(), r.bottom - r.top);
}

TEST_F(QuickCheckPopupTest, MeasuredInTheMainFont) {
  diary.Add(2024, 2, 14, 9, 0, "Dentist");
  FastView* popup = Show(14, anchor);
  ASSERT_NE(nullptr, popup);
  LOGFONTA used = {};
  GetObjectA(popup->PopupFont(), sizeof used, &used);
  EXPECT_EQ(popup->WindowDpi().Scale(-18), used.lfHeight);
  fw::WindowDC dc(popup->Handle());
  fw::ScopedSelect select(dc.Get(), popup->PopupFont());
  SIZE widest = {};
  const std::string line = popup->Lines()[0].text;  // the date line is the widest here
  GetTextExtentPoint32A(dc.Get(), line.c_str(), static_cast<int>(line.size()), &widest);
  EXPECT_EQ(widest.cx, popup->Widest());
  EXPECT_EQ(widest.cy + 2, popup->LineHeight());
}

TEST_F(QuickCheckPopupTest, PlacedLeftOfTheAnchorAndCentredOnIt) {
  diary.Add(2024, 2, 14, 9, 0, "Dentist");
  FastView* popup = Show(14, anchor);
  ASSERT_NE(nullptr, popup);
  const RECT r = WindowRect(popup->Handle());
  const int total = 2 * popup->LineHeight();
  EXPECT_EQ(anchor.left, r.right);
  EXPECT_EQ(anchor.left - popup->Widest() - 3, r.left);
  EXPECT_EQ(300 / 2 + anchor.top - total / 2, r.top) << "shorter than the anchor: centred";
}

TEST_F(QuickCheckPopupTest, AnAnchorAtTheLeftEdgePutsItRightAndBeyondTheRightEdgeBottomRight) {
  diary.Add(2024, 2, 14, 9, 0, "Dentist");
  FastView* popup = Show(14, RECT{0, 100, 300, 140});
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ(300, WindowRect(popup->Handle()).left);
  EXPECT_EQ(100, WindowRect(popup->Handle()).top);

  const SIZE screen = Screen();
  popup = Show(14, RECT{screen.cx + 10, 100, screen.cx + 300, 140});
  ASSERT_NE(nullptr, popup);
  const RECT r = WindowRect(popup->Handle());
  EXPECT_EQ(screen.cx - popup->Widest() - 8, r.left);
  EXPECT_EQ(screen.cy - 2 * popup->LineHeight() - 5, r.top);
}

TEST_F(QuickCheckPopupTest, AFullDayShrinksTheFontToFitTheScreen) {
  for (int slot = 0; slot < 48; ++slot) {
    diary.Add(2024, 2, 14, slot / 2, 30 * (slot % 2), "Entry " + std::to_string(slot));
  }
  FastView* popup = Show(14, anchor);
  ASSERT_NE(nullptr, popup);
  ASSERT_EQ(49u, popup->Lines().size());
  LOGFONTA used = {};
  GetObjectA(popup->PopupFont(), sizeof used, &used);
  EXPECT_GT(used.lfHeight, -18) << "smaller than the main font";
  const RECT r = WindowRect(popup->Handle());
  EXPECT_LE(r.bottom - r.top, Screen().cy);
  EXPECT_GE(r.top, 0);
  EXPECT_EQ(40000, views::QuickCheckDuration());
}

TEST_F(QuickCheckPopupTest, ADayWithNotesShowsTheHint) {
  notes.Write("20240209.txt", "Bring the cake");
  FastView* popup = Show(9, anchor);
  ASSERT_NE(nullptr, popup);
  ASSERT_EQ(2u, popup->Lines().size());
  EXPECT_EQ(" [click to view notes]", popup->Lines()[1].text);
  EXPECT_EQ("Lumetta", testing_support::WindowText(popup->Handle()));
}

TEST_F(QuickCheckPopupTest, EuropeanTitleAndDateLine) {
  store::g_settings.europeanCalendar = 1;
  diary.Add(2024, 2, 14, 9, 0, "Dentist");
  FastView* popup = Show(14, anchor);
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ("Lumetta - 14 Feb, 2024", testing_support::WindowText(popup->Handle()));
  EXPECT_EQ(" Wednesday, 14 Feb 2024   ", popup->Lines()[0].text);
}

class QuickCheckPaintTest : public QuickCheckPopupTest {
 protected:
  std::unique_ptr<month_test::Canvas> Painted(const FastView& popup) {
    auto canvas = std::make_unique<month_test::Canvas>(
        popup.Widest() + 3, popup.LineHeight() * static_cast<int>(popup.Lines().size()));
    popup.Paint(canvas->Dc());
    return canvas;
  }
  RECT LineRect(const FastView& popup, int line) {
    return RECT{2, line * popup.LineHeight(), popup.Widest(), (line + 1) * popup.LineHeight()};
  }
};

TEST_F(QuickCheckPaintTest, LinesInTheirColoursInsideAFrame) {
  const store::SettingsBlock& s = store::g_settings;
  store::An_Appointment& entry = diary.Add(2024, 2, 14, 9, 0, "Green");
  entry.colour = RGB(0, 128, 0);
  notes.Write("20240214.txt", "Notes");
  FastView* popup = Show(14, anchor);
  ASSERT_NE(nullptr, popup);
  ASSERT_EQ(3u, popup->Lines().size());
  auto canvas = Painted(*popup);
  EXPECT_EQ(s.back, canvas->At(0, 0));
  EXPECT_EQ(s.toplite, canvas->At(1, 5));
  EXPECT_EQ(s.toplite, canvas->At(5, 1));
  EXPECT_EQ(s.botlite, canvas->At(popup->Widest() + 1, 5));
  EXPECT_GT(canvas->Count(LineRect(*popup, 0), s.hasappoint), 3);
  EXPECT_GT(canvas->Count(LineRect(*popup, 1), s.fore), 3);
  EXPECT_EQ(0, canvas->Count(LineRect(*popup, 1), s.hasappoint));
  EXPECT_GT(canvas->Count(LineRect(*popup, 2), RGB(0, 128, 0)), 3);
}

TEST_F(QuickCheckPaintTest, TheYearViewsPopupHasThePlannerBackground) {
  store::g_settings.dayplan1 = RGB(200, 220, 240);
  diary.Add(2024, 2, 14, 9, 0, "Dentist");
  FastView* popup = Show(14, anchor, 1);
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ(RGB(200, 220, 240), Painted(*popup)->At(0, 0));
  popup = Show(14, anchor, 0);
  EXPECT_EQ(store::g_settings.back, Painted(*popup)->At(0, 0));
}

TEST_F(QuickCheckPaintTest, AnUnreadableEntryColourIsReplacedAndStored) {
  store::An_Appointment& entry = diary.Add(2024, 2, 14, 9, 0, "Invisible");
  entry.colour = store::g_settings.back;
  FastView* popup = Show(14, anchor);
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ(0u, entry.colour);
  EXPECT_GT(Painted(*popup)->Count(LineRect(*popup, 1), RGB(0, 0, 0)), 3);
}

TEST_F(QuickCheckPopupTest, OnlyOnePopupAtATimeAndAClickClosesIt) {
  diary.Add(2024, 2, 14, 9, 0, "Dentist");
  diary.Add(2024, 2, 15, 9, 0, "Bank");
  FastView* first = Show(14, anchor);
  ASSERT_NE(nullptr, first);
  const HWND firstWindow = first->Handle();
  FastView* second = Show(15, anchor);
  ASSERT_NE(nullptr, second);
  EXPECT_FALSE(IsWindow(firstWindow));
  EXPECT_EQ(second, CurrentQuickCheckPopup());
  const HWND secondWindow = second->Handle();
  SendMessageA(secondWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(nullptr, CurrentQuickCheckPopup());
  EXPECT_FALSE(IsWindow(secondWindow));
  views::CloseQuickCheckPopup();  // none left: nothing happens
}

// True when `upper` stands above `lower` in the window order.
bool Above(HWND upper, HWND lower) {
  for (HWND w = GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == lower) return true;
  }
  return false;
}

TEST_F(QuickCheckPopupTest, ActivationBringsItAboveAWindowThatCoveredIt) {
  diary.Add(2024, 2, 14, 9, 0, "Dentist");
  FastView* popup = Show(14, anchor);
  ASSERT_NE(nullptr, popup);
  const RECT r = WindowRect(popup->Handle());
  // Another top-most window, made later, over the popup.
  std::unique_ptr<HWND__, decltype(&DestroyWindow)> cover(
      CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "cover", WS_POPUP | WS_VISIBLE,
                      r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                      GetModuleHandleA(nullptr), nullptr),
      &DestroyWindow);
  ASSERT_NE(nullptr, cover.get());
  ASSERT_TRUE(Above(cover.get(), popup->Handle()));

  SendMessageA(popup->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(Above(popup->Handle(), cover.get()));
  EXPECT_TRUE(IsWindowVisible(popup->Handle()));
  EXPECT_EQ(popup, CurrentQuickCheckPopup());
}

TEST_F(QuickCheckPopupTest, DurationFollowsThePopupOnDisplay) {
  EXPECT_EQ(7000, views::QuickCheckDuration());
  diary.Add(2024, 2, 14, 9, 0, "One");
  ASSERT_NE(nullptr, Show(14, anchor));
  EXPECT_EQ(10000, views::QuickCheckDuration()) << "two lines";
  diary.Add(2024, 2, 14, 10, 0, "Two");
  ASSERT_NE(nullptr, Show(14, anchor));
  EXPECT_EQ(6000, views::QuickCheckDuration()) << "three lines";
  diary.Add(2024, 2, 14, 11, 0, "Three");
  ASSERT_NE(nullptr, Show(14, anchor));
  EXPECT_EQ(8000, views::QuickCheckDuration()) << "four lines";
  views::CloseQuickCheckPopup();
  EXPECT_EQ(7000, views::QuickCheckDuration());
}

}  // namespace
