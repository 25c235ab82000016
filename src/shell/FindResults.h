#pragma once
// The find results window: the entries a search found, latest first, one
// line each, beside the results file. Enter or a double click on a line
// opens that day's planner; Esc closes the window. There is at most one; a
// new search fills it again.

#include <windows.h>

#include <functional>
#include <vector>

#include "framework/GdiObject.h"
#include "framework/Window.h"
#include "store/Search.h"

namespace shell {

class FindResults : public fw::Window {
 public:
  using OpenDay = std::function<void(int year, int month, int day)>;

  // Lists `hits` in the one window, made (owned by `owner`) when none is
  // open, and brings it to the front with the first line selected.
  static FindResults* Show(HWND owner, const std::vector<store::SearchHit>& hits, OpenDay openDay);
  static FindResults* Current();

  ~FindResults() override;

  HWND List() const { return list_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
  void OnFinalMessage() override;
  void OnDpiChanged() override;

 private:
  FindResults() = default;
  bool Create(HWND owner);
  void Fill(const std::vector<store::SearchHit>& hits);
  void OpenSelected();
  void MakeFont();

  std::vector<store::SearchHit> hits_;
  OpenDay openDay_;
  HWND list_ = nullptr;
  fw::Font font_;
};

}  // namespace shell
