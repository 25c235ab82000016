// The Colors dialog: each role button with its swatch, the schemes, the
// contrast rule after Text and OK, and what OK, Cancel, Enter and Esc keep.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "DialogTestHelpers.h"
#include "MainFrameTestSupport.h"
#include "resource.h"
#include "shell/MyColorDialog.h"
#include "store/ColourSchemes.h"
#include "store/Settings.h"
#include "support/DialogWatcher.h"
#include "support/Pixels.h"
#include "support/Pump.h"

using namespace dialog_test;
using main_frame_testing::RecordingPrompter;
using testing_support::DialogWatcher;
using testing_support::SeenDialog;

namespace {

// The colour chooser, answered from a script; the custom colours it was
// offered are kept.
class ScriptedChooser : public shell::ColourChooser {
 public:
  bool confirm = true;
  store::Colour answer = 0;
  std::vector<std::array<store::Colour, 16>> offered;
  bool Choose(HWND, store::Colour& colour, std::array<store::Colour, 16>& custom) override {
    offered.push_back(custom);
    if (confirm) colour = answer;
    return confirm;
  }
};

class ColorsDialogTest : public ::testing::Test {
 protected:
  ColorsDialogTest() { store::SetDefaultSettings(settings_, 0); }
  INT_PTR Run() {
    shell::MyColorDialog dialog(prompter_, settings_, chooser_, [this] { ++changes_; });
    return dialog.DoModal(nullptr);
  }
  store::ColourRoles Roles() const { return store::ReadColourRoles(settings_); }
  static store::ColourRoles Scheme(store::ColourScheme scheme) {
    store::SettingsBlock s;
    store::SetDefaultSettings(s, 0);
    store::ApplyColourScheme(s, scheme);
    return store::ReadColourRoles(s);
  }
  store::SettingsBlock settings_;
  RecordingPrompter prompter_;
  ScriptedChooser chooser_;
  DialogWatcher watcher_;
  int changes_ = 0;
};

TEST_F(ColorsDialogTest, DarkStaysAfterOkAndEscButCancelAndEnterPutTheOpeningColoursBack) {
  const store::ColourRoles opening = Roles();
  const store::ColourRoles dark = Scheme(store::ColourScheme::Dark);
  const struct {
    const char* how;
    INT_PTR result;
    bool darkStays;
  } cases[] = {{"ok", IDOK, true},
               {"esc", IDCANCEL, true},
               {"cancel", IDCANCEL, false},
               {"enter", IDCANCEL, false}};
  for (const auto& c : cases) {
    store::WriteColourRoles(settings_, opening);
    store::ColourRoles whileOpen = {};
    watcher_.Then([&](const SeenDialog& d) {
      Click(d.hwnd, IDC_COLORS_DARK);
      whileOpen = Roles();
      const std::string how = c.how;
      if (how == "ok") return IDC_COLORS_OK;
      if (how == "cancel") return IDC_COLORS_CANCEL;
      const WPARAM key = how == "esc" ? VK_ESCAPE : VK_RETURN;
      PostMessageA(GetFocus() != nullptr ? GetFocus() : d.hwnd, WM_KEYDOWN, key, 0);
      return 0;
    });
    EXPECT_EQ(c.result, Run()) << c.how;
    EXPECT_EQ(dark, whileOpen) << c.how;
    EXPECT_EQ(c.darkStays ? dark : opening, Roles()) << c.how;
  }
}

TEST_F(ColorsDialogTest, EachRoleButtonSetsItsOwnRoleAndPaintsItsSwatch) {
  const struct {
    int button, swatch;
    size_t role;  // in ReadColourRoles order
  } cases[] = {
      {IDC_COLORS_BACKGROUND, IDC_SWATCH_BACKGROUND, 1},
      {IDC_COLORS_DAY_PLANNER_1, IDC_SWATCH_DAY_PLANNER_1, 2},
      {IDC_COLORS_DAY_PLANNER_2, IDC_SWATCH_DAY_PLANNER_2, 3},
      {IDC_COLORS_TOP_HIGHLIGHT, IDC_SWATCH_TOP_HIGHLIGHT, 4},
      {IDC_COLORS_BOTTOM_HIGHLIGHT, IDC_SWATCH_BOTTOM_HIGHLIGHT, 5},
      {IDC_COLORS_HAS_APPOINTMENT, IDC_SWATCH_HAS_APPOINTMENT, 7},
  };
  const store::Colour chosen = RGB(12, 200, 34);
  for (const auto& c : cases) {
    store::SetDefaultSettings(settings_, 0);
    const store::ColourRoles before = Roles();
    chooser_.answer = chosen;
    chooser_.offered.clear();
    COLORREF inside = 0, outline = 0;
    watcher_.Then([&](const SeenDialog& d) {
      Click(d.hwnd, c.button);
      // Answered as it activates, before the dialog manager shows it.
      ShowWindow(d.hwnd, SW_SHOWNORMAL);
      RedrawWindow(d.hwnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      testing_support::PumpPending();
      const RECT at = ControlRect(d.hwnd, c.swatch);
      testing_support::ClientPixels pixels(d.hwnd);
      inside = pixels.At(at.left + 25, at.top + 13);
      outline = pixels.At(at.left, at.top + 13);
      return IDC_COLORS_OK;
    });
    EXPECT_EQ(IDOK, Run());
    store::ColourRoles expected = before;
    expected[c.role] = chosen;
    EXPECT_EQ(expected, Roles()) << c.button;
    EXPECT_EQ(chosen, inside) << c.button;
    EXPECT_EQ(RGB(0, 0, 0), outline) << c.button;
    ASSERT_EQ(1u, chooser_.offered.size());
    EXPECT_EQ(store::CustomColours(settings_)[0], chooser_.offered[0][0]);
    EXPECT_EQ(before[1], chooser_.offered[0][1]);
  }
  EXPECT_EQ(6, changes_);
}

TEST_F(ColorsDialogTest, TextLikeTheBackgroundTurnsBlackEvenWhenTheChooserIsCancelled) {
  for (bool confirm : {true, false}) {
    store::SetDefaultSettings(settings_, 0);
    if (!confirm) settings_.fore = settings_.back;  // already unreadable
    chooser_.confirm = confirm;
    chooser_.answer = settings_.back;
    store::Colour afterText = 1;
    watcher_.Then([&](const SeenDialog& d) {
      Click(d.hwnd, IDC_COLORS_TEXT);
      afterText = settings_.fore;
      return IDC_COLORS_OK;
    });
    EXPECT_EQ(IDOK, Run());
    EXPECT_EQ(0u, afterText) << confirm;
    EXPECT_EQ(0u, settings_.fore) << confirm;
  }
}

TEST_F(ColorsDialogTest, TheTextSwatchShowsWhatTheContrastRuleMadeOfTheColour) {
  settings_.fore = settings_.back;  // unreadable, and the chooser is cancelled
  chooser_.confirm = false;
  COLORREF inside = 1;
  watcher_.Then([&](const SeenDialog& d) {
    ShowWindow(d.hwnd, SW_SHOWNORMAL);
    RedrawWindow(d.hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testing_support::PumpPending();
    Click(d.hwnd, IDC_COLORS_TEXT);
    // Only what the click made invalid is painted again.
    RedrawWindow(d.hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    testing_support::PumpPending();
    const RECT at = ControlRect(d.hwnd, IDC_SWATCH_TEXT);
    testing_support::ClientPixels pixels(d.hwnd);
    inside = pixels.At(at.left + 25, at.top + 13);
    return IDC_COLORS_OK;
  });
  EXPECT_EQ(IDOK, Run());
  EXPECT_EQ(RGB(0, 0, 0), inside);
  EXPECT_EQ(1, changes_);
}

TEST_F(ColorsDialogTest, EscKeepsAnUnreadableTextColourButOkFixesIt) {
  for (int close : {IDCANCEL, IDC_COLORS_OK}) {
    store::SetDefaultSettings(settings_, 0);
    watcher_.Then([&](const SeenDialog& d) {
      Click(d.hwnd, IDC_COLORS_DARK);
      settings_.fore = RGB(1, 1, 1);  // against Dark's black background
      if (close == IDCANCEL) PostMessageA(d.hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
      return close == IDCANCEL ? 0 : close;
    });
    Run();
    EXPECT_EQ(close == IDCANCEL ? RGB(1, 1, 1) : RGB(255, 255, 155), settings_.fore) << close;
  }
}

}  // namespace
