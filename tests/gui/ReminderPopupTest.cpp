// Reminders on the main window: a fired reminder timer opens a topmost
// pop-up with the date, time and text; its icons close and snooze it; it
// can be dragged; Esc closes it; a web address in the text is offered;
// reminders missed before start-up are shown at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <iterator>
#include <string>

#include "MainFrameTestSupport.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "resource.h"
#include "PlatformTestFiles.h"
#include "shell/ReminderPopup.h"
#include "shell/ReminderPopups.h"
#include "store/ProgramState.h"
#include "store/TimerIds.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Pump.h"
#include "support/WindowText.h"
#include "views/MonthView.h"

using main_frame_testing::MainFrameTest;
using platform_testing::WriteWholeFile;
using test_common::Record;
using testing_support::PumpPending;
using testing_support::PumpUntil;

namespace {

// --- Rules ------------------------------------------------------------------

struct LinesCase {
  shell::ReminderText what;
  bool european;
  bool military;
  const char* line0;
  const char* line1;
};

TEST(ReminderPopupRules, LinesAsTheUserReadsThem) {
  const LinesCase cases[] = {
      {{2025, 3, 14, 10, 0, "Dentist"},
       false,
       false,
       " Friday March 14, 2025",
       " 10:00am  Dentist  "},
      {{2025, 3, 14, 16, 5, "Call"}, true, false, " Friday, 14 March 2025", " 4:05pm  Call  "},
      {{2025, 12, 1, 0, 30, "Night"}, false, true, " Monday Dec 1, 2025", " 0:30  Night  "},
      {{0, 0, 0, 1, 30, "Tea"}, false, false, "Timer expired", " Tea  "},
      {{0, 0, 0, 0, 5, ""}, false, false, "Timer expired", "   "},
  };
  for (const LinesCase& c : cases) {
    const std::vector<std::string> lines =
        shell::ReminderPopupLines(c.what, c.european, c.military);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(c.line0, lines[0]) << c.what.text;
    EXPECT_EQ(c.line1, lines[1]) << c.what.text;
  }
}

TEST(ReminderPopupRules, LinkIsTheAddressUpToTheFirstSpace) {
  EXPECT_EQ("https://example.com/a", shell::LinkAddress("https://example.com/a weekly call"));
  EXPECT_EQ("http://x.org", shell::LinkAddress("http://x.org"));
  EXPECT_EQ("file://C:/notes.txt", shell::LinkAddress("file://C:/notes.txt read"));
  EXPECT_EQ("", shell::LinkAddress("Visit https://example.com"));
  EXPECT_EQ("", shell::LinkAddress("HTTP://example.com"));
  EXPECT_EQ("", shell::LinkAddress(""));
}

TEST(ReminderPopupRules, PlacementFollowsTheRandomPointAndStaysOnTheScreen) {
  // Left of the point when there is room, else at it.
  EXPECT_EQ(100, shell::PlaceReminderPopup(400, 100, 297, 32, 1024, 768).x);
  EXPECT_EQ(200, shell::PlaceReminderPopup(200, 100, 297, 32, 1024, 768).x);
  // Too low: moved up to 5 pixels above the bottom.
  EXPECT_EQ(768 - 64 - 5, shell::PlaceReminderPopup(400, 740, 297, 32, 1024, 768).y);
  // Every point the pop-up draws keeps a pop-up that fits on the screen.
  for (int y = 70; y < 470; y += 13) {
    for (int x = 70; x < 670; x += 17) {
      for (int width : {150, 500, 900}) {
        const POINT at = shell::PlaceReminderPopup(x, y, width, 40, 1024, 768);
        EXPECT_GE(at.x, 0);
        EXPECT_GE(at.y, 0);
        EXPECT_LE(at.x + width + 3, 1024) << x << "," << y << " width " << width;
        EXPECT_LE(at.y + 80, 768);
      }
    }
  }
}

// --- On the main window -----------------------------------------------------

class ReminderPopupTest : public MainFrameTest {
 protected:
  shell::ReminderPopups& Popups() { return frame_->Popups(); }

