#pragma once
// Dots per inch of a window, and the scaling of layout sizes written for
// 96 DPI (100 %). Every length the program lays out by hand is written at
// 96 DPI and named so (k...At96); it reaches the screen through Scale.
//
// The newer DPI functions (per-monitor awareness, a window's or a monitor's
// DPI) are looked up at run time: older Windows and Wine lack some of them,
// and then the system DPI stands in.

#include <windows.h>

namespace fw {

class Dpi {
 public:
  static constexpr UINT kDesign = 96;

  Dpi() = default;
  // 0 (no answer) stands for the design DPI.
  explicit Dpi(UINT value) : value_(value == 0 ? kDesign : value) {}

  // The DPI of the session (the primary monitor's scale).
  static Dpi System();
  // The DPI of the monitor a window is on, as the system sees it.
  static Dpi ForWindow(HWND hwnd);

  UINT Value() const { return value_; }
  bool operator==(const Dpi& other) const { return value_ == other.value_; }
  bool operator!=(const Dpi& other) const { return value_ != other.value_; }

  // A 96-DPI length at this DPI, rounded (negative lengths too).
  int Scale(int at96) const;
  // A length at this DPI back at 96 DPI.
  int Unscale(int pixels) const;
  // A font description whose height and width are 96-DPI sizes, made for
  // this DPI; and back.
  LOGFONTA ScaleFont(const LOGFONTA& at96) const;
  LOGFONTA UnscaleFont(const LOGFONTA& scaled) const;

 private:
  UINT value_ = kDesign;
};

// Declares the process aware of each monitor's DPI (version 2 where the
// system has it, else system awareness). Call before the first window.
void EnablePerMonitorDpiAwareness();

}  // namespace fw
