#include <gtest/gtest.h>

#include <cstdlib>

#include "menus/MenuColours.h"

namespace menus {
namespace {

::testing::AssertionResult Near(Colour actual, Colour expected, int tolerance = 1) {
  const bool near = std::abs(Red(actual) - Red(expected)) <= tolerance &&
                    std::abs(Green(actual) - Green(expected)) <= tolerance &&
                    std::abs(Blue(actual) - Blue(expected)) <= tolerance;
  if (near) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "got RGB(" << Red(actual) << "," << Green(actual) << "," << Blue(actual)
         << "), expected RGB(" << Red(expected) << "," << Green(expected) << "," << Blue(expected)
         << ") within " << tolerance;
}

struct AdjustCase {
  Colour in;
  int lightness;
  int saturation;
  Colour expected;
};

class AdjustColourTest : public ::testing::TestWithParam<AdjustCase> {};

TEST_P(AdjustColourTest, GivesTheExpectedColour) {
  const AdjustCase& c = GetParam();
  EXPECT_TRUE(Near(AdjustColour(c.in, c.lightness, c.saturation), c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdjustColourTest,
    ::testing::Values(
        // No change gives the colour back.
        AdjustCase{MakeColour(0, 120, 215), 0, 0, MakeColour(0, 120, 215)},
        AdjustCase{MakeColour(180, 195, 228), 0, 0, MakeColour(180, 195, 228)},
        // Full lightness is white, none is black, whatever the hue.
        AdjustCase{MakeColour(0, 120, 215), 100, 0, MakeColour(255, 255, 255)},
        AdjustCase{MakeColour(0, 120, 215), -100, 0, MakeColour(0, 0, 0)},
        // Greys: lightness moves by the share of what is left; saturation has
        // nothing to act on.
        AdjustCase{MakeColour(240, 240, 240), 75, 0, MakeColour(251, 251, 251)},
        AdjustCase{MakeColour(240, 240, 240), 20, 0, MakeColour(243, 243, 243)},
        AdjustCase{MakeColour(240, 240, 240), -18, 0, MakeColour(197, 197, 197)},
        AdjustCase{MakeColour(212, 208, 200), -27, 80, MakeColour(237, 179, 64)},
        AdjustCase{MakeColour(128, 128, 128), 0, -57, MakeColour(128, 128, 128)},
        // A saturated colour loses saturation towards grey at the same lightness.
        AdjustCase{MakeColour(255, 0, 0), 0, -100, MakeColour(128, 128, 128)},
        // The highlight colour of the selection, lighter and paler.
        AdjustCase{MakeColour(0, 120, 215), 70, -57, MakeColour(192, 213, 230)}));

TEST(AdjustColour, KeepsTheHueOfAColour) {
  const Colour pale = AdjustColour(MakeColour(0, 0, 255), 50, 0);
  EXPECT_EQ(Red(pale), Green(pale));
  EXPECT_GT(Blue(pale), Red(pale));
}

struct GradientCase {
  const char* what;
  int width;
  Colour from;
  Colour to;
  std::size_t bands;
};

class GradientBandsTest : public ::testing::TestWithParam<GradientCase> {};

TEST_P(GradientBandsTest, CoversTheWidthWithoutGapsFromFirstToLastColour) {
  const GradientCase& c = GetParam();
  const auto bands = GradientBands(10, c.width, c.from, c.to);
  ASSERT_EQ(bands.size(), c.bands) << c.what;
  EXPECT_EQ(bands.front().left, 10) << c.what;
  EXPECT_EQ(bands.back().right, 10 + c.width) << c.what;
  for (std::size_t i = 1; i < bands.size(); ++i) {
    EXPECT_EQ(bands[i].left, bands[i - 1].right) << c.what << " band " << i;
    EXPECT_LT(bands[i].left, bands[i].right) << c.what << " band " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GradientBandsTest,
    ::testing::Values(GradientCase{"equal colours: one fill", 30, MakeColour(9, 9, 9),
                                   MakeColour(9, 9, 9), 1},
                      GradientCase{"one band per step when wide enough", 100, MakeColour(0, 0, 0),
                                   MakeColour(0, 10, 4), 10},
                      GradientCase{"empty bands left out when narrow", 30,
                                   MakeColour(180, 195, 228), MakeColour(255, 255, 255), 30},
                      GradientCase{"falling channels", 60, MakeColour(255, 255, 255),
                                   MakeColour(195, 255, 255), 60}));

TEST(GradientBands, StartsWithTheFirstColourWhenEveryStepHasAColumn) {
  const auto bands = GradientBands(0, 90, MakeColour(180, 195, 228), MakeColour(255, 255, 255));
  EXPECT_EQ(bands.front().colour, MakeColour(180, 195, 228));
  EXPECT_EQ(bands.back().colour, MakeColour(254, 254, 254));
}

TEST(GradientBands, StepsEachChannelByItsShare) {
  // 4 steps (the red difference) over 8 columns: 2 columns per step.
  const auto bands = GradientBands(0, 8, MakeColour(100, 0, 10), MakeColour(104, 2, 10));
  ASSERT_EQ(bands.size(), 4u);
  EXPECT_EQ(bands[1].left, 2);
  EXPECT_EQ(bands[1].colour, MakeColour(101, 0, 10));
  EXPECT_EQ(bands[2].colour, MakeColour(102, 1, 10));
  EXPECT_EQ(bands[3].colour, MakeColour(103, 1, 10));
}

TEST(GradientBands, NothingForAnEmptyWidth) {
  EXPECT_TRUE(GradientBands(0, 0, MakeColour(0, 0, 0), MakeColour(9, 9, 9)).empty());
}

}  // namespace
}  // namespace menus