  // An entry on the test's day (Sunday 16 March 2025), armed now.
  store::An_Appointment& Entry(int hour, int minute, int reminderMinutes, const std::string& text) {
    store::An_Appointment& e = frame_->Book().Create();
    e.SetSlot(2025, 3, 16, hour, minute, text);
    e.reminderMinutes = reminderMinutes;
    e.ArmReminder();
    return e;
  }

  // The clock reaches the moment and the entry's timer expires.
  void FireAt(store::An_Appointment& e, int hour, int minute) {
    ASSERT_NE(0u, e.timerId());
    services_.clock.now = store::MakeTime(2025, 3, 16, hour, minute);
    SendMessageA(frame_->Handle(), WM_TIMER, e.timerId(), 0);
    PumpPending();
  }

  shell::ReminderPopup& OnlyPopup() {
    EXPECT_EQ(1u, Popups().Count());
    return Popups().At(0);
  }

  bool SnoozeTimerRunning() const {
    for (const auto& timer : timers_.periods) {
      if (store::timer_ids::IsPopup(static_cast<std::uint32_t>(timer.first))) return true;
    }
    return false;
  }

  int Beeps() const {
    int n = 0;
    for (const std::string& p : services_.sound.played)
      n += p == "(beep)" || p == "Ring.wav" ? 1 : 0;
    return n;
  }
};

TEST_F(ReminderPopupTest, FiredReminderOpensATopmostPopupTitledWithTheText) {
  ASSERT_TRUE(MakeFrame());
  store::An_Appointment& e = Entry(11, 0, 15, "Dentist");
  FireAt(e, 10, 45);

  shell::ReminderPopup& popup = OnlyPopup();
  ASSERT_TRUE(popup.Exists());
  HWND hwnd = popup.Handle();
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_NE(0, GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ("Dentist", testing_support::WindowText(hwnd));
  EXPECT_EQ(" Sunday March 16, 2025", popup.Lines()[0]);
  EXPECT_EQ(" 11:00am  Dentist  ", popup.Lines()[1]);
  EXPECT_EQ(1, Beeps());
  EXPECT_EQ(0u, e.timerId());

  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  EXPECT_EQ(popup.Width() + 3, rect.right - rect.left);
  EXPECT_EQ(2 * popup.LineHeight(), rect.bottom - rect.top);
  EXPECT_GE(popup.LineHeight(), 32);
  EXPECT_GE(rect.left, 0);
  EXPECT_GE(rect.top, 0);
  EXPECT_LE(rect.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(ReminderPopupTest, PaintShowsTheBackgroundAndTheTwoIcons) {
  ASSERT_TRUE(MakeFrame());
  store::An_Appointment& e = Entry(11, 0, 15, "Dentist");
  FireAt(e, 10, 45);
  shell::ReminderPopup& popup = OnlyPopup();
  RedrawWindow(popup.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  testing_support::ClientPixels pixels(popup.Handle());
  const int w = popup.Width();
  const int h = 2 * popup.LineHeight();
  EXPECT_EQ(store::g_settings.back, pixels.At(w - 40, h / 2)) << "between the text and the icons";
  // Points of the 32-pixel pictures, at the size the window's DPI draws them.
  const fw::Dpi dpi = popup.WindowDpi();
  const int icon = dpi.Scale(shell::ReminderPopup::kIconSizeAt96);
  EXPECT_EQ(RGB(200, 30, 30), pixels.At(w - icon + dpi.Scale(16), dpi.Scale(15)))
      << "the middle of the cross";
  EXPECT_EQ(RGB(40, 40, 90), pixels.At(w - icon + dpi.Scale(15), h - 2 - icon + dpi.Scale(12)))
      << "a hand of the clock";
}

// Each icon has a picture of its own at the size drawn at the usual scales:
// a stretched one is blurred.
TEST(ReminderPopupIcons, HaveAnImageAtTheSizeOfEachScale) {
  const HMODULE module = GetModuleHandleA(nullptr);
  for (const int id : {IDI_REMINDER_CLOSE, IDI_REMINDER_SNOOZE})
    for (const UINT dpi : {96u, 120u, 144u, 192u}) {
      const int size = fw::Dpi(dpi).Scale(shell::ReminderPopup::kIconSizeAt96);
      const HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(id), RT_GROUP_ICON);
      ASSERT_NE(nullptr, group) << id;
      auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
      const int chosen = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
      const HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(chosen), RT_ICON);
      ASSERT_NE(nullptr, image) << id;
      const auto* header =
          static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, image)));
      EXPECT_EQ(size, header->biWidth) << "icon " << id << " at " << dpi << " dpi";
    }
}

