// The frame window: menu, shortcuts and icon from one resource id, command
// routing through its view, and the end of the message loop.
#include <gtest/gtest.h>

#include <vector>

#include "framework/FrameWindow.h"
#include "resource.h"
#include "support/Input.h"
#include "support/Pump.h"

namespace {

class RecordingView : public fw::Window {
 public:
  bool Open(HWND parent) {
    fw::WindowClass windowClass;
    windowClass.name = "LumettaTestView";
    fw::WindowParams params;
    params.style = WS_CHILD | WS_VISIBLE;
    params.x = params.y = 0;
    params.width = params.height = 10;
    params.parent = parent;
    return Create(windowClass, params);
  }
  bool IsCommandEnabled(UINT id) const override { return id == ID_VIEW_TODAY; }
  std::vector<UINT> commands;

 protected:
  bool OnCommand(UINT id, UINT, HWND) override {
    commands.push_back(id);
    return id == ID_VIEW_TODAY;
  }
};

class RecordingFrame : public fw::FrameWindow {
 public:
  ~RecordingFrame() override { Destroy(); }
  bool Open() {
    fw::WindowParams params;
    params.x = params.y = 0;
    params.width = 300;
    params.height = 200;
    return CreateFrame(IDR_MAINFRAME, "LumettaTestFrame", params);
  }
  bool IsCommandEnabled(UINT id) const override {
    return id == ID_APP_EXIT || FrameWindow::IsCommandEnabled(id);
  }
  std::vector<UINT> commands;

 protected:
  bool OnCommand(UINT id, UINT, HWND) override {
    commands.push_back(id);
    return id == ID_APP_EXIT;
  }
};

bool QuitWasPosted() {
  MSG msg = {};
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

TEST(FrameWindow, TakesMenuShortcutsAndIconFromItsResourceId) {
  RecordingFrame frame;
  ASSERT_TRUE(frame.Open());
  HMENU menu = GetMenu(frame.Handle());
  ASSERT_NE(nullptr, menu);
  EXPECT_EQ(3, GetMenuItemCount(menu));
  EXPECT_NE(nullptr, frame.Accelerators());
  EXPECT_NE(0u, GetClassLongPtrA(frame.Handle(), GCLP_HICON));
  EXPECT_NE(0u, GetClassLongPtrA(frame.Handle(), GCLP_HICONSM));
}

TEST(FrameWindow, TheViewGetsCommandsFirstAndTheFrameTheRest) {
  RecordingFrame frame;
  RecordingView view;
  ASSERT_TRUE(frame.Open());
  ASSERT_TRUE(view.Open(frame.Handle()));
  frame.SetView(&view);

  testing_support::SendCommand(frame.Handle(), ID_VIEW_TODAY);
  testing_support::SendCommand(frame.Handle(), ID_FILE_FIND);
  EXPECT_EQ((std::vector<UINT>{ID_VIEW_TODAY, ID_FILE_FIND}), view.commands);
  EXPECT_EQ((std::vector<UINT>{ID_FILE_FIND}), frame.commands)
      << "handled by the view, not passed on";

  EXPECT_TRUE(frame.IsCommandEnabled(ID_VIEW_TODAY)) << "the view's command";
  EXPECT_TRUE(frame.IsCommandEnabled(ID_APP_EXIT)) << "the frame's own";
  EXPECT_FALSE(frame.IsCommandEnabled(ID_FILE_FIND));
}

TEST(FrameWindow, TheViewFillsTheClientArea) {
  RecordingFrame frame;
  RecordingView view;
  ASSERT_TRUE(frame.Open());
  ASSERT_TRUE(view.Open(frame.Handle()));
  frame.SetView(&view);
  SetWindowPos(frame.Handle(), nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);

  RECT client = {}, viewRect = {};
  GetClientRect(frame.Handle(), &client);
  GetClientRect(view.Handle(), &viewRect);
  EXPECT_EQ(client.right, viewRect.right);
  EXPECT_EQ(client.bottom, viewRect.bottom);
}

TEST(FrameWindow, OnlyTheMainFrameEndsTheMessageLoop) {
  {
    RecordingFrame other;
    ASSERT_TRUE(other.Open());
  }
  EXPECT_FALSE(QuitWasPosted());

  RecordingFrame main;
  ASSERT_TRUE(main.Open());
  main.SetEndsMessageLoop(true);
  main.Destroy();
  EXPECT_TRUE(QuitWasPosted());
}

}  // namespace
