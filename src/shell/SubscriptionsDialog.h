#pragma once
// File > "Subscribe to Calendar..." (template IDD_SUBSCRIPTIONS): the
// calendars the user reads but does not edit, turning one off or on,
// removing one (with its cached copy), and subscribing to one by its address
// (https, webcal) or a local .ics file, with a name and a colour.

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "store/Platform.h"
#include "store/Subscriptions.h"

namespace shell {

class SubscriptionsDialog : public fw::Dialog {
 public:
  SubscriptionsDialog(fw::Prompter& prompter, store::FileSystem& files, std::string dataFile);

  // The list changed while the dialog was open.
  bool Changed() const { return changed_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  std::string Text(int id) const;
  int Chosen() const;  // the list's selection, -1 when none
  void ShowList(int select);
  void Status(const std::string& text);
  bool Save();
  void Browse();
  void Subscribe();
  void Toggle();
  void Remove();

  store::FileSystem& files_;
  std::string dataFile_;
  std::vector<store::Subscription> list_;
  bool changed_ = false;
};

}  // namespace shell
