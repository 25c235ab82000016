#pragma once
// The small window shown while a print job sends its pages: the job's name,
// the page being sent and a Cancel button. The job asks it between pages
// whether Cancel was pressed; only the window's own messages are let
// through, so nothing else changes while the pages are drawn.

#include <windows.h>

#include <string>

namespace views {

class PrintStatus {
 public:
  static constexpr const char* kClassName = "LumettaPrintStatus";
  static constexpr int kPageTextId = 100;

  // Shows the window centred over `owner`.
  PrintStatus(HWND owner, const std::string& title);
  ~PrintStatus();
  PrintStatus(const PrintStatus&) = delete;
  PrintStatus& operator=(const PrintStatus&) = delete;

  // "Printing page 2 of 5".
  void ShowPage(int page, int last);
  // Handles the window's pending messages; true once Cancel was pressed.
  bool Cancelled();

  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  HWND pageText_ = nullptr;
  bool cancelled_ = false;
};

}  // namespace views
