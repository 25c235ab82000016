#pragma once
// A dialog of the test resources (IDD_TEST_EXCHANGE) that exchanges one
// value of each kind, and can run a test step inside its own message loop.

#include <functional>
#include <string>

#include "framework/Dialog.h"

struct ExchangeData {
  int day = 15;              // 1..31
  std::string name = "Ann";  // at most 5 characters
  bool flag = true;
  int choice = 1;  // index of the checked radio button
};

class TestDialog : public fw::Dialog {
 public:
  // Posting this message runs the probe inside the dialog's message loop.
  static constexpr UINT kProbeMessage = WM_APP + 1;

  TestDialog(fw::Prompter& prompter, ExchangeData& data);

  std::function<void(HWND)> probe;

 protected:
  void DoDataExchange(fw::DataExchange& exchange) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  ExchangeData& data_;
};
