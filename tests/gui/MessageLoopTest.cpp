// The message loop: program-wide shortcuts, windows that take a key
// themselves, and keyboard navigation of modeless dialogs.
#include <gtest/gtest.h>

#include <vector>

#include "TestDialog.h"
#include "framework/MessageBoxPrompter.h"
#include "framework/MessageLoop.h"
#include "framework/Window.h"
#include "resource.h"
#include "support/Input.h"
#include "support/Pump.h"
#include "test_resource.h"

using testing_support::HeldKey;
using testing_support::PostKey;
using testing_support::PumpUntil;

namespace {

class KeyWindow : public fw::Window {
 public:
  bool Open(const char* title) {
    fw::WindowClass windowClass;
    windowClass.name = "LumettaTestKeys";
    fw::WindowParams params;
    params.title = title;
    params.x = params.y = 0;
    params.width = params.height = 100;
    return Create(windowClass, params);
  }
  bool PreTranslateMessage(MSG& msg) override {
    return takesW && msg.message == WM_KEYDOWN && msg.wParam == 'W';
  }

  bool takesW = false;
  std::vector<UINT> commands;
  std::vector<WPARAM> keys;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_KEYDOWN) keys.push_back(wParam);
    return Window::HandleMessage(message, wParam, lParam);
  }
  bool OnCommand(UINT id, UINT, HWND) override {
    commands.push_back(id);
    return true;
  }
};

class MessageLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(main_.Open("main"));
    ASSERT_TRUE(other_.Open("other"));
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, table);
    loop_.SetAccelerators(main_.Handle(), table);
  }

  // Posts a key to window and pumps until window or the main window reacted.
  void Press(HWND window, UINT key) {
    const size_t before = main_.commands.size() + other_.keys.size() + main_.keys.size();
    PostKey(window, key);
    PumpUntil(
        [&] { return main_.commands.size() + other_.keys.size() + main_.keys.size() > before; },
        500, &loop_);
  }

  fw::MessageLoop loop_;
  KeyWindow main_;
  KeyWindow other_;
};

TEST_F(MessageLoopTest, ShortcutsOfTheMainWindowWorkFromAnyWindowOfTheProgram) {
  HeldKey control(VK_CONTROL);
  Press(main_.Handle(), 'W');
  Press(other_.Handle(), 'Y');
  Press(other_.Handle(), VK_DELETE);
  EXPECT_EQ((std::vector<UINT>{ID_VIEW_WEEK, ID_VIEW_YEAR, ID_DELETE}), main_.commands);
  EXPECT_TRUE(other_.commands.empty());
  EXPECT_TRUE(other_.keys.empty()) << "a translated key is not dispatched as well";
}

TEST_F(MessageLoopTest, KeysWithoutControlAreNotShortcuts) {
  Press(other_.Handle(), 'W');
  EXPECT_TRUE(main_.commands.empty());
  EXPECT_EQ((std::vector<WPARAM>{'W'}), other_.keys);
}

TEST_F(MessageLoopTest, AWindowThatTakesTheKeyItselfComesFirst) {
  HeldKey control(VK_CONTROL);
  other_.takesW = true;
  PostKey(other_.Handle(), 'W');
  PostKey(other_.Handle(), 'Y');
  PumpUntil([&] { return !main_.commands.empty(); }, 500, &loop_);
  testing_support::PumpPending(&loop_);
  EXPECT_EQ((std::vector<UINT>{ID_VIEW_YEAR}), main_.commands);
}

TEST_F(MessageLoopTest, AModelessDialogGetsItsKeyboardNavigation) {
  fw::MessageBoxPrompter prompter("Lumetta");
  ExchangeData data;
  TestDialog dialog(prompter, data);
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  HWND hwnd = dialog.Handle();
  HWND day = GetDlgItem(hwnd, IDC_TEST_DAY);
  SetDlgItemTextA(hwnd, IDC_TEST_DAY, "3");

  // Enter in the edit field presses the default button: OK reads the data
  // and closes the dialog.
  PostKey(day, VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hwnd); }, 1000, &loop_));
  EXPECT_EQ(3, data.day);
  EXPECT_EQ(nullptr, dialog.Handle());
}

}  // namespace
