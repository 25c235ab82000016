// One command, two texts: the planner's and the week view's menus both hold
// Copy to Clipboard under other labels and access letters. Whichever menu
// is shown first, each keeps its own labels, and its letters run its own
// items (C in the week view's Commands menu is Close).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "menus/FlatMenu.h"
#include "resource.h"

namespace {

// The index an access letter selects in a pop-up, -1 when none.
int ItemForLetter(const menus::FlatMenu& flat, HMENU popup, char letter) {
  const LRESULT result = flat.MenuCharacter(popup, letter, MF_POPUP);
  return HIWORD(result) == MNC_EXECUTE ? LOWORD(result) : -1;
}

UINT IdAt(HMENU popup, int index) { return GetMenuItemID(popup, index); }

class FlatMenuTextsTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    for (Window* w : {&planner_, &week_}) {
      w->window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
      w->bar = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(w->resource));
      w->commands = GetSubMenu(w->bar, 0);
      menus::FlatMenu::RegisterMenuWindow(w->window, true);
    }
  }
  void TearDown() override {
    for (Window* w : {&planner_, &week_}) {
      DestroyMenu(w->bar);
      DestroyWindow(w->window);
    }
  }
  struct Window {
    int resource;
    HWND window = nullptr;
    HMENU bar = nullptr;
    HMENU commands = nullptr;
  };
  void Show(Window& w) { flat_.PrepareMenu(w.window, w.commands, true, false); }

  menus::FlatMenu flat_{menus::FlatMenuSettings{}};
  Window planner_{IDR_DAY_PLANNER};
  Window week_{IDR_WEEKVIEW};
};

TEST_P(FlatMenuTextsTest, EachMenuKeepsItsOwnLabelsAndAccessLetters) {
  const bool plannerFirst = GetParam();
  Show(plannerFirst ? planner_ : week_);
  Show(plannerFirst ? week_ : planner_);
  Show(planner_);  // shown again, as every time a menu opens
  Show(week_);

  EXPECT_EQ(static_cast<UINT>(ID_CLOSE),
            IdAt(week_.commands, ItemForLetter(flat_, week_.commands, 'c')));
  EXPECT_EQ(static_cast<UINT>(ID_COPY_TO_CLIPBOARD),
            IdAt(week_.commands, ItemForLetter(flat_, week_.commands, 'b')));
  EXPECT_EQ(static_cast<UINT>(ID_COPY_TO_CLIPBOARD),
            IdAt(planner_.commands, ItemForLetter(flat_, planner_.commands, 'c')));
  // "Select &Background", not the week view's "Copy to Clip&board" above it.
  EXPECT_EQ(static_cast<UINT>(ID_PREFS_BACKGROUND),
            IdAt(planner_.commands, ItemForLetter(flat_, planner_.commands, 'b')));
}

INSTANTIATE_TEST_SUITE_P(EitherOrder, FlatMenuTextsTest, ::testing::Bool());

}  // namespace
