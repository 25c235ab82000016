#include "menus/MenuColours.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace menus {
namespace {

// Hue in degrees, lightness and saturation in 0..1.
struct Hls {
  double hue;
  double lightness;
  double saturation;
};

Hls ToHls(Colour colour) {
  const double r = Red(colour) / 255.0;
  const double g = Green(colour) / 255.0;
  const double b = Blue(colour) / 255.0;
  const double high = std::max({r, g, b});
  const double low = std::min({r, g, b});
  Hls hls{0.0, (high + low) / 2.0, 0.0};
  const double range = high - low;
  if (range <= 0.0) return hls;
  hls.saturation = hls.lightness <= 0.5 ? range / (high + low) : range / (2.0 - high - low);
  if (high == r)
    hls.hue = (g - b) / range;
  else if (high == g)
    hls.hue = 2.0 + (b - r) / range;
  else
    hls.hue = 4.0 + (r - g) / range;
  hls.hue *= 60.0;
  if (hls.hue < 0.0) hls.hue += 360.0;
  return hls;
}

double HueChannel(double m1, double m2, double hue) {
  if (hue < 0.0) hue += 360.0;
  if (hue >= 360.0) hue -= 360.0;
  if (hue < 60.0) return m1 + (m2 - m1) * hue / 60.0;
  if (hue < 180.0) return m2;
  if (hue < 240.0) return m1 + (m2 - m1) * (240.0 - hue) / 60.0;
  return m1;
}

int ToByte(double value) {
  return std::clamp(static_cast<int>(std::lround(value * 255.0)), 0, 255);
}

Colour FromHls(const Hls& hls) {
  if (hls.saturation <= 0.0) {
    const int grey = ToByte(hls.lightness);
    return MakeColour(grey, grey, grey);
  }
  const double m2 = hls.lightness <= 0.5
                        ? hls.lightness * (1.0 + hls.saturation)
                        : hls.lightness + hls.saturation - hls.lightness * hls.saturation;
  const double m1 = 2.0 * hls.lightness - m2;
  return MakeColour(ToByte(HueChannel(m1, m2, hls.hue + 120.0)),
                    ToByte(HueChannel(m1, m2, hls.hue)),
                    ToByte(HueChannel(m1, m2, hls.hue - 120.0)));
}

// A value on the 0..255 scale moved by a percentage towards 255 or 0.
double Shift(double value, int percent) {
  if (percent > 0) return value + (255.0 - value) * percent / 100.0;
  if (percent < 0) return value * (percent + 100) / 100.0;
  return value;
}

}  // namespace

Colour AdjustColour(Colour colour, int lightness, int saturation) {
  Hls hls = ToHls(colour);
  hls.lightness = Shift(hls.lightness * 255.0, lightness) / 255.0;
  hls.saturation = Shift(hls.saturation * 255.0, saturation) / 255.0;
  return FromHls(hls);
}

std::vector<GradientBand> GradientBands(int left, int width, Colour from, Colour to) {
  if (width <= 0) return {};
  if (from == to) return {{left, left + width, from}};
  const int steps = std::max({std::abs(Red(to) - Red(from)), std::abs(Green(to) - Green(from)),
                              std::abs(Blue(to) - Blue(from))});
  const auto stepColour = [&](int i) {
    const auto channel = [&](int a, int b) { return a + (b - a) * i / steps; };
    return MakeColour(channel(Red(from), Red(to)), channel(Green(from), Green(to)),
                      channel(Blue(from), Blue(to)));
  };
  std::vector<GradientBand> bands;
  for (int i = 0; i < steps; ++i) {
    const int bandLeft = left + i * width / steps;
    const int bandRight = left + (i + 1) * width / steps;
    if (bandRight > bandLeft) bands.push_back({bandLeft, bandRight, stepColour(i)});
  }
  const int end = bands.empty() ? left : bands.back().right;
  if (end < left + width) bands.push_back({end, left + width, stepColour(steps)});
  return bands;
}

bool OwnMenuShadow(unsigned major, unsigned minor) {
  if (major == 5) return minor == 0;  // 2000; XP and Server 2003 draw one
  return major == 6 && minor <= 1;    // Vista and 7; 8 and later draw one
}

int ShadowPercent(int depth, int along, int deep) {
  // A deeper shadow spreads the same four steps over more pixels.
  deep = std::max(deep, 1);
  const int outward = std::clamp(depth, 0, deep - 1) * kShadowDepthAt96 / deep;
  const int fromEnd = std::max(along, 0) * kShadowDepthAt96 / deep;
  const int darkness = std::min(kShadowDepthAt96 - 1 - outward, fromEnd);
  return 93 - 5 * darkness;
}

Colour Darken(Colour colour, int percent) {
  return MakeColour(Red(colour) * percent / 100, Green(colour) * percent / 100,
                    Blue(colour) * percent / 100);
}

}  // namespace menus
