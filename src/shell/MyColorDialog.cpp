#include "shell/MyColorDialog.h"

#include <commdlg.h>

#include "framework/GdiObject.h"
#include "framework/PaintDC.h"
#include "framework/ScopedSelect.h"
#include "resource.h"
#include "store/Settings.h"

namespace shell {

namespace {

// A role button, its swatch and the colour role it sets.
struct RoleButton {
  UINT button;
  int swatch;
  store::Colour store::SettingsBlock::*role;
};

constexpr RoleButton kRoles[] = {
    {IDC_COLORS_TEXT, IDC_SWATCH_TEXT, &store::SettingsBlock::fore},
    {IDC_COLORS_BACKGROUND, IDC_SWATCH_BACKGROUND, &store::SettingsBlock::back},
    {IDC_COLORS_HAS_APPOINTMENT, IDC_SWATCH_HAS_APPOINTMENT, &store::SettingsBlock::hasappoint},
    {IDC_COLORS_DAY_PLANNER_1, IDC_SWATCH_DAY_PLANNER_1, &store::SettingsBlock::dayplan1},
    {IDC_COLORS_DAY_PLANNER_2, IDC_SWATCH_DAY_PLANNER_2, &store::SettingsBlock::dayplan2},
    {IDC_COLORS_TOP_HIGHLIGHT, IDC_SWATCH_TOP_HIGHLIGHT, &store::SettingsBlock::toplite},
    {IDC_COLORS_BOTTOM_HIGHLIGHT, IDC_SWATCH_BOTTOM_HIGHLIGHT, &store::SettingsBlock::botlite},
};

}  // namespace

bool SystemColourChooser::Choose(HWND owner, store::Colour& colour,
                                 std::array<store::Colour, 16>& custom) {
  COLORREF colours[16];
  for (size_t i = 0; i < custom.size(); ++i) colours[i] = custom[i];
  CHOOSECOLORA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.lpCustColors = colours;
  choose.rgbResult = colour;
  choose.Flags = CC_RGBINIT;
  const bool chosen = ChooseColorA(&choose) != FALSE;
  for (size_t i = 0; i < custom.size(); ++i) custom[i] = colours[i];
  if (chosen) colour = choose.rgbResult;
  return chosen;
}

MyColorDialog::MyColorDialog(fw::Prompter& prompter, store::SettingsBlock& settings,
                             ColourChooser& chooser, std::function<void()> changed)
    : Dialog(IDD_COLORS, prompter),
      settings_(settings),
      chooser_(chooser),
      changed_(std::move(changed)) {}

bool MyColorDialog::OnInitDialog() {
  icon_.Apply(Handle());
  remembered_ = store::ReadColourRoles(settings_);
  custom_ = store::CustomColours(settings_);
  return Dialog::OnInitDialog();
}

INT_PTR MyColorDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    fw::PaintDC dc(Handle());
    PaintSwatches(dc.Get());
    return TRUE;
  }
  return Dialog::HandleMessage(message, wParam, lParam);
}

void MyColorDialog::PaintSwatches(HDC dc) const {
  for (const RoleButton& r : kRoles) {
    HWND swatch = GetDlgItem(Handle(), r.swatch);
    if (swatch == nullptr) continue;
    RECT at = {};
    GetWindowRect(swatch, &at);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&at), 2);
    fw::Brush fill(CreateSolidBrush(settings_.*r.role));
    fw::ScopedSelect pen(dc, GetStockObject(BLACK_PEN));
    fw::ScopedSelect brush(dc, fill.Get());
    Rectangle(dc, at.left, at.top, at.left + kSwatchWidth, at.top + kSwatchHeight);
  }
}

void MyColorDialog::Changed() {
  InvalidateRect(Handle(), nullptr, TRUE);
  if (changed_) changed_();
}

void MyColorDialog::ChooseRole(UINT button) {
  for (const RoleButton& r : kRoles) {
    if (r.button != button) continue;
    const store::ColourRoles before = store::ReadColourRoles(settings_);
    chooser_.Choose(Handle(), settings_.*r.role, custom_);
    // The text colour is kept readable whether or not one was chosen; its
    // swatch shows what the rule made of it.
    if (button == IDC_COLORS_TEXT) store::FixTextContrast(settings_);
    if (store::ReadColourRoles(settings_) != before) Changed();
  }
}

bool MyColorDialog::OnCommand(UINT id, UINT notifyCode, HWND control) {
  if (notifyCode != BN_CLICKED) return Dialog::OnCommand(id, notifyCode, control);
  switch (id) {
    case IDC_COLORS_ROSETTY:
      store::ApplyColourScheme(settings_, store::ColourScheme::Rosetty);
      Changed();
      return true;
    case IDC_COLORS_DARK:
      store::ApplyColourScheme(settings_, store::ColourScheme::Dark);
      Changed();
      return true;
    case IDC_COLORS_YELLOWS:
      store::ApplyColourScheme(settings_, store::ColourScheme::Yellows);
      Changed();
      return true;
    case IDC_COLORS_OK:
      store::FixTextContrast(settings_);
      Close(IDOK);
      return true;
    case IDC_COLORS_CANCEL:
      store::WriteColourRoles(settings_, remembered_);
      Close(IDCANCEL);
      return true;
    case IDCANCEL:  // Esc: the colours chosen so far stay, unchecked
      Close(IDCANCEL);
      return true;
    default:
      ChooseRole(id);
      return true;
  }
}

}  // namespace shell
