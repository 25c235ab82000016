#pragma once
// Shared by the day planner tests: a fake PlannerHost on the month-view
// tests' book of fakes, with recorded message boxes and shell requests, and
// a fixture that opens planners through the table of open planners and
// drives their slot editor with messages.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "MonthViewFixture.h"
#include "framework/Prompter.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "planner/PlannerHost.h"
#include "menus/MenuModule.h"
#include "support/Pump.h"
#include "support/RecordingPrompter.h"

namespace planner_test {

class FakePlannerHost : public planner::PlannerHost {
 public:
  month_test::Diary diary;
  testing_support::RecordingPrompter prompter;
  std::string notesFolder = "C:\\notes\\";
  std::vector<std::string> shellRequests;  // "verb target"
  int viewRepaints = 0;
  int monthViewDisables = 0;

  store::All_Appointments& Book() override { return diary.book; }
  HWND MainWindow() override { return nullptr; }
  int FrameExtraHeight() const override { return 46; }
  fw::Prompter& Prompter() override { return prompter; }
  std::string NotesFolder() override { return notesFolder; }
  void RunShellVerb(HWND, const char* verb, const std::string& target, int) override {
    shellRequests.push_back(std::string(verb != nullptr ? verb : "(default)") + " " + target);
  }
  void CalendarViewsChanged() override { ++viewRepaints; }
  void EnableMonthView(bool enable) override { monthViewDisables += enable ? 0 : 1; }
  // The flat menus when a test gives them, else the system's menus.
  menus::MenuModule* menus = nullptr;
  void AttachMenus(HWND window) override {
    if (menus != nullptr) menus->Attach(window);
  }
  bool HandleMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT* result) override {
    return menus != nullptr && menus->HandleMenuMessage(window, message, wParam, lParam, result);
  }
};

class PlannerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.diary.SetNow(2025, 3, 7, 7, 0);
    mainFont_ = fw::Font(CreateFontA(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
  }
  void TearDown() override {
    planner::CloseAllDayPlanners();
    testing_support::PumpPending();
  }

  // Opens (or activates) the planner of a date, painted once, with its
  // editor focused.
  planner::AppointBook2& Open(int year = 2025, int month = 3, int day = 7) {
    planner::OpenDayPlanner(host, year, month, day, mainFont_.Get());
    planner::AppointBook2* planner = planner::FindDayPlanner(year, month, day);
    EXPECT_NE(nullptr, planner);
    Settle(*planner);
    return *planner;
  }

  // Paints and runs the posted messages (the editor's focus).
  static void Settle(planner::AppointBook2& planner) {
    if (planner.Exists()) UpdateWindow(planner.Handle());
    testing_support::PumpPending();
  }

  static HWND Editor(const planner::AppointBook2& planner) {
    return planner.SlotEditor() != nullptr ? planner.SlotEditor()->Handle() : nullptr;
  }
  static void Key(planner::AppointBook2& planner, UINT vk) {
    SendMessageA(Editor(planner), WM_KEYDOWN, vk, 1);
    Settle(planner);
  }
  static void Type(planner::AppointBook2& planner, const std::string& text) {
    for (char c : text) SendMessageA(Editor(planner), WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  // Replaces the editor's text as the user would: select all, then type.
  static void Retype(planner::AppointBook2& planner, const std::string& text) {
    SendMessageA(Editor(planner), EM_SETSEL, 0, -1);
    if (text.empty()) {
      SendMessageA(Editor(planner), WM_CLEAR, 0, 0);
    } else {
      Type(planner, text);
    }
  }
  static void Command(planner::AppointBook2& planner, UINT id) {
    SendMessageA(planner.Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Settle(planner);
  }
  // Selects a slot with a click at its centre.
  static void Click(planner::AppointBook2& planner, int row, int half) {
    const POINT p = month_test::Centre(planner.Layout().Slot(row, half));
    SendMessageA(planner.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, month_test::At(p));
    Settle(planner);
  }
  // The slot shown as "hour:minute" (the selection).
  static std::string Selected(const planner::AppointBook2& planner) {
    if (planner.SelectedRow() < 0) return "none";
    return std::to_string(planner.FirstHour() + planner.SelectedRow()) + ":" +
           (planner.SelectedHalf() == planner::kOnTheHour ? "00" : "30");
  }
  std::string TextAt(int hour, int minute, int day = 7) {
    const store::An_Appointment* e = host.diary.book.FindAt(2025, 3, day, hour, minute);
    return e != nullptr ? e->text : "(none)";
  }

  month_test::SettingsScope settings_;
  FakePlannerHost host;
  fw::Font mainFont_;
};

}  // namespace planner_test