TEST_F(ReminderPopupTest, EveryFiredReminderHasItsOwnPopup) {
  ASSERT_TRUE(MakeFrame());
  store::An_Appointment& a = Entry(11, 0, 15, "First");
  store::An_Appointment& b = Entry(11, 0, 10, "Second");
  FireAt(a, 10, 45);
  FireAt(b, 10, 50);
  ASSERT_EQ(2u, Popups().Count());
  EXPECT_TRUE(IsWindowVisible(Popups().At(0).Handle()));
  EXPECT_TRUE(IsWindowVisible(Popups().At(1).Handle()));
  EXPECT_EQ("Second", testing_support::WindowText(Popups().At(1).Handle()));
}

TEST_F(ReminderPopupTest, RemindersDisabledShowNothingButTheTimerIsSpent) {
  ASSERT_TRUE(MakeFrame());
  store::g_settings.flags &= ~store::kFlagRemindersEnabled;
  store::An_Appointment& e = Entry(12, 0, 90, "Quiet");
  FireAt(e, 10, 30);
  EXPECT_EQ(0u, Popups().Count());
  EXPECT_EQ(0, Beeps());
  EXPECT_EQ(0, e.reminderMinutes) << "the second reminder at the entry's time is armed";
  EXPECT_NE(0u, e.timerId());
}

TEST_F(ReminderPopupTest, EarlyTimerShowsNothing) {
  ASSERT_TRUE(MakeFrame());
  store::An_Appointment& e = Entry(11, 0, 15, "Dentist");
  const std::uint32_t first = e.timerId();
  FireAt(e, 10, 30);
  EXPECT_EQ(0u, Popups().Count());
  EXPECT_NE(0u, e.timerId());
  EXPECT_NE(first, e.timerId());
}

TEST_F(ReminderPopupTest, UpperIconClosesAndEscClosesLeavingNoTimer) {
  ASSERT_TRUE(MakeFrame());
  store::An_Appointment& a = Entry(11, 0, 15, "By icon");
  FireAt(a, 10, 45);
  shell::ReminderPopup& popup = OnlyPopup();
  testing_support::PostClick(popup.Handle(), popup.Width() - 10, 10);
  PumpPending();
  EXPECT_EQ(0u, Popups().Count());

  store::An_Appointment& b = Entry(11, 0, 10, "By Esc");
  FireAt(b, 10, 50);
  HWND hwnd = OnlyPopup().Handle();
  testing_support::PostKey(hwnd, VK_ESCAPE);
  PumpPending();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(0u, Popups().Count());
  EXPECT_FALSE(SnoozeTimerRunning());
}

TEST_F(ReminderPopupTest, SnoozeReshowsTheSamePopupAfterItsDelay) {
  ASSERT_TRUE(MakeFrame());
  EXPECT_EQ(300000u, Popups().ReminderSnoozeMs());
  Popups().SetReminderSnoozeMs(100);
  store::An_Appointment& e = Entry(11, 0, 15, "Stretch");
  FireAt(e, 10, 45);
  shell::ReminderPopup& popup = OnlyPopup();
  const int width = popup.Width();
  const int h = 2 * popup.LineHeight();

  testing_support::PostClick(popup.Handle(), width - 10, h - 10);
  PumpPending();
  ASSERT_EQ(1u, Popups().Count()) << "kept while the snooze runs";
  EXPECT_FALSE(popup.Exists());
  EXPECT_TRUE(popup.SnoozePending());
  EXPECT_EQ(100u, timers_.periods[popup.SnoozeTimerId()]);

  ASSERT_TRUE(PumpUntil([&] { return popup.Exists(); }, 3000));
  EXPECT_FALSE(SnoozeTimerRunning());
  EXPECT_TRUE(IsWindowVisible(popup.Handle()));
  EXPECT_EQ("Stretch", testing_support::WindowText(popup.Handle()));
  EXPECT_EQ(" 11:00am  Stretch  ", popup.Lines()[1]);
  EXPECT_EQ(width, popup.Width()) << "measured once";
  EXPECT_EQ(2, Beeps()) << "the sound plays again";
}

