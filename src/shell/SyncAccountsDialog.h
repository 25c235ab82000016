#pragma once
// File > "Calendar Accounts..." (template IDD_SYNC_ACCOUNTS): the CalDAV
// accounts the program syncs with, removing one, and adding one: a server's
// or a calendar's address, the user name and the password; "Test
// Connection" asks the server for its calendars, one of which is chosen. The
// password is kept protected for the user (DPAPI) and never shown again.

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "store/CalDavSync.h"
#include "store/Platform.h"
#include "store/SyncAccounts.h"

namespace shell {

class SyncAccountsDialog : public fw::Dialog {
 public:
  SyncAccountsDialog(fw::Prompter& prompter, store::FileSystem& files, std::string dataFile);

  // An account was added or removed while the dialog was open.
  bool Changed() const { return changed_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  std::string Text(int id) const;
  void ShowAccounts();
  void Status(const std::string& text);
  void TestConnection();
  void Add();
  void Remove();

  store::FileSystem& files_;
  std::string dataFile_;
  std::vector<store::SyncAccount> accounts_;
  std::vector<store::DavCalendar> calendars_;  // of the last test
  std::string testedUrl_, testedUser_;
  bool changed_ = false;
};

}  // namespace shell
