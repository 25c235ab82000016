// The month view's two pickers, answered through the dialog watcher: the
// font dialog for the main font, and the background image picker with its
// question and its open-file dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "MonthViewFixture.h"
#include "framework/MessageBoxPrompter.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "platform/BackgroundImages.h"
#include "views/BackgroundImage.h"
#include "views/MainFont.h"

using month_test::MonthViewTest;
using testing_support::DialogWatcher;
using testing_support::SeenDialog;

namespace {

constexpr int kFontNameBox = 0x470;  // cmb1 of the font dialog
constexpr int kFontSizeBox = 0x472;  // cmb3 of the font dialog
constexpr int kFileNameBox = 0x47c;  // cmb13 of the open-file dialog

class MonthViewFontTest : public MonthViewTest {};

TEST_F(MonthViewFontTest, ChoosingAFontReplacesTheMainFontAndPlacesTheWindowAgain) {
  MakeView();
  DialogWatcher watcher;
  bool disabledMeanwhile = false;
  watcher.Then([&](const SeenDialog& dialog) {
    disabledMeanwhile = !IsWindowEnabled(View());
    // Choose 24 points from the size list, as a click on it does.
    HWND sizes = GetDlgItem(dialog.hwnd, kFontSizeBox);
    SendMessageA(sizes, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("24"));
    SendMessageA(dialog.hwnd, WM_COMMAND, MAKEWPARAM(kFontSizeBox, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(sizes));
    return IDOK;
  });
  view->ChooseMainFont();
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_TRUE(disabledMeanwhile) << "the view is disabled while the dialog is open";
  EXPECT_TRUE(IsWindowEnabled(View()));

  // Kept as a height at 96 DPI; made at the screen's.
  const LONG expected = -MulDiv(24, 96, 72);
  EXPECT_EQ(expected, view->MainFontDescription().lfHeight);
  EXPECT_EQ(expected, store::g_settings.mainFont.height) << "stored for the next start";
  fw::WindowDC dc(View());
  LOGFONTA used = {};
  GetObjectA(view->MainFont(), sizeof used, &used);
  EXPECT_EQ(-MulDiv(24, GetDeviceCaps(dc.Get(), LOGPIXELSY), 72), used.lfHeight);
  EXPECT_EQ(2, view->ResizeSkipCount());
  EXPECT_EQ(1, host.placements);
  EXPECT_GT(view->CellHeight(), 24) << "the cell follows the new font";
}

TEST_F(MonthViewFontTest, CancellingTheFontDialogChangesNothing) {
  MakeView();
  HFONT before = view->MainFont();
  const LOGFONTA description = view->MainFontDescription();
  DialogWatcher watcher;
  watcher.ThenPress(IDCANCEL);
  view->ChooseMainFont();
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_EQ(before, view->MainFont());
  EXPECT_EQ(description.lfHeight, view->MainFontDescription().lfHeight);
  EXPECT_EQ(0, view->ResizeSkipCount());
  EXPECT_EQ(0, host.placements);
  EXPECT_TRUE(IsWindowEnabled(View()));
}

TEST_F(MonthViewFontTest, PickFontStartsFromTheCurrentFont) {
  MakeView();
  DialogWatcher watcher;
  std::string shownFace;
  std::string shownSize;
  watcher.Then([&](const SeenDialog& dialog) {
    char text[64] = {};
    GetDlgItemTextA(dialog.hwnd, kFontNameBox, text, sizeof text);
    shownFace = text;
    GetDlgItemTextA(dialog.hwnd, kFontSizeBox, text, sizeof text);
    shownSize = text;
    return IDOK;
  });
  LOGFONTA tahoma = {};
  fw::WindowDC dc(View());
  tahoma.lfHeight = -MulDiv(18, GetDeviceCaps(dc.Get(), LOGPIXELSY), 72);
  tahoma.lfWeight = FW_NORMAL;
  lstrcpyA(tahoma.lfFaceName, "Tahoma");
  fw::Font current(CreateFontIndirectA(&tahoma));
  LOGFONTA chosen = {};
  fw::Font font = views::PickFont(View(), current.Get(), fw::Dpi(), chosen);
  ASSERT_TRUE(font);
  EXPECT_EQ("Tahoma", shownFace);
  EXPECT_EQ("18", shownSize);
  EXPECT_STREQ("Tahoma", chosen.lfFaceName);
  EXPECT_EQ(tahoma.lfHeight, chosen.lfHeight);
}

class BackgroundTest : public MonthViewTest {
 protected:
  void SetUp() override {
    MonthViewTest::SetUp();
    green = folder.WriteBitmap("green.bmp", 40, 30, RGB(0, 160, 0));
  }
  // Queues the answer of the open-file dialog: choose that file.
  void ThenChoose(const std::string& path) {
    watcher.Then([path](const SeenDialog& dialog) {
      EXPECT_EQ(views::kBackgroundDialogTitle, dialog.caption);
      SetDlgItemTextA(dialog.hwnd, kFileNameBox, path.c_str());
      return IDOK;
    });
  }
  COLORREF PaintedAt(int x, int y) {
    const SIZE size = view->NaturalSize();
    month_test::Canvas canvas(size.cx, size.cy);
    view->Paint(canvas.Dc(), canvas.Area());
    return canvas.At(x, y);
  }

  month_test::TempFolder folder;
  std::string green;
  DialogWatcher watcher;
};

TEST_F(BackgroundTest, WithoutAnImageTheFileDialogChoosesOne) {
  MakeView();
  ThenChoose(green);
  testing_support::SendCommand(frame->Handle(), ID_PREFS_BACKGROUND);
  ASSERT_EQ(1u, watcher.Seen().size()) << "no question without a current image";
  EXPECT_EQ(green, std::string(store::g_settings.mainImage));
  ASSERT_NE(nullptr, view->BackgroundImage());
  EXPECT_EQ(platform::SlotFromBitmap(view->BackgroundImage()), store::g_settings.mainImageHandle);
  // Drawn unscaled from the top-left corner, under the cells.
  EXPECT_EQ(RGB(0, 160, 0), PaintedAt(2, 2));
  EXPECT_EQ(RGB(0, 160, 0), PaintedAt(39, 29));
  EXPECT_EQ(store::g_settings.back, PaintedAt(41, 31));
}

TEST_F(BackgroundTest, NoRemovesTheCurrentImage) {
  MakeView();
  ThenChoose(green);
  view->SelectMonthBackground();
  ASSERT_NE(nullptr, view->BackgroundImage());
  watcher.ThenPress(IDNO);
  view->SelectMonthBackground();
  ASSERT_EQ(2u, watcher.Seen().size());
  EXPECT_EQ(views::kBackgroundQuestion, watcher.Seen()[1].message);
  EXPECT_EQ("Lumetta", watcher.Seen()[1].caption);
  EXPECT_EQ(nullptr, view->BackgroundImage());
  EXPECT_STREQ("none", store::g_settings.mainImage);
  EXPECT_EQ(0u, store::g_settings.mainImageHandle);
  EXPECT_EQ(store::g_settings.back, PaintedAt(2, 2));
}

TEST_F(BackgroundTest, CancelAnywhereKeepsTheCurrentImage) {
  MakeView();
  ThenChoose(green);
  view->SelectMonthBackground();
  const HBITMAP image = view->BackgroundImage();
  ASSERT_NE(nullptr, image);
  watcher.ThenPress(IDCANCEL);  // the question
  view->SelectMonthBackground();
  watcher.ThenPress(IDYES);     // the question
  watcher.ThenPress(IDCANCEL);  // the file dialog
  view->SelectMonthBackground();
  EXPECT_EQ(4u, watcher.Seen().size());
  EXPECT_EQ(image, view->BackgroundImage());
  EXPECT_EQ(green, std::string(store::g_settings.mainImage));
}

TEST_F(BackgroundTest, YesReplacesTheImage) {
  MakeView();
  ThenChoose(green);
  view->SelectMonthBackground();
  const std::string blue = folder.WriteBitmap("blue.bmp", 20, 20, RGB(0, 0, 200));
  watcher.ThenPress(IDYES);
  ThenChoose(blue);
  view->SelectMonthBackground();
  EXPECT_EQ(blue, std::string(store::g_settings.mainImage));
  EXPECT_EQ(RGB(0, 0, 200), PaintedAt(2, 2));
}

TEST_F(BackgroundTest, AFileThatIsNoBitmapLeavesNoImageButKeepsItsPath) {
  MakeView();
  const std::string broken = folder.Write("broken.bmp", "this is not a bitmap");
  ThenChoose(broken);
  view->SelectMonthBackground();
  EXPECT_EQ(broken, std::string(store::g_settings.mainImage));
  EXPECT_EQ(nullptr, view->BackgroundImage());
}

TEST_F(BackgroundTest, TheDayPlannerPickerStoresThePlannerPath) {
  MakeView();
  ThenChoose(green);
  fw::MessageBoxPrompter prompter("Lumetta");
  views::BackgroundChoice choice =
      views::SelectBackgroundImage(View(), views::BackgroundFor::DayPlanner, nullptr, prompter);
  EXPECT_TRUE(choice.changed);
  EXPECT_TRUE(choice.image);
  EXPECT_EQ(green, std::string(store::g_settings.plannerImage));
  EXPECT_STREQ("", store::g_settings.mainImage);
}

TEST_F(BackgroundTest, ANewViewShowsTheStoredImage) {
  store::SetText(store::g_settings.mainImage, green);
  MakeView();
  EXPECT_NE(nullptr, view->BackgroundImage());
  EXPECT_EQ(RGB(0, 160, 0), PaintedAt(2, 2));
  store::SetText(store::g_settings.mainImage, "none");
  view.reset();
  MakeView();
  EXPECT_EQ(nullptr, view->BackgroundImage());
}

}  // namespace