// Each pop-up snoozes on a timer of its own: two snoozed at once both come
// back, and a reminder armed meanwhile still fires as a reminder.
TEST_F(ReminderPopupTest, TwoSnoozedPopupsBothComeBack) {
  ASSERT_TRUE(MakeFrame());
  Popups().SetReminderSnoozeMs(100);
  store::An_Appointment& first = Entry(11, 0, 15, "Stretch");
  store::An_Appointment& second = Entry(11, 0, 10, "Water");
  FireAt(first, 10, 45);
  FireAt(second, 10, 50);
  ASSERT_EQ(2u, Popups().Count());
  for (std::size_t i = 0; i < 2; ++i) {
    shell::ReminderPopup& popup = Popups().At(i);
    testing_support::PostClick(popup.Handle(), popup.Width() - 10, 2 * popup.LineHeight() - 10);
  }
  PumpPending();
  ASSERT_FALSE(Popups().At(0).Exists());
  ASSERT_FALSE(Popups().At(1).Exists());
  store::An_Appointment& later = Entry(12, 0, 0, "Lunch");
  ASSERT_NE(0u, later.timerId());

  EXPECT_TRUE(PumpUntil([&] { return Popups().At(0).Exists() && Popups().At(1).Exists(); }, 3000));
  EXPECT_EQ("Stretch", testing_support::WindowText(Popups().At(0).Handle()));
  EXPECT_EQ("Water", testing_support::WindowText(Popups().At(1).Handle()));
  FireAt(later, 12, 0);
  ASSERT_EQ(3u, Popups().Count());
  EXPECT_EQ("Lunch", testing_support::WindowText(Popups().At(2).Handle()));
}

TEST_F(ReminderPopupTest, DraggingMovesThePopupWithThePointer) {
  ASSERT_TRUE(MakeFrame());
  store::An_Appointment& e = Entry(11, 0, 15, "Drag me");
  FireAt(e, 10, 45);
  HWND hwnd = OnlyPopup().Handle();
  RECT before = {};
  GetWindowRect(hwnd, &before);
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 30));
  SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(40, 30));
  RECT after = {};
  GetWindowRect(hwnd, &after);
  EXPECT_EQ(before.left + 30, after.left);
  EXPECT_EQ(before.top + 20, after.top);
  EXPECT_NE(hwnd, GetCapture());
  EXPECT_EQ(1u, Popups().Count());
}

TEST_F(ReminderPopupTest, LinkQuestionAsksOnlyAboutTheAddress) {
  ASSERT_TRUE(MakeFrame());
  services_.prompter.answer = IDNO;
  store::An_Appointment& e = Entry(11, 0, 15, "https://example.com/meet weekly call");
  FireAt(e, 10, 45);
  PumpPending();
  EXPECT_TRUE(services_.prompter.texts.empty()) << "asked before the user turned to it";
  SetActiveWindow(OnlyPopup().Handle());
  PumpPending();
  ASSERT_EQ(1u, services_.prompter.texts.size());
  EXPECT_EQ("Would you like Lumetta to open a web browser for: https://example.com/meet?",
            services_.prompter.texts[0]);
  EXPECT_TRUE(services_.shell.opened.empty());
  EXPECT_TRUE(OnlyPopup().Exists()) << "No leaves the pop-up open";

  services_.prompter.answer = IDYES;
  store::An_Appointment& f = Entry(11, 0, 10, "http://example.org");
  FireAt(f, 10, 50);
  SetActiveWindow(Popups().At(1).Handle());
  PumpPending();
  ASSERT_EQ(1u, services_.shell.opened.size());
  EXPECT_EQ("http://example.org", services_.shell.opened[0]);
  ASSERT_EQ(1u, Popups().Count()) << "Yes closes the pop-up";
  EXPECT_EQ("https://example.com/meet weekly call", Popups().At(0).What().text);
}

