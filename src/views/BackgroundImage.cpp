#include "views/BackgroundImage.h"

#include <commdlg.h>

#include <cstring>

#include "framework/Prompter.h"
#include "platform/BackgroundImages.h"
#include "store/ProgramState.h"

namespace views {

void DrawBackgroundImage(HDC dc, HBITMAP image) {
  if (image == nullptr) return;
  DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image), 0, 0, 0, 0, 0, DST_BITMAP);
}

BackgroundChoice SelectBackgroundImage(HWND owner, BackgroundFor which, HBITMAP current,
                                       fw::Prompter& prompter) {
  store::SettingsBlock& settings = store::g_settings;
  auto& storedPath = which == BackgroundFor::MonthView ? settings.mainImage : settings.plannerImage;
  BackgroundChoice choice;

  if (current != nullptr) {
    const int answer = prompter.Show(owner, kBackgroundQuestion, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDNO) {
      store::SetText(storedPath, "none");
      choice.changed = true;
      return choice;
    }
    if (answer != IDYES) return choice;
  }

  // The buffer is the size of the settings field, so every path the dialog
  // answers fits it whole (a longer one makes the dialog fail: no change).
  char path[sizeof storedPath] = {};
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = "Bitmap files (*.bmp)\0*.bmp\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrTitle = kBackgroundDialogTitle;
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameA(&dialog)) return choice;

  store::SetText(storedPath, path);
  choice.changed = true;
  choice.image = platform::LoadBackgroundImage(path);
  return choice;
}

}  // namespace views
