#include "views/MainFont.h"

#include <commdlg.h>

#include <cmath>
#include <cstring>

#include "store/Settings.h"

namespace views {

static_assert(sizeof(LOGFONTA) == sizeof(store::FontDescription),
              "the saved font description is a LOGFONTA");

LOGFONTA DefaultFontDescription(LONG height) {
  LOGFONTA font = {};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
  lstrcpynA(font.lfFaceName, "Palatino Linotype", LF_FACESIZE);
  return font;
}

LOGFONTA DefaultMainFontDescription() { return DefaultFontDescription(-18); }

LOGFONTA SavedFontDescription(const store::FontDescription& saved) {
  LOGFONTA font = {};
  std::memcpy(&font, &saved, sizeof font);
  font.lfFaceName[LF_FACESIZE - 1] = '\0';
  return font;
}

LOGFONTA SavedOrDefaultMainFont(const store::FontDescription& saved) {
  if (saved.height == 0) return DefaultMainFontDescription();
  return SavedFontDescription(saved);
}

void SaveMainFont(const LOGFONTA& description, store::FontDescription& saved) {
  std::memcpy(&saved, &description, sizeof saved);
}

LOGFONTA WeekdayFontDescription(const LOGFONTA& main) {
  LOGFONTA font = main;
  font.lfItalic = TRUE;
  return font;
}

LOGFONTA TitleFontDescription(const LOGFONTA& main) {
  LOGFONTA font = main;
  font.lfWeight = main.lfWeight * 17 / 10;  // exact truncation of weight x 1.7
  return font;
}

LOGFONTA ClockFontDescription(const LOGFONTA& main) {
  LOGFONTA font = main;
  font.lfHeight = static_cast<LONG>(std::trunc(main.lfHeight * 0.8));
  font.lfWidth = static_cast<LONG>(std::trunc(main.lfWidth * 0.8));
  return font;
}

bool ScaleForWidth(LOGFONTA& description, int clientWidth, int cellWidth) {
  if (clientWidth < 100 || cellWidth < 10) return false;
  const float factor = static_cast<float>(clientWidth + 6) / static_cast<float>(7 * cellWidth - 6);
  description.lfHeight = static_cast<LONG>(static_cast<float>(description.lfHeight) * factor);
  description.lfWidth = static_cast<LONG>(static_cast<float>(description.lfWidth) * factor);
  return true;
}

fw::Font MakeScaledFont(const LOGFONTA& at96, fw::Dpi dpi) {
  const LOGFONTA scaled = dpi.ScaleFont(at96);
  return fw::Font(CreateFontIndirectA(&scaled));
}

fw::Font PickFont(HWND owner, HFONT current, fw::Dpi dpi, LOGFONTA& description) {
  LOGFONTA chosen = {};
  if (current != nullptr) GetObjectA(current, sizeof chosen, &chosen);
  CHOOSEFONTA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpLogFont = &chosen;
  dialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontA(&dialog)) return fw::Font();
  description = dpi.UnscaleFont(chosen);
  return fw::Font(CreateFontIndirectA(&chosen));
}

}  // namespace views
