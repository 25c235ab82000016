#pragma once
// The "Colors" dialog (MyColorDialog, template IDD_COLORS): seven colour
// roles chosen one by one in the colour chooser, or all eight at once from
// a scheme, each shown in a swatch. The roles change in the settings block
// as they are chosen (the month view follows at once); OK applies the
// contrast rule, Cancel (also Enter: the default button) puts back the
// colours of the opening, Esc keeps the colours chosen so far as they are.

#include <array>
#include <functional>

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"
#include "store/ColourSchemes.h"

namespace store {
struct SettingsBlock;
}

namespace shell {

// The platform's colour chooser with sixteen custom colours.
class ColourChooser {
 public:
  virtual ~ColourChooser() = default;
  // False when cancelled; `colour` then stays.
  virtual bool Choose(HWND owner, store::Colour& colour, std::array<store::Colour, 16>& custom) = 0;
};

class SystemColourChooser : public ColourChooser {
 public:
  bool Choose(HWND owner, store::Colour& colour, std::array<store::Colour, 16>& custom) override;
};

class MyColorDialog : public fw::Dialog {
 public:
  // The swatch's size in pixels.
  static constexpr int kSwatchWidth = 50;
  static constexpr int kSwatchHeight = 27;

  // `changed` runs after every change of a colour (the month view repaints).
  MyColorDialog(fw::Prompter& prompter, store::SettingsBlock& settings, ColourChooser& chooser,
                std::function<void()> changed);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  void ChooseRole(UINT button);
  void Changed();
  void PaintSwatches(HDC dc) const;

  store::SettingsBlock& settings_;
  ColourChooser& chooser_;
  std::function<void()> changed_;
  fw::SmallWindowIcon icon_;
  store::ColourRoles remembered_ = {};
  std::array<store::Colour, 16> custom_ = {};
};

}  // namespace shell
