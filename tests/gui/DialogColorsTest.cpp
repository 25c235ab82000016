// The dialog colouring every dialog shares: blue-violet text on white, one
// white brush for the whole run.
#include <gtest/gtest.h>

#include "TestDialog.h"
#include "framework/DialogColors.h"
#include "framework/MemoryDC.h"
#include "framework/MessageBoxPrompter.h"
#include "support/Pixels.h"
#include "support/Pump.h"
#include "test_resource.h"

namespace {

const COLORREF kBlueViolet = RGB(46, 34, 255);
const COLORREF kWhite = RGB(255, 255, 255);

class DialogColorsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(first_.CreateModeless(nullptr)); }

  // Sends a control-colour request as a control would and returns the brush.
  HBRUSH Ask(fw::Dialog& dialog, UINT message, int controlId, HDC dc) {
    HWND control = controlId != 0 ? GetDlgItem(dialog.Handle(), controlId) : dialog.Handle();
    return reinterpret_cast<HBRUSH>(SendMessageA(
        dialog.Handle(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  }

  fw::MessageBoxPrompter prompter_{"Lumetta"};
  ExchangeData data_;
  TestDialog first_{prompter_, data_};
};

TEST_F(DialogColorsTest, EveryControlColourRequestGetsTheTextColourWhiteAndTheSharedBrush) {
  const struct {
    UINT message;
    int control;
    const char* name;
  } requests[] = {{WM_CTLCOLORSTATIC, IDC_TEST_LABEL, "static"},
                  {WM_CTLCOLOREDIT, IDC_TEST_DAY, "edit"},
                  {WM_CTLCOLORBTN, IDOK, "button"},
                  {WM_CTLCOLORDLG, 0, "dialog"}};
  for (const auto& request : requests) {
    fw::MemoryDC dc(nullptr);
    SetTextColor(dc.Get(), RGB(0, 0, 0));
    SetBkColor(dc.Get(), RGB(1, 2, 3));
    HBRUSH brush = Ask(first_, request.message, request.control, dc.Get());
    EXPECT_EQ(fw::DialogColors::SharedBrush(), brush) << request.name;
    EXPECT_EQ(kBlueViolet, GetTextColor(dc.Get())) << request.name;
    EXPECT_EQ(kWhite, GetBkColor(dc.Get())) << request.name;
  }
}

TEST_F(DialogColorsTest, TheBrushIsOneSolidWhiteBrushThatOutlivesEveryDialog) {
  fw::MemoryDC dc(nullptr);
  HBRUSH fromFirst = Ask(first_, WM_CTLCOLORSTATIC, IDC_TEST_LABEL, dc.Get());
  HBRUSH fromSecond = nullptr;
  {
    ExchangeData otherData;
    TestDialog second(prompter_, otherData);
    ASSERT_TRUE(second.CreateModeless(nullptr));
    fromSecond = Ask(second, WM_CTLCOLORSTATIC, IDC_TEST_LABEL, dc.Get());
  }
  EXPECT_EQ(fromFirst, fromSecond);
  DestroyWindow(first_.Handle());
  EXPECT_EQ(nullptr, first_.Handle());

  ASSERT_EQ(OBJ_BRUSH, static_cast<int>(GetObjectType(fromFirst)));
  LOGBRUSH description = {};
  ASSERT_EQ(static_cast<int>(sizeof description),
            GetObjectA(fromFirst, sizeof description, &description));
  EXPECT_EQ(static_cast<UINT>(BS_SOLID), description.lbStyle);
  EXPECT_EQ(kWhite, description.lbColor);
}

TEST_F(DialogColorsTest, TheDialogShowsWhiteBehindBlueVioletText) {
  HWND hwnd = first_.Handle();
  SetWindowPos(hwnd, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  UpdateWindow(hwnd);
  testing_support::PumpPending();

  testing_support::ClientPixels pixels(hwnd);
  ASSERT_GT(pixels.Width(), 0);
  EXPECT_EQ(kWhite, pixels.At(2, 2)) << "dialog background";

  RECT label = {};
  GetWindowRect(GetDlgItem(hwnd, IDC_TEST_LABEL), &label);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&label), 2);
  int textPixels = 0, otherPixels = 0;
  for (int y = label.top; y < label.bottom; ++y) {
    for (int x = label.left; x < label.right; ++x) {
      const COLORREF colour = pixels.At(x, y);
      if (colour == kBlueViolet) {
        ++textPixels;
      } else if (colour != kWhite) {
        ++otherPixels;  // smoothed edges of the letters
      }
    }
  }
  EXPECT_GT(textPixels, 0) << "the label's text is drawn in the dialog text colour";
  EXPECT_LT(otherPixels, (label.right - label.left) * (label.bottom - label.top) / 2)
      << "the label's background is white";
}

}  // namespace
