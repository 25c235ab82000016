// The day notes editor keeps its own editing keys: the main window's
// shortcuts (the program-wide table, whose Ctrl+V, Ctrl+Z... act on a
// planner or the to-do list, and whose Ctrl+N steps the month) do not take
// them while the notes are being edited.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "MainFrameTestSupport.h"
#include "PlatformTestFiles.h"
#include "framework/MessageLoop.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "planner/EditView.h"
#include "resource.h"
#include "shell/NotesFolder.h"
#include "support/Input.h"
#include "support/Pump.h"
#include "support/WindowText.h"
#include "views/MonthView.h"

using main_frame_testing::MainFrameTest;

namespace {

class NotesShortcuts : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    previousNotes_ = shell::NotesFolder();
    notes_ = services_.DataFile("notes");
    CreateDirectoryA(notes_.c_str(), nullptr);
    shell::SetNotesFolder(notes_ + "\\");
    ASSERT_TRUE(MakeFrame());
    loop_.SetAccelerators(frame_->Handle(), frame_->Accelerators());
  }
  void TearDown() override {
    planner::CloseAllDayPlanners();
    MainFrameTest::TearDown();
    shell::SetNotesFolder(previousNotes_);
  }
  // Ctrl with a key, pressed in the notes editor and run through the
  // program's message loop.
  void CtrlKey(HWND editor, UINT key) {
    testing_support::HeldKey control(VK_CONTROL);
    testing_support::PostKey(editor, key);
    testing_support::PumpPending(&loop_);
  }

  fw::MessageLoop loop_;
  std::string notes_;
  std::string previousNotes_;
};

TEST_F(NotesShortcuts, PasteUndoAndSelectAllWorkInTheNotesAndReachTheFile) {
  testing_support::SendCommand(frame_->Handle(), ID_VIEW_TODAY);
  testing_support::PumpPending();
  planner::AppointBook2* planner = planner::FindDayPlanner(2025, 3, 16);
  ASSERT_NE(nullptr, planner);
  UpdateWindow(planner->Handle());
  testing_support::SendCommand(planner->Handle(), ID_NOTES);
  testing_support::PumpPending();
  ASSERT_TRUE(planner::EditView::IsBeingEdited());
  const HWND editor = planner::EditView::Current()->Editor();
  const int month = frame_->MonthView()->ShownMonth();

  testing_support::SetClipboardText("Buy milk");
  CtrlKey(editor, 'V');
  EXPECT_EQ("Buy milk", testing_support::WindowText(editor));
  CtrlKey(editor, 'Z');
  EXPECT_EQ("", testing_support::WindowText(editor));
  CtrlKey(editor, 'V');
  CtrlKey(editor, 'N');
  EXPECT_EQ(month, frame_->MonthView()->ShownMonth()) << "Ctrl+N stays in the notes";
  testing_support::SetClipboardText("other");
  CtrlKey(editor, 'A');
  CtrlKey(editor, 'C');
  EXPECT_EQ("Buy milk", testing_support::ClipboardText());
  EXPECT_EQ("Buy milk", testing_support::WindowText(editor));

  testing_support::SendCommand(planner->Handle(), ID_NOTES);  // closes and saves
  EXPECT_EQ("Buy milk", platform_testing::ReadWholeFile(notes_ + "\\20250316.txt"));
}

}  // namespace
