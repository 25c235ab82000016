#pragma once
// "Sync Conflicts": the items that both the diary and the server changed
// since their last sync, one row each (day, time, the server's text that
// took the slot and the diary's text kept beside it). Enter or a double
// click opens the row's day in a planner. It can open without taking the
// activation, so a sync that ends while the user types steals no keys.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/GdiObject.h"
#include "framework/Window.h"
#include "store/CalDavSync.h"

namespace shell {

class SyncConflictsWindow : public fw::Window {
 public:
  static constexpr const char* kClassName = "LumettaSyncConflicts";

  using OpenDay = std::function<void(int year, int month, int day)>;
  SyncConflictsWindow(OpenDay openDay, LOGFONTA font);
  ~SyncConflictsWindow() override;

  // Shows the list (made first when needed); `activate` false leaves the
  // keyboard where it is.
  bool Show(HWND owner, const std::vector<store::SyncConflict>& conflicts, bool activate);
  // Row texts, as listed.
  static std::string RowText(const store::SyncConflict& c);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged() override;

 private:
  void Fill();
  void OpenChosen();
  void Layout();

  OpenDay openDay_;
  LOGFONTA fontDescription_;
  fw::Font font_;
  HWND list_ = nullptr;
  std::vector<store::SyncConflict> conflicts_;
};

}  // namespace shell