// Whatever pops up while the user types into a planner's slot, each key
// still reaches the slot; the pop-up stands on top without the activation.
TEST_F(ReminderPopupTest, TypingIntoAPlannerGoesOnWhileAPopupAppears) {
  ASSERT_TRUE(MakeFrame());
  const std::function<void()> popUps[] = {
      [&] { FireAt(Entry(11, 0, 15, "Dentist"), 10, 45); },
      [&] { frame_->ShowReminderPopup(0, 0, 0, 0, 5, "Tea"); },
      [&] { FireAt(Entry(11, 0, 10, "https://example.com call"), 10, 50); },
  };
  testing_support::SendCommand(frame_->Handle(), ID_VIEW_TODAY);
  PumpPending();
  planner::AppointBook2* planner = planner::FindDayPlanner(2025, 3, 16);
  ASSERT_NE(nullptr, planner);
  SetActiveWindow(planner->Handle());
  ASSERT_NE(nullptr, planner->SlotEditor());
  HWND editor = planner->SlotEditor()->Handle();
  SetFocus(editor);
  const auto type = [](const char* text) {
    for (const char* c = text; *c != '\0'; ++c)
      SendMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(*c), 1);
    PumpPending();
  };
  std::string typed;
  for (std::size_t i = 0; i < std::size(popUps); ++i) {
    type("ab");
    popUps[i]();
    type("cd");
    typed += "abcd";
    ASSERT_EQ(i + 1, Popups().Count());
    HWND popup = Popups().At(i).Handle();
    EXPECT_TRUE(IsWindowVisible(popup)) << i;
    EXPECT_NE(popup, GetActiveWindow()) << i;
    EXPECT_EQ(planner->Handle(), GetActiveWindow()) << i;
    EXPECT_EQ(typed, testing_support::WindowText(editor)) << i;
  }
  EXPECT_TRUE(services_.prompter.texts.empty());
  planner::CloseAllDayPlanners();
}

TEST_F(ReminderPopupTest, ReminderMissedBeforeStartUpIsShownAtOnce) {
  // 10:00 now: 10:05 with 15 minutes was due at 9:50; 9:30 has passed.
  const auto fifteenMinutes = [](store::An_Appointment& e) { e.reminderMinutes = 15; };
  const std::string missed = Record(2025, 3, 16, 10, 5, "Missed", fifteenMinutes);
  const std::string passed = Record(2025, 3, 16, 9, 30, "Passed", fifteenMinutes);
  WriteWholeFile(services_.DataFile("Lumetta.bin"), missed + passed);
  ASSERT_TRUE(MakeFrame());
  ASSERT_TRUE(PumpUntil([&] { return Popups().Count() > 0; }, 3000));
  PumpPending();
  ASSERT_EQ(1u, Popups().Count());
  EXPECT_EQ("Missed", testing_support::WindowText(Popups().At(0).Handle()));
  EXPECT_EQ(" 10:05am  Missed  ", Popups().At(0).Lines()[1]);
}

TEST_F(ReminderPopupTest, PopupOverTheMonthViewGetsItsOwnClicks) {
  ASSERT_TRUE(MakeFrame());
  store::An_Appointment& e = Entry(11, 0, 15, "Over the calendar");
  FireAt(e, 10, 45);
  shell::ReminderPopup& popup = OnlyPopup();
  HWND view = frame_->MonthView()->Handle();
  RECT viewRect = {};
  GetWindowRect(view, &viewRect);
  SetWindowPos(popup.Handle(), HWND_TOPMOST, viewRect.left + 20, viewRect.top + 40, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE);
  PumpPending();

  // The pointer crosses the month view, then clicks the pop-up's close icon.
  RECT popupRect = {};
  GetWindowRect(popup.Handle(), &popupRect);
  testing_support::MoveMouseTo({viewRect.left + 5, viewRect.bottom - 5});
  PumpUntil([&] { return GetCapture() == view; }, 1000);
  testing_support::LeftClicksAt({popupRect.right - 12, popupRect.top + 10}, 1);
  EXPECT_TRUE(PumpUntil([&] { return Popups().Count() == 0; }, 2000))
      << "the click went to " << testing_support::ClassNameOf(GetCapture());
}

}  // namespace
