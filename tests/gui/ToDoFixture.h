#pragma once
// Shared by the to-do window tests: a stand-in host on a scratch folder (the
// day planners' fake host holds the book that scheduled lines go into) and
// a fixture that opens the window and types into its editor.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "MainFrameTestSupport.h"
#include "PlannerFixture.h"
#include "PlatformTestFiles.h"
#include "PrivateRegistry.h"
#include "framework/MessageLoop.h"
#include "resource.h"
#include "platform/Win32FileSystem.h"
#include "support/Input.h"
#include "support/Pump.h"
#include "todo/ToDo.h"
#include "todo/ToDoHost.h"

namespace todo_test {

class FolderPaths : public store::DataPaths {
 public:
  explicit FolderPaths(std::string folder) : folder_(std::move(folder)) {}
  std::string DataFilePath(const std::string& name, bool) override { return folder_ + "\\" + name; }

 private:
  std::string folder_;
};

class StandInHost : public todo::ToDoHost {
 public:
  explicit StandInHost(const std::string& folder) : paths_(folder) {}
  ~StandInHost() override {
    if (IsWindow(owner_)) DestroyWindow(owner_);
  }
  store::FileSystem& ToDoFiles() override { return files_; }
  store::DataPaths& ToDoPaths() override { return paths_; }
  fw::Prompter& ToDoPrompter() override { return prompter; }
  HWND ToDoOwner() override { return owner_; }
  int ToDoFrameExtraHeight() override { return 30; }
  void ToDoClosed() override { ++closed; }
  store::All_Appointments& ToDoBook() override { return planners.Book(); }
  void ToDoScheduled() override { ++scheduled; }
  void AttachMenus(HWND) override {}
  bool HandleMenuMessage(HWND, UINT, WPARAM, LPARAM, LRESULT*) override { return false; }

  main_frame_testing::RecordingPrompter prompter;
  // The book scheduled lines go into, shared with the day planners.
  planner_test::FakePlannerHost planners;
  int closed = 0;
  int scheduled = 0;

 private:
  platform::Win32FileSystem files_;
  FolderPaths paths_;
  HWND owner_ = CreateWindowExA(0, "STATIC", "Lumetta", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
};

class ToDoWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(user.Ready()) << "RegOverridePredefKey failed"; }
  void TearDown() override {
    todo::ToDo::CloseToDo();
    planner::CloseAllDayPlanners();
    testing_support::PumpPending(&loop);
  }

  todo::ToDo* Open() {
    todo::ToDo* window = todo::ToDo::Open(host, font.Get());
    testing_support::PumpPending(&loop);
    return window;
  }
  std::string FileOf(const char* name) const { return scratch / name; }
  std::string Contents(const char* name) const {
    return platform_testing::ReadWholeFile(FileOf(name));
  }
  static HWND Editor() {
    return todo::ToDo::Current() != nullptr ? todo::ToDo::Current()->Editor() : nullptr;
  }
  static std::string Line(int list, int row) {
    return todo::ToDo::Current()->List(list)[static_cast<size_t>(row)].text;
  }
  // Keys as a user types them into the focused editor.
  static void Type(const std::string& keys) {
    for (char c : keys) SendMessageA(Editor(), WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  void Press(UINT key) {
    testing_support::PostKey(Editor(), key);
    testing_support::PumpPending(&loop);
  }
  void CloseByCommand() {
    testing_support::SendCommand(todo::ToDo::Current()->Handle(), ID_CLOSE);
    testing_support::PumpPending(&loop);
  }

  month_test::SettingsScope settings;
  registry_testing::PrivateCurrentUser user;
  platform_testing::ScratchFolder scratch;
  StandInHost host{scratch.Path()};
  fw::Font font{CreateFontA(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, VARIABLE_PITCH,
                            "Arial")};
  fw::MessageLoop loop;
};

}  // namespace todo_test
