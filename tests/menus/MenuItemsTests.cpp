#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menus/MenuItems.h"

namespace menus {
namespace {

TEST(ItemHeights, FollowTheTextHeightWithAMinimumForPopupRows) {
  struct Case {
    int textHeight;
    int popup;
    int separator;
  };
  for (const Case& c :
       {Case{13, 20, 8}, Case{14, 20, 9}, Case{15, 21, 9}, Case{19, 25, 11}, Case{24, 30, 14}}) {
    EXPECT_EQ(PopupItemHeight(c.textHeight, 6, 20), c.popup) << "text height " << c.textHeight;
    EXPECT_EQ(SeparatorHeight(c.textHeight, 2), c.separator) << "text height " << c.textHeight;
  }
}

TEST(ItemTexts, SplitAtTheFirstTab) {
  EXPECT_EQ(LabelPart("&Open\tCtrl+O"), "&Open");
  EXPECT_EQ(ShortcutPart("&Open\tCtrl+O"), "Ctrl+O");
  EXPECT_EQ(LabelPart("E&xit"), "E&xit");
  EXPECT_EQ(ShortcutPart("E&xit"), "");
  EXPECT_EQ(ShortcutPart("A\tB\tC"), "B\tC");
}

TEST(ItemTexts, MeasuredLabelsLoseOnlyTheirFirstAmpersand) {
  EXPECT_EQ(WithoutFirstAmpersand("&File"), "File");
  EXPECT_EQ(WithoutFirstAmpersand("Save && &Close"), "Save & &Close");
  EXPECT_EQ(WithoutFirstAmpersand("Plain"), "Plain");
}

struct AccessCase {
  const char* what;
  std::vector<std::string> labels;
  char letter;
  int index;
};

class AccessLetterTest : public ::testing::TestWithParam<AccessCase> {};

TEST_P(AccessLetterTest, FindsTheFirstItemWithThatLetter) {
  const AccessCase& c = GetParam();
  EXPECT_EQ(FindAccessLetter(c.labels, c.letter), c.index) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AccessLetterTest,
    ::testing::Values(
        AccessCase{"letter after &, any case", {"&New", "&Open", "&Save"}, 'o', 1},
        AccessCase{"the first of two items", {"&Print", "&Preview"}, 'P', 0},
        AccessCase{"no item has it", {"&New", "&Open"}, 'x', -1},
        AccessCase{"&& is a literal ampersand, not a mark", {"Save &&Close", "&Cut"}, 'C', 1},
        AccessCase{"a single & after && still counts", {"Tom && &Jerry", "&Jump"}, 'j', 0},
        AccessCase{"only && in the whole menu", {"R&&D", "Q&&A"}, 'd', -1},
        AccessCase{"a trailing & marks nothing", {"Odd&"}, '&', -1},
        AccessCase{"letter inside the label", {"E&xit", "Ne&xt"}, 'X', 0}));

}  // namespace
}  // namespace menus
